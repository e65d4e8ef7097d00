// The Format menu's choices applied to a font, and the alignment buttons'
// pictures, without a window.

#include "format/format_rules.h"

#include <gtest/gtest.h>

namespace quillet {
namespace {

TEST(FormatRules, AChoiceAppliesWhatTheFontCanTake) {
    QFont start(QStringLiteral("Courier"));
    start.setPointSizeF(12);
    start.setBold(true);
    struct Case {
        const char* what;
        QString name;
        double pointSize;
        QString family;
        double size;
    };
    const Case cases[] = {
        {"everything chosen", QStringLiteral("Serif"), 9.75, QStringLiteral("Serif"), 9.75},
        {"no name keeps the family", QString(), 14, QStringLiteral("Courier"), 14},
        {"no size keeps the size", QStringLiteral("Serif"), 0, QStringLiteral("Serif"), 12},
        {"a negative size keeps the size", QStringLiteral("Serif"), -1, QStringLiteral("Serif"),
         12},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        FontChoice choice = fontChoiceOf(start, Qt::red);
        choice.name = c.name;
        choice.pointSize = c.pointSize;
        choice.bold = false;
        choice.underline = true;
        const QFont font = fontAfterChoice(start, choice);
        EXPECT_EQ(font.family(), c.family);
        EXPECT_DOUBLE_EQ(font.pointSizeF(), c.size);
        // Styles always apply, switched off as well as on.
        EXPECT_FALSE(font.bold());
        EXPECT_TRUE(font.underline());
    }
    // The dialog starts from the font as it is, colour included.
    const FontChoice offered = fontChoiceOf(start, Qt::red);
    EXPECT_EQ(offered.name, QStringLiteral("Courier"));
    EXPECT_DOUBLE_EQ(offered.pointSize, 12);
    EXPECT_TRUE(offered.bold);
    EXPECT_EQ(offered.color, QColor(Qt::red));
    EXPECT_EQ(fontAfterChoice(start, offered), start);
}

TEST(FormatRules, OnlyTheActiveAlignmentIsHighlighted) {
    struct Case {
        int code;
        AlignmentPictures pictures;
    };
    const Case cases[] = {{0, {13, 11, 12}}, {1, {10, 11, 15}}, {2, {10, 14, 12}}};
    for (const Case& c : cases) {
        const AlignmentPictures p = alignmentPictures(c.code);
        EXPECT_EQ(p.left, c.pictures.left) << c.code;
        EXPECT_EQ(p.centre, c.pictures.centre) << c.code;
        EXPECT_EQ(p.right, c.pictures.right) << c.code;
    }
}

} // namespace
} // namespace quillet
