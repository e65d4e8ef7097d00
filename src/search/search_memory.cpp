#include "search/search_memory.h"

namespace quillet {

namespace {
std::int16_t boxValue(bool checked) {
    return checked ? 1 : 0;
}
} // namespace

void SearchMemory::remember(const FindChoice& choice) {
    FindReplaceTemp = choice.text;
    CheckFindFlag1 = boxValue(choice.wholeWord);
    CheckFindFlag2 = boxValue(choice.matchCase);
    FindReplacePos = choice.nextPosition;
}

void SearchMemory::remember(const ReplaceChoice& choice) {
    FindReplaceTemp = choice.text;
    ReplaceTemp = choice.replacement;
    CheckReplaceFlag1 = boxValue(choice.matchCase);
    FindReplacePos = choice.nextPosition;
}

void SearchMemory::remember(const GoToChoice& choice) {
    GoToTemp = choice.number;
}

void SearchMemory::forget() {
    FindReplaceTemp.clear();
    ReplaceTemp.clear();
    GoToTemp.clear();
    CheckFindFlag1 = CheckFindFlag2 = CheckReplaceFlag1 = 0;
    FindReplacePos = 0;
}

} // namespace quillet
