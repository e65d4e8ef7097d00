// The editor's font and alignment as the Format menu leaves them: the chosen
// font is kept by its name while the editor shows the face the screen has for
// it, and an alignment code lays out every line of the text, whenever the text
// arrives.

#include "editing/textblock.h"
#include "platform/screen_font.h"

#include <QApplication>
#include <QFontDatabase>
#include <QTextBlock>
#include <QTextCursor>

#include <gtest/gtest.h>

#include <vector>

namespace quillet {
namespace {

TEST(EditorFont, TheDesignFontIsShownInTheInterfaceFaceButKeptByItsName) {
    // This system has no "MS Sans Serif": the editor shows the interface font in
    // its size and style, while the font it keeps (for the dialog and the
    // settings) has the name.
    ASSERT_FALSE(QFontDatabase::families().contains(DesignFontName));
    TextBlock editor;
    QFont design(DesignFontName);
    design.setPointSizeF(8.25);
    editor.setChosenFont(design);
    EXPECT_EQ(editor.chosenFont().family(), DesignFontName);
    EXPECT_EQ(editor.shownFont().family(), QApplication::font().family());
    EXPECT_DOUBLE_EQ(editor.shownFont().pointSizeF(), 8.25);

    // Bold: the face stays, the style follows.
    design.setBold(true);
    editor.setChosenFont(design);
    EXPECT_TRUE(editor.shownFont().bold());
    EXPECT_EQ(editor.shownFont().family(), QApplication::font().family());
    EXPECT_EQ(editor.chosenFont().family(), DesignFontName);

    // A font the system has is shown as itself.
    QFont serif(QStringLiteral("DejaVu Serif"));
    serif.setPointSizeF(12);
    editor.setChosenFont(serif);
    EXPECT_EQ(editor.shownFont().family(), QStringLiteral("DejaVu Serif"));
    EXPECT_EQ(editor.chosenFont().family(), QStringLiteral("DejaVu Serif"));
}

// Lines of very different lengths, so an alignment applied to one line only, or
// not at all, shows in the positions of the others.
const QString Sample = QStringLiteral("Короткая\r\nСтрока подлиннее, чем первая\r\nЯ\r\n"
                                      "Последняя строка текста");

// The caret x at the start and at the end of every non-empty paragraph, as the
// editor lays them out.
struct Edges {
    int start, end;
};

std::vector<Edges> paragraphEdges(TextBlock& editor) {
    std::vector<Edges> edges;
    for (QTextBlock b = editor.document()->begin(); b.isValid(); b = b.next()) {
        if (b.length() <= 1)
            continue;
        QTextCursor c(b);
        const int start = editor.cursorRect(c).x();
        c.movePosition(QTextCursor::EndOfBlock);
        edges.push_back({start, editor.cursorRect(c).x()});
    }
    return edges;
}

// Checks that every paragraph of the editor is laid out with the alignment code.
void expectEveryLineAligned(TextBlock& editor, int align) {
    const int width = editor.viewport()->width();
    const int margin = static_cast<int>(editor.document()->documentMargin());
    const std::vector<Edges> edges = paragraphEdges(editor);
    ASSERT_EQ(edges.size(), 4u);
    for (size_t i = 0; i < edges.size(); ++i) {
        const Edges& e = edges[i];
        SCOPED_TRACE(testing::Message() << "paragraph " << i << " start " << e.start << " end "
                                        << e.end << " width " << width);
        ASSERT_LT(e.start, e.end);
        switch (align) {
        case 0:
            EXPECT_NEAR(e.start, margin, 2);
            break;
        case 1:
            EXPECT_NEAR(e.end, width - margin, 3);
            break;
        case 2:
            EXPECT_NEAR((e.start + e.end) / 2.0, width / 2.0, 3);
            break;
        }
    }
}

TEST(EditorAlignment, EachCodeLaysOutEveryLine) {
    struct Case {
        int from;
        int to;
        bool textAfter; // the text arrives after the alignment was applied
    };
    const Case cases[] = {
        {0, 2, false}, {2, 1, false}, {1, 0, false}, {0, 1, true},
        {1, 2, true},  {2, 0, true},  {2, 2, false},
    };
    TextBlock editor;
    editor.resize(800, 600);
    editor.show();
    QApplication::processEvents();
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message()
                     << c.from << " -> " << c.to << " text after " << c.textAfter);
        editor.setText(QString());
        editor.setAlignmentCode(c.from);
        if (!c.textAfter)
            editor.setText(Sample);
        editor.setAlignmentCode(c.to);
        if (c.textAfter)
            editor.setText(Sample);
        QApplication::processEvents();
        EXPECT_EQ(editor.alignmentCode(), c.to);
        expectEveryLineAligned(editor, c.to);
    }
}

} // namespace
} // namespace quillet
