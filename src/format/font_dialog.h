#pragma once

#include "platform/platform.h"

#include <optional>

class QWidget;

namespace quillet {

// The program's font dialog: name, size, bold, italic, underline, strikethrough
// and text colour in one window. Returns nothing when cancelled.
std::optional<FontChoice> runFontDialog(const FontChoice& initial, QWidget* owner);

} // namespace quillet
