#include "documents/cp1251.h"
#include "editing/textblock.h"
#include "platform/failure.h"

#include <QApplication>
#include <QClipboard>
#include <QKeyEvent>
#include <QMimeData>
#include <QRandomGenerator>
#include <QSignalSpy>
#include <QTextBlock>
#include <QTextDocument>
#include <QTextLayout>

#include <gtest/gtest.h>

#include <functional>
#include <iterator>

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

void press(TextBlock& tb, Qt::Key key, const QString& text = {},
           Qt::KeyboardModifiers mods = Qt::NoModifier) {
    QKeyEvent e(QEvent::KeyPress, key, mods, text);
    QApplication::sendEvent(&tb, &e);
}

TEST(TextBlockBreaks, DeletingKeysAndTypedCharacters) {
    struct Case {
        const char* name;
        int start, end; // the selection before the key
        Qt::Key key;
        Qt::KeyboardModifiers mods;
        const char* keyText;
        const char* text;
    };
    const Case cases[] = {
        {"backspace", 3, 3, Qt::Key_Backspace, Qt::NoModifier, "\b", "on two\r\nthree"},
        {"shift+backspace", 3, 3, Qt::Key_Backspace, Qt::ShiftModifier, "\b", "on two\r\nthree"},
        {"delete", 3, 3, Qt::Key_Delete, Qt::NoModifier, "\x7f", "onetwo\r\nthree"},
        {"ctrl+backspace takes the word before", 7, 7, Qt::Key_Backspace, Qt::ControlModifier, "",
         "one \r\nthree"},
        {"ctrl+delete takes the word after", 4, 4, Qt::Key_Delete, Qt::ControlModifier, "",
         "one \r\nthree"},
        {"ctrl+delete at a line's end takes the break", 7, 7, Qt::Key_Delete, Qt::ControlModifier,
         "", "one twothree"},
        {"a typed letter", 3, 3, Qt::Key_X, Qt::NoModifier, "x", "onex two\r\nthree"},
        {"a typed space", 3, 3, Qt::Key_Space, Qt::NoModifier, " ", "one  two\r\nthree"},
        {"a typed letter over a selection", 4, 10, Qt::Key_X, Qt::NoModifier, "x", "one xhree"},
        {"backspace over a selection", 4, 10, Qt::Key_Backspace, Qt::NoModifier, "\b", "one hree"},
        {"ctrl+backspace over a selection", 4, 10, Qt::Key_Backspace, Qt::ControlModifier, "",
         "one hree"},
    };
    for (const Case& c : cases) {
        TextBlock tb;
        tb.setText(QStringLiteral("one two\r\nthree"));
        tb.setSelection(c.start, c.end);
        press(tb, c.key, QString::fromLatin1(c.keyText), c.mods);
        EXPECT_EQ(tb.text(), QString::fromLatin1(c.text)) << c.name;
        EXPECT_TRUE(tb.breaksConsistent()) << c.name;
    }
}

