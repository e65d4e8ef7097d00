#pragma once

// Which editing commands can act, worked out from the editor's state and the
// clipboard. The three places that offer commands (the Edit menu, the context
// menus, the toolbar) all read one Availability, so their rules cannot drift apart.

#include "platform/failure.h"

#include <functional>
#include <optional>

namespace quillet {

// Find, Find Next and Replace work on documents up to this many characters
// (line breaks count two).
constexpr int FindReplaceLimit = 32000;

struct EditorState {
    bool canUndo = false;
    int textLength = 0; // CR LF counts two
    int selLength = 0;
    bool useFindRep = true;
    // Whether the clipboard holds text; nothing when it could not be read.
    std::optional<bool> clipboardText;
};

struct Availability {
    bool undo = false;
    bool selection = false; // cut, copy, delete, case conversion
    bool find = false;      // find, find next, replace
    bool goTo = false;      // also "copy all"
    bool selectAll = false;
    std::optional<bool> paste; // nothing: leave the item as it is
};

// When a command is offered; nothing: leave its item as it is. The menus' and
// the toolbar's tables name one for each command: when<&Availability::find>.
using Offered = std::optional<bool> (*)(const Availability&);
template <auto Field> std::optional<bool> when(const Availability& a) {
    return a.*Field;
}

inline bool documentFitsFindReplace(int textLength) {
    return textLength <= FindReplaceLimit;
}

inline Availability availabilityFor(const EditorState& s) {
    const bool hasText = s.textLength > 0;
    const bool hasSelection = s.selLength > 0;
    const bool allSelected = hasSelection && s.selLength >= s.textLength;
    Availability a;
    a.undo = s.canUndo;
    a.selection = hasSelection;
    a.find = hasText && s.useFindRep;
    a.goTo = hasText;
    a.selectAll = hasText && !allSelected;
    a.paste = s.clipboardText;
    return a;
}

// Runs read until it succeeds, at most attempts times; every Failure it throws is
// handed to report first. Nothing when every attempt failed.
template <typename T>
std::optional<T> readWithRetries(int attempts, const std::function<T()>& read,
                                 const std::function<void(const Failure&)>& report) {
    for (int i = 0; i < attempts; ++i) {
        std::optional<T> value;
        if (const std::optional<Failure> failure = trapFailure([&] { value = read(); }))
            report(*failure);
        else
            return value;
    }
    return std::nullopt;
}

} // namespace quillet
