#include "documents/cp1251.h"
#include "platform/failure.h"
#include "session/command_line.h"
#include "session/document_session.h"
#include "support/harness.h"

#include <QDir>
#include <QFileInfo>
#include <QScopeGuard>
#include <QTemporaryDir>

#include <fcntl.h>
#include <unistd.h>

#include <gtest/gtest.h>

namespace quillet::test {
namespace {

const QString NewCaption = QStringLiteral("Новый документ - Квиллет");
const QString Stamp = QStringLiteral("\r\n\r\n09:05 06.12.2026");

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
        {"a path", path("a.txt"), QStringLiteral("a - Квиллет"), QStringLiteral("plain text"),
         QString()},
        {"a path with a space", path("with space.txt"), QStringLiteral("with space - Квиллет"),
         QStringLiteral("spaced"), QString()},
        {"a missing file", path("missing.txt"), QString(), QString(), path("missing.txt")},
        {"/L stamps", path("a.txt") + QStringLiteral(" /L"), QStringLiteral("a - Квиллет"),
         QStringLiteral("plain text") + Stamp, QString()},
        {"/L on a .LOG document stamps twice", path("diary.log") + QStringLiteral(" /L"),
         QStringLiteral("diary - Квиллет"), QStringLiteral(".LOG\r\nday one") + Stamp + Stamp,
         QString()},
        {"/L after a failed open stamps the empty document",
         path("missing.txt") + QStringLiteral(" /L"), QString(), Stamp, path("missing.txt")},
    };
    for (const Case& c : cases) {
        Harness h;
        h.load(c.arguments);
        const bool opened = !c.caption.isEmpty();
        EXPECT_EQ(h->windowTitle(), opened ? c.caption : NewCaption) << c.name;
        EXPECT_EQ(h->textBlock()->text(), c.text) << c.name;
        EXPECT_EQ(h->document().NewDoc, !opened) << c.name;
        EXPECT_EQ(h->document().FileExist, opened) << c.name;
        EXPECT_EQ(h->document().TextChange, c.text.contains(Stamp)) << c.name;
        if (opened) {
            const QString named = startupDocument(c.arguments).path;
            EXPECT_EQ(h->document().CommonFileName, named) << c.name;
            EXPECT_EQ(h->document().RecentFileString, named) << c.name;
        }
        const auto messages = h.platform.messages();
        if (c.failurePath.isEmpty()) {
            EXPECT_TRUE(messages.empty()) << c.name;
            EXPECT_TRUE(errorReport(h).isEmpty()) << c.name;
        } else {
            ASSERT_EQ(messages.size(), 1u) << c.name;
            EXPECT_EQ(messages[0].text, openFailureMessage({OpenOrigin::CommandLine, c.failurePath},
                                                           err::FileNotFound))
                << c.name;
            EXPECT_EQ(messages[0].title, QStringLiteral("Квиллет"));
            EXPECT_EQ(messages[0].icon, MsgIcon::Exclamation);
            EXPECT_EQ(messages[0].buttons, MsgButtons::Ok);
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
        ASSERT_TRUE(h->menus().mnuLenEn->isChecked());
        EXPECT_TRUE(h.platform.messages().empty());
        EXPECT_EQ(h->textBlock()->textLength(), big.size() - 2);
        EXPECT_TRUE(h->document().FileExist);

        // The next ordinary open asks again.
        h.platform.answerMessage(answer::No);
        h.platform.answerOpen(path("big.txt"));
        h->mnuOpen_Click();
        EXPECT_EQ(h.platform.messages().size(), 1u);
        EXPECT_EQ(h->textBlock()->textLength(), 55043);
    }
}

TEST_F(CommandLine, TheSizeSwitchIsSpentEvenWhenTheFileIsMissing) {
    QByteArray big;
    for (int i = 0; i < 600; ++i)
        big += QByteArray(99, 'q') + "\r\n";
    writeFile(path("big.txt"), big);
    Harness h;
    h.load(path("missing.txt") + QStringLiteral(" /A"));
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
    EXPECT_FALSE(h->document().FileExist); // only a part: Save will ask for a place
}

TEST_F(CommandLine, ThePrintSwitchOpensThenPrints) {
    writeFile(path("a.txt"), "to paper");
    for (const QString& sw : {QStringLiteral(" /P"), QStringLiteral(" /p")}) {
        Harness h;
        h.load(path("a.txt") + sw);
        EXPECT_EQ(h->textBlock()->text(), QStringLiteral("to paper"));
        EXPECT_EQ(h->document().CommonFileName, path("a.txt"));
        EXPECT_TRUE(h.platform.messages().empty());
        EXPECT_EQ(printRecords(h.platform), 1);
        EXPECT_EQ(h.platform.lastPrintedText, QStringLiteral("to paper"));
    }
}

// ---- Names that look like something else -----------------------------------------

// Runs the start-up from the given folder, so that a relative name is looked up
// there.
class InFolder {
public:
    explicit InFolder(const QString& folder) : previous_(QDir::currentPath()) {
        QDir::setCurrent(folder);
    }
    ~InFolder() { QDir::setCurrent(previous_); }

private:
    QString previous_;
};

TEST_F(CommandLine, ANameWithAColonThirdIsAPlainName) {
    struct Case {
        QString arguments;
        QString file; // the file that must open
        QString caption;
    };
    const Case cases[] = {
        {QStringLiteral("12:30 заметки.txt"), QStringLiteral("12:30 заметки.txt"),
         QStringLiteral("12:30 заметки - Квиллет")},
        {QStringLiteral("ab:c.txt"), QStringLiteral("ab:c.txt"), QStringLiteral("ab:c - Квиллет")},
        {QStringLiteral("12:30.txt /L"), QStringLiteral("12:30.txt"),
         QStringLiteral("12:30 - Квиллет")},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.arguments.toStdString());
        writeFile(path(c.file), "at half past twelve");
        InFolder here(dir.path());
        Harness h;
        h.load(c.arguments);
        EXPECT_EQ(h->document().CommonFileName, c.file);
        EXPECT_TRUE(h->textBlock()->text().startsWith(QStringLiteral("at half past twelve")));
        EXPECT_EQ(h->windowTitle(), c.caption);
        EXPECT_TRUE(h->document().FileExist);
        EXPECT_TRUE(h.platform.messages().empty());
    }
}

