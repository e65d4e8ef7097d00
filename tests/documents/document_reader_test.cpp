// File bytes to editor paragraphs: lines and their breaks, code pages, UTF-8, the
// size question and the display breaks that cut very long lines.

#include "documents/cp1251.h"
#include "documents/document_reader.h"
#include "documents/line_breaks.h"
#include "documents/mdl_code.h"
#include "documents/text_file.h"

#include <QRandomGenerator>
#include <QRegularExpression>
#include <QStringList>

#include <gtest/gtest.h>

#include <new>

namespace quillet {
namespace {

// The document text the paragraphs stand for.
QString documentText(const QString& paragraphs, const std::vector<LineBreak>& breaks) {
    QString out;
    const QStringList parts = paragraphs.split(u'\n');
    EXPECT_EQ(static_cast<size_t>(parts.size()), breaks.size());
    for (qsizetype i = 0; i < parts.size(); ++i) {
        if (i > 0) {
            switch (breaks[static_cast<size_t>(i)]) {
            case LineBreak::CrLf:
                out += QStringLiteral("\r\n");
                break;
            case LineBreak::Lf:
                out += u'\n';
                break;
            case LineBreak::Display:
                break;
            }
        }
        out += parts[i];
    }
    return out;
}
QString documentText(const DocumentText& t) {
    return documentText(t.paragraphs, t.breaks);
}

// The document text a file's bytes stand for, worked out the plain way: a lone
// CR is a line break like CR LF, a lone LF stays as it is, and the break after
// the last line is not part of the text.
QString plainText(const QByteArray& file) {
    QString text = decodeCp1251(file);
    text.replace(QRegularExpression(QStringLiteral("\r(?!\n)")), QStringLiteral("\r\n"));
    if (text.endsWith(QStringLiteral("\r\n")))
        text.chop(2);
    else if (text.endsWith(u'\n'))
        text.chop(1);
    return text;
}

QByteArray cp1251(const QString& s) {
    return encodeCp1251(s);
}

TEST(DocumentReader, LinesAndTheirBreaks) {
    struct Case {
        const char* name;
        QByteArray file;
        QByteArray paragraphs;
        std::vector<LineBreak> breaks;
        qsizetype length;
    };
    using B = LineBreak;
    const Case cases[] = {
        {"empty", "", "", {B::CrLf}, 0},
        {"one line", "ab", "ab", {B::CrLf}, 2},
        {"final crlf dropped", "ab\r\n", "ab", {B::CrLf}, 2},
        {"crlf", "a\r\nb", "a\nb", {B::CrLf, B::CrLf}, 4},
        {"lone lf", "a\nb", "a\nb", {B::CrLf, B::Lf}, 3},
        {"lone cr is a line break", "a\rb", "a\nb", {B::CrLf, B::CrLf}, 4},
        {"one empty line kept", "a\r\n\r\n", "a\n", {B::CrLf, B::CrLf}, 3},
        {"final lf is the final break", "a\n", "a", {B::CrLf}, 1},
        {"lf only", "x\ny\nz\n", "x\ny\nz", {B::CrLf, B::Lf, B::Lf}, 5},
        {"lf, then an empty line", "x\n\n", "x\n", {B::CrLf, B::Lf}, 2},
        {"crlf document ending in a lone lf", "a\r\nb\n", "a\nb", {B::CrLf, B::CrLf}, 4},
        {"mixed",
         "x\r\ny\nz\r\n\nw",
         "x\ny\nz\n\nw",
         {B::CrLf, B::CrLf, B::Lf, B::CrLf, B::Lf},
         10},
        {"cr before lf of crlf", "a\r\r\nb", "a\n\nb", {B::CrLf, B::CrLf, B::CrLf}, 6},
        {"final lone cr dropped", "a\r", "a", {B::CrLf}, 1},
        {"a line break alone", "\r\n", "", {B::CrLf}, 0},
        {"lf then a lone cr", "\n\r", "\n", {B::CrLf, B::Lf}, 1},
        {"a lone lf alone", "\n", "", {B::CrLf}, 0},
        {"a nul byte is a character",
         QByteArray("x\0y\r\n", 5),
         QByteArray("x\0y", 3),
         {B::CrLf},
         3},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const DocumentText t = readDocument(c.file, {});
        EXPECT_EQ(t.paragraphs, QString::fromLatin1(c.paragraphs));
        EXPECT_EQ(t.breaks, c.breaks);
        EXPECT_EQ(t.textLength, c.length);
        EXPECT_EQ(documentText(t), plainText(c.file));
        EXPECT_TRUE(t.whole);
    }
}

TEST(DocumentReader, TheFirstBreakIsTheDocumentsKindAndTheLastOneItsFinalBreak) {
    using B = LineBreak;
    struct Case {
        QByteArray file;
        B kind;
        B final;
    };
    const Case cases[] = {
        {"", B::CrLf, B::CrLf},       {"a", B::CrLf, B::CrLf},      {"a\nb", B::Lf, B::Lf},
        {"a\nb\r\n", B::Lf, B::CrLf}, {"a\r\nb\n", B::CrLf, B::Lf}, {"a\rb\nc", B::CrLf, B::CrLf},
        {"\n\r", B::Lf, B::CrLf},     {"x\n\n", B::Lf, B::Lf},
    };
    for (const Case& c : cases) {
        const FileFormat f = readDocument(c.file, {}).format;
        EXPECT_EQ(f.lineBreak, c.kind) << c.file.toHex().constData();
        EXPECT_EQ(f.finalBreak, c.final) << c.file.toHex().constData();
        EXPECT_EQ(f.encoding, TextEncoding::Windows1251);
    }
}

TEST(DocumentReader, PiecesOfAnySizeGiveTheSameTextAsTheWholeFile) {
    // Random files of the bytes that matter, handed over in random pieces: the
    // result never depends on where a piece ends (a CR at the end of a piece, a
    // UTF-8 sequence cut in two).
    const char alphabet[] = {'a', '\r', '\n', ' ', '\xC0', '\xD0', '\xB0', '\xF0', '\x9F'};
    QRandomGenerator random(7);
    for (int round = 0; round < 300; ++round) {
        QByteArray file;
        const int size = random.bounded(1, 200);
        for (int i = 0; i < size; ++i)
            file += alphabet[random.bounded(int(sizeof alphabet))];
        // With the mark the text is UTF-8 however many bytes are not.
        for (const bool mark : {false, true}) {
            if (mark)
                file.prepend("\xEF\xBB\xBF");
            ReadOptions options;
            options.displayLimit = 7;
            const DocumentText whole = readDocument(file, options);
            if (!whole.format.utf8()) {
                EXPECT_EQ(documentText(whole), plainText(file)) << file.toHex().constData();
            }

            DocumentReader reader(options, file.size());
            QByteArray pending;
            qsizetype next = 0;
            while (next < file.size() || !pending.isEmpty()) {
                const qsizetype take =
                    std::min<qsizetype>(random.bounded(1, 9), file.size() - next);
                pending += file.mid(next, take);
                next += take;
                const bool atEnd = next == file.size();
                const qsizetype used = reader.feed(pending.constData(), pending.size(), atEnd);
                pending.remove(0, used);
                if (atEnd && used == 0 && !pending.isEmpty())
                    break;
            }
            const DocumentText pieces = reader.finish();
            EXPECT_EQ(pieces.paragraphs, whole.paragraphs) << file.toHex().constData();
            EXPECT_EQ(pieces.breaks, whole.breaks) << file.toHex().constData();
            EXPECT_EQ(pieces.textLength, whole.textLength);
            EXPECT_EQ(pieces.format, whole.format) << file.toHex().constData();
            for (const QString& p : pieces.paragraphs.split(u'\n'))
                EXPECT_LE(p.size(), 8) << file.toHex().constData();
        }
    }
}

TEST(DocumentReader, CodePagesAreDecodedOnTheWay) {
    struct Case {
        int codePage;
        QByteArray file;
        QString text;
    };
    const Case cases[] = {
        {CodeWindows, "\xCF\xF0\xE8\xE2\xE5\xF2\r\n\x98\xA0",
         QStringLiteral("Привет\r\n\u0098\u00A0")},
        {CodeDos, "\x8F\xE0\xA8\xA2\xA5\xE2", QStringLiteral("Привет")},
        {CodeKoi, "\xF0\xD2\xC9\xD7\xC5\xD4", QStringLiteral("Привет")},
    };
    for (const Case& c : cases) {
        ReadOptions options;
        options.codePage = c.codePage;
        EXPECT_EQ(documentText(readDocument(c.file, options)), c.text) << c.codePage;
    }
}

TEST(Utf8Detection, RealCyrillicTextEitherWay) {
    const QString russian =
        QStringLiteral("Съешь же ещё этих мягких французских булок, да выпей чаю. ");
    struct Case {
        const char* name;
        QByteArray bytes;
        bool atEnd;
        bool utf8;
    };
    const QByteArray utf8 = russian.toUtf8();
    const Case cases[] = {
        {"utf-8 cyrillic", utf8, true, true},
        {"windows-1251 cyrillic", cp1251(russian), true, false},
        {"windows-1251 capitals", cp1251(russian.toUpper()), true, false},
        {"dos cyrillic",
         [&] {
             QByteArray b = cp1251(russian);
             ConvertCodePageBytes(b, CodeWindows, CodeDos);
             return b;
         }(),
         true, false},
        {"koi cyrillic",
         [&] {
             QByteArray b = cp1251(russian);
             ConvertCodePageBytes(b, CodeWindows, CodeKoi);
             return b;
         }(),
         true, false},
        {"ascii only", "plain text", true, false},
        {"sequence cut by the window", utf8.left(utf8.size() - 2) + "\xD0", false, true},
        {"sequence cut by the end of the file", utf8 + "\xD0", true, false},
        {"overlong form", "\xC0\x80", true, false},
        {"surrogate", "\xED\xA0\x80", true, false},
        {"four bytes", "\xF0\x9F\x98\x80", true, true},
        {"past U+10FFFF", "\xF4\x90\x80\x80", true, false},
    };
    for (const Case& c : cases)
        EXPECT_EQ(looksLikeUtf8(c.bytes.constData(), c.bytes.size(), c.atEnd), c.utf8) << c.name;
}

TEST(DocumentReader, Utf8IsRecognisedWhateverCodePageWasChosen) {
    const QString russian = QStringLiteral("Привет, мир");
    using E = TextEncoding;
    struct Case {
        const char* name;
        int codePage;
        QByteArray file;
        E encoding;
        QString text;
    };
    const QByteArray utf8 = ("abc\r\n" + russian + "\n\xF0\x9F\x98\x80!").toUtf8();
    const QString utf8Text = QStringLiteral("abc\r\nПривет, мир\n\U0001F600!");
    const auto in = [&](int codePage) {
        QByteArray b = cp1251(russian);
        ConvertCodePageBytes(b, CodeWindows, codePage);
        return b;
    };
    // Past what is looked at to recognise UTF-8.
    const QString longRussian = russian.repeated(Utf8SniffWindow / 10);
    const Case cases[] = {
        {"utf-8, windows chosen", CodeWindows, utf8, E::Utf8, utf8Text},
        {"utf-8, dos chosen", CodeDos, utf8, E::Utf8, utf8Text},
        {"utf-8, koi chosen", CodeKoi, utf8, E::Utf8, utf8Text},
        {"the mark alone", CodeWindows, "\xEF\xBB\xBFok", E::Utf8WithMark, QStringLiteral("ok")},
        {"the mark, dos chosen", CodeDos, "\xEF\xBB\xBF" + utf8, E::Utf8WithMark, utf8Text},
        {"windows-1251", CodeWindows, cp1251(russian), E::Windows1251, russian},
        {"dos", CodeDos, in(CodeDos), E::Windows1251, russian},
        {"koi", CodeKoi, in(CodeKoi), E::Windows1251, russian},
        {"structure characters are held by their stand-ins", CodeWindows,
         QStringLiteral("а\u2029б\u2028в\uFDD0г\uFDD1").toUtf8(), E::Utf8,
         QStringLiteral("а\xDC01б\xDC00в\xDC02г\xDC03")},
        {"a bad byte later is held as itself", CodeWindows, longRussian.toUtf8() + "\xFF\xC0",
         E::Utf8, longRussian + QStringLiteral("\xDCFF\xDCC0")},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ReadOptions options;
        options.codePage = c.codePage;
        const DocumentText t = readDocument(c.file, options);
        EXPECT_EQ(documentText(t), c.text);
        EXPECT_EQ(t.format.encoding, c.encoding);
    }
}

TEST(DocumentReader, TheSizeQuestionCountsCharactersAndStopsTheReading) {
    // Lines of 9 characters + CR LF: the question comes after the line that takes
    // the text over the limit, once.
    QByteArray file;
    for (int i = 0; i < 20; ++i)
        file += "123456789\r\n";
    struct Case {
        qsizetype limit;
        bool answer;
        qsizetype length;
        bool whole;
    };
    const Case cases[] = {
        {25, false, 31, false},  {25, true, 20 * 11 - 2, true}, {30, false, 31, false},
        {219, false, 218, true}, {220, true, 218, true},
    };
    for (const Case& c : cases) {
        int asked = 0;
        ReadOptions options;
        options.sizeLimit = c.limit;
        options.askContinue = [&] {
            ++asked;
            return c.answer;
        };
        const DocumentText t = readDocument(file, options);
        EXPECT_EQ(asked, c.limit < 220 ? 1 : 0) << c.limit;
        EXPECT_EQ(t.textLength, c.length) << c.limit;
        EXPECT_EQ(t.whole, c.whole) << c.limit;
        EXPECT_EQ(documentText(t).size(), c.length) << c.limit;
    }

    // A lone CR ends a line as CR LF does; a lone LF ends none, so a file of LF
    // lines is one line for the question, asked once it is all read (its final
    // LF is the file's final break, not part of the text).
    struct Ending {
        QByteArray ending;
        qsizetype length;
        bool whole;
    };
    for (const Ending& e : {Ending{"\r", 31, false}, Ending{"\n", 199, true}}) {
        int asks = 0;
        ReadOptions options;
        options.sizeLimit = 25;
        options.askContinue = [&] {
            ++asks;
            return false;
        };
        const DocumentText t =
            readDocument(QByteArray("123456789" + e.ending).repeated(20), options);
        EXPECT_EQ(asks, 1) << e.ending.toHex().constData();
        EXPECT_EQ(t.textLength, e.length) << e.ending.toHex().constData();
        EXPECT_EQ(t.whole, e.whole) << e.ending.toHex().constData();
    }

    // UTF-8 text is counted in characters, not bytes: 20 Cyrillic letters a line.
    QByteArray utf8;
    for (int i = 0; i < 10; ++i)
        utf8 += QStringLiteral("абвгдежзийклмнопрсту\r\n").toUtf8();
    int asked = 0;
    ReadOptions options;
    options.sizeLimit = 50;
    options.askContinue = [&] {
        ++asked;
        return false;
    };
    const DocumentText t = readDocument(utf8, options);
    EXPECT_EQ(asked, 1);
    EXPECT_EQ(t.textLength, 3 * 22 - 2);
}

TEST(DocumentReader, LongLinesAreCutForDisplayOnly) {
    QString line;
    for (int i = 0; line.size() < 20000; ++i)
        line += QStringLiteral("слово%1 ").arg(i);
    line += QStringLiteral("\U0001F600");
    const QString text = QStringLiteral("short\r\n") + line + QStringLiteral("\nend");
    const DocumentText t = readDocument(text.toUtf8(), {});
    EXPECT_EQ(documentText(t), text);
    EXPECT_EQ(t.textLength, text.size());
    int cuts = 0;
    const QStringList parts = t.paragraphs.split(u'\n');
    for (qsizetype i = 0; i < parts.size(); ++i) {
        EXPECT_LE(parts[i].size(), DisplayLineLimit);
        if (t.breaks[static_cast<size_t>(i)] == LineBreak::Display) {
            ++cuts;
            // Cut after a space, never inside a word or a surrogate pair.
            EXPECT_TRUE(parts[i - 1].endsWith(u' ')) << i;
            EXPECT_FALSE(parts[i].front().isLowSurrogate());
        }
    }
    EXPECT_GE(cuts, 20000 / DisplayLineLimit);

    // Without spaces the line is cut at the limit, and the same text comes back.
    const QByteArray solid(3 * DisplayLineLimit + 5, 'x');
    const DocumentText s = readDocument(solid, {});
    EXPECT_EQ(s.breaks, (std::vector<LineBreak>{LineBreak::CrLf, LineBreak::Display,
                                                LineBreak::Display, LineBreak::Display}));
    EXPECT_EQ(documentText(s), QString::fromLatin1(solid));
    EXPECT_EQ(s.textLength, solid.size());
}

TEST(DocumentReader, ATextPastTheMemoryLimitFailsAsAnAllocation) {
    ReadOptions options;
    options.maxCharacters = 1000;
    EXPECT_THROW(readDocument(QByteArray(5000, 'a'), options), std::bad_alloc);
    EXPECT_NO_THROW(readDocument(QByteArray(900, 'a'), options));
    // Stopped by the size question before the limit: no failure.
    options.askContinue = [] { return false; };
    options.sizeLimit = 100;
    QByteArray lines;
    for (int i = 0; i < 500; ++i)
        lines += "0123456789\r\n";
    EXPECT_EQ(readDocument(lines, options).textLength, 9 * 12 - 2);
}

TEST(DisplayCut, WhereALongLineIsCut) {
    struct Case {
        QString line;
        qsizetype limit;
        qsizetype cut;
    };
    const Case cases[] = {
        {QStringLiteral("abcdefghij"), 4, 4},       {QStringLiteral("ab cdefghij"), 4, 3},
        {QStringLiteral("a bcdefghij"), 4, 4}, // a space in the first half is too early
        {QStringLiteral("abc\U0001F600fgh"), 4, 3}, {QStringLiteral("abc"), 4, 3},
        {QStringLiteral("abc\tdefg"), 5, 4},
    };
    for (const Case& c : cases)
        EXPECT_EQ(displayCut(c.line, c.limit), c.cut) << c.line.toStdString();
}

TEST(BreakIndex, OffsetsFollowEverySplice) {
    // Against sums counted afresh after random splices.
    QRandomGenerator random(3);
    std::vector<LineBreak> model{LineBreak::CrLf};
    BreakIndex index;
    index.reset(model);
    for (int step = 0; step < 2000; ++step) {
        const int first = random.bounded(int(model.size()));
        const int oldCount = random.bounded(1, int(model.size()) - first + 1);
        const int newCount = random.bounded(1, 4);
        std::vector<LineBreak> kinds;
        for (int i = 0; i < newCount; ++i)
            kinds.push_back(static_cast<LineBreak>(random.bounded(3)));
        model.erase(model.begin() + first, model.begin() + first + oldCount);
        model.insert(model.begin() + first, kinds.begin(), kinds.end());
        index.splice(first, oldCount, kinds.data(), newCount);
        ASSERT_EQ(index.paragraphs(), int(model.size()));
        const int probe = random.bounded(int(model.size()));
        int sum = 0;
        for (int i = 1; i <= probe; ++i)
            sum += textWidth(model[size_t(i)]) - 1;
        EXPECT_EQ(index.offsetBefore(probe), sum) << step;
        int total = 0;
        for (size_t i = 1; i < model.size(); ++i)
            total += textWidth(model[i]) - 1;
        EXPECT_EQ(index.totalOffset(), total) << step;
    }
}

TEST(Cp1251, ACharacterOutsideTheBasicPlaneIsOneQuestionMark) {
    qsizetype missing = 0;
    EXPECT_EQ(encodeCp1251(QStringLiteral("a\U0001F600b\u4E2Dc"), &missing), QByteArray("a?b?c"));
    EXPECT_EQ(missing, 2);
    QByteArray out("x");
    EXPECT_EQ(appendCp1251(out, u"\U0001F600\U0001F600я"), 2);
    EXPECT_EQ(out, QByteArray("x??\xFF"));
}

} // namespace
} // namespace quillet
