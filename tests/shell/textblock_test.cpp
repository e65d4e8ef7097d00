#include "platform/failure.h"
#include "shell/textblock.h"

#include <QApplication>
#include <QClipboard>
#include <QKeyEvent>
#include <QMimeData>
#include <QSignalSpy>
#include <QTextBlock>
#include <QTextLayout>

#include <gtest/gtest.h>

namespace quillet {
namespace {

TEST(TextBlockModel, LineBreaksCountTwoAndLoneLfOne) {
    struct Case {
        const char* name;
        QString in;
        QString out; // model text read back
        int length;
    };
    const Case cases[] = {
        {"empty", "", "", 0},
        {"crlf", "a\r\nb", "a\r\nb", 4},
        {"trailing crlf", "a\r\n", "a\r\n", 3},
        {"blank lines", "\r\n\r\n", "\r\n\r\n", 4},
        {"lone lf stays", "a\nb", "a\nb", 3},
        {"lone cr becomes crlf", "a\rb", "a\r\nb", 4},
        {"mixed", "x\r\ny\nz\r\n", "x\r\ny\nz\r\n", 8},
        {"nbsp kept", QStringLiteral("a\u00A0b"), QStringLiteral("a\u00A0b"), 3},
        {"byte 0x98 kept", QStringLiteral("\u0098"), QStringLiteral("\u0098"), 1},
    };
    TextBlock tb;
    for (const Case& c : cases) {
        tb.setText(c.in);
        EXPECT_EQ(tb.text(), c.out) << c.name;
        EXPECT_EQ(tb.textLength(), c.length) << c.name;
        EXPECT_EQ(tb.textLength(), tb.text().size()) << c.name;
    }
}

TEST(TextBlockModel, SelectionPositionsAroundLineBreaks) {
    TextBlock tb;
    tb.setText(QStringLiteral("ab\r\ncd\nef\r\ngh"));
    // Model: a0 b1 CR2 LF3 c4 d5 LF6 e7 f8 CR9 LF10 g11 h12
    struct Case {
        int start, end;
        const char* selected;
    };
    const Case cases[] = {
        {0, 2, "ab"},
        {2, 4, "\r\n"},
        {4, 6, "cd"},
        {6, 7, "\n"},
        {4, 9, "cd\nef"},
        {11, 13, "gh"},
        {0, 13, "ab\r\ncd\nef\r\ngh"},
        {9, 11, "\r\n"},
        {12, 13, "h"},
    };
    for (const Case& c : cases) {
        tb.setSelection(c.start, c.end);
        EXPECT_EQ(tb.selStart(), c.start) << c.start << ".." << c.end;
        EXPECT_EQ(tb.selLength(), c.end - c.start) << c.start << ".." << c.end;
        EXPECT_EQ(tb.selText(), QString::fromLatin1(c.selected)) << c.start << ".." << c.end;
    }
}

TEST(TextBlockModel, PositionMappingIsConsistentBothWays) {
    TextBlock tb;
    QString text;
    for (int i = 0; i < 200; ++i)
        text += QStringLiteral("строка %1\r\n").arg(i);
    tb.setText(text);
    for (int pos = 0; pos <= text.size(); ++pos) {
        // A position between CR and LF maps to before the CR.
        const bool midPair = pos > 0 && text.at(pos - 1) == u'\r';
        const int expected = midPair ? pos - 1 : pos;
        EXPECT_EQ(tb.toModelPosition(tb.toWidgetPosition(pos)), expected) << pos;
    }
}

TEST(TextBlockModel, SelStartRefusesNegativeAndClampsPastTheEnd) {
    TextBlock tb;
    tb.setText(QStringLiteral("abc\r\nd"));
    try {
        tb.setSelStart(-1);
        FAIL() << "a negative position must be refused";
    } catch (const Failure& f) {
        EXPECT_EQ(f.number(), 380);
    }
    tb.setSelStart(1000);
    EXPECT_EQ(tb.selStart(), 6);
    EXPECT_EQ(tb.selLength(), 0);
    tb.setSelStart(2);
    tb.setSelLength(1);
    EXPECT_EQ(tb.selText(), QStringLiteral("c"));
    tb.setSelLength(100);
    EXPECT_EQ(tb.selText(), QStringLiteral("c\r\nd"));
}

TEST(TextBlockModel, ReplaceSelectionIsOneUndoableEdit) {
    TextBlock tb;
    tb.setText(QStringLiteral("one two three"));
    EXPECT_FALSE(tb.canUndo());
    tb.setSelection(4, 7);
    tb.replaceSelection(QStringLiteral("2\r\n2\n2"));
    EXPECT_EQ(tb.text(), QStringLiteral("one 2\r\n2\n2 three"));
    EXPECT_EQ(tb.selStart(), 10); // caret after the six inserted characters
    EXPECT_EQ(tb.selLength(), 0);
    EXPECT_TRUE(tb.canUndo());
    tb.undo();
    EXPECT_EQ(tb.text(), QStringLiteral("one two three"));
    tb.replaceSelection(QStringLiteral("x"));
    tb.emptyUndoBuffer();
    EXPECT_FALSE(tb.canUndo());
}

TEST(TextBlockModel, ChangeNotificationOnTextChangesOnly) {
    TextBlock tb;
    QSignalSpy spy(&tb, &TextBlock::changed);
    tb.setText(QStringLiteral("abc"));
    EXPECT_GE(spy.count(), 1);
    spy.clear();
    tb.setSelection(0, 1);
    tb.setAlignmentCode(2);
    tb.setBackColor(Qt::yellow);
    tb.setTextColor(Qt::red);
    QFont f = tb.font();
    f.setBold(true);
    tb.setFont(f);
    EXPECT_EQ(spy.count(), 0);
    tb.replaceSelection(QStringLiteral("z"));
    EXPECT_GE(spy.count(), 1);
    spy.clear();
    tb.setText(QString());
    EXPECT_GE(spy.count(), 1);
}

TEST(TextBlockModel, AlignmentAppliesToEveryLineAndSurvivesNewText) {
    TextBlock tb;
    tb.resize(400, 300);
    tb.setAlignmentCode(2);
    tb.setText(QStringLiteral("short\r\nmuch longer line here\r\nx"));
    EXPECT_EQ(tb.alignmentCode(), 2);
    EXPECT_EQ(tb.lineWrapMode(), QPlainTextEdit::WidgetWidth);
    tb.setAlignmentCode(1);
    EXPECT_EQ(tb.alignmentCode(), 1);
    tb.setAlignmentCode(0);
    EXPECT_EQ(tb.alignmentCode(), 0);
    EXPECT_EQ(tb.lineWrapMode(), QPlainTextEdit::WidgetWidth);
}

TEST(TextBlockModel, EveryEnterIsALineBreak) {
    TextBlock tb;
    tb.setText(QStringLiteral("ab"));
    tb.setSelection(1, 1);
    for (Qt::KeyboardModifiers mods :
         {Qt::KeyboardModifiers(Qt::NoModifier), Qt::KeyboardModifiers(Qt::ShiftModifier)}) {
        QKeyEvent press(QEvent::KeyPress, Qt::Key_Return, mods, QStringLiteral("\r"));
        QApplication::sendEvent(&tb, &press);
    }
    EXPECT_EQ(tb.text(), QStringLiteral("a\r\n\r\nb"));
    EXPECT_EQ(tb.textLength(), 6);
}

TEST(TextBlockModel, PastedLineFeedsBecomeLineBreaksAndCopyGivesLineFeeds) {
    TextBlock tb;
    tb.setText(QStringLiteral("[]"));
    tb.setSelection(1, 1);
    QApplication::clipboard()->setText(QStringLiteral("a\nb\r\nc\rd"));
    tb.paste();
    EXPECT_EQ(tb.text(), QStringLiteral("[a\r\nb\r\nc\r\nd]"));

    tb.setText(QStringLiteral("x\r\ny\u00A0z"));
    tb.selectAll();
    tb.copy();
    EXPECT_EQ(QApplication::clipboard()->text(), QStringLiteral("x\ny\u00A0z"));
}

} // namespace
} // namespace quillet
