// The editor's text taken a few paragraphs at a time joins up to the whole text.

#include "documents/file_format.h"
#include "editing/textblock.h"

#include <gtest/gtest.h>

namespace quillet {
namespace {

TEST(TextRanges, PiecesWithinTheirBoundsJoinUpToTheWholeText) {
    // Each kind of break (a line cut for display among them), an empty first
    // paragraph and structure characters, which the text holds as stand-ins.
    const QString document = QStringLiteral("\nпервая\r\nвторая\n\r\n") +
                             QString(3 * DisplayLineLimit + 5, u'ж') +
                             QStringLiteral("\r\nx\u2029y\u2028\nконец");
    TextBlock tb;
    tb.setText(document);
    EXPECT_EQ(tb.text(), toEditorText(document));
    const struct {
        int paragraphs;
        qsizetype characters;
    } bounds[] = {{1, 1 << 30}, {1000, 1}, {1000, DisplayLineLimit + 2}, {2, 7}};
    for (const auto& b : bounds) {
        QString joined;
        int calls = 0;
        for (int next = 0, taken = 1; taken > 0 && calls < 100; next += taken, ++calls) {
            const qsizetype before = joined.size();
            taken = tb.appendText(joined, next, b.paragraphs, b.characters);
            EXPECT_LE(taken, b.paragraphs);
            EXPECT_TRUE(taken <= 1 || joined.size() - before <= b.characters) << calls;
        }
        EXPECT_EQ(joined, toEditorText(document)) << b.paragraphs << ' ' << b.characters;
        EXPECT_GT(calls, 3);
    }
}

} // namespace
} // namespace quillet
