// The warning after an unclean exit, over one settings store shared by successive
// runs of the program.

#include "support/harness.h"

#include <QCoreApplication>
#include <QDialog>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace quillet::test {
namespace {

QString s(const char* text) {
    return QString::fromUtf8(text);
}

const QString warning = s("Работа программы не была завершена должным образом!") + CRLF +
                        s("Все несохранённые данные утеряны, изменённые настройки не сохранены.") +
                        CRLF +
                        s("Если возникнут какие-либо сбои в программе, её нужно будет "
                          "переустановить.");

int warningsShown(const Harness& h) {
    int n = 0;
    for (const Shown& m : h.platform.messages()) {
        if (m.text == warning) {
            EXPECT_EQ(m.title, s("Квиллет"));
            EXPECT_EQ(m.icon, MsgIcon::Exclamation);
            EXPECT_EQ(m.buttons, MsgButtons::Ok);
            ++n;
        }
    }
    return n;
}

// Starts the program again over the same store; a window still open is dropped
// without closing, as a killed process would leave it.
int start(Harness& h) {
    h.platform.shown.clear();
    h.load();
    return warningsShown(h);
}

QString runningMark(Harness& h) {
    return h.platform.store.value(s("General"), s("NormalUnloading"));
}

TEST(UncleanExit, NormalCloseThenStartIsSilent) {
    Harness h;
    EXPECT_EQ(start(h), 0);
    EXPECT_EQ(runningMark(h), s("False")); // while running
    ASSERT_TRUE(h.close());
    EXPECT_EQ(runningMark(h), s("True"));
    EXPECT_EQ(start(h), 0);
    EXPECT_EQ(runningMark(h), s("False"));
}

TEST(UncleanExit, EveryStartWarnsUntilARunClosesNormally) {
    Harness h;
    EXPECT_EQ(start(h), 0);
    // Killed: the window goes without its closing sequence.
    EXPECT_EQ(start(h), 1);
    EXPECT_EQ(start(h), 1);
    // The editor started as usual.
    EXPECT_TRUE(h->document().NewDoc);
    EXPECT_EQ(runningMark(h), s("False"));
    ASSERT_TRUE(h.close());
    EXPECT_EQ(start(h), 0);
}

TEST(UncleanExit, CancelledCloseThenKilledWarns) {
    Harness h;
    EXPECT_EQ(start(h), 0);
    h->options().UserChangeOptions = true;
    h.platform.answerMessage(answer::Cancel); // the settings question
    EXPECT_FALSE(h.close());
    EXPECT_EQ(runningMark(h), s("False"));
    EXPECT_EQ(start(h), 1);
}

TEST(UncleanExit, SecondInstanceIsSilentAndMarksItsOwnCleanClose) {
    Harness h;
    EXPECT_EQ(start(h), 0); // the first instance runs: the store says False
    h.platform.otherInstance = true;
    EXPECT_EQ(start(h), 0);
    // Nothing was written at its start.
    EXPECT_EQ(runningMark(h), s("False"));
    ASSERT_TRUE(h.close());
    EXPECT_EQ(runningMark(h), s("True"));
}

TEST(UncleanExit, FirstRunShowsAboutBeforeTheWindowAndNoWarning) {
    Harness h;
    h.seedSettings = false;
    bool windowVisibleDuringAbout = true;
    h.platform.answerDialog([&](QDialog& dialog) {
        windowVisibleDuringAbout = h->isVisible();
        EXPECT_EQ(dialog.parentWidget(), h.window.get());
        return QDialog::Accepted;
    });
    EXPECT_EQ(start(h), 0);
    ASSERT_EQ(h.platform.shown.size(), 1u);
    EXPECT_EQ(h.platform.shown.front().kind, s("dialog"));
    EXPECT_EQ(h.platform.shown.front().text, s("FrmAbout"));
    EXPECT_FALSE(windowVisibleDuringAbout);
    EXPECT_FALSE(h->options().FirstLoading);
}

TEST(UncleanExit, KilledFirstRunIsAFirstRunAgain) {
    Harness h;
    h.seedSettings = false;
    h.platform.answerDialog([](QDialog&) { return QDialog::Accepted; });
    EXPECT_EQ(start(h), 0);
    EXPECT_EQ(h.platform.store.value(s("General"), s("FirstLoading")), s("True"));
    // Killed, then started again: About once more, still no warning.
    h.platform.answerDialog([](QDialog&) { return QDialog::Accepted; });
    EXPECT_EQ(start(h), 0);
    EXPECT_EQ(h.platform.shown.size(), 1u);
    ASSERT_TRUE(h.close());
    EXPECT_EQ(h.platform.store.value(s("General"), s("FirstLoading")), s("False"));
    EXPECT_EQ(start(h), 0);
    EXPECT_TRUE(h.platform.shown.empty());
}

TEST(UncleanExit, TheRunningMarkIsWrittenOnceOnTheEventLoopsFirstTurn) {
    const QString mark = s("General/NormalUnloading=False");
    struct Case {
        const char* name;
        bool savedMeanwhile; // another save of the general group before the first turn
    };
    for (const Case c : {Case{"alone", false}, Case{"carried by an earlier save", true}}) {
        SCOPED_TRACE(c.name);
        Harness h;
        seedOrdinarySettings(h.platform.store);
        h.create();
        h->Form_Load();
        // Loading (and so showing the window) does not wait for the store.
        EXPECT_EQ(h.platform.store.writes.count(mark), 0);
        EXPECT_EQ(runningMark(h), s("True"));
        if (c.savedMeanwhile)
            h->SaveGeneralSettings();
        QCoreApplication::sendPostedEvents(h.window.get(), QEvent::MetaCall);
        EXPECT_EQ(h.platform.store.writes.count(mark), 1);
        EXPECT_EQ(runningMark(h), s("False"));
    }
}

TEST(UncleanExit, TheEndOfTheDesktopSessionWaitsForAFileBeingOpened) {
    QTemporaryDir dir;
    const QString path = dir.filePath(s("long.txt"));
    // Read in several pieces of a megabyte, each followed by progress.
    writeFile(path, QByteArray(3 << 20, 'a'));
    Harness h;
    h.load();
    h->options().LenEn = false;
    h->session().setProgressTiming([] { return qint64(0); }, {0, 0});
    bool endedDuringOpen = false;
    QObject::connect(&h->session(), &DocumentSession::progress, [&](const QString& text) {
        if (text.isEmpty())
            return;
        h->EndSession();
        endedDuringOpen = endedDuringOpen || runningMark(h) == s("True");
    });
    h.platform.answerOpen(path);
    h->session().Open();
    EXPECT_FALSE(endedDuringOpen);
    EXPECT_EQ(runningMark(h), s("False"));
    QCoreApplication::sendPostedEvents(h.window.get(), QEvent::MetaCall);
    EXPECT_EQ(runningMark(h), s("True"));
    EXPECT_EQ(h->document().CommonFileName, path);
}

TEST(UncleanExit, CheckDecisions) {
    struct Row {
        bool firstLoading;
        bool otherInstance;
        bool unloadOk;
        int warnings;
        bool generalWritten;
        bool unloadOkAfter;
    };
    const Row rows[] = {
        {true, false, false, 0, false, false}, {true, false, true, 0, false, true},
        {false, true, false, 0, false, false}, {false, true, true, 0, false, true},
        {false, false, true, 0, true, false},  {false, false, false, 1, false, false},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(::testing::Message() << r.firstLoading << r.otherInstance << r.unloadOk);
        Harness h;
        h.load();
        h.platform.shown.clear();
        h.platform.store.writes.clear();
        h.platform.otherInstance = r.otherInstance;
        h->options().FirstLoading = r.firstLoading;
        h->options().UnloadOk = r.unloadOk;
        h->CheckPreviousShutdown();
        QCoreApplication::sendPostedEvents(h.window.get(), QEvent::MetaCall);
        EXPECT_EQ(warningsShown(h), r.warnings);
        EXPECT_EQ(h.platform.store.writes.contains(s("General/NormalUnloading=False")),
                  r.generalWritten);
        EXPECT_EQ(h->options().UnloadOk, r.unloadOkAfter);
    }
}

} // namespace
} // namespace quillet::test