TEST(TextBlockBreaks, EveryBreakIsAParagraphAndKeepsItsKind) {
    TextBlock tb;
    tb.setText(QStringLiteral("ab\ncd\r\nef\ngh"));
    // One widget paragraph per line, a lone LF included; no mark character.
    EXPECT_EQ(tb.document()->blockCount(), 4);
    EXPECT_EQ(tb.document()->findBlockByNumber(0).text(), QStringLiteral("ab"));
    EXPECT_EQ(tb.breakBefore(1), LineBreak::Lf);
    EXPECT_EQ(tb.breakBefore(2), LineBreak::CrLf);
    EXPECT_EQ(tb.breakBefore(3), LineBreak::Lf);

    struct Step {
        const char* name;
        std::function<void()> act;
        const char* text;
    };
    const Step steps[] = {
        {"enter inside an lf line is a line break",
         [&] {
             tb.setSelection(1, 1);
             press(tb, Qt::Key_Return, QStringLiteral("\r"));
         },
         "a\r\nb\ncd\r\nef\ngh"},
        {"undo", [&] { tb.undo(); }, "ab\ncd\r\nef\ngh"},
        {"backspace joins over a lone lf",
         [&] {
             tb.setSelection(3, 3);
             press(tb, Qt::Key_Backspace);
         },
         "abcd\r\nef\ngh"},
        {"undo brings the lone lf back", [&] { tb.undo(); }, "ab\ncd\r\nef\ngh"},
        {"redo", [&] { tb.redo(); }, "abcd\r\nef\ngh"},
        {"undo again", [&] { tb.undo(); }, "ab\ncd\r\nef\ngh"},
        {"a selection from a line's start over a break",
         [&] {
             tb.setSelection(3, 8); // "cd\r\ne"
             press(tb, Qt::Key_X, QStringLiteral("x"));
         },
         "ab\nxf\ngh"},
        {"undo", [&] { tb.undo(); }, "ab\ncd\r\nef\ngh"},
        {"delete at the end of a line before a crlf",
         [&] {
             tb.setSelection(5, 5);
             press(tb, Qt::Key_Delete);
         },
         "ab\ncdef\ngh"},
        {"undo", [&] { tb.undo(); }, "ab\ncd\r\nef\ngh"},
        {"paste keeps pasted line feeds as line breaks",
         [&] {
             tb.setSelection(2, 2);
             tb.replaceSelection(QStringLiteral("1\n2"));
         },
         "ab1\n2\ncd\r\nef\ngh"},
        {"cut from a line's start to the end",
         [&] {
             tb.setSelection(8, 16);
             tb.cut();
         },
         "ab1\n2\ncd"},
        {"undo", [&] { tb.undo(); }, "ab1\n2\ncd\r\nef\ngh"},
    };
    for (const Step& s : steps) {
        s.act();
        EXPECT_EQ(tb.text(), QString::fromLatin1(s.text)) << s.name;
        EXPECT_EQ(tb.textLength(), tb.text().size()) << s.name;
        EXPECT_TRUE(tb.breaksConsistent()) << s.name;
    }
}

TEST(TextBlockBreaks, PositionsCountEachKindOfBreak) {
    TextBlock tb;
    const QString text = QStringLiteral("ab\r\ncd\nef\n\r\ngh") + QString(9000, u'x') + u'\n';
    tb.setText(text);
    EXPECT_EQ(tb.textLength(), text.size());
    for (int pos = 0; pos <= text.size(); ++pos) {
        const bool midPair = pos > 0 && text.at(pos - 1) == u'\r';
        EXPECT_EQ(tb.toModelPosition(tb.toWidgetPosition(pos)), midPair ? pos - 1 : pos) << pos;
    }
    tb.setSelection(6, 10);
    EXPECT_EQ(tb.selText(), QStringLiteral("\nef\n"));
    EXPECT_EQ(tb.selLength(), 4);
}

