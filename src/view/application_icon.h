#pragma once

#include <QIcon>

namespace quillet {

// The application's icon in the sizes launchers and window managers ask for,
// drawn from the program's built-in pictures.
QIcon ApplicationIcon();

} // namespace quillet
