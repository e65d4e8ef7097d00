#include "editing/paragraph_layout.h"
#include "editing/textblock.h"

#include <QApplication>
#include <QClipboard>
#include <QKeyEvent>
#include <QScrollBar>
#include <QTextBlock>
#include <QTextLayout>

#include <gtest/gtest.h>

#include <atomic>
#include <cstdlib>
#include <functional>
#include <new>
#include <ostream>
#include <vector>

// Every object this test program makes with new is counted: how many an edit
// makes shows whether it did something for every paragraph of the document (a
// layout object each), without timing anything.
namespace {
std::atomic<long> objectsMade{0};

void* make(std::size_t size) noexcept {
    objectsMade.fetch_add(1, std::memory_order_relaxed);
    return std::malloc(size ? size : 1);
}
} // namespace

void* operator new(std::size_t size) {
    if (void* p = make(size))
        return p;
    throw std::bad_alloc();
}
void* operator new[](std::size_t size) {
    if (void* p = make(size))
        return p;
    throw std::bad_alloc();
}
void* operator new(std::size_t size, const std::nothrow_t&) noexcept {
    return make(size);
}
void* operator new[](std::size_t size, const std::nothrow_t&) noexcept {
    return make(size);
}
void operator delete(void* p) noexcept {
    std::free(p);
}
void operator delete[](void* p) noexcept {
    std::free(p);
}
void operator delete(void* p, std::size_t) noexcept {
    std::free(p);
}
void operator delete[](void* p, std::size_t) noexcept {
    std::free(p);
}
void operator delete(void* p, const std::nothrow_t&) noexcept {
    std::free(p);
}
void operator delete[](void* p, const std::nothrow_t&) noexcept {
    std::free(p);
}

namespace quillet::test {
namespace {

// The objects made while act runs and the editor then catches up (repaints,
// scroll bars).
long objectsMadeBy(const std::function<void()>& act) {
    QApplication::processEvents();
    const long before = objectsMade.load();
    act();
    QApplication::processEvents();
    return objectsMade.load() - before;
}

void press(QWidget& w, Qt::Key key, const QString& text = {}) {
    QKeyEvent e(QEvent::KeyPress, key, Qt::NoModifier, text);
    QApplication::sendEvent(&w, &e);
}

void type(QWidget& w, const QString& text) {
    for (const QChar c : text)
        press(w, Qt::Key_A, QString(c));
}

// Many short lines, then the line every case edits: as long as a line of the
// large-document benchmark, so that it takes two rows on screen.
const QString LastLine =
    QStringLiteral("Съешь же ещё этих мягких французских булок, да выпей чаю. "
                   "Съешь же ещё этих мягких французских булок, да выпей чаю.");

QString manyLines(int count, const QString& last) {
    QString text;
    for (int i = 0; i < count; ++i)
        text += QStringLiteral("строка %1\r\n").arg(i);
    return text + last;
}

TEST(ParagraphLayoutCost, EditsInALargeDocumentMakeNothingForEveryParagraph) {
    constexpr int Lines = 50000;
    const auto backspace40 = [](TextBlock& tb) {
        for (int i = 0; i < 40; ++i)
            press(tb, Qt::Key_Backspace);
    };
    struct Case {
        const char* name;
        bool wrap;
        std::function<void(TextBlock&)> act;
        int lengthChange;
    };
    const Case cases[] = {
        // The typed word grows the last row until it moves to a row of its own,
        // and the row it left is narrower.
        {"typing at the end until the word wraps", true,
         [](TextBlock& tb) { type(tb, QString(100, u'a')); }, 100},
        {"backspace at the end", true, backspace40, -40},
        {"enter in the middle of the line", true,
         [](TextBlock& tb) {
             tb.setSelStart(tb.textLength() - 60);
             press(tb, Qt::Key_Return, QStringLiteral("\r"));
         },
         2},
        {"pasting lines into the line", true,
         [](TextBlock& tb) {
             tb.setSelStart(tb.textLength() - 60);
             tb.pasteText(QStringLiteral("один\nдва\nтри"));
         },
         14},
        {"deleting the line with the break before it", true,
         [](TextBlock& tb) {
             tb.setSelection(tb.textLength() - LastLine.size() - 2, tb.textLength());
             press(tb, Qt::Key_Delete);
         },
         -int(LastLine.size()) - 2},
        {"the window made narrower", true, [](TextBlock& tb) { tb.resize(500, 570); }, 0},
        {"the window made wider", true, [](TextBlock& tb) { tb.resize(900, 570); }, 0},
        // Without wrapping the line, twice as long, is wider than the window.
        {"backspace at the end, wrapping off", false, backspace40, -40},
        {"typing at the end, wrapping off", false,
         [](TextBlock& tb) { type(tb, QString(100, u'a')); }, 100},
        {"the window made narrower, wrapping off", false,
         [](TextBlock& tb) { tb.resize(500, 570); }, 0},
    };
    for (const Case& c : cases) {
        TextBlock tb;
        tb.resize(700, 570);
        if (!c.wrap)
            tb.setLineWrapMode(QPlainTextEdit::NoWrap);
        tb.setText(manyLines(Lines, c.wrap ? LastLine : LastLine + u' ' + LastLine));
        tb.show();
        QApplication::processEvents();
        tb.setSelStart(tb.textLength());
        tb.ensureCursorVisible();
        const int length = tb.textLength();
        const long made = objectsMadeBy([&] { c.act(tb); });
        EXPECT_EQ(tb.textLength(), length + c.lengthChange) << c.name;
        // A layout object for every paragraph would be two objects each.
        EXPECT_LT(made, Lines) << c.name;
        // The lines in the middle were never shown: they were never laid out.
        EXPECT_EQ(tb.document()->findBlockByNumber(Lines / 2).layout()->lineCount(), 0) << c.name;
    }
}

// What the user sees of the text's layout in an editor.
struct Seen {
    int horizontalRange;
    int verticalRange;
    int lines;
    QRect caret;
    QRectF caretParagraph;