TEST(TextBlockBreaks, RandomEditsAndUndoKeepTheText) {
    // Edits anywhere (selections over any kind of break, from a line's start,
    // texts with both breaks, long lines that get display breaks), undone and
    // redone, against the same edits on a plain string.
    QRandomGenerator random(11);
    TextBlock tb;
    QString model = QStringLiteral("ab\ncd\r\nef\n\r\ng");
    tb.setText(model);
    std::vector<QString> undo, redo;
    const QString pieces[] = {QStringLiteral("x"),
                              QStringLiteral("\n"),
                              QStringLiteral("\r\n"),
                              QStringLiteral("y\nz"),
                              QString(),
                              QStringLiteral("q\r\n\nw"),
                              QString(5000, u'l')};
    for (int step = 0; step < 400; ++step) {
        const int what = random.bounded(10);
        if (what < 7) {
            int a = random.bounded(model.size() + 1);
            int b = random.bounded(model.size() + 1);
            if (a > b)
                std::swap(a, b);
            // The caret never rests inside a CR LF pair.
            if (a > 0 && a < model.size() && model.at(a - 1) == u'\r')
                --a;
            if (b > 0 && b < model.size() && model.at(b - 1) == u'\r')
                --b;
            const QString piece = pieces[random.bounded(int(std::size(pieces)))];
            tb.setSelection(a, b);
            ASSERT_EQ(tb.selStart(), a);
            ASSERT_EQ(tb.selLength(), b - a);
            if (piece.isEmpty() && a == b)
                continue;
            undo.push_back(model);
            redo.clear();
            tb.replaceSelection(piece);
            model.replace(a, b - a, piece);
        } else if (what < 9) {
            if (undo.empty())
                continue;
            tb.undo();
            redo.push_back(model);
            model = undo.back();
            undo.pop_back();
        } else {
            if (redo.empty())
                continue;
            tb.redo();
            undo.push_back(model);
            model = redo.back();
            redo.pop_back();
        }
        ASSERT_EQ(tb.text(), model) << step;
        ASSERT_EQ(tb.textLength(), model.size()) << step;
        ASSERT_TRUE(tb.breaksConsistent()) << step;
    }
}

TEST(TextBlockBreaks, ALongLineIsCutForDisplayOnly) {
    TextBlock tb;
    QString line;
    for (int i = 0; line.size() < 20000; ++i)
        line += QStringLiteral("w%1 ").arg(i, 4, 10, QLatin1Char('0'));
    tb.setText(line);
    const int paragraphs = tb.document()->blockCount();
    EXPECT_GE(paragraphs, 20000 / DisplayLineLimit);
    for (QTextBlock b = tb.document()->begin(); b.isValid(); b = b.next())
        EXPECT_LE(b.length() - 1, DisplayLineLimit);
    EXPECT_EQ(tb.text(), line);
    EXPECT_EQ(tb.textLength(), line.size());

    // Selecting over a cut: the text has no break there, nor has the clipboard.
    const int cut = tb.document()->findBlockByNumber(1).position() - 1; // model position
    tb.setSelection(cut - 3, cut + 3);
    EXPECT_EQ(tb.selText(), line.mid(cut - 3, 6));
    EXPECT_EQ(tb.selLength(), 6);
    tb.copy();
    EXPECT_EQ(QApplication::clipboard()->text(), line.mid(cut - 3, 6));

    // Backspace just after a cut and Delete just before it remove a character.
    struct Case {
        Qt::Key key;
        int caretModel;
        int removed; // model position of the removed character
        bool before; // caret placed before the cut in the widget
    };
    const Case cases[] = {
        {Qt::Key_Backspace, cut, cut - 1, false},
        {Qt::Key_Delete, cut, cut, true},
    };
    for (const Case& c : cases) {
        tb.setText(line);
        QTextCursor cursor(tb.document());
        const QTextBlock second = tb.document()->findBlockByNumber(1);
        cursor.setPosition(c.before ? second.position() - 1 : second.position());
        tb.setTextCursor(cursor);
        ASSERT_EQ(tb.selStart(), c.caretModel);
        press(tb, c.key);
        QString expected = line;
        expected.remove(c.removed, 1);
        EXPECT_EQ(tb.text(), expected) << c.key;
        tb.undo();
        EXPECT_EQ(tb.text(), line) << c.key;
    }
    // The Delete command from the menu does the same just before the cut.
    tb.setText(line);
    QTextCursor cursor(tb.document());
    cursor.setPosition(tb.document()->findBlockByNumber(1).position() - 1);
    tb.setTextCursor(cursor);
    tb.deleteForward();
    QString expected = line;
    expected.remove(cut, 1);
    EXPECT_EQ(tb.text(), expected);
}

