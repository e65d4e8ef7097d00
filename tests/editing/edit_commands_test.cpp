#include "support/harness.h"

#include <QAction>
#include <QClipboard>
#include <QGuiApplication>
#include <QMenu>
#include <QMimeData>

#include <gtest/gtest.h>

namespace quillet {
namespace {

using test::Harness;

QClipboard* clipboard() {
    return QGuiApplication::clipboard();
}

int caret(FrmMain& w) {
    return w.textBlock()->toModelPosition(w.textBlock()->textCursor().position());
}

TEST(EditCommands, CopyAllLeavesEverythingSelectedAndOnTheClipboard) {
    struct Case {
        QString text;
        QString onClipboard; // other programs get LF line breaks
    };
    const Case cases[] = {
        {QStringLiteral("Привет"), QStringLiteral("Привет")},
        {QStringLiteral("ab\r\ncd\r\n"), QStringLiteral("ab\ncd\n")},
        {QStringLiteral("a\u00A0b"), QStringLiteral("a\u00A0b")},
    };
    Harness h;
    FrmMain& w = h.load();
    for (const Case& c : cases) {
        w.textBlock()->setText(c.text);
        w.textBlock()->setSelStart(1);
        clipboard()->setText(QStringLiteral("старое"));
        // The toolbar's "copy all": select all, then copy.
        w.mnuSelAll_Click();
        w.mnuCopy_Click();
        EXPECT_EQ(w.textBlock()->selStart(), 0);
        EXPECT_EQ(w.textBlock()->selLength(), c.text.size());
        EXPECT_EQ(caret(w), c.text.size()) << "the caret ends at the end";
        EXPECT_EQ(clipboard()->text(), c.onClipboard);
        EXPECT_EQ(w.textBlock()->text(), c.text);
    }
}

TEST(EditCommands, SelectAllOnEmptyDocument) {
    Harness h;
    FrmMain& w = h.load();
    w.textBlock()->setText(QString());
    w.mnuSelAll_Click();
    EXPECT_EQ(w.textBlock()->selStart(), 0);
    EXPECT_EQ(w.textBlock()->selLength(), 0);
}

TEST(EditCommands, CutPasteUndo) {
    Harness h;
    FrmMain& w = h.load();
    w.textBlock()->setText(QStringLiteral("один\r\nдва три"));
    w.textBlock()->setSelection(0, 6); // "один" and the line break
    w.mnuCut_Click();
    EXPECT_EQ(w.textBlock()->text(), QStringLiteral("два три"));
    EXPECT_EQ(clipboard()->text(), QStringLiteral("один\n"));

    w.textBlock()->setSelection(3, 4); // the space
    w.mnuPaste_Click();
    EXPECT_EQ(w.textBlock()->text(), QStringLiteral("дваодин\r\nтри"));
    EXPECT_EQ(w.textBlock()->textLength(), 12);
    EXPECT_EQ(caret(w), 9) << "the caret follows the pasted text";

    w.mnuUndo_Click();
    EXPECT_EQ(w.textBlock()->text(), QStringLiteral("два три"));
    w.mnuUndo_Click();
    EXPECT_EQ(w.textBlock()->text(), QStringLiteral("один\r\nдва три"));
}

TEST(EditCommands, PastedLineBreaksBecomeCrLf) {
    struct Case {
        QString clip;
        QString result; // pasted into "[]" between the brackets
    };
    const Case cases[] = {
        {QStringLiteral("a\nb"), QStringLiteral("[a\r\nb]")},
        {QStringLiteral("a\r\nb"), QStringLiteral("[a\r\nb]")},
        {QStringLiteral("a\n\nb\n"), QStringLiteral("[a\r\n\r\nb\r\n]")},
        {QStringLiteral("a\rb"), QStringLiteral("[a\r\nb]")},
    };
    Harness h;
    FrmMain& w = h.load();
    for (const Case& c : cases) {
        w.textBlock()->setText(QStringLiteral("[]"));
        w.textBlock()->setSelStart(1);
        clipboard()->setText(c.clip);
        w.mnuPaste_Click();
        EXPECT_EQ(w.textBlock()->text(), c.result) << c.clip.toStdString();
        EXPECT_EQ(w.textBlock()->textLength(), c.result.size());
    }
}

TEST(EditCommands, PasteWithoutTextChangesNothing) {
    Harness h;
    FrmMain& w = h.load();
    w.textBlock()->setText(QStringLiteral("abc"));
    w.textBlock()->setSelection(0, 1);
    clipboard()->clear();
    w.mnuPaste_Click();
    EXPECT_EQ(w.textBlock()->text(), QStringLiteral("abc"));
}

TEST(EditCommands, DeleteRemovesSelectionOrNextCharacter) {
    struct Case {
        const char* name;
        QString text;
        int selFrom, selTo;
        QString result;
        int caretAfter;
    };
    // clang-format off
    const Case cases[] = {
        {"selection",                QStringLiteral("abcdef"), 1, 4, QStringLiteral("aef"), 1},
        {"selection over a break",   QStringLiteral("ab\r\ncd"), 1, 5, QStringLiteral("ad"), 1},
        {"caret: next character",    QStringLiteral("abc"), 1, 1, QStringLiteral("ac"), 1},
        {"caret before a line break", QStringLiteral("ab\r\ncd"), 2, 2, QStringLiteral("abcd"), 2},
        {"caret before a lone LF",   QStringLiteral("a\nb"), 1, 1, QStringLiteral("ab"), 1},
        {"caret at the end",         QStringLiteral("abc"), 3, 3, QStringLiteral("abc"), 3},
        {"empty document",           QString(), 0, 0, QString(), 0},
    };
    // clang-format on
    Harness h;
    FrmMain& w = h.load();
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        w.textBlock()->setText(c.text);
        w.textBlock()->setSelection(c.selFrom, c.selTo);
        clipboard()->setText(QStringLiteral("не трогать"));
        w.mnuDelete_Click();
        EXPECT_EQ(w.textBlock()->text(), c.result);
        EXPECT_EQ(caret(w), c.caretAfter);
        EXPECT_EQ(clipboard()->text(), QStringLiteral("не трогать"));
        if (c.result != c.text) {
            w.mnuUndo_Click();
            EXPECT_EQ(w.textBlock()->text(), c.text) << "Delete is one undoable edit";
        } else {
            EXPECT_FALSE(w.textBlock()->canUndo());
        }
    }
}

TEST(EditCommands, OnlyTextEditsNotifyAChange) {
    // The document flag follows the editor's change notification alone.
    struct Case {
        const char* name;
        void (FrmMain::*command)();
        bool changes;
    };
    const Case cases[] = {
        {"copy", &FrmMain::mnuCopy_Click, false},  {"select all", &FrmMain::mnuSelAll_Click, false},
        {"cut", &FrmMain::mnuCut_Click, true},     {"delete", &FrmMain::mnuDelete_Click, true},
        {"paste", &FrmMain::mnuPaste_Click, true},
    };
    for (const Case& c : cases) {
        Harness h;
        FrmMain& w = h.load();
        w.textBlock()->setText(QStringLiteral("abc"));
        w.textBlock()->setSelection(0, 2);
        clipboard()->setText(QStringLiteral("x"));
        int changes = 0;
        QObject::connect(w.textBlock(), &TextBlock::changed, [&changes] { ++changes; });
        (w.*c.command)();
        EXPECT_EQ(changes > 0, c.changes) << c.name;
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
