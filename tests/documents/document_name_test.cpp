#include "documents/document_name.h"

#include <gtest/gtest.h>

namespace quillet {
namespace {

const QString Unknown = QStringLiteral("Неопознанный файл");

QString repeat(char c, int n) {
    return QString(n, QLatin1Char(c));
}

TEST(ShortenText, CutsToTheLimitWithThreeDots) {
    struct Case {
        QString text;
        int max;
        QString expected;
    };
    const Case cases[] = {
        {QString(), 10, QString()},
        {QStringLiteral("abc"), 3, QString()}, // too small a limit for any text
        {QStringLiteral("abc"), 0, QString()},
        {QStringLiteral("abc"), -5, QString()},
        {QStringLiteral("abcd"), 4, QStringLiteral("abcd")},
        {QStringLiteral("abcde"), 4, QStringLiteral("a...")},
        {QStringLiteral("Привет"), 6, QStringLiteral("Привет")},
        {QStringLiteral("Приветствие"), 8, QStringLiteral("Приве...")},
        {repeat('x', 40), 40, repeat('x', 40)},
        {repeat('x', 41), 40, repeat('x', 37) + QStringLiteral("...")},
    };
    for (const Case& c : cases) {
        const QString out = ShortenText(c.text, c.max);
        EXPECT_EQ(out, c.expected) << c.text.toStdString() << " / " << c.max;
        if (!out.isEmpty()) {
            EXPECT_LE(out.size(), c.max);
        }
    }
}

TEST(DocumentName, CaptionExamplesAndEdges) {
    struct Case {
        QString path;
        bool newDoc;
        bool filter;
        QString display;
        std::optional<bool> known;
    };
    const QString f40 = repeat('n', 36) + QStringLiteral(".txt");
    const QString f41 = repeat('n', 37) + QStringLiteral(".txt");
    const QString f45 = repeat('m', 41) + QStringLiteral(".txt");
    const QString u21 = repeat('p', 17) + QStringLiteral(".bmp");
    const QString u20 = repeat('p', 16) + QStringLiteral(".bmp");
    const Case cases[] = {
        {QStringLiteral("/home/u/Texts/letter.txt"), false, false, QStringLiteral("letter.txt"),
         std::nullopt},
        {QStringLiteral("/home/u/Texts/letter.txt"), false, true, QStringLiteral("letter"), true},
        {QStringLiteral("/home/u/Texts/Journal.LOG"), false, true, QStringLiteral("Journal"), true},
        {QStringLiteral("/home/u/Pictures/photo.bmp"), false, true,
         Unknown + QStringLiteral(" (photo.bmp)"), false},
        {QStringLiteral("/home/u/Pictures/photo.bmp"), false, false, QStringLiteral("photo.bmp"),
         std::nullopt},
        {QStringLiteral("/t/") + f45, false, false, f45.left(37) + QStringLiteral("..."),
         std::nullopt},
        {QStringLiteral("/t/") + f40, false, false, f40, std::nullopt},
        {QStringLiteral("/t/") + f41, false, false, f41.left(37) + QStringLiteral("..."),
         std::nullopt},
        // With the filter the stem alone counts against the limit.
        {QStringLiteral("/t/") + f41, false, true, f41.left(37), true},
        {QStringLiteral("/t/") + repeat('s', 41) + QStringLiteral(".ini"), false, true,
         repeat('s', 37) + QStringLiteral("..."), true},
        {QStringLiteral("/t/") + u20, false, true, Unknown + QStringLiteral(" (") + u20 + ")",
         false},
        {QStringLiteral("/t/") + u21, false, true,
         Unknown + QStringLiteral(" (") + u21.left(17) + QStringLiteral("...)"), false},
        {QStringLiteral("/t/notes.TXT"), false, true, QStringLiteral("notes"), true},
        {QStringLiteral("/t/notes.Txt"), false, true, QStringLiteral("notes"), true},
        {QStringLiteral("/t/setup.inf"), false, true, QStringLiteral("setup"), true},
        {QStringLiteral("/t/base.Dat"), false, true, QStringLiteral("base"), true},
        {QStringLiteral("/t/archive.text"), false, true,
         Unknown + QStringLiteral(" (archive.text)"), false},
        {QStringLiteral("/t/README"), false, true, Unknown + QStringLiteral(" (README)"), false},
        // Names too short for a stem are shown whole.
        {QStringLiteral("/t/.txt"), false, true, QStringLiteral(".txt"), true},
        {QStringLiteral("/t/a.txt"), false, true, QStringLiteral("a"), true},
        {QStringLiteral("/t/a.c"), false, true, Unknown + QStringLiteral(" (a.c)"), false},
        // Untitled, whatever the remembered path.
        {QString(), false, true, QStringLiteral("Новый документ"), std::nullopt},
        {QString(), true, false, QStringLiteral("Новый документ"), std::nullopt},
        {QStringLiteral("/t/letter.txt"), true, true, QStringLiteral("Новый документ"),
         std::nullopt},
    };
    for (const Case& c : cases) {
        const DocumentName name = documentDisplayName(c.path, c.newDoc, c.filter);
        EXPECT_EQ(name.display, c.display) << c.path.toStdString() << " filter " << c.filter;
        EXPECT_EQ(name.knownType, c.known) << c.path.toStdString() << " filter " << c.filter;
    }
}

// The Open and Save As dialogs start in the folder of the document at hand.
TEST(DialogStartFolder, DocumentFolderThenRecentFolderThenHome) {
    const struct {
        bool untitled;
        const char* document;
        const char* recent;
        const char* expected;
    } cases[] = {
        {false, "/home/u/письма/a.txt", "/home/u/b.txt", "/home/u/письма"},
        {true, "/home/u/письма/a.txt", "/srv/logs/b.log", "/srv/logs"},
        {true, "", "", "/home/u"},
        {true, "/home/u/письма/a.txt", "", "/home/u"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(DialogStartFolder(c.untitled, QString::fromUtf8(c.document),
                                    QString::fromUtf8(c.recent), QStringLiteral("/home/u")),
                  QString::fromUtf8(c.expected))
            << c.document << " | " << c.recent;
    }
}

} // namespace
} // namespace quillet