TEST(TextBlockBreaks, TypingIntoAGrowingLineCutsItInTheSameUndoStep) {
    TextBlock tb;
    const QString start(DisplayBreakTrigger - 1, u'a');
    tb.setText(start);
    EXPECT_EQ(tb.document()->blockCount(), 2); // cut once on the way in
    tb.setText(QString());
    tb.replaceSelection(start); // one paragraph, just under the limit
    EXPECT_EQ(tb.document()->blockCount(), 1);
    tb.emptyUndoBuffer();
    tb.setSelStart(tb.textLength());
    press(tb, Qt::Key_B, QStringLiteral("b"));
    press(tb, Qt::Key_C, QStringLiteral("c"));
    EXPECT_GT(tb.document()->blockCount(), 1);
    for (QTextBlock b = tb.document()->begin(); b.isValid(); b = b.next())
        EXPECT_LE(b.length() - 1, DisplayBreakTrigger);
    EXPECT_EQ(tb.text(), start + QStringLiteral("bc"));
    EXPECT_EQ(tb.selStart(), start.size() + 2);
    // One undo takes back the last key and its cut together.
    tb.undo();
    EXPECT_EQ(tb.text(), start + QStringLiteral("b"));
    EXPECT_EQ(tb.document()->blockCount(), 1);
    while (tb.canUndo())
        tb.undo();
    EXPECT_EQ(tb.text(), start);
    EXPECT_TRUE(tb.breaksConsistent());
}

// Every byte writeFileBytes gives, put together; pieces counts the pieces.
QByteArray fileBytesOf(const TextBlock& tb, qsizetype* missing, int* pieces = nullptr,
                       TextEncoding encoding = TextEncoding::Windows1251) {
    QByteArray out;
    int count = 0;
    *missing = tb.writeFileBytes(
        [&](const char* data, qsizetype size) {
            out.append(data, size);
            ++count;
        },
        encoding);
    if (pieces)
        *pieces = count;
    return out;
}

TEST(TextBlockBreaks, FileBytesAndTheQuestionMarksShownAfterASave) {
    TextBlock tb;
    // U+2028 is a character like any other, which Windows-1251 lacks.
    tb.setText(QStringLiteral("я\U0001F600\r\n\u4E2D\nb\u2028c"));
    qsizetype missing = 0;
    EXPECT_EQ(fileBytesOf(tb, &missing), QByteArray("\xFF?\r\n?\nb?c"));
    EXPECT_EQ(missing, 3);
    EXPECT_TRUE(tb.showUnmappableAsWritten());
    EXPECT_EQ(tb.text(), QStringLiteral("я?\r\n?\nb?c"));
    EXPECT_TRUE(tb.breaksConsistent());
    tb.undo();
    EXPECT_EQ(tb.text(), QStringLiteral("я\U0001F600\r\n\u4E2D\nb") + QChar(0xDC00) + u'c');
    EXPECT_FALSE(tb.canUndo());
    tb.setText(QStringLiteral("fits"));
    EXPECT_FALSE(tb.showUnmappableAsWritten());
}

