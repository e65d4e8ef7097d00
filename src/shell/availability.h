#pragma once

class QKeySequence;

namespace quillet {

class FrmMain;

// Before a shortcut key runs its command: the menu that holds the command works
// out its items' availability as it does when it opens.
void RefreshBeforeShortcut(FrmMain& window, const QKeySequence& keys);

} // namespace quillet
