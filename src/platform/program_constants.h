#pragma once

// Names and units every part of the program shares.

#include <QString>

namespace quillet {

// The program's name, the title of its message boxes.
inline const QString ProgramName = QStringLiteral("Квиллет");
// Caption suffix after the document name.
inline const QString CaptionSuffix = QStringLiteral(" - Квиллет");
// The main window's name, as the error report names the window a failure
// happened in.
inline const QString MainFormName = QStringLiteral("FrmMain");
inline const QString CRLF = QStringLiteral("\r\n");
constexpr int TwipsPerPixel = 15;

} // namespace quillet
