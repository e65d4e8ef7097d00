#pragma once

#include <QIcon>

namespace quillet {

// The application's icon: the desktop theme's copy when one is installed, the
// program's built-in sizes otherwise.
QIcon ApplicationIcon();

} // namespace quillet
