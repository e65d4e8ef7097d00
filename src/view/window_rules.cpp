#include "view/window_rules.h"

#include "platform/program_constants.h"

namespace quillet {

int opacityFor(QPoint cursor, const QRect& window) {
    // The window covers the pixels left .. left + width - 1; the first and the
    // last of them, across and down, are its edge and count as outside.
    const int left = window.x();
    const int top = window.y();
    const bool outside = cursor.x() >= left + window.width() - 1 || cursor.x() <= left ||
                         cursor.y() <= top || cursor.y() >= top + window.height() - 1;
    return outside ? OpacityNormal : OpacityUnderCursor;
}

bool isDefaultPlacement(const QRect& windowTwips, const QSize& screenTwips) {
    const int width = windowTwips.width();
    const int height = windowTwips.height();
    const int top = screenTwips.height() / 2 - height / 2;
    const int left = screenTwips.width() / 2 - width / 2;
    return width == DefaultWindowWidth && height == DefaultWindowHeight && windowTwips.y() == top &&
           windowTwips.x() == left;
}

bool transparencyOffered(const QString& productName) {
    const QString tail = productName.right(2).toUpper();
    return tail != QLatin1String("95") && tail != QLatin1String("98") &&
           tail != QLatin1String("ME") && tail != QLatin1String("NT");
}

QRect pixelsToTwips(const QRect& pixels) {
    return {pixels.x() * TwipsPerPixel, pixels.y() * TwipsPerPixel, pixels.width() * TwipsPerPixel,
            pixels.height() * TwipsPerPixel};
}

} // namespace quillet
