// The window's tick runs when what it shows changes, not on a running timer: the
// toolbar, the status text and the tooltips follow the editor, the clipboard, the
// options and the toolbar's own buttons; shortcut keys see the availability the
// menus would show; Paste never waits on the program that owns the clipboard.

#include "support/harness.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QImage>
#include <QMouseEvent>
#include <QSignalBlocker>
#include <QTest>
#include <QToolBar>
#include <QToolButton>

#include <gtest/gtest.h>

#include <functional>

namespace quillet::test {
namespace {

// One pass of the event loop: what the changes of the step scheduled runs now.
void settle() {
    QCoreApplication::processEvents();
}

bool enabled(FrmMain& w, const char* key) {
    return toolbarEntry(*w.toolbar(), QString::fromLatin1(key))->isEnabled();
}

void putPicture() {
    QImage picture(4, 4, QImage::Format_RGB32);
    picture.fill(Qt::blue);
    QGuiApplication::clipboard()->setImage(picture);
}

TEST(Tick, ToolbarFollowsTheEditorAndTheClipboardWithNoTimerRunning) {
    struct Step {
        const char* name;
        std::function<void(FrmMain&)> change;
        bool cut, copyAll, find, paste;
    };
    const QString longText(32001, QLatin1Char('x'));
    // clang-format off
    const Step steps[] = {
        {"empty, picture on the clipboard", [](FrmMain& w) { w.textBlock()->setText(QString()); putPicture(); },
         false, false, false, false},
        {"text typed",       [](FrmMain& w) { QTest::keyClicks(w.textBlock(), QStringLiteral("abc")); },
         false, true, true, false},
        {"text copied elsewhere", [](FrmMain&) { QGuiApplication::clipboard()->setText(QStringLiteral("из другой программы")); },
         false, true, true, true},
        {"selection made",   [](FrmMain& w) { w.textBlock()->setSelection(0, 2); },
         true, true, true, true},
        {"caret moved",      [](FrmMain& w) { w.textBlock()->setSelection(1, 1); },
         false, true, true, true},
        {"clipboard emptied", [](FrmMain&) { QGuiApplication::clipboard()->clear(); },
         false, true, true, false},
        {"shift+arrow selects", [](FrmMain& w) { QTest::keyClick(w.textBlock(), Qt::Key_Right, Qt::ShiftModifier); },
         true, true, true, false},
        {"document too long for Find", [&longText](FrmMain& w) { w.textBlock()->setText(longText); },
         false, true, false, false},
        {"undone back to short", [](FrmMain& w) { w.textBlock()->setText(QStringLiteral("ab")); },
         false, true, true, false},
    };
    // clang-format on
    Harness h;
    FrmMain& w = h.load();
    settle();
    for (const Step& s : steps) {
        SCOPED_TRACE(s.name);
        s.change(w);
        settle();
        EXPECT_FALSE(w.followTimer()->isActive());
        EXPECT_EQ(enabled(w, "CutBtn"), s.cut);
        EXPECT_EQ(enabled(w, "CopyBtn"), s.cut);
        EXPECT_EQ(enabled(w, "CopyAllBtn"), s.copyAll);
        EXPECT_EQ(enabled(w, "FindBtn"), s.find);
        EXPECT_EQ(w.searchMemory().UseFindRep, s.find || !s.copyAll);
        EXPECT_EQ(enabled(w, "PasteBtn"), s.paste);
    }
}

TEST(Tick, ManyChangesInOnePassGiveOneTick) {
    Harness h;
    FrmMain& w = h.load();
    settle();
    ASSERT_FALSE(w.toolbarStatus().tickScheduled());
    w.textBlock()->setText(QStringLiteral("раз"));
    w.textBlock()->setSelection(0, 1);
    QGuiApplication::clipboard()->setText(QStringLiteral("два"));
    EXPECT_TRUE(w.toolbarStatus().tickScheduled());
    settle();
    EXPECT_FALSE(w.toolbarStatus().tickScheduled());
    EXPECT_TRUE(enabled(w, "CutBtn"));
    // Nothing changed: nothing is scheduled, however long the window idles.
    QTest::qWait(50);
    EXPECT_FALSE(w.toolbarStatus().tickScheduled());
}

TEST(Tick, TimerRunsOnlyWhileFollowingThePointer) {
    struct Case {
        bool transparent, following, running;
    };
    const Case cases[] = {
        {false, false, false}, {true, false, false}, {false, true, false}, {true, true, true}};
    Harness h;
    FrmMain& w = h.load();
    for (const Case& c : cases) {
        SCOPED_TRACE(::testing::Message() << c.transparent << c.following);
        w.options().Transparent = c.transparent;
        w.ShowOptionsInMenus();
        w.options().GetMouse = c.following;
        w.ShowOptionsInMenus();
        EXPECT_EQ(w.followTimer()->isActive(), c.running);
        EXPECT_EQ(w.followTimer()->interval(), 1);
    }
    // Switched on through the menu, as the user does.
    w.options().Transparent = false;
    w.ShowOptionsInMenus();
    w.options().GetMouse = true;
    w.ShowOptionsInMenus();
    w.mnuTransparent_Click();
    EXPECT_TRUE(w.followTimer()->isActive());
    w.mnuTransparent_Click();
    EXPECT_FALSE(w.followTimer()->isActive());
}

TEST(Tick, StatusAndTooltipsFollowTheOptionsAndAHeldButton) {
    Harness h;
    FrmMain& w = h.load();
    settle();
    QToolButton* save = toolbarButton(*w.toolbar(), QStringLiteral("SaveBtn"));
    QToolButton* open = toolbarButton(*w.toolbar(), QStringLiteral("OpenBtn"));
    ASSERT_EQ(w.toolbarStatus().statusText(), QStringLiteral("Готово"));

    QTest::mousePress(save, Qt::LeftButton);
    settle();
    EXPECT_EQ(w.toolbarStatus().statusText(), QStringLiteral("Сохранение активного документа"));
    // Dragged off the button while held: the button is no longer down.
    const QPointF outside(-5, -5);
    QMouseEvent drag(QEvent::MouseMove, outside, save->mapToGlobal(outside), Qt::NoButton,
                     Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(save, &drag);
    settle();
    EXPECT_EQ(w.toolbarStatus().statusText(), QStringLiteral("Готово"));
    QTest::mouseRelease(save, Qt::LeftButton, {}, outside.toPoint());
    settle();
    EXPECT_EQ(w.toolbarStatus().statusText(), QStringLiteral("Готово"));

    w.mnuNoToolTip_Click();
    settle();
    EXPECT_EQ(open->toolTip(), QString());
    w.mnuTextInf_Click();
    settle();
    EXPECT_EQ(open->toolTip(), QStringLiteral("Открыть"));
    EXPECT_FALSE(w.followTimer()->isActive());
}

// ---- Shortcut keys -----------------------------------------------------------------

TEST(Shortcuts, AvailabilityIsWorkedOutBeforeTheCommandRuns) {
    struct Case {
        const char* name;
        QString textWhenMenuOpened; // the Edit menu last opened on this document
        QString textWhenPressed;
        int selectFrom, selectTo; // selection when the key is pressed
        QKeyCombination keys;
        bool runs; // the command runs (a window opens, or the text changes)
    };
    const QString shortText = QStringLiteral("строка текста");
    const QString longText(32001, QLatin1Char('x'));
    // clang-format off
    const Case cases[] = {
        {"Ctrl+F once text was typed",    QString(), shortText, 0, 0, Qt::CTRL | Qt::Key_F, true},
        {"Ctrl+F past 32000 characters",  shortText, longText,  0, 0, Qt::CTRL | Qt::Key_F, false},
        {"F3 past 32000 characters",      shortText, longText,  0, 0, Qt::Key_F3, false},
        {"Ctrl+H once text was typed",    QString(), shortText, 0, 0, Qt::CTRL | Qt::Key_H, true},
        {"Ctrl+H past 32000 characters",  shortText, longText,  0, 0, Qt::CTRL | Qt::Key_H, false},
        {"Ctrl+G once text was typed",    QString(), shortText, 0, 0, Qt::CTRL | Qt::Key_G, true},
        {"Ctrl+G on an emptied document", shortText, QString(), 0, 0, Qt::CTRL | Qt::Key_G, false},
        {"F1 once text is selected",      shortText, shortText, 0, 6, Qt::Key_F1, true},
    };
    // clang-format on
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Harness h;
        FrmMain& w = h.load();
        w.show();
        w.activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&w));
        w.textBlock()->setFocus();

