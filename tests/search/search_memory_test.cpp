#include "search/search_memory.h"

#include <gtest/gtest.h>

namespace quillet {
namespace {

// A memory with something in every field, so that what a choice leaves alone
// can be told from what it sets.
SearchMemory filledMemory() {
    SearchMemory m;
    m.FindReplaceTemp = QStringLiteral("старое");
    m.ReplaceTemp = QStringLiteral("замена");
    m.GoToTemp = QStringLiteral("12");
    m.CheckFindFlag1 = 1;
    m.CheckFindFlag2 = 1;
    m.CheckReplaceFlag1 = 1;
    m.FindReplacePos = 40;
    m.UseFindRep = true;
    return m;
}

TEST(SearchMemory, EachWindowsChoiceSetsOnlyItsOwnFields) {
    struct Expected {
        QString find, replace, goTo;
        std::int16_t findWhole, findCase, replaceCase;
        std::int32_t position;
    };
    struct Case {
        const char* name;
        void (*remember)(SearchMemory&);
        Expected want;
    };
    const Case cases[] = {
        {"find",
         [](SearchMemory& m) {
             m.remember(FindChoice{QStringLiteral("кот"), false, true, 7});
         },
         {QStringLiteral("кот"), QStringLiteral("замена"), QStringLiteral("12"), 0, 1, 1, 7}},
        {"replace",
         [](SearchMemory& m) {
             m.remember(ReplaceChoice{QStringLiteral("пёс"), QString(), false, 3});
         },
         {QStringLiteral("пёс"), QString(), QStringLiteral("12"), 1, 1, 0, 3}},
        {"go to",
         [](SearchMemory& m) { m.remember(GoToChoice{QStringLiteral("5")}); },
         {QStringLiteral("старое"), QStringLiteral("замена"), QStringLiteral("5"), 1, 1, 1, 40}},
        {"forget",
         [](SearchMemory& m) { m.forget(); },
         {QString(), QString(), QString(), 0, 0, 0, 0}},
        {"new find",
         [](SearchMemory& m) { m.startNewFind(); },
         {QString(), QStringLiteral("замена"), QStringLiteral("12"), 1, 1, 1, 40}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        SearchMemory m = filledMemory();
        c.remember(m);
        EXPECT_EQ(m.FindReplaceTemp, c.want.find);
        EXPECT_EQ(m.ReplaceTemp, c.want.replace);
        EXPECT_EQ(m.GoToTemp, c.want.goTo);
        EXPECT_EQ(m.CheckFindFlag1, c.want.findWhole);
        EXPECT_EQ(m.CheckFindFlag2, c.want.findCase);
        EXPECT_EQ(m.CheckReplaceFlag1, c.want.replaceCase);
        EXPECT_EQ(m.FindReplacePos, c.want.position);
        // The tick's own flag is no window's business.
        EXPECT_TRUE(m.UseFindRep);
    }
}

} // namespace
} // namespace quillet
