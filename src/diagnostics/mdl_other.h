#pragma once

// Small questions the program asks the system about itself for the error report:
// its name, its version and the temporary folder. None of them shows a message
// or throws: a failure reads as an empty text.

#include "platform/platform.h"

#include <QString>

namespace quillet {

// The text with the native folder separator appended unless it already ends in
// one (an empty text becomes the separator alone).
QString AddBackslash(const QString& text);

// "major.minor.build" with the minor number written with at least two digits:
// 6, 1, 0 gives "6.01.0"; 5, 10, 3 gives "5.10.3".
QString FormatWindowsVersion(int major, int minor, int build);

// The system's name (the first line a user would recognise it by); empty when
// unknown.
QString GetWindowsName(Platform& platform);
// The version text of the running system; empty when it is unknown.
QString GetWindowsVersion(Platform& platform);
// "Temp", else "TMPDIR", with the separator appended; empty when neither is set.
QString GetTempFolder(Platform& platform);

} // namespace quillet
