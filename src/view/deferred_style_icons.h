#pragma once

#include <QProxyStyle>

namespace quillet {

// The application's style, with the pictures of the menu bar's and the
// toolbar's overflow buttons read only when one of them is first drawn.
//
// Every menu bar and toolbar makes its overflow button as it is built, and the
// style reads that button's pictures (several files per direction) at once,
// although the button shows only when the window is too narrow for the menus or
// the buttons. Here the style hands out an icon that asks the style underneath
// for the real one the first time it is drawn or measured; every other style
// request goes to the style underneath unchanged.
class DeferredIconStyle : public QProxyStyle {
public:
    // Over a new instance of the style of this name (the application's
    // current style's name: the desktop's choice or the one asked for with
    // -style).
    explicit DeferredIconStyle(const QString& baseName);
    // Over `base`, which it takes over.
    explicit DeferredIconStyle(QStyle* base);

    QIcon standardIcon(StandardPixmap icon, const QStyleOption* option = nullptr,
                       const QWidget* widget = nullptr) const override;

    // Whether a request for this picture is answered with a deferred icon.
    static bool defers(StandardPixmap icon);
};

// Puts the style over the application's current style, made again by its name.
// A style that cannot be made by name (none of the style factory's) is left as
// it is.
void installDeferredIconStyle();

} // namespace quillet
