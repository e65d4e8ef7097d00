#include "view/application_icon.h"

#include <QApplication>
#include <QHash>
#include <QIconEngine>
#include <QPainter>
#include <QStyle>
#include <QStyleOption>

#include <algorithm>
#include <array>

namespace quillet {
namespace {

// The sizes of the built-in pictures (the ones the installation puts into the
// icon theme).
constexpr std::array<int, 7> PictureSizes = {16, 24, 32, 48, 64, 128, 256};
// The sizes a window offers the window manager: title bars and task switchers
// draw at these. The larger pictures are for launchers, which take the theme's.
constexpr int LargestWindowSize = 64;

// Reads a picture only when a size is first asked for. Decoding all seven at
// start-up, and sending the two large ones to the X server with the window,
// was a noticeable share of the time before the window appeared.
class PictureIconEngine : public QIconEngine {
public:
    QIconEngine* clone() const override { return new PictureIconEngine(*this); }

    QSize actualSize(const QSize& size, QIcon::Mode, QIcon::State) override {
        const int side = pictureFor(size);
        return QSize(side, side).scaled(size.boundedTo(QSize(side, side)), Qt::KeepAspectRatio);
    }

    QList<QSize> availableSizes(QIcon::Mode, QIcon::State) override {
        QList<QSize> sizes;
        for (int side : PictureSizes)
            if (side <= LargestWindowSize)
                sizes.append(QSize(side, side));
        return sizes;
    }

    QPixmap pixmap(const QSize& size, QIcon::Mode mode, QIcon::State state) override {
        if (size.isEmpty())
            return {};
        const QSize wanted = actualSize(size, mode, state);
        const quint64 key =
            (quint64(wanted.width()) << 32) | (quint64(wanted.height()) << 8) | quint64(mode);
        if (auto cached = cache_.constFind(key); cached != cache_.constEnd())
            return *cached;
        const int side = pictureFor(size);
        QPixmap pixmap(
            QStringLiteral(":/icons/%1/%2.png").arg(side).arg(QStringLiteral(QUILLET_APP_ID)));
        if (pixmap.size() != wanted)
            pixmap = pixmap.scaled(wanted, Qt::KeepAspectRatio, Qt::SmoothTransformation);
        // Disabled and selected pictures are derived the way the style derives
        // them from any other icon.
        if (mode != QIcon::Normal && qApp) {
            QStyleOption option;
            option.palette = QApplication::palette();
            pixmap = QApplication::style()->generatedIconPixmap(mode, pixmap, &option);
        }
        cache_.insert(key, pixmap);
        return pixmap;
    }

    void paint(QPainter* painter, const QRect& rect, QIcon::Mode mode,
               QIcon::State state) override {
        const qreal ratio = painter->device() ? painter->device()->devicePixelRatioF() : 1.0;
        const QSize device(qRound(rect.width() * ratio), qRound(rect.height() * ratio));
        QPixmap picture = pixmap(device, mode, state);
        picture.setDevicePixelRatio(ratio);
        painter->drawPixmap(rect.topLeft(), picture);
    }

private:
    // The smallest picture at least as large as asked, or the largest there is.
    static int pictureFor(const QSize& size) {
        const int side = std::max(size.width(), size.height());
        for (int candidate : PictureSizes)
            if (candidate >= side)
                return candidate;
        return PictureSizes.back();
    }

    QHash<quint64, QPixmap> cache_;
};

} // namespace

QIcon ApplicationIcon() {
    // One icon for the whole run: the main window, the application and the
    // About window share it, and with it the pictures already read. It is
    // never destroyed, as its pictures must not outlive the application.
    static const QIcon* const icon = new QIcon(new PictureIconEngine);
    return *icon;
}

} // namespace quillet
