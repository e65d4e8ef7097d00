// The editor's text taken a few paragraphs at a time joins up to the whole text.

#include "documents/file_format.h"
#include "editing/textblock.h"

#include <gtest/gtest.h>

#include <limits>

namespace quillet {
namespace {

TEST(TextRanges, PiecesJoinUpToTheWholeTextWithinTheirBounds) {
    // Each kind of break (a line cut for display among them), an empty first
    // paragraph and structure characters, which the text holds as stand-ins.
    const QString document = QStringLiteral("\nпервая\r\nвторая\n\r\n") +
                             QString(3 * DisplayLineLimit + 5, u'ж') +
                             QStringLiteral("\r\nx\u2029y\u2028\nконец");
    TextBlock tb;
    tb.setText(document);
    const QString whole = toEditorText(document);
    ASSERT_EQ(tb.text(), whole);

    constexpr qsizetype Any = std::numeric_limits<qsizetype>::max();
    const struct {
        int paragraphs;
        qsizetype characters;
    } bounds[] = {{1, Any}, {3, Any}, {1000, 1}, {1000, DisplayLineLimit + 2}, {2, 7}};
    for (const auto& b : bounds) {
        SCOPED_TRACE(testing::Message() << b.paragraphs << " " << b.characters);
        QString joined;
        int next = 0;
        int calls = 0;
        while (next < tb.blockCount()) {
            const qsizetype before = joined.size();
            const int taken = tb.appendText(joined, next, b.paragraphs, b.characters);
            ASSERT_GE(taken, 1);
            EXPECT_LE(taken, b.paragraphs);
            if (taken > 1)
                EXPECT_LE(joined.size() - before, b.characters);
            next += taken;
            ++calls;
        }
        EXPECT_EQ(joined, whole);
        EXPECT_GT(calls, 2);
        EXPECT_EQ(tb.appendText(joined, next, b.paragraphs, b.characters), 0);
    }
}

} // namespace
} // namespace quillet
