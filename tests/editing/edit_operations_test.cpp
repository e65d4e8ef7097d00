// The editor's side of the Edit menu: Select All, Copy, Cut, Paste, Delete and
// Undo on the model text, the clipboard in the form other programs read, and
// which of them count as a change of the text.

#include "editing/textblock.h"

#include <QApplication>
#include <QClipboard>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QSignalSpy>
#include <QTextDocument>

#include <gtest/gtest.h>

#include <functional>

namespace quillet {
namespace {

QClipboard* clipboard() {
    return QGuiApplication::clipboard();
}

int caret(const TextBlock& editor) {
    return editor.toModelPosition(editor.textCursor().position());
}

void selectAll(TextBlock& editor) {
    editor.setSelection(0, editor.textLength());
}

TEST(EditOperations, SelectAllThenCopyLeavesEverythingSelectedAndOnTheClipboard) {
    struct Case {
        QString text;
        QString onClipboard; // other programs get LF line breaks
    };
    const Case cases[] = {
        {QStringLiteral("Привет"), QStringLiteral("Привет")},
        {QStringLiteral("ab\r\ncd\r\n"), QStringLiteral("ab\ncd\n")},
        {QStringLiteral("a\u00A0b"), QStringLiteral("a\u00A0b")},
        // Nothing to select, nothing to copy: the clipboard keeps what it had.
        {QString(), QStringLiteral("старое")},
    };
    TextBlock editor;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text.toStdString());
        editor.setText(c.text);
        editor.setSelStart(1);
        clipboard()->setText(QStringLiteral("старое"));
        selectAll(editor);
        editor.copy();
        EXPECT_EQ(editor.selStart(), 0);
        EXPECT_EQ(editor.selLength(), c.text.size());
        EXPECT_EQ(caret(editor), c.text.size()) << "the caret ends at the end";
        EXPECT_EQ(clipboard()->text(), c.onClipboard);
        EXPECT_EQ(editor.text(), c.text);
    }
}

TEST(EditOperations, CutPasteUndo) {
    TextBlock editor;
    editor.setText(QStringLiteral("один\r\nдва три"));
    editor.setSelection(0, 6); // "один" and the line break
    editor.cut();
    EXPECT_EQ(editor.text(), QStringLiteral("два три"));
    EXPECT_EQ(clipboard()->text(), QStringLiteral("один\n"));

    editor.setSelection(3, 4); // the space
    editor.pasteText(clipboard()->text());
    EXPECT_EQ(editor.text(), QStringLiteral("дваодин\r\nтри"));
    EXPECT_EQ(editor.textLength(), 12);
    EXPECT_EQ(caret(editor), 9) << "the caret follows the pasted text";

    editor.undo();
    EXPECT_EQ(editor.text(), QStringLiteral("два три"));
    editor.undo();
    EXPECT_EQ(editor.text(), QStringLiteral("один\r\nдва три"));
}

TEST(EditOperations, PastedLineBreaksBecomeTheDocumentsKind) {
    struct Case {
        QString clip;
        QString result; // pasted into "[]" between the brackets
        LineBreak kind = LineBreak::CrLf;
    };
    const Case cases[] = {
        {QStringLiteral("a\nb"), QStringLiteral("[a\r\nb]")},
        {QStringLiteral("a\r\nb"), QStringLiteral("[a\r\nb]")},
        {QStringLiteral("a\n\nb\n"), QStringLiteral("[a\r\n\r\nb\r\n]")},
        {QStringLiteral("a\rb"), QStringLiteral("[a\r\nb]")},
        {QStringLiteral("a\r\nb\rc\n"), QStringLiteral("[a\nb\nc\n]"), LineBreak::Lf},
    };
    TextBlock editor;
    for (const Case& c : cases) {
        editor.setText(QStringLiteral("[]"));
        editor.setLineBreakKind(c.kind);
        editor.setSelStart(1);
        editor.pasteText(c.clip);
        EXPECT_EQ(editor.text(), c.result) << c.clip.toStdString();
        EXPECT_EQ(editor.textLength(), c.result.size());
    }
}

// The characters the widget takes for structure stay characters whether they
// are pasted, typed or read, and go back out as themselves.
TEST(EditOperations, StructureCharactersStayCharacters) {
    const QString outside = QStringLiteral("a\u2029b\uFDD0c\u2028d\uFDD1");
    TextBlock editor;
    editor.pasteText(outside);
    QKeyEvent key(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier, QStringLiteral("\u2029"));
    QApplication::sendEvent(&editor, &key);
    EXPECT_EQ(editor.document()->blockCount(), 1);
    EXPECT_EQ(editor.textLength(), outside.size() + 1);
    EXPECT_EQ(editor.text(), toEditorText(outside + QChar::ParagraphSeparator));
    QByteArray file;
    editor.writeFileBytes([&](const char* d, qsizetype n) { file.append(d, n); },
                          TextEncoding::Utf8);
    EXPECT_EQ(file, (outside + QChar::ParagraphSeparator).toUtf8());
    selectAll(editor);
    editor.copy();
    EXPECT_EQ(clipboard()->text(), outside + QChar::ParagraphSeparator);
}

TEST(EditOperations, DeleteRemovesSelectionOrNextCharacter) {
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
    TextBlock editor;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        editor.setText(c.text);
        editor.setSelection(c.selFrom, c.selTo);
        clipboard()->setText(QStringLiteral("не трогать"));
        editor.deleteForward();
        EXPECT_EQ(editor.text(), c.result);
        EXPECT_EQ(caret(editor), c.caretAfter);
        EXPECT_EQ(clipboard()->text(), QStringLiteral("не трогать"));
        if (c.result != c.text) {
            editor.undo();
            EXPECT_EQ(editor.text(), c.text) << "Delete is one undoable edit";
        } else {
            EXPECT_FALSE(editor.canUndo());
        }
    }
}

// The document's changed flag follows the editor's change notification alone.
TEST(EditOperations, OnlyTextEditsNotifyAChange) {
    struct Case {
        const char* name;
        std::function<void(TextBlock&)> operation;
        bool changes;
    };
    const Case cases[] = {
        {"copy", [](TextBlock& e) { e.copy(); }, false},
        {"select all", selectAll, false},
        {"cut", [](TextBlock& e) { e.cut(); }, true},
        {"delete", [](TextBlock& e) { e.deleteForward(); }, true},
        {"paste", [](TextBlock& e) { e.pasteText(QStringLiteral("x")); }, true},
    };
    for (const Case& c : cases) {
        TextBlock editor;
        editor.setText(QStringLiteral("abc"));
        editor.setSelection(0, 2);
        QSignalSpy changes(&editor, &TextBlock::changed);
        c.operation(editor);
        EXPECT_EQ(changes.count() > 0, c.changes) << c.name;
    }
}

} // namespace
} // namespace quillet
