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

TEST(Options, FollowingThePointerNeedsTransparencyToo) {
    struct Case {
        bool transparent, getMouse, follows;
    };
    const Case cases[] = {
        {false, false, false}, {true, false, false}, {false, true, false}, {true, true, true}};
    for (const Case& c : cases) {
        Options o;
        o.Transparent = c.transparent;
        o.GetMouse = c.getMouse;
        EXPECT_EQ(o.followsCursor(), c.follows) << c.transparent << c.getMouse;
    }
}

TEST(Options, ToggleInvertsOneFlagAndMarksAChange) {
    bool Options::*const flags[] = {
        &Options::LimType,  &Options::LenEn,     &Options::SetChars,
        &Options::ToolBar,  &Options::StatusBar, &Options::Transparent,
        &Options::GetMouse, &Options::Bold,      &Options::StandardMenu};
    for (bool Options::*flag : flags) {
        Options o;
        const Options before = o;
        o.toggle(flag);
        EXPECT_EQ(o.*flag, !(before.*flag));
        EXPECT_TRUE(o.UserChangeOptions);
        // Only that one.
        for (bool Options::*other : flags) {
            if (other != flag) {
                EXPECT_EQ(o.*other, before.*other);
            }
        }
        o.toggle(flag);
        EXPECT_EQ(o.*flag, before.*flag);
    }
}

TEST(Options, AlignmentCodes) {
    for (int code = -2; code <= 4; ++code)
        EXPECT_EQ(Options::isAlignment(code), code >= 0 && code <= 2) << code;
}

} // namespace
} // namespace quillet
