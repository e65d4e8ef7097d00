// The document named on the command line, and its switch.

#include "session/command_line.h"

#include "documents/cp1251.h"
#include "platform/program_constants.h"

#include <QStringDecoder>
#include <QUrl>

namespace quillet {

namespace {

// At most this many further names are listed in the notice, so that a shell
// pattern matching hundreds of files still gives a message that fits the screen.
constexpr qsizetype ListedNames = 10;

// A file URI (file managers and desktop launchers hand files over so) as the
// path it names, with its percent-encoded bytes decoded: "file:///tmp/a%20b.txt"
// and "file://localhost/tmp/a%20b.txt" are "/tmp/a b.txt". Any other argument,
// a URI of another scheme or of another machine too, stays as it is: opening it
// then fails as for any name that is no file here.
QByteArray localPathOf(const QByteArray& argument) {
    if (!argument.left(5).toLower().startsWith("file:"))
        return argument;
    const QUrl url = QUrl::fromEncoded(argument);
    const QString host = url.host();
    if (!url.isValid() || url.scheme() != QLatin1String("file") ||
        (!host.isEmpty() && host.compare(QLatin1String("localhost"), Qt::CaseInsensitive) != 0))
        return argument;
    const QByteArray path =
        QByteArray::fromPercentEncoding(url.path(QUrl::FullyEncoded).toLatin1());
    return path.startsWith('/') ? path : argument;
}

bool isSwitch(const QByteArray& argument) {
    const QByteArray upper = argument.toUpper();
    return upper == "/P" || upper == "/A" || upper == "/L";
}

} // namespace

bool isValidUtf8(const QByteArray& bytes) {
    QStringDecoder decoder(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    [[maybe_unused]] const QString text = decoder.decode(bytes);
    return !decoder.hasError();
}

QString readableFileName(const QByteArray& bytes) {
    QString out;
    const QList<QByteArray> parts = bytes.split('/');
    for (qsizetype i = 0; i < parts.size(); ++i) {
        if (i > 0)
            out += QLatin1Char('/');
        const QByteArray& part = parts.at(i);
        out += isValidUtf8(part) ? QString::fromUtf8(part) : decodeCp1251(part);
    }
    return out;
}

CommandLine readCommandLine(const QList<QByteArray>& arguments,
                            const std::function<bool(const QString&)>& isFile) {
    QList<QByteArray> documents;
    for (const QByteArray& a : arguments) {
        if (!a.isEmpty())
            documents << a;
    }
    QByteArray switchArgument;
    if (documents.size() >= 2 && isSwitch(documents.constLast())) {
        switchArgument = documents.takeLast();
    }

    CommandLine line;
    if (documents.isEmpty())
        return line;

    // A URI names one file: it is never the first piece of a path with spaces.
    const bool joinable = localPathOf(documents.constFirst()) == documents.constFirst();
    for (QByteArray& named : documents)
        named = localPathOf(named);
    QByteArray document = documents.takeFirst();
    if (!documents.isEmpty() && joinable && isValidUtf8(document)) {
        // A path with spaces typed without quotes arrives in pieces.
        QByteArray joined = document;
        for (const QByteArray& a : std::as_const(documents))
            joined += ' ' + a;
        if (isValidUtf8(joined) && !isFile(QString::fromUtf8(document)) &&
            isFile(QString::fromUtf8(joined))) {
            document = joined;
            documents.clear();
        }
    }

    line.nameUndecodable = !isValidUtf8(document);
    line.argumentText = readableFileName(document);
    if (!switchArgument.isEmpty())
        line.argumentText += QLatin1Char(' ') + QString::fromLatin1(switchArgument);
    for (const QByteArray& a : std::as_const(documents))
        line.notOpened << readableFileName(a);
    return line;
}

QString notOpenedNotice(const QStringList& names) {
    QString text = QStringLiteral("Программа работает с одним документом, поэтому открывается "
                                  "только первый из указанных файлов.") +
                   CRLF + QStringLiteral("Не открыты:");
    for (qsizetype i = 0; i < names.size() && i < ListedNames; ++i)
        text += CRLF + names.at(i);
    if (names.size() > ListedNames)
        text += CRLF + QStringLiteral("и ещё %1").arg(names.size() - ListedNames);
    return text;
}

StartupDocument startupDocument(const QString& argumentText) {
    StartupDocument start;
    QString text = argumentText;
    if (text.size() < 3)
        return start;
    // A quoted path with a drive letter ("C:\My texts\a.txt"): drop the quotes.
    // Only a text that starts with a quotation mark is quoted: "12:30 notes.txt"
    // is a plain name.
    if (text.at(0) == u'"' && text.at(2) == u':')
        text = text.mid(1, text.size() - 2);
    const QString ending = text.right(3).toUpper();
    if (ending == QLatin1String(" /P"))
        start.action = StartupSwitch::Print;
    else if (ending == QLatin1String(" /A"))
        start.action = StartupSwitch::NoSizeCheck;
    else if (ending == QLatin1String(" /L"))
        start.action = StartupSwitch::TimeStamp;
    if (start.action != StartupSwitch::None)
        text.chop(3);
    start.path = text;
    start.named = true;
    return start;
}

} // namespace quillet
