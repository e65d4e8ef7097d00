#pragma once

// The rules of the main window's layout that do not need a window: its default
// placement, when it is big enough to use, and the notice shown when it is not.

#include <QRect>
#include <QString>
#include <QVector>

#include <cstdint>

class QWidget;

namespace quillet {

class FrmMain;
struct Options;

// Inverts an option the layout applies (bars, quick styles, file-type filter,
// transparency), lays the window out again; the change is one the settings
// question at closing asks about.
void ToggleLayoutOption(FrmMain& window, bool Options::*option);

// A window's outer (frame) geometry in twips. Before the window is first shown
// it has no frame yet, and the frame is the window itself.
class OuterFrame {
public:
    explicit OuterFrame(QWidget& window) : window_(window) {}
    std::int32_t Left() const;
    std::int32_t Top() const;
    std::int32_t Width() const;
    std::int32_t Height() const;
    void SetPosition(std::int32_t left, std::int32_t top);
    // An outer size given before the window system has told the window how wide
    // its frame is is corrected once the frame is known.
    void SetSize(std::int32_t width, std::int32_t height);
    // Moves and shrinks the window, if it must, so that it lies on one of the
    // screens' available areas (primary first).
    void BringOntoScreen(const QVector<QRect>& screenAreas);

private:
    QWidget& window_;
};

} // namespace quillet

namespace quillet::layout {

// All in twips.
constexpr std::int32_t DefaultOuterWidth = 10500;
constexpr std::int32_t DefaultOuterHeight = 8550;
constexpr std::int32_t MinimumOuterHeight = 4000;
// WidthLimitPoint: the toolbar's last button's right edge plus this margin.
constexpr std::int32_t WidthLimitMargin = 300;
// Opacity applied by every layout (of 255).
constexpr int LayoutOpacity = 128;

// The window can show its interface: not minimised, at least widthLimit wide and
// MinimumOuterHeight high (equality counts as usable).
constexpr bool isUsable(bool minimised, std::int32_t outerWidth, std::int32_t outerHeight,
                        std::int32_t widthLimit) {
    return !minimised && outerWidth >= widthLimit && outerHeight >= MinimumOuterHeight;
}

// The offset that centres a window of windowExtent on a screen of screenExtent,
// halving each with whole-number division.
constexpr std::int32_t centredOffset(std::int32_t screenExtent, std::int32_t windowExtent) {
    return screenExtent / 2 - windowExtent / 2;
}

// Twips to logical pixels, to the nearest pixel.
constexpr int toPixels(std::int32_t twips) {
    const std::int64_t doubled = static_cast<std::int64_t>(twips) * 2;
    return static_cast<int>((twips >= 0 ? doubled + 15 : doubled - 15) / 30);
}

// A window placement (outer geometry, in pixels) brought onto the screens whose
// available areas are given, primary first. A placement that lies wholly inside
// one of them comes back unchanged. Otherwise it goes to the area it overlaps
// most (the primary one when it overlaps none), shrunk to fit the area and moved
// as little as needed to lie inside it.
QRect placeOnScreen(const QRect& window, const QVector<QRect>& areas);

// The notice shown the first time the window is too small to use.
QString tooSmallNotice();

} // namespace quillet::layout
