#include "platform/settings_text.h"

#include <QStringDecoder>

namespace quillet {

namespace {

bool isSpace(char c) {
    return c == ' ' || c == '\t';
}

QByteArrayView trimmed(QByteArrayView line) {
    while (!line.isEmpty() && isSpace(line.front()))
        line = line.sliced(1);
    while (!line.isEmpty() && isSpace(line.back()))
        line.chop(1);
    return line;
}

bool holdsControlCharacters(QByteArrayView line) {
    for (const char c : line) {
        const auto byte = static_cast<unsigned char>(c);
        if ((byte < 0x20 && c != '\t') || byte == 0x7F)
            return true;
    }
    return false;
}

bool isUtf8(QByteArrayView line) {
    // Stateless: a sequence cut short at the end is an error, not the start of
    // more to come. The decoding is done when the result is taken.
    QStringDecoder decoder(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    const QString decoded = decoder(line);
    return !decoder.hasError();
}

// A value QSettings reads on its own line: its quotes pair up (a quote after a
// backslash is a quote character), and it does not end in a lone backslash,
// which would carry the value on into the next line.
bool valueStandsAlone(QByteArrayView value) {
    bool quoted = false;
    bool escaped = false;
    for (const char c : value) {
        if (escaped)
            escaped = false;
        else if (c == '\\')
            escaped = true;
        else if (c == '"')
            quoted = !quoted;
    }
    return !quoted && !escaped;
}

} // namespace

SettingsLine classifySettingsLine(QByteArrayView line) {
    line = trimmed(line);
    if (line.isEmpty())
        return SettingsLine::Blank;
    if (holdsControlCharacters(line) || !isUtf8(line))
        return SettingsLine::Damaged;
    if (line.front() == ';' || line.front() == '#')
        return SettingsLine::Comment;
    if (line.front() == '[') {
        if (line.size() < 2 || line.back() != ']')
            return SettingsLine::Damaged;
        const QByteArrayView name = line.sliced(1, line.size() - 2);
        const bool plain = !trimmed(name).isEmpty() && !name.contains('[') && !name.contains(']');
        return plain ? SettingsLine::Section : SettingsLine::Damaged;
    }
    const qsizetype equals = line.indexOf('=');
    if (equals <= 0 || trimmed(line.first(equals)).isEmpty())
        return SettingsLine::Damaged;
    return valueStandsAlone(line.sliced(equals + 1)) ? SettingsLine::Entry : SettingsLine::Damaged;
}

SettingsTextCheck checkSettingsText(QByteArrayView text) {
    if (text.size() > SettingsFileLimit || text.contains('\0'))
        return {true, {}};
    SettingsTextCheck check;
    // The lines under a damaged section heading belong to no section that can
    // be named: they go with it, up to the next sound heading.
    bool underDamagedHeading = false;
    qsizetype start = 0;
    while (start < text.size()) {
        qsizetype end = start;
        while (end < text.size() && text[end] != '\n' && text[end] != '\r')
            ++end;
        const QByteArrayView line = text.sliced(start, end - start);
        const SettingsLine kind = classifySettingsLine(line);
        if (kind == SettingsLine::Damaged) {
            check.damaged = true;
            underDamagedHeading = underDamagedHeading || trimmed(line).startsWith('[');
        } else if (kind == SettingsLine::Section || !underDamagedHeading) {
            underDamagedHeading = false;
            check.sound += line;
            check.sound += '\n';
        }
        // CR LF is one line break.
        start = end + (end + 1 < text.size() && text[end] == '\r' && text[end + 1] == '\n' ? 2 : 1);
    }
    return check;
}

} // namespace quillet
