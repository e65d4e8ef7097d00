#pragma once

// The program's options: the choices the menus show as check marks and the flags
// the settings store keeps. The menus show these values; commands change them here
// and the check marks follow, so behaviour never depends on a menu's state.

#include "documents/mdl_code.h"

#include <cstdint>

namespace quillet {

// How the toolbar explains its buttons.
enum class ToolTipChoice {
    Describe, // tooltips and status texts describe the buttons
    Hide,     // no tooltips, the status text stays "Готово"
    Neither,  // neither chosen (a hand-edited store): left as they are
};

struct Options {
    // ---- File menu: opening and saving -----------------------------------
    // Only text file types in the Open and Save As dialogs (and in the caption).
    bool LimType = true;
    // Ask before reading a file past the size limit.
    bool LenEn = true;
    // The code page files are read with; normally exactly one is set, but a
    // stored combination is kept as it is (Dos wins, then Koi, else Windows).
    bool TextWindows = true;
    bool TextDos = false;
    bool TextKoi = false;
    // Give the editor's font the Cyrillic character set when a file is read.
    bool SetChars = true;

    // ---- View menu -------------------------------------------------------
    bool Transparent = false;
    bool GetMouse = false; // opacity follows the pointer (with Transparent)
    bool ToolBar = true;
    bool StatusBar = true;
    bool TextInf = true;       // tooltips and status texts shown
    bool NoToolTip = false;    // tooltips hidden
    bool StandardMenu = false; // the editor's own context menu in place of the program's
    bool PromptChanges = true; // ask at closing before the changed options are stored

    // ---- Format menu: the quick styles ------------------------------------
    bool Bold = false;
    bool Italic = false;
    bool Underline = false;

    // ---- Stored flags and values -------------------------------------------
    bool DisableSaveFile = false; // saving switched off by the administrator
    bool NoDebugFile = false;     // no error report is written
    // Paragraph alignment: 0 left, 1 right, 2 centre.
    std::int32_t TextAlign = 0;
    // The editor's text colour is the system window-text colour.
    bool TextColorIsSystem = true;
    // The options changed during this run (the question at closing).
    bool UserChangeOptions = false;
    bool ResizeCritical = false; // the "window too small" notice was shown
    bool UnloadOk = false;       // the last run closed normally
    bool FirstLoading = false;   // the program has never run before

    // The code page the next file is read with.
    CodePage openingCodePage() const;
    // Chooses the opening code page; the other two are cleared.
    void selectOpeningCodePage(CodePage codePage);
    // The window's opacity follows the pointer.
    bool followsCursor() const { return Transparent && GetMouse; }
    ToolTipChoice toolTipChoice() const;
    // Chooses between describing the buttons and hiding the tooltips.
    void chooseToolTips(ToolTipChoice mode);
    // Inverts one of the flags above and records that the options changed.
    void toggle(bool Options::*option);
    // A valid alignment code.
    static bool isAlignment(std::int32_t code) { return code >= 0 && code <= 2; }
};

} // namespace quillet