// Saving makes the file a piece at a time after counting it: the pieces put
// together, the count and the '?' count must all be what the whole text makes.
TEST(TextBlockBreaks, FileBytesInPiecesAgreeWithTheWholeAndTheCount) {
    QString text;
    QByteArray expected;
    qsizetype expectedMissing = 0;
    for (int i = 0; expected.size() < 3 * 1024 * 1024; ++i) {
        const QString line =
            QStringLiteral("строка %1 \u4E2D\U0001F600 ").arg(i).repeated(1 + i % 7);
        text += line;
        qsizetype lineMissing = 0;
        expected += encodeCp1251(line, &lineMissing);
        expectedMissing += lineMissing;
        const QString ends[] = {QStringLiteral("\r\n"), QStringLiteral("\n"),
                                QStringLiteral("\r\n")};
        text += ends[i % 3];
        expected += ends[i % 3].toLatin1();
    }
    // A line long enough to be cut for display, and one with a line separator,
    // which is a character Windows-1251 lacks.
    text += QString(3 * DisplayLineLimit + 5, u'ж') + QStringLiteral("\r\nx\u2028y");
    expected += QByteArray(3 * DisplayLineLimit + 5, '\xE6') + "\r\nx?y";
    ++expectedMissing;

    TextBlock tb;
    tb.setText(text);
    qsizetype writtenMissing = 0;
    int pieces = 0;
    EXPECT_EQ(fileBytesOf(tb, &writtenMissing, &pieces), expected);
    EXPECT_EQ(writtenMissing, expectedMissing);
    EXPECT_GE(pieces, 3); // never the whole text at once
    qsizetype countedMissing = 0;
    EXPECT_EQ(tb.fileSize(&countedMissing), expected.size());
    EXPECT_EQ(countedMissing, expectedMissing);
    EXPECT_GT(expectedMissing, 0);

    // In UTF-8 every character comes back, in pieces as whole, and is counted.
    for (const TextEncoding encoding : {TextEncoding::Utf8, TextEncoding::Utf8WithMark}) {
        const QByteArray utf8 =
            (encoding == TextEncoding::Utf8WithMark ? "\xEF\xBB\xBF" : "") + text.toUtf8();
        EXPECT_EQ(fileBytesOf(tb, &writtenMissing, &pieces, encoding), utf8);
        EXPECT_EQ(writtenMissing, 0);
        EXPECT_EQ(tb.fileSize(&countedMissing, encoding), utf8.size());
        EXPECT_EQ(countedMissing, 0);
    }
}

// How many lines the first paragraph takes at the editor's width, laying it out
// if the widget has not yet.
int firstParagraphLines(const TextBlock& tb) {
    const QTextBlock first = tb.document()->firstBlock();
    tb.document()->documentLayout()->blockBoundingRect(first);
    return first.layout()->lineCount();
}

TEST(TextBlockLayout, TextWrapsAtTheShownWidthWhereverItWasSetAndFollowsWidthChanges) {
    QString paragraph;
    for (int i = 0; i < 300; ++i)
        paragraph += QStringLiteral("слово%1 ").arg(i);
    const QString text = paragraph + QStringLiteral("\r\nкороткая строка");

    // An editor filled once it is on screen is what the others must look like.
    struct Case {
        const char* name;
        bool setWhileHidden;
        int widthAfterSetting; // 0: unchanged before showing
    };
    const Case cases[] = {
        {"set while hidden, shown at that size", true, 0},
        {"set while hidden, resized before showing", true, 520},
        {"set while shown", false, 0},
    };
    for (const Case& c : cases) {
        TextBlock reference;
        reference.resize(c.widthAfterSetting ? c.widthAfterSetting : 300, 200);
        reference.show();
        QApplication::processEvents();
        reference.setText(text);
        const int expected = firstParagraphLines(reference);

        TextBlock tb;
        tb.resize(300, 200);
        if (!c.setWhileHidden) {
            tb.show();
            QApplication::processEvents();
        }
        tb.setText(text);
        if (c.widthAfterSetting)
            tb.resize(c.widthAfterSetting, 200);
        tb.show();
        QApplication::processEvents();
        ASSERT_EQ(tb.viewport()->width(), reference.viewport()->width()) << c.name;
        EXPECT_GT(expected, 3) << c.name;
        EXPECT_EQ(firstParagraphLines(tb), expected) << c.name;

        // Wider, a height change only, and back: the lines follow the width.
        const int narrow = firstParagraphLines(tb);
        tb.resize(tb.width() * 2, 200);
        QApplication::processEvents();
        const int wide = firstParagraphLines(tb);
        EXPECT_LT(wide, narrow) << c.name;
        tb.resize(tb.width(), 400);
        QApplication::processEvents();
        EXPECT_EQ(firstParagraphLines(tb), wide) << c.name;
        tb.resize(tb.width() / 2, 400);
        QApplication::processEvents();
        EXPECT_EQ(firstParagraphLines(tb), narrow) << c.name;
        EXPECT_EQ(tb.text(), text) << c.name;
    }
}

} // namespace
} // namespace quillet
