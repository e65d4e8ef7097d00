#pragma once

#include <QString>

namespace quillet {

// The text up to, not including, its first NUL character.
QString StripAtNull(const QString& text);
// The text with the native folder separator appended unless it already ends in
// one (an empty text becomes the separator alone).
QString AddBackslash(const QString& text);

} // namespace quillet
