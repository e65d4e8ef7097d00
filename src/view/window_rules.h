#pragma once

// The rules behind the View menu and the semi-transparent window, kept apart from
// the window so they can be checked on their own.

#include <QPoint>
#include <QRect>
#include <QSize>
#include <QString>

namespace quillet {

// Opacity of the semi-transparent window, 0 (invisible) to 255 (opaque).
constexpr int OpacityNormal = 128;      // semi-transparent
constexpr int OpacityUnderCursor = 192; // the pointer is over the window
constexpr int OpacityOpaque = 255;

// Default placement of the main window, outer size in twips.
constexpr int DefaultWindowWidth = 10500;
constexpr int DefaultWindowHeight = 8550;

// The opacity for a pointer at `cursor` over a window whose outer rectangle is
// `window` (both in screen pixels). The window's outermost pixel rows and columns
// count as outside.
int opacityFor(QPoint cursor, const QRect& window);

// Whether a window whose outer rectangle in twips is `windowTwips` stands at the
// default placement on a screen of `screenTwips`: 10500 x 8550 twips, centred
// with whole-number halves. All four values must match.
bool isDefaultPlacement(const QRect& windowTwips, const QSize& screenTwips);

// Whether the semi-transparent window is offered on the system named
// `productName`: not on systems whose name ends in 95, 98, ME or NT (letters in
// any case). An unknown (empty) name offers it.
bool transparencyOffered(const QString& productName);

// A window rectangle in pixels as twips (15 twips per pixel).
QRect pixelsToTwips(const QRect& pixels);

} // namespace quillet
