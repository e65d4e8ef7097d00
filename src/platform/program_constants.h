#pragma once

// Names and units every part of the program shares.

#include <QString>

namespace quillet {

// The program's name, the title of its message boxes.
inline const QString ProgramName = QStringLiteral("Квиллет");
// Caption suffix after the document name.
inline const QString CaptionSuffix = QStringLiteral(" - Квиллет");
inline const QString CRLF = QStringLiteral("\r\n");
constexpr int TwipsPerPixel = 15;

} // namespace quillet
