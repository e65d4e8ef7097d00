#include "documents/mdl_code.h"

#include "documents/cp1251.h"

#include <array>
#include <mutex>
#include <vector>

namespace quillet {

// clang-format off
const unsigned char DosTable[128] = {
    0xB0, 0xB1, 0xB2, 0xB3, 0xB4, 0xB5, 0xB6, 0xB7, 0xB8, 0xB9, 0xBA, 0xBB, 0xBC, 0xBD, 0xBE, 0xBF,
    0xC0, 0xC1, 0xC2, 0xC3, 0xC4, 0xC5, 0xC6, 0xC7, 0xC8, 0xC9, 0xCA, 0xCB, 0xCC, 0xCD, 0xCE, 0xCF,
    0xD0, 0xD1, 0xD2, 0xD3, 0xD4, 0xD5, 0xD6, 0xD7, 0xF0, 0xD9, 0xDA, 0xDB, 0xDC, 0xDD, 0xDE, 0xDF,
    0xF2, 0xF3, 0xF4, 0xF5, 0xF6, 0xF7, 0xF8, 0xF9, 0xF1, 0xFB, 0xFC, 0xFD, 0xFE, 0xFF, 0xD8, 0xFA,
    0x80, 0x81, 0x82, 0x83, 0x84, 0x85, 0x86, 0x87, 0x88, 0x89, 0x8A, 0x8B, 0x8C, 0x8D, 0x8E, 0x8F,
    0x90, 0x91, 0x92, 0x93, 0x94, 0x95, 0x96, 0x97, 0x98, 0x99, 0x9A, 0x9B, 0x9C, 0x9D, 0x9E, 0x9F,
    0xA0, 0xA1, 0xA2, 0xA3, 0xA4, 0xA5, 0xA6, 0xA7, 0xA8, 0xA9, 0xAA, 0xAB, 0xAC, 0xAD, 0xAE, 0xAF,
    0xE0, 0xE1, 0xE2, 0xE3, 0xE4, 0xE5, 0xE6, 0xE7, 0xE8, 0xE9, 0xEA, 0xEB, 0xEC, 0xED, 0xEE, 0xEF,
};

const unsigned char KoiTable[128] = {
    0x90, 0x91, 0x92, 0x81, 0x87, 0xB2, 0xB4, 0xA7, 0xA6, 0xB5, 0xA1, 0xA8, 0xAE, 0xAD, 0xAC, 0x83,
    0x84, 0x89, 0x88, 0x86, 0x80, 0x8A, 0xAF, 0xB0, 0xAB, 0xA5, 0xBB, 0xB8, 0xB1, 0xA0, 0xBE, 0xB9,
    0xBA, 0xB6, 0xB7, 0xAA, 0xA9, 0xA2, 0xA4, 0xBD, 0xB3, 0x85, 0x82, 0x8D, 0x8C, 0x8E, 0x8F, 0x8B,
    0x99, 0x98, 0x93, 0x9B, 0x9F, 0x97, 0x9C, 0x9E, 0xA3, 0x96, 0x9A, 0x9D, 0x94, 0xBF, 0xBC, 0x95,
    0xE1, 0xE2, 0xF7, 0xE7, 0xE4, 0xE5, 0xF6, 0xFA, 0xE9, 0xEA, 0xEB, 0xEC, 0xED, 0xEE, 0xEF, 0xF0,
    0xF2, 0xF3, 0xF4, 0xF5, 0xE6, 0xE8, 0xE3, 0xFE, 0xFB, 0xFD, 0xFF, 0xF9, 0xF8, 0xFC, 0xE0, 0xF1,
    0xC1, 0xC2, 0xD7, 0xC7, 0xC4, 0xC5, 0xD6, 0xDA, 0xC9, 0xCA, 0xCB, 0xCC, 0xCD, 0xCE, 0xCF, 0xD0,
    0xD2, 0xD3, 0xD4, 0xD5, 0xC6, 0xC8, 0xC3, 0xDE, 0xDB, 0xDD, 0xDF, 0xD9, 0xD8, 0xDC, 0xC0, 0xD1,
};
// clang-format on

namespace {

// A byte map per (from, to) pair; -1 stands for '?' (a byte the source table does
// not hold, which the printed tables never leave).
using ByteMap = std::array<short, 256>;

const unsigned char* tableFor(int code) {
    switch (code) {
    case CodeDos:
        return DosTable;
    case CodeKoi:
        return KoiTable;
    default:
        return nullptr;
    }
}

ByteMap buildMap(int fromCode, int toCode) {
    ByteMap map{};
    for (int b = 0; b < 0x80; ++b)
        map[b] = static_cast<short>(b);

    // Stage 1, source to Windows: the inverse of the source table (first match wins).
    std::array<short, 256> toWindows{};
    toWindows.fill(-1);
    if (const unsigned char* source = tableFor(fromCode)) {
        for (int i = 127; i >= 0; --i)
            toWindows[source[i]] = static_cast<short>(0x80 + i);
    } else {
        for (int b = 0x80; b < 0x100; ++b)
            toWindows[b] = static_cast<short>(b);
    }
    // Stage 2, Windows to target: direct indexing.
    const unsigned char* target = tableFor(toCode);
    for (int b = 0x80; b < 0x100; ++b) {
        const short w = toWindows[b];
        if (w < 0)
            map[b] = -1;
        else
            map[b] = target ? static_cast<short>(target[w - 0x80]) : w;
    }
    return map;
}

const ByteMap& mapFor(int fromCode, int toCode) {
    static const std::array<std::array<ByteMap, 4>, 4> maps = [] {
        std::array<std::array<ByteMap, 4>, 4> all{};
        for (int f = 1; f <= 3; ++f)
            for (int t = 1; t <= 3; ++t)
                all[f][t] = buildMap(f, t);
        return all;
    }();
    const auto valid = [](int c) { return c >= 1 && c <= 3 ? c : 1; };
    return maps[valid(fromCode)][valid(toCode)];
}

// The conversion of one (from, to) pair spelled out for every UTF-16 unit, so
// converting text is a single lookup per character. Built on first use.
using CharMap = std::vector<char16_t>;

CharMap buildCharMap(int fromCode, int toCode) {
    const ByteMap& map = mapFor(fromCode, toCode);
    CharMap chars(0x10000);
    for (int u = 0; u < 0x10000; ++u) {
        const QChar c(static_cast<char16_t>(u));
        const int b = cp1251Byte(c);
        if (b < 0x80) { // ASCII, or a character Windows-1251 cannot hold
            chars[u] = static_cast<char16_t>(u);
            continue;
        }
        const short m = map[b];
        chars[u] = m < 0 ? u'?' : cp1251Char(static_cast<unsigned char>(m)).unicode();
    }
    return chars;
}

const CharMap& charMapFor(int fromCode, int toCode) {
    static std::array<std::array<std::once_flag, 4>, 4> once;
    static std::array<std::array<CharMap, 4>, 4> maps;
    const auto valid = [](int c) { return c >= 1 && c <= 3 ? c : 1; };
    const int f = valid(fromCode);
    const int t = valid(toCode);
    std::call_once(once[f][t], [&] { maps[f][t] = buildCharMap(f, t); });
    return maps[f][t];
}

} // namespace

QString ConvertCodePage(const QString& text, int fromCode, int toCode) {
    if (fromCode == toCode)
        return text;
    const char16_t* map = charMapFor(fromCode, toCode).data();
    QString out(text.size(), Qt::Uninitialized);
    char16_t* dst = reinterpret_cast<char16_t*>(out.data());
    const char16_t* src = reinterpret_cast<const char16_t*>(text.constData());
    const qsizetype n = text.size();
    for (qsizetype i = 0; i < n; ++i)
        dst[i] = map[src[i]];
    return out;
}

void ConvertCodePageBytes(QByteArray& bytes, int fromCode, int toCode) {
    if (fromCode == toCode)
        return;
    const ByteMap& map = mapFor(fromCode, toCode);
    unsigned char table[256];
    for (int b = 0; b < 256; ++b)
        table[b] = map[b] < 0 ? '?' : static_cast<unsigned char>(map[b]);
    auto* p = reinterpret_cast<unsigned char*>(bytes.data());
    const qsizetype n = bytes.size();
    for (qsizetype i = 0; i < n; ++i)
        p[i] = table[p[i]];
}

} // namespace quillet
