#include "settings/options.h"

#include <gtest/gtest.h>

namespace quillet {
namespace {

TEST(Options, TheOpeningCodePageFromTheThreeMarks) {
    // Stored marks may come in any combination; the one read with is decided
    // in this order.
    struct Case {
        bool windows, dos, koi;
        CodePage page;
    };
    const Case cases[] = {
        {true, false, false, CodeWindows}, {false, true, false, CodeDos},
        {false, false, true, CodeKoi},     {false, false, false, CodeWindows},
        {true, true, true, CodeDos},       {true, false, true, CodeKoi},
        {false, true, true, CodeDos},
    };
    for (const Case& c : cases) {
        Options o;
        o.TextWindows = c.windows;
        o.TextDos = c.dos;
        o.TextKoi = c.koi;
        EXPECT_EQ(o.openingCodePage(), c.page) << c.windows << c.dos << c.koi;
    }
}

TEST(Options, ChoosingACodePageLeavesExactlyThatOneAndMarksAChange) {
    for (const CodePage page : {CodeWindows, CodeDos, CodeKoi}) {
        Options o;
        o.TextWindows = o.TextDos = o.TextKoi = true;
        o.selectOpeningCodePage(page);
        EXPECT_EQ(o.TextWindows, page == CodeWindows);
        EXPECT_EQ(o.TextDos, page == CodeDos);
        EXPECT_EQ(o.TextKoi, page == CodeKoi);
        EXPECT_EQ(o.openingCodePage(), page);
        EXPECT_TRUE(o.UserChangeOptions);
    }
}

TEST(Options, ToolTipChoice) {
    struct Case {
        bool textInf, noToolTip;
        ToolTipChoice choice;
    };
    const Case cases[] = {
        {true, false, ToolTipChoice::Describe},
        {false, true, ToolTipChoice::Hide},
        {false, false, ToolTipChoice::Neither},
        // Both marks (a hand-edited store): describing wins.
        {true, true, ToolTipChoice::Describe},
    };
    for (const Case& c : cases) {
        Options o;
        o.TextInf = c.textInf;
        o.NoToolTip = c.noToolTip;
        EXPECT_EQ(o.toolTipChoice(), c.choice) << c.textInf << c.noToolTip;
    }
    for (const ToolTipChoice chosen : {ToolTipChoice::Describe, ToolTipChoice::Hide}) {
        Options o;
        o.TextInf = o.NoToolTip = true;
        o.chooseToolTips(chosen);
        EXPECT_EQ(o.toolTipChoice(), chosen);
        EXPECT_NE(o.TextInf, o.NoToolTip) << "one of the two marks, never both";
        EXPECT_TRUE(o.UserChangeOptions);
    }
}

TEST(Options, ToggleInvertsTheFlagEitherWayAndMarksAChange) {
    // One flag that starts set and one that starts clear.
    for (bool Options::*flag : {&Options::ToolBar, &Options::Transparent}) {
        Options o;
        const bool before = o.*flag;
        o.toggle(flag);
        EXPECT_EQ(o.*flag, !before);
        EXPECT_TRUE(o.UserChangeOptions);
        o.toggle(flag);
        EXPECT_EQ(o.*flag, before);
    }
}

} // namespace
} // namespace quillet
