#include "documents/cp1251.h"

#include <array>
#include <cstdint>

namespace quillet {

namespace {

// Characters of the bytes 0x80..0xBF; 0xC0..0xFF are U+0410..U+044F in order.
constexpr char16_t Upper[64] = {
    0x0402, 0x0403, 0x201A, 0x0453, 0x201E, 0x2026, 0x2020, 0x2021, // 80
    0x20AC, 0x2030, 0x0409, 0x2039, 0x040A, 0x040C, 0x040B, 0x040F, // 88
    0x0452, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014, // 90
    0x0098, 0x2122, 0x0459, 0x203A, 0x045A, 0x045C, 0x045B, 0x045F, // 98
    0x00A0, 0x040E, 0x045E, 0x0408, 0x00A4, 0x0490, 0x00A6, 0x00A7, // A0
    0x0401, 0x00A9, 0x0404, 0x00AB, 0x00AC, 0x00AD, 0x00AE, 0x0407, // A8
    0x00B0, 0x00B1, 0x0406, 0x0456, 0x0491, 0x00B5, 0x00B6, 0x00B7, // B0
    0x0451, 0x2116, 0x0454, 0x00BB, 0x0458, 0x0405, 0x0455, 0x0457, // B8
};

struct Tables {
    std::array<char16_t, 256> toChar{};
    // Byte + 1 for every UTF-16 unit, 0 where the code page has no byte.
    std::array<std::uint16_t, 0x10000> toByte{};

    Tables() {
        for (int b = 0; b < 256; ++b) {
            char16_t c = 0;
            if (b < 0x80)
                c = static_cast<char16_t>(b);
            else if (b < 0xC0)
                c = Upper[b - 0x80];
            else
                c = static_cast<char16_t>(0x0410 + (b - 0xC0));
            toChar[b] = c;
            toByte[c] = static_cast<std::uint16_t>(b + 1);
        }
    }
};

const Tables& tables() {
    static const Tables t;
    return t;
}

} // namespace

QChar cp1251Char(unsigned char byte) {
    return QChar(tables().toChar[byte]);
}

int cp1251Byte(QChar c) {
    return static_cast<int>(tables().toByte[c.unicode()]) - 1;
}

QString decodeCp1251(const char* data, qsizetype size) {
    const auto& map = tables().toChar;
    QString out(size, Qt::Uninitialized);
    QChar* dst = out.data();
    for (qsizetype i = 0; i < size; ++i)
        dst[i] = QChar(map[static_cast<unsigned char>(data[i])]);
    return out;
}

qsizetype appendCp1251(QByteArray& out, QStringView text) {
    const auto& map = tables().toByte;
    const qsizetype base = out.size();
    out.resize(base + text.size());
    char* const begin = out.data() + base;
    char* dst = begin;
    qsizetype missing = 0;
    const QChar* src = text.data();
    const QChar* const end = src + text.size();
    for (; src < end; ++src) {
        const std::uint16_t b = map[src->unicode()];
        if (b != 0) {
            *dst++ = static_cast<char>(b - 1);
            continue;
        }
        // A character outside the Basic Multilingual Plane is one character,
        // held as a surrogate pair: it becomes one '?'.
        if (src->isHighSurrogate() && src + 1 < end && src[1].isLowSurrogate())
            ++src;
        *dst++ = '?';
        ++missing;
    }
    out.truncate(base + (dst - begin));
    return missing;
}

qsizetype measureCp1251(QStringView text, qsizetype* unmappable) {
    const auto& map = tables().toByte;
    qsizetype bytes = 0;
    qsizetype missing = 0;
    const QChar* src = text.data();
    const QChar* const end = src + text.size();
    for (; src < end; ++src, ++bytes) {
        if (map[src->unicode()] != 0)
            continue;
        if (src->isHighSurrogate() && src + 1 < end && src[1].isLowSurrogate())
            ++src;
        ++missing;
    }
    if (unmappable)
        *unmappable = missing;
    return bytes;
}

QByteArray encodeCp1251(const QString& text, qsizetype* unmappable) {
    QByteArray out;
    const qsizetype missing = appendCp1251(out, text);
    if (unmappable)
        *unmappable = missing;
    return out;
}

bool fitsCp1251(const QString& text) {
    const auto& map = tables().toByte;
    for (const QChar c : text) {
        if (map[c.unicode()] == 0)
            return false;
    }
    return true;
}

} // namespace quillet
