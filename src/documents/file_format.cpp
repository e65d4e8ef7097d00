#include "documents/file_format.h"

namespace quillet {

QString describeFileFormat(const FileFormat& format) {
    QString text;
    switch (format.encoding) {
    case TextEncoding::Windows1251:
        text = QStringLiteral("Windows-1251");
        break;
    case TextEncoding::Utf8:
        text = QStringLiteral("UTF-8");
        break;
    case TextEncoding::Utf8WithMark:
        text = QStringLiteral("UTF-8 с меткой");
        break;
    }
    return text +
           (format.lineBreak == LineBreak::Lf ? QStringLiteral(", LF") : QStringLiteral(", CR LF"));
}

namespace {

bool needsChange(QStringView text, bool (*test)(QStringView, qsizetype)) {
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (test(text, i))
            return true;
    }
    return false;
}

// A surrogate that is not half of a pair.
bool loneSurrogate(QStringView text, qsizetype i) {
    const QChar c = text[i];
    if (c.isHighSurrogate())
        return i + 1 >= text.size() || !text[i + 1].isLowSurrogate();
    if (c.isLowSurrogate())
        return i == 0 || !text[i - 1].isHighSurrogate();
    return false;
}

} // namespace

QString toEditorText(QString text) {
    const auto outside = [](QStringView t, qsizetype i) {
        return structureStandIn(t[i].unicode()) != 0 || loneSurrogate(t, i);
    };
    if (!needsChange(text, outside))
        return text;
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (const char16_t standIn = structureStandIn(text[i].unicode()))
            text[i] = QChar(standIn);
        else if (loneSurrogate(text, i))
            text[i] = QChar::ReplacementCharacter;
        else if (text[i].isHighSurrogate())
            ++i;
    }
    return text;
}

QString fromEditorText(QString text) {
    for (qsizetype i = 0; i < text.size(); ++i) {
        const char16_t c = text[i].unicode();
        if (c < 0xDC00 || c > 0xDCFF || !loneSurrogate(text, i))
            continue;
        text[i] = isByteStandIn(c) ? QChar::ReplacementCharacter : QChar(char16_t(standsFor(c)));
    }
    return text;
}

namespace {

template <typename Put> void encodeUtf8(QStringView text, Put&& put) {
    const qsizetype n = text.size();
    for (qsizetype i = 0; i < n; ++i) {
        char32_t c = text[i].unicode();
        if (c < 0x80) {
            put(static_cast<unsigned char>(c));
            continue;
        }
        if (c >= 0xD800 && c <= 0xDBFF && i + 1 < n && text[i + 1].isLowSurrogate()) {
            c = 0x10000 + ((c - 0xD800) << 10) + (text[i + 1].unicode() - 0xDC00);
            ++i;
        } else if (c >= 0xD800 && c <= 0xDFFF) {
            if (isByteStandIn(static_cast<char16_t>(c))) {
                put(static_cast<unsigned char>(c - 0xDC00));
                continue;
            }
            c = standsFor(static_cast<char16_t>(c));
            if (c >= 0xD800 && c <= 0xDFFF)
                c = 0xFFFD; // a lone surrogate has no UTF-8 form
        }
        if (c < 0x800) {
            put(static_cast<unsigned char>(0xC0 | (c >> 6)));
        } else if (c < 0x10000) {
            put(static_cast<unsigned char>(0xE0 | (c >> 12)));
            put(static_cast<unsigned char>(0x80 | ((c >> 6) & 0x3F)));
        } else {
            put(static_cast<unsigned char>(0xF0 | (c >> 18)));
            put(static_cast<unsigned char>(0x80 | ((c >> 12) & 0x3F)));
            put(static_cast<unsigned char>(0x80 | ((c >> 6) & 0x3F)));
        }
        put(static_cast<unsigned char>(0x80 | (c & 0x3F)));
    }
}

} // namespace

void appendUtf8(QByteArray& out, QStringView text) {
    // No UTF-16 unit gives more than three bytes (a pair, two units, gives four).
    const qsizetype start = out.size();
    out.resize(start + 3 * text.size());
    char* p = out.data() + start;
    encodeUtf8(text, [&p](unsigned char b) { *p++ = static_cast<char>(b); });
    out.truncate(p - out.constData());
}

qsizetype measureUtf8(QStringView text) {
    qsizetype size = 0;
    encodeUtf8(text, [&size](unsigned char) { ++size; });
    return size;
}

} // namespace quillet
