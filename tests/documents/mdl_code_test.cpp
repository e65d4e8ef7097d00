#include "documents/cp1251.h"
#include "documents/mdl_code.h"

#include <QSet>

#include <gtest/gtest.h>

namespace quillet {
namespace {

QString fromBytes(std::initializer_list<int> bytes) {
    QByteArray b;
    for (int x : bytes)
        b.append(static_cast<char>(x));
    return decodeCp1251(b);
}

QByteArray toBytes(const QString& s) {
    return encodeCp1251(s);
}

QString allBytes() {
    QByteArray b;
    for (int i = 0; i < 256; ++i)
        b.append(static_cast<char>(i));
    return decodeCp1251(b);
}

TEST(Cp1251, EveryByteHasItsOwnCharacterAndComesBack) {
    QSet<QChar> seen;
    for (int b = 0; b < 256; ++b) {
        const QChar c = cp1251Char(static_cast<unsigned char>(b));
        EXPECT_FALSE(seen.contains(c)) << b;
        seen.insert(c);
        EXPECT_EQ(cp1251Byte(c), b);
    }
    EXPECT_EQ(toBytes(allBytes()).size(), 256);
    EXPECT_EQ(toBytes(allBytes()), toBytes(decodeCp1251(toBytes(allBytes()))));
}

TEST(Cp1251, KnownCharacters) {
    struct Case {
        int byte;
        char16_t unicode;
    };
    const Case cases[] = {{0xC0, u'А'}, {0xFF, u'я'},   {0xA8, u'Ё'},   {0xB8, u'ё'}, {0xB9, u'№'},
                          {0x88, u'€'}, {0xA0, 0x00A0}, {0x98, 0x0098}, {0x96, u'–'}, {0x41, u'A'}};
    for (const Case& c : cases) {
        EXPECT_EQ(cp1251Char(static_cast<unsigned char>(c.byte)).unicode(), c.unicode) << c.byte;
    }
}

TEST(Cp1251, CharactersOutsideTheCodePageBecomeQuestionMarks) {
    qsizetype missing = 0;
    const QByteArray out = encodeCp1251(QStringLiteral("a\u4E2Db\u00E9"), &missing);
    EXPECT_EQ(out, QByteArray("a?b?"));
    EXPECT_EQ(missing, 2);
    EXPECT_FALSE(fitsCp1251(QStringLiteral("\u4E2D")));
    EXPECT_TRUE(fitsCp1251(QStringLiteral("Привет, мир! №5")));
}

// Saving counts the bytes before it makes them: the count must be what the
// encoding makes, '?' and surrogate pairs included.
TEST(Cp1251, MeasuringAgreesWithEncoding) {
    const QString cases[] = {
        QString(),
        QStringLiteral("plain ASCII"),
        QStringLiteral("Привет, мир! №5 €"),
        QStringLiteral("a\u4E2Db\u00E9"),
        QStringLiteral("smile \U0001F600 twice \U0001F600\U0001F600"),
        QString(QChar(0xD83D)),                       // a high surrogate at the end
        QString(QChar(0xDE00)) + QStringLiteral("x"), // a low one on its own
        QString(QChar(0xD83D)) + QStringLiteral("y") + QChar(0xD83D) + QChar(0xD83D),
        QString(QChar(0x2028)),
    };
    for (const QString& text : cases) {
        qsizetype encodedMissing = -1;
        const QByteArray encoded = encodeCp1251(text, &encodedMissing);
        qsizetype measuredMissing = -1;
        EXPECT_EQ(measureCp1251(text, &measuredMissing), encoded.size()) << text.toStdString();
        EXPECT_EQ(measuredMissing, encodedMissing) << text.toStdString();
    }
}

TEST(ConvertCodePage, TablesArePermutationsOfTheUpperHalf) {
    for (const unsigned char* table : {DosTable, KoiTable}) {
        QSet<int> values;
        for (int i = 0; i < 128; ++i) {
            EXPECT_GE(table[i], 0x80);
            values.insert(table[i]);
        }
        EXPECT_EQ(values.size(), 128);
    }
}

TEST(ConvertCodePage, SameCodeOrEmptyOrAsciiIsUnchanged) {
    const QString ascii = QStringLiteral("Hello, world!\r\n\t0123");
    for (int from = 1; from <= 3; ++from) {
        for (int to = 1; to <= 3; ++to) {
            EXPECT_EQ(ConvertCodePage(QString(), from, to), QString());
            EXPECT_EQ(ConvertCodePage(ascii, from, to), ascii);
        }
        EXPECT_EQ(ConvertCodePage(allBytes(), from, from), allBytes());
    }
}

TEST(ConvertCodePage, DosLetterRangesBecomeWindowsLetters) {
    struct Range {
        int dosFirst, dosLast;
        char16_t winFirst;
    };
    const Range ranges[] = {{0x80, 0x9F, u'А'}, {0xA0, 0xAF, u'а'}, {0xE0, 0xEF, u'р'}};
    for (const Range& r : ranges) {
        for (int b = r.dosFirst; b <= r.dosLast; ++b) {
            const QString out = ConvertCodePage(fromBytes({b}), CodeDos, CodeWindows);
            EXPECT_EQ(out.at(0).unicode(), r.winFirst + (b - r.dosFirst)) << b;
        }
    }
    EXPECT_EQ(ConvertCodePage(fromBytes({0xF0, 0xF1}), CodeDos, CodeWindows), QStringLiteral("Ёё"));
}

TEST(ConvertCodePage, KoiLettersAndPivotThroughWindows) {
    EXPECT_EQ(ConvertCodePage(fromBytes({0xE1, 0xC1}), CodeKoi, CodeWindows), QStringLiteral("Аа"));
    EXPECT_EQ(toBytes(ConvertCodePage(fromBytes({0x80}), CodeDos, CodeKoi)), QByteArray("\xE1"));
    EXPECT_EQ(toBytes(ConvertCodePage(QStringLiteral("Ёё"), CodeWindows, CodeKoi)),
              QByteArray("\xB3\xA3"));
    EXPECT_EQ(toBytes(ConvertCodePage(QStringLiteral("·"), CodeWindows, CodeKoi)),
              QByteArray("\x9E"));
    // KOI8-R's full alphabet, both cases.
    EXPECT_EQ(
        ConvertCodePage(fromBytes({0xF0, 0xD2, 0xC9, 0xD7, 0xC5, 0xD4}), CodeKoi, CodeWindows),
        QStringLiteral("Привет"));
}

TEST(ConvertCodePage, RoundTripOfAll256BytesThroughDosAndKoi) {
    const QString all = allBytes();
    for (int code : {CodeDos, CodeKoi}) {
        const QString there = ConvertCodePage(all, CodeWindows, code);
        EXPECT_EQ(there.size(), 256);
        EXPECT_EQ(ConvertCodePage(there, code, CodeWindows), all) << code;
        EXPECT_EQ(ConvertCodePage(ConvertCodePage(all, code, CodeWindows), CodeWindows, code), all);
        // Control bytes and ASCII stay where they are.
        EXPECT_EQ(there.left(128), all.left(128));
    }
    EXPECT_EQ(ConvertCodePage(ConvertCodePage(all, CodeDos, CodeKoi), CodeKoi, CodeDos), all);
}

TEST(ConvertCodePage, CharactersWindowsCannotHoldPassUnchanged) {
    const QString text = QStringLiteral("\u4E2D\u00E9");
    EXPECT_EQ(ConvertCodePage(text, CodeDos, CodeWindows), text);
    EXPECT_EQ(ConvertCodePage(text, CodeWindows, CodeKoi), text);
}

TEST(ConvertCodePage, ByteVersionAgreesWithTextVersion) {
    QByteArray bytes;
    for (int i = 0; i < 256; ++i)
        bytes.append(static_cast<char>(i));
    for (int from = 1; from <= 3; ++from) {
        for (int to = 1; to <= 3; ++to) {
            QByteArray converted = bytes;
            ConvertCodePageBytes(converted, from, to);
            EXPECT_EQ(converted, toBytes(ConvertCodePage(decodeCp1251(bytes), from, to)))
                << from << "->" << to;
        }
    }
}

} // namespace
} // namespace quillet
