#pragma once

// What the Find, Replace and Go To windows remember between openings: the texts
// last typed, their check boxes, and where the next search starts. The windows
// return what the user chose when they close; the main window keeps it here.

#include <QString>

#include <cstdint>

namespace quillet {

// What the Find window closed with (also after Cancel, so that Find Next offers
// the text typed).
struct FindChoice {
    QString text;
    bool wholeWord = false;
    bool matchCase = false;
    std::int32_t nextPosition = 0; // where the next search starts
};

// What the Replace window closed with.
struct ReplaceChoice {
    QString text;
    QString replacement;
    bool matchCase = false;
    std::int32_t nextPosition = 0;
};

// What the Go To window closed with.
struct GoToChoice {
    QString number;
};

struct SearchMemory {
    QString FindReplaceTemp; // the search text shared by Find and Replace
    QString ReplaceTemp;     // the replacement text
    QString GoToTemp;        // the character number last typed
    // Check boxes, 1 checked and 0 not, as the settings store keeps them:
    std::int16_t CheckFindFlag1 = 0;    // Find: whole words only
    std::int16_t CheckFindFlag2 = 0;    // Find: match case
    std::int16_t CheckReplaceFlag1 = 0; // Replace: match case
    // Where the next search starts in the text.
    std::int32_t FindReplacePos = 0;
    // The document is short enough for Find and Replace.
    bool UseFindRep = false;

    void remember(const FindChoice& choice);
    void remember(const ReplaceChoice& choice);
    void remember(const GoToChoice& choice);
    // A new search: no text, no boxes, from the top.
    void forget();
    // Find always starts afresh: the sample text, from the top.
    void startNewFind() { FindReplaceTemp.clear(); }
};

} // namespace quillet
