// The program's arguments turned into the document to open and its switch, the
// readable form of a name that is not UTF-8, and the notice about the documents
// that are not opened.

#include "session/command_line.h"

#include <gtest/gtest.h>

namespace quillet {
namespace {

TEST(CommandLineArguments, OneDocumentAndItsSwitch) {
    const auto existing = [](const QString& p) {
        return p == QStringLiteral("my notes.txt") || p == QStringLiteral("a.txt") ||
               p == QStringLiteral("a.txt b");
    };
    struct Case {
        const char* name;
        QList<QByteArray> arguments;
        QString text;
        QStringList notOpened;
    };
    const Case cases[] = {
        {"nothing", {}, QString(), {}},
        {"one path", {"a.txt"}, QStringLiteral("a.txt"), {}},
        {"a path with spaces in one argument",
         {"/home/u/My texts/a.txt"},
         QStringLiteral("/home/u/My texts/a.txt"),
         {}},
        {"a path and a switch", {"a.txt", "/P"}, QStringLiteral("a.txt /P"), {}},
        {"a switch in small letters", {"a.txt", "/l"}, QStringLiteral("a.txt /l"), {}},
        {"a switch alone is a name", {"/P"}, QStringLiteral("/P"), {}},
        {"an unknown switch is a name", {"a.txt", "/X"}, QStringLiteral("a.txt"), {"/X"}},
        {"two documents: the first", {"a.txt", "b.txt"}, QStringLiteral("a.txt"), {"b.txt"}},
        {"three documents and a switch",
         {"a.txt", "b.txt", "c.txt", "/A"},
         QStringLiteral("a.txt /A"),
         {"b.txt", "c.txt"}},
        {"a path with spaces typed without quotes",
         {"my", "notes.txt"},
         QStringLiteral("my notes.txt"),
         {}},
        {"the same, with a switch",
         {"my", "notes.txt", "/L"},
         QStringLiteral("my notes.txt /L"),
         {}},
        // "a.txt" exists itself: it is the document, the rest another name.
        {"a first name that exists wins", {"a.txt", "b"}, QStringLiteral("a.txt"), {"b"}},
        {"empty arguments are skipped", {"", "a.txt", ""}, QStringLiteral("a.txt"), {}},
        {"Cyrillic in UTF-8", {"отчёт.txt"}, QStringLiteral("отчёт.txt"), {}},
    };
    for (const Case& c : cases) {
        const CommandLine line = readCommandLine(c.arguments, existing);
        EXPECT_EQ(line.argumentText, c.text) << c.name;
        EXPECT_EQ(line.notOpened, c.notOpened) << c.name;
        EXPECT_FALSE(line.nameUndecodable) << c.name;
    }
}

TEST(CommandLineArguments, NamesThatAreNotUtf8AreShownAsWindows1251) {
    const auto none = [](const QString&) { return false; };
    // "Привет" in Windows-1251 bytes.
    const QByteArray privet("\xcf\xf0\xe8\xe2\xe5\xf2");
    struct Case {
        QList<QByteArray> arguments;
        QString text;
        bool undecodable;
        QStringList notOpened;
    };
    const Case cases[] = {
        {{privet + ".txt"}, QStringLiteral("Привет.txt"), true, {}},
        {{"/home/u/Документы/" + privet + ".txt", "/p"},
         QStringLiteral("/home/u/Документы/Привет.txt /p"),
         true,
         {}},
        {{"a.txt", privet}, QStringLiteral("a.txt"), false, {QStringLiteral("Привет")}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text.toStdString());
        const CommandLine line = readCommandLine(c.arguments, none);
        EXPECT_EQ(line.argumentText, c.text);
        EXPECT_EQ(line.nameUndecodable, c.undecodable);
        EXPECT_EQ(line.notOpened, c.notOpened);
        EXPECT_FALSE(line.argumentText.contains(QChar(QChar::ReplacementCharacter)));
    }
}

TEST(CommandLineArguments, AFileUriStandsForThePathItNames) {
    const auto none = [](const QString&) { return false; };
    const struct {
        QList<QByteArray> arguments;
        QString text;
        QStringList notOpened;
    } cases[] = {
        {{"file:///tmp/a%20b.txt"}, "/tmp/a b.txt", {}},
        {{"FILE://LocalHost/tmp/a.txt", "/P"}, "/tmp/a.txt /P", {}},
        {{"file:/tmp/%D0%BE%D1%82%D1%87%D1%91%D1%82%25.txt"}, "/tmp/отчёт%.txt", {}},
        {{"file:///tmp/отчёт.txt"}, "/tmp/отчёт.txt", {}},
        // Never joined with the next argument; a further URI is named decoded.
        {{"file:///tmp/a", "b", "file:///c%20d"}, "/tmp/a", {"b", "/c d"}},
        // Another machine's file, another scheme, a relative name: as given.
        {{"file://server/a.txt"}, "file://server/a.txt", {}},
        {{"http://example.org/a.txt"}, "http://example.org/a.txt", {}},
        {{"file:a.txt"}, "file:a.txt", {}},
    };
    for (const auto& c : cases) {
        const CommandLine line = readCommandLine(c.arguments, none);
        EXPECT_EQ(line.argumentText, c.text) << c.arguments.constFirst().constData();
        EXPECT_EQ(line.notOpened, c.notOpened) << c.arguments.constFirst().constData();
        EXPECT_FALSE(line.nameUndecodable) << c.arguments.constFirst().constData();
    }
    // Windows-1251 bytes, percent-encoded: shown readably, not opened.
    const CommandLine line = readCommandLine({"file:///%CF%F0%E8%E2%E5%F2.txt"}, none);
    EXPECT_EQ(line.argumentText, QStringLiteral("/Привет.txt"));
    EXPECT_TRUE(line.nameUndecodable);
}

TEST(StartupDocument, ThePathAndItsSwitch) {
    using S = StartupSwitch;
    struct Case {
        QString text;
        bool named;
        QString path;
        StartupSwitch action;
    };
    const Case cases[] = {
        {QString(), false, QString(), S::None},
        // Fewer than three characters name no document.
        {QStringLiteral("a"), false, QString(), S::None},
        {QStringLiteral("ab"), false, QString(), S::None},
        {QStringLiteral("abc"), true, QStringLiteral("abc"), S::None},
        {QStringLiteral("/home/u/a.txt"), true, QStringLiteral("/home/u/a.txt"), S::None},
        {QStringLiteral("/home/u/a.txt /P"), true, QStringLiteral("/home/u/a.txt"), S::Print},
        {QStringLiteral("/home/u/a.txt /p"), true, QStringLiteral("/home/u/a.txt"), S::Print},
        {QStringLiteral("/home/u/a.txt /A"), true, QStringLiteral("/home/u/a.txt"), S::NoSizeCheck},
        {QStringLiteral("/home/u/a.txt /a"), true, QStringLiteral("/home/u/a.txt"), S::NoSizeCheck},
        {QStringLiteral("/home/u/a.txt /L"), true, QStringLiteral("/home/u/a.txt"), S::TimeStamp},
        {QStringLiteral("/home/u/a.txt /l"), true, QStringLiteral("/home/u/a.txt"), S::TimeStamp},
        // A switch needs its space; an unknown one is part of the path.
        {QStringLiteral("/home/u/a.txt/L"), true, QStringLiteral("/home/u/a.txt/L"), S::None},
        {QStringLiteral("/home/u/a.txt /X"), true, QStringLiteral("/home/u/a.txt /X"), S::None},
        // Quotes go only around a path with a drive letter; literal quotes around
        // any other path stay part of it.
        {QStringLiteral("\"C:\\Мои документы\\a.txt\""), true,
         QStringLiteral("C:\\Мои документы\\a.txt"), S::None},
        {QStringLiteral("\"D:x\""), true, QStringLiteral("D:x"), S::None},
        {QStringLiteral("C:\\a.txt"), true, QStringLiteral("C:\\a.txt"), S::None},
        {QStringLiteral("\"\\\\server\\a.txt\""), true, QStringLiteral("\"\\\\server\\a.txt\""),
         S::None},
        {QStringLiteral("\"/home/u/a.txt\""), true, QStringLiteral("\"/home/u/a.txt\""), S::None},
        // The quotes are taken as the first and the last character: a switch after
        // a quoted drive path is lost with them.
        {QStringLiteral("\"C:\\a.txt\" /P"), true, QStringLiteral("C:\\a.txt\" /"), S::None},
        // A colon third is a plain name, not a drive.
        {QStringLiteral("12:30 заметки.txt"), true, QStringLiteral("12:30 заметки.txt"), S::None},
        {QStringLiteral("12:30.txt /L"), true, QStringLiteral("12:30.txt"), S::TimeStamp},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text.toStdString());
        const StartupDocument start = startupDocument(c.text);
        EXPECT_EQ(start.named, c.named);
        EXPECT_EQ(start.path, c.path);
        EXPECT_EQ(start.action, c.action);
    }
}

TEST(ReadableFileName, EachPartAsUtf8OrElseAsWindows1251) {
    // "Привет" in Windows-1251 bytes.
    const QByteArray privet("\xcf\xf0\xe8\xe2\xe5\xf2");
    struct Case {
        QByteArray bytes;
        QString name;
        bool utf8;
    };
    const Case cases[] = {
        {"", QString(), true},
        {"/home/u/a.txt", QStringLiteral("/home/u/a.txt"), true},
        {QStringLiteral("/home/u/отчёт.txt").toUtf8(), QStringLiteral("/home/u/отчёт.txt"), true},
        {privet, QStringLiteral("Привет"), false},
        {QStringLiteral("/home/u/Документы/").toUtf8() + privet + ".txt",
         QStringLiteral("/home/u/Документы/Привет.txt"), false},
        {privet + "/" + QStringLiteral("отчёт").toUtf8(), QStringLiteral("Привет/отчёт"), false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name.toStdString());
        EXPECT_EQ(readableFileName(c.bytes), c.name);
        EXPECT_EQ(isValidUtf8(c.bytes), c.utf8);
    }
}

TEST(NotOpenedNotice, ListsTenNamesAndCountsTheRest) {
    const QString head = QStringLiteral("Программа работает с одним документом, поэтому "
                                        "открывается только первый из указанных файлов.\r\n"
                                        "Не открыты:");
    QStringList names;
    QString listed = head;
    for (int i = 0; i < 13; ++i) {
        names << QStringLiteral("/home/u/файл%1.txt").arg(i);
        if (i < 10)
            listed += QStringLiteral("\r\n/home/u/файл%1.txt").arg(i);
    }
    EXPECT_EQ(notOpenedNotice(names.mid(0, 1)), head + QStringLiteral("\r\n/home/u/файл0.txt"));
    EXPECT_EQ(notOpenedNotice(names.mid(0, 10)), listed);
    EXPECT_EQ(notOpenedNotice(names.mid(0, 11)), listed + QStringLiteral("\r\nи ещё 1"));
    EXPECT_EQ(notOpenedNotice(names), listed + QStringLiteral("\r\nи ещё 3"));
}

} // namespace
} // namespace quillet
