#include "view/application_icon.h"

#include "view/cached_icon_engine.h"

#include <QImageReader>

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
class PictureIconEngine : public CachedIconEngine {
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

protected:
    QPixmap make(const QSize& size) override {
        // Named as PNG, and not guessed: guessing loads every image format
        // plug-in to ask it whether the file is its kind.
        QImageReader reader(QStringLiteral(":/icons/%1/%2.png")
                                .arg(pictureFor(size))
                                .arg(QStringLiteral(QUILLET_APP_ID)),
                            "png");
        reader.setAutoDetectImageFormat(false);
        QPixmap picture = QPixmap::fromImage(reader.read());
        if (picture.size() != size)
            picture = picture.scaled(size, Qt::KeepAspectRatio, Qt::SmoothTransformation);
        return picture;
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