        w.textBlock()->setText(c.textWhenMenuOpened);
        settle();
        w.mnuWork_Click();
        w.textBlock()->setText(c.textWhenPressed);
        w.textBlock()->setSelection(c.selectFrom, c.selectTo);
        const QString before = w.textBlock()->text();
        if (c.runs)
            h.platform.dialogAnswers.push_back([](QDialog&) { return 0; });

        QTest::keyClick(w.textBlock(), c.keys.key(), c.keys.keyboardModifiers());

        const bool windowOpened =
            !h.platform.shown.empty() && h.platform.shown.back().kind == QLatin1String("dialog");
        const bool textChanged = w.textBlock()->text() != before;
        EXPECT_EQ(windowOpened || textChanged, c.runs);
        if (c.runs && textChanged)
            h.platform.dialogAnswers.clear();
        EXPECT_EQ(h.platform.unusedAnswers(), 0);
    }
}

// ---- Paste -------------------------------------------------------------------------

TEST(Paste, InsertsTheTextKeptFromTheClipboardsLastChange) {
    struct Route {
        const char* name;
        std::function<void(FrmMain&)> paste;
    };
    const Route routes[] = {
        {"Edit menu", [](FrmMain& w) { w.mnuPaste_Click(); }},
        {"toolbar", [](FrmMain& w) { w.Toolbar1_ButtonClick(QStringLiteral("PasteBtn")); }},
        {"context menu", [](FrmMain& w) { w.menus().mnuP->trigger(); }},
        {"Ctrl+V",
         [](FrmMain& w) { QTest::keyClick(w.textBlock(), Qt::Key_V, Qt::ControlModifier); }},
        {"Shift+Insert",
         [](FrmMain& w) { QTest::keyClick(w.textBlock(), Qt::Key_Insert, Qt::ShiftModifier); }},
    };
    struct Clip {
        QString copied;   // what the other program put on the clipboard
        QString inserted; // what the document gains (CR LF line breaks)
    };
    const Clip clips[] = {
        {QStringLiteral("вставка"), QStringLiteral("вставка")},
        {QStringLiteral("две\nстроки"), QStringLiteral("две\r\nстроки")},
        {QString(), QString()},
    };
    for (const Route& r : routes) {
        for (const Clip& c : clips) {
            SCOPED_TRACE(std::string(r.name) + ": " + c.copied.toStdString());
            Harness h;
            FrmMain& w = h.load();
            w.show();
            w.activateWindow();
            ASSERT_TRUE(QTest::qWaitForWindowActive(&w));
            w.textBlock()->setFocus();
            w.textBlock()->setText(QStringLiteral("[]"));
            w.textBlock()->setSelection(1, 1);
            if (c.copied.isEmpty())
                putPicture();
            else
                QGuiApplication::clipboard()->setText(c.copied);
            settle();
            w.mnuWork_Click();
            w.UpdatePopupMenu();

            // The owner stops answering; what it would hand over now differs,
            // and a read would wait.
            h.platform.clipboardHeld = true;
            const int reads = h.platform.clipboardReads;
            {
                const QSignalBlocker quiet(QGuiApplication::clipboard());
                QGuiApplication::clipboard()->setText(QStringLiteral("не то"));
            }
            r.paste(w);
            settle();
            EXPECT_EQ(w.textBlock()->text(),
                      QStringLiteral("[") + c.inserted + QStringLiteral("]"));
            EXPECT_EQ(h.platform.clipboardReads, reads);
            h.platform.clipboardHeld = false;
        }
    }
}

} // namespace
} // namespace quillet::test