    bool operator==(const Seen&) const = default;
};

std::ostream& operator<<(std::ostream& out, const Seen& s) {
    return out << "h " << s.horizontalRange << " v " << s.verticalRange << " lines " << s.lines
               << " caret " << s.caret.x() << ',' << s.caret.y() << ' ' << s.caret.width() << 'x'
               << s.caret.height() << " paragraph " << s.caretParagraph.width() << 'x'
               << s.caretParagraph.height();
}

Seen seen(QPlainTextEdit& editor) {
    QApplication::processEvents();
    const QTextBlock block = editor.textCursor().block();
    return {editor.horizontalScrollBar()->maximum(), editor.verticalScrollBar()->maximum(),
            editor.document()->lineCount(), editor.cursorRect(),
            editor.document()->documentLayout()->blockBoundingRect(block)};
}

TEST(ParagraphLayoutWidth, EditorLooksAsWithTheStandardLayout) {
    QString text;
    for (int i = 0; i < 200; ++i)
        text += QStringLiteral("строка %1 ").arg(i).repeated(1 + i % 5) + u'\n';
    text += LastLine;
    const QString longer = LastLine + u' ' + LastLine;

    for (const bool wrap : {true, false}) {
        const char* mode = wrap ? "wrapping" : "no wrapping";
        TextBlock tb;
        QPlainTextEdit standard;
        for (QPlainTextEdit* editor : {static_cast<QPlainTextEdit*>(&tb), &standard}) {
            editor->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
            editor->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
            editor->setLineWrapMode(wrap ? QPlainTextEdit::WidgetWidth : QPlainTextEdit::NoWrap);
            editor->resize(500, 300);
            editor->show();
            QApplication::processEvents();
            editor->setPlainText(text);
            editor->moveCursor(QTextCursor::End);
        }
        struct Step {
            const char* name;
            std::function<void(QPlainTextEdit&)> act;
        };
        const Step steps[] = {
            {"shown", [](QPlainTextEdit&) {}},
            {"typing at the end", [](QPlainTextEdit& e) { type(e, QString(30, u'a')); }},
            {"backspace",
             [](QPlainTextEdit& e) {
                 for (int i = 0; i < 50; ++i)
                     press(e, Qt::Key_Backspace);
             }},
            {"a longer line pasted after it",
             [&](QPlainTextEdit& e) { e.insertPlainText(u'\n' + longer); }},
            {"typing into the longer line",
             [](QPlainTextEdit& e) { type(e, QStringLiteral("bc")); }},
            {"the longer line shortened",
             [](QPlainTextEdit& e) {
                 for (int i = 0; i < 80; ++i)
                     press(e, Qt::Key_Backspace);
             }},
            {"undo", [](QPlainTextEdit& e) { e.undo(); }},
            {"the longer line deleted",
             [](QPlainTextEdit& e) {
                 e.moveCursor(QTextCursor::StartOfBlock);
                 e.moveCursor(QTextCursor::PreviousCharacter);
                 e.moveCursor(QTextCursor::End, QTextCursor::KeepAnchor);
                 press(e, Qt::Key_Delete);
             }},
            {"undo again", [](QPlainTextEdit& e) { e.undo(); }},
            {"to the top", [](QPlainTextEdit& e) { e.moveCursor(QTextCursor::Start); }},
            {"narrower", [](QPlainTextEdit& e) { e.resize(300, 300); }},
            {"to the end", [](QPlainTextEdit& e) { e.moveCursor(QTextCursor::End); }},
            {"wider", [](QPlainTextEdit& e) { e.resize(900, 300); }},
            {"wrapping switched",
             [&](QPlainTextEdit& e) {
                 e.setLineWrapMode(wrap ? QPlainTextEdit::NoWrap : QPlainTextEdit::WidgetWidth);
             }},
            {"typing after the switch", [](QPlainTextEdit& e) { type(e, QString(40, u'd')); }},
            {"narrower again", [](QPlainTextEdit& e) { e.resize(400, 300); }},
        };
        std::vector<int> ranges;
        for (const Step& step : steps) {
            step.act(tb);
            step.act(standard);
            const Seen mine = seen(tb);
            EXPECT_EQ(mine, seen(standard)) << mode << ": " << step.name;
            ranges.push_back(mine.horizontalRange);
        }
        EXPECT_EQ(tb.toPlainText(), standard.toPlainText()) << mode;
        if (!wrap) {
            // The last line is wider than the window: the range follows it.
            EXPECT_GT(ranges[0], 0);
            EXPECT_GT(ranges[1], ranges[0]) << "typing widens";
            EXPECT_LT(ranges[2], ranges[1]) << "backspace narrows";
        }
    }
}

} // namespace
} // namespace quillet::test
