#pragma once

namespace quillet {

// Gives the toolbar, status bar and dialogs the system's visual style. Returns
// true when that succeeded; callers do not use the result.
bool InitXPStyle();

} // namespace quillet