// The window built from the program's arguments, as main() builds it.
FrmMain& loadFromArguments(Harness& h, const QList<QByteArray>& arguments) {
    seedOrdinarySettings(h.platform.store);
    h.window = std::make_unique<FrmMain>(
        h.platform,
        readCommandLine(arguments, [](const QString& p) { return QFileInfo(p).isFile(); }));
    h.window->Form_Load();
    return *h.window;
}

TEST_F(CommandLine, SeveralDocumentsOpenTheFirstAndSaySoAboutTheRest) {
    writeFile(path("a.txt"), "first");
    writeFile(path("b.txt"), "second");
    struct Case {
        const char* name;
        QList<QByteArray> arguments;
        QString notice; // empty: none
    };
    const Case cases[] = {
        {"one", {QFile::encodeName(path("a.txt"))}, QString()},
        {"two",
         {QFile::encodeName(path("a.txt")), QFile::encodeName(path("b.txt"))},
         notOpenedNotice({path("b.txt")})},
    };
    for (const Case& c : cases) {
        Harness h;
        loadFromArguments(h, c.arguments);
        EXPECT_EQ(h->textBlock()->text(), QStringLiteral("first")) << c.name;
        EXPECT_EQ(h->document().CommonFileName, path("a.txt")) << c.name;
        EXPECT_EQ(h->windowTitle(), QStringLiteral("a - Квиллет")) << c.name;
        const auto messages = h.platform.messages();
        if (c.notice.isEmpty()) {
            EXPECT_TRUE(messages.empty()) << c.name;
            continue;
        }
        ASSERT_EQ(messages.size(), 1u) << c.name;
        EXPECT_EQ(messages[0].text, c.notice) << c.name;
        EXPECT_EQ(messages[0].title, QStringLiteral("Квиллет"));
        EXPECT_EQ(messages[0].icon, MsgIcon::Information);
        EXPECT_EQ(messages[0].buttons, MsgButtons::Ok);
    }
}

TEST_F(CommandLine, ANameNotInUtf8IsExplainedNotGarbled) {
    const QByteArray folder = QFile::encodeName(dir.path());
    const QByteArray name = folder + "/\xcf\xf0\xe8\xe2\xe5\xf2.txt";
    // Qt neither lists nor removes a name that is not UTF-8, so the temporary
    // folder could not be removed with the file in it.
    const auto removeFile = qScopeGuard([&name] { ::unlink(name.constData()); });
    {
        const int fd = ::open(name.constData(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
        ASSERT_GE(fd, 0);
        ASSERT_EQ(::write(fd, "old archive", 11), 11);
        ::close(fd);
    }
    for (const QByteArray& sw : {QByteArray(), QByteArray("/L")}) {
        SCOPED_TRACE(sw.toStdString());
        Harness h;
        QList<QByteArray> arguments{name};
        if (!sw.isEmpty())
            arguments << sw;
        loadFromArguments(h, arguments);
        const QString shownName = dir.path() + QStringLiteral("/Привет.txt");
        const auto messages = h.platform.messages();
        ASSERT_EQ(messages.size(), 1u);
        OpenRequest request{OpenOrigin::CommandLine, shownName};
        request.nameUndecodable = true;
        EXPECT_EQ(messages[0].text, openFailureMessage(request, err::BadFileName));
        EXPECT_EQ(messages[0].title, QStringLiteral("Квиллет"));
        EXPECT_EQ(messages[0].icon, MsgIcon::Exclamation);
        EXPECT_TRUE(h->document().NewDoc);
        EXPECT_FALSE(h->document().FileExist);
        EXPECT_TRUE(errorReport(h).contains(QStringLiteral("Error Number=52\r\n")));
        // A failed open still lets the switch do its part.
        EXPECT_EQ(h->textBlock()->text(), sw.isEmpty() ? QString() : Stamp);
    }
}

} // namespace
} // namespace quillet::test
