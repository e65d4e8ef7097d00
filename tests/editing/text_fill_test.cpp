// A long text going into the editor a piece at a time ends as the same document
// as the whole text going in at once.

#include "documents/line_breaks.h"
#include "editing/textblock.h"

#include <QTextDocument>

#include <gtest/gtest.h>

#include <algorithm>
#include <utility>
#include <vector>

namespace quillet {
namespace {

TEST(TextFill, PiecesGiveTheSameDocumentAsTheWholeText) {
    const QString surrogates = QStringLiteral("\U0001F600\U0001F600");
    QString alternating; // thousands of paragraphs to mark after the text is in
    for (int i = 0; i < 5000; ++i)
        alternating += QStringLiteral("lf\ncrlf\r\n");
    const QString texts[] = {
        QStringLiteral("один\r\nдва\nтри\r\n\r\nчетыре") + surrogates,
        QStringLiteral("a\nb\nc\n"),
        surrogates + QString(50, u'я') + QStringLiteral("\r\n") + QString(3000, u'ж'),
        QStringLiteral("\r\n\r\n\n"),
        alternating,
    };
    for (const QString& text : texts) {
        TextBlock whole;
        whole.setText(text);
        for (const qsizetype piece : {1, 2, 5, 64, 1 << 22}) {
            TextBlock editor;
            editor.setText(QStringLiteral("старый текст"));
            editor.setFillPiece(piece);
            std::vector<std::pair<qint64, qint64>> told;
            // How much progress was told when the editor told a change.
            std::vector<size_t> changes;
            QObject::connect(&editor, &TextBlock::changed,
                             [&changes, &told] { changes.push_back(told.size()); });
            Paragraphs p = toParagraphs(text);
            const qint64 size = p.text.size();
            // With pieces of a character, each paragraph and its end is a piece.
            const qsizetype paragraphPieces =
                p.text.count(u'\n') + (p.text.endsWith(u'\n') ? 0 : 1);
            editor.setParagraphs(
                std::move(p.text), std::move(p.breaks),
                [&told](qint64 done, qint64 total) { told.emplace_back(done, total); });
            const std::string at = text.left(12).toStdString() + " piece " + std::to_string(piece);
            EXPECT_EQ(editor.text(), whole.text()) << at;
            EXPECT_EQ(editor.textLength(), whole.textLength()) << at;
            EXPECT_EQ(editor.document()->blockCount(), whole.document()->blockCount()) << at;
            EXPECT_TRUE(editor.breaksConsistent()) << at;
            // Nothing to undo; the caret at the start.
            EXPECT_FALSE(editor.canUndo()) << at;
            EXPECT_EQ(editor.selStart(), 0) << at;
            // Progress rises to its end, a step for each piece and, past the
            // text's characters, for every few thousand paragraphs marked.
            ASSERT_FALSE(told.empty()) << at;
            const qint64 total = told.back().second;
            EXPECT_EQ(told.back().first, total) << at;
            EXPECT_GE(total, size) << at;
            for (size_t i = 0; i < told.size(); ++i) {
                EXPECT_EQ(told[i].second, total) << at;
                EXPECT_TRUE(i == 0 || told[i - 1].first < told[i].first) << at;
            }
            const auto filling = std::count_if(told.begin(), told.end(),
                                               [size](const auto& t) { return t.first <= size; });
            if (piece == 1) {
                EXPECT_EQ(filling, paragraphPieces) << at;
            }
            // The change is told once the whole text is in, never while it goes in.
            ASSERT_FALSE(changes.empty()) << at;
            EXPECT_EQ(qsizetype(changes.front()), filling) << at;
            if (text == alternating) {
                EXPECT_GT(qsizetype(told.size()) - filling, 1) << at;
            }
        }
    }
}

} // namespace
} // namespace quillet
