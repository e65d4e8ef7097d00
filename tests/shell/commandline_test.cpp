#include "documents/cp1251.h"
#include "platform/failure.h"
#include "support/harness.h"

#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace quillet::test {
namespace {

const QString NewCaption = QStringLiteral("Новый документ - Квиллет");
const QString Stamp = QStringLiteral("\r\n\r\n09:05 06.12.2026");
const QString OpenFailure =
    QStringLiteral("\r\nНе удаётся открыть файл.\r\nВозможно, он повреждён или команда открытия "
                   "некорректна.");

int printRecords(const ScriptedPlatform& platform) {
    int n = 0;
    for (const Shown& s : platform.shown)
        n += s.kind == QLatin1String("print");
    return n;
}

class CommandLine : public ::testing::Test {
protected:
    QTemporaryDir dir;
    QString path(const QString& name) const { return dir.filePath(name); }
};

TEST_F(CommandLine, WhatIsOpened) {
    writeFile(path("a.txt"), "plain text");
    writeFile(path("with space.txt"), "spaced");
    writeFile(path("diary.log"), ".LOG\r\nday one");
    struct Case {
        const char* name;
        QString arguments;
        QString caption;     // empty: the untitled caption
        QString text;        // the editor afterwards
        QString failurePath; // the path named by the cannot-open message
    };
    const Case cases[] = {
        {"no arguments", QString(), QString(), QString(), QString()},
        {"one character", QStringLiteral("a"), QString(), QString(), QString()},
        {"two characters", QStringLiteral("ab"), QString(), QString(), QString()},
        {"a path", path("a.txt"), QStringLiteral("a - Квиллет"), QStringLiteral("plain text"),
         QString()},
        {"a path with a space", path("with space.txt"), QStringLiteral("with space - Квиллет"),
         QStringLiteral("spaced"), QString()},
        {"a missing file", path("missing.txt"), QString(), QString(), path("missing.txt")},
        {"/L stamps", path("a.txt") + QStringLiteral(" /L"), QStringLiteral("a - Квиллет"),
         QStringLiteral("plain text") + Stamp, QString()},
        {"/l in small letters", path("a.txt") + QStringLiteral(" /l"),
         QStringLiteral("a - Квиллет"), QStringLiteral("plain text") + Stamp, QString()},
        {"/L on a .LOG document stamps twice", path("diary.log") + QStringLiteral(" /L"),
         QStringLiteral("diary - Квиллет"), QStringLiteral(".LOG\r\nday one") + Stamp + Stamp,
         QString()},
        {"/L after a failed open stamps the empty document",
         path("missing.txt") + QStringLiteral(" /L"), QString(), Stamp, path("missing.txt")},
        {"a switch needs its space", path("a.txt") + QStringLiteral("/L"), QString(), QString(),
         path("a.txt") + QStringLiteral("/L")},
        {"an unknown switch is part of the path", path("a.txt") + QStringLiteral(" /X"), QString(),
         QString(), path("a.txt") + QStringLiteral(" /X")},
        // The shell hands over a path without its quotes; literal quotes around a
        // path without a drive letter stay part of it.
        {"quotes without a drive letter stay", QLatin1Char('"') + path("a.txt") + QLatin1Char('"'),
         QString(), QString(), QLatin1Char('"') + path("a.txt") + QLatin1Char('"')},
        {"quotes around a drive path go", QStringLiteral("\"C:\\My texts\\letter.txt\""), QString(),
         QString(), QStringLiteral("C:\\My texts\\letter.txt")},
        {"a quoted drive path with a switch keeps no switch", QStringLiteral("\"C:\\a.txt\" /P"),
         QString(), QString(), QStringLiteral("C:\\a.txt\" /")},
    };
    for (const Case& c : cases) {
        Harness h;
        h.load(c.arguments);
        const bool opened = !c.caption.isEmpty();
        EXPECT_EQ(h->windowTitle(), opened ? c.caption : NewCaption) << c.name;
        EXPECT_EQ(h->TextBlock->text(), c.text) << c.name;
        EXPECT_EQ(h->NewDoc, !opened) << c.name;
        EXPECT_EQ(h->FileExist, opened) << c.name;
        EXPECT_EQ(h->TextChange, c.text.contains(Stamp)) << c.name;
        if (opened) {
            EXPECT_EQ(h->CommonFileName, h->CommandLineString) << c.name;
            EXPECT_EQ(h->RecentFileString, h->CommandLineString) << c.name;
        }
        const auto messages = h.platform.messages();
        if (c.failurePath.isEmpty()) {
            EXPECT_TRUE(messages.empty()) << c.name;
            EXPECT_TRUE(errorReport(h).isEmpty()) << c.name;
        } else {
            ASSERT_EQ(messages.size(), 1u) << c.name;
            EXPECT_EQ(messages[0].text, c.failurePath + OpenFailure) << c.name;
            EXPECT_EQ(messages[0].title, QStringLiteral("Квиллет"));
            EXPECT_EQ(messages[0].icon, MsgIcon::Exclamation);
            EXPECT_EQ(messages[0].buttons, MsgButtons::Ok);
            EXPECT_EQ(h->TheLine, c.failurePath) << c.name;
            EXPECT_TRUE(errorReport(h).contains(QStringLiteral("Current Form=FrmMain"))) << c.name;
        }
        EXPECT_EQ(printRecords(h.platform), 0) << c.name;
    }
}

TEST_F(CommandLine, AMissingFileIsReportedWithItsNumber) {
    Harness h;
    h.load(path("missing.txt"));
    EXPECT_TRUE(errorReport(h).contains(QStringLiteral("Error Number=%1").arg(err::FileNotFound)));
}

TEST_F(CommandLine, TheSizeSwitchSkipsTheQuestionOnce) {
    QByteArray big;
    for (int i = 0; i < 600; ++i)
        big += QByteArray(99, 'q') + "\r\n";
    writeFile(path("big.txt"), big);

    for (const QString& sw : {QStringLiteral(" /A"), QStringLiteral(" /a")}) {
        Harness h;
        h.load(path("big.txt") + sw);
        ASSERT_TRUE(h->mnuLenEn->isChecked());
        EXPECT_TRUE(h.platform.messages().empty());
        EXPECT_EQ(h->TextBlock->textLength(), big.size() - 2);
        EXPECT_FALSE(h->NotCheckLen);
        EXPECT_TRUE(h->FileExist);

        // The next ordinary open asks again.
        h.platform.answerMessage(answer::No);
        h.platform.answerOpen(path("big.txt"));
        h->mnuOpen_Click();
        EXPECT_EQ(h.platform.messages().size(), 1u);
        EXPECT_EQ(h->TextBlock->textLength(), 55043);
    }
}

TEST_F(CommandLine, TheSizeSwitchIsSpentEvenWhenTheFileIsMissing) {
    QByteArray big;
    for (int i = 0; i < 600; ++i)
        big += QByteArray(99, 'q') + "\r\n";
    writeFile(path("big.txt"), big);
    Harness h;
    h.load(path("missing.txt") + QStringLiteral(" /A"));
    EXPECT_FALSE(h->NotCheckLen);
    h.platform.shown.clear();
    h.platform.answerMessage(answer::Yes);
    h.platform.answerOpen(path("big.txt"));
    h->mnuOpen_Click();
    EXPECT_EQ(h.platform.messages().size(), 1u);
}

TEST_F(CommandLine, WithoutTheSwitchALargeFileAsks) {
    QByteArray big;
    for (int i = 0; i < 600; ++i)
        big += QByteArray(99, 'q') + "\r\n";
    writeFile(path("big.txt"), big);
    Harness h;
    h.platform.answerMessage(answer::No);
    h.load(path("big.txt"));
    EXPECT_EQ(h.platform.messages().size(), 1u);
    EXPECT_EQ(h->windowTitle(), QStringLiteral("big - Квиллет"));
    EXPECT_FALSE(h->FileExist); // only a part: Save will ask for a place
}

TEST_F(CommandLine, ThePrintSwitchOpensThenPrints) {
    writeFile(path("a.txt"), "to paper");
    for (const QString& sw : {QStringLiteral(" /P"), QStringLiteral(" /p")}) {
        Harness h;
        h.load(path("a.txt") + sw);
        EXPECT_EQ(h->TextBlock->text(), QStringLiteral("to paper"));
        EXPECT_EQ(h->CommonFileName, path("a.txt"));
        EXPECT_TRUE(h.platform.messages().empty());
        EXPECT_EQ(printRecords(h.platform), 1);
        EXPECT_EQ(h.platform.lastPrintedText, QStringLiteral("to paper"));
    }
}

// The quote rule itself, on the text the platform hands over.
TEST_F(CommandLine, QuotesAreRemovedOnlyAroundADrivePath) {
    struct Case {
        QString arguments;
        QString path;
    };
    const Case cases[] = {
        {QStringLiteral("\"C:\\Мои документы\\a.txt\""),
         QStringLiteral("C:\\Мои документы\\a.txt")},
        {QStringLiteral("\"D:x\""), QStringLiteral("D:x")},
        {QStringLiteral("C:\\a.txt"), QStringLiteral("C:\\a.txt")},
        {QStringLiteral("\"\\\\server\\a.txt\""), QStringLiteral("\"\\\\server\\a.txt\"")},
        {QStringLiteral("abc"), QStringLiteral("abc")},
    };
    for (const Case& c : cases) {
        Harness h;
        h.load(c.arguments);
        EXPECT_EQ(h->CommandLineString, c.path) << c.arguments.toStdString();
    }
}

} // namespace
} // namespace quillet::test
