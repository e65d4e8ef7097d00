// The Edit menu's handlers on the main window: each runs its editor operation
// (tested against the editor in the editing folder), the document notes the
// change, the context menu's items run their Edit menu twins, and opening the
// Edit menu refreshes it.

#include "support/harness.h"

#include <QAction>
#include <QClipboard>
#include <QGuiApplication>
#include <QMenu>

#include <gtest/gtest.h>

namespace quillet {
namespace {

using test::Harness;

QClipboard* clipboard() {
    return QGuiApplication::clipboard();
}

TEST(EditCommands, EachHandlerRunsItsEditorOperation) {
    struct Case {
        const char* name;
        void (FrmMain::*command)();
        QString text;
        int start, length; // the selection afterwards
        bool changes;
    };
    // An untitled document "abc Def" with "Def" selected, typed after "abc" so that
    // Undo has an edit to take back. The clock stands at 18:30 on 4 July 2031.
    const Case cases[] = {
        {"undo", &FrmMain::mnuUndo_Click, QStringLiteral("abc"), 3, 0, true},
        {"delete", &FrmMain::mnuDelete_Click, QStringLiteral("abc "), 4, 0, true},
        {"select all", &FrmMain::mnuSelAll_Click, QStringLiteral("abc Def"), 0, 7, false},
        {"capitals", &FrmMain::mnuCaps_Click, QStringLiteral("abc DEF"), 4, 3, true},
        {"small letters", &FrmMain::mnuAllL_Click, QStringLiteral("abc def"), 4, 3, true},
        {"time and date", &FrmMain::mnuTimeDate_Click, QStringLiteral("abc 18:30 04.07.2031"), 20,
         0, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Harness h;
        FrmMain& w = h.load();
        h.platform.clock = QDateTime(QDate(2031, 7, 4), QTime(18, 30));
        w.textBlock()->setText(QStringLiteral("abc"));
        w.textBlock()->setSelection(3, 3);
        w.textBlock()->replaceSelection(QStringLiteral(" Def"));
        w.textBlock()->setSelection(4, 7);
        ASSERT_TRUE(w.document().NewDoc);
        w.document().TextChange = false;
        (w.*c.command)();
        EXPECT_EQ(w.textBlock()->text(), c.text);
        EXPECT_EQ(w.textBlock()->selStart(), c.start);
        EXPECT_EQ(w.textBlock()->selLength(), c.length);
        EXPECT_EQ(w.document().TextChange, c.changes);
        EXPECT_TRUE(h.platform.shown.empty());
    }
}

TEST(EditCommands, ContextItemsRunTheirEditMenuTwins) {
    struct Case {
        QAction* MenuTree::*item;
        QString result;
        QString onClipboard;
    };
    const Case cases[] = {
        {&MenuTree::mnuCt, QStringLiteral("c"), QStringLiteral("ab")},
        {&MenuTree::mnuCy, QStringLiteral("abc"), QStringLiteral("ab")},
        {&MenuTree::mnuP, QStringLiteral("clipc"), QStringLiteral("clip")},
        {&MenuTree::mnuD, QStringLiteral("c"), QStringLiteral("clip")},
    };
    Harness h;
    FrmMain& w = h.load();
    for (const Case& c : cases) {
        w.textBlock()->setText(QStringLiteral("abc"));
        w.textBlock()->setSelection(0, 2);
        clipboard()->setText(QStringLiteral("clip"));
        (w.menus().*c.item)->trigger();
        EXPECT_EQ(w.textBlock()->text(), c.result)
            << (w.menus().*c.item)->objectName().toStdString();
        EXPECT_EQ(clipboard()->text(), c.onClipboard);
    }
    w.textBlock()->setText(QStringLiteral("abc"));
    w.menus().mnuSA->trigger();
    EXPECT_EQ(w.textBlock()->selLength(), 3);
    w.menus().mnuD->trigger();
    w.menus().mnuU->trigger();
    EXPECT_EQ(w.textBlock()->text(), QStringLiteral("abc"));
}

TEST(EditCommands, OpeningTheEditMenuRefreshesIt) {
    Harness h;
    FrmMain& w = h.load();
    w.textBlock()->setText(QStringLiteral("abc"));
    w.textBlock()->setSelection(0, 3);
    w.menus().mnuCopy->setEnabled(false);
    w.menus().mnuSelAll->setEnabled(true);
    Q_EMIT w.menus().mnuWork->aboutToShow();
    EXPECT_TRUE(w.menus().mnuCopy->isEnabled());
    EXPECT_FALSE(w.menus().mnuSelAll->isEnabled());
}

} // namespace
} // namespace quillet
