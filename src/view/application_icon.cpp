#include "view/application_icon.h"

#include "view/cached_icon_engine.h"

#include <QImageReader>
#include <QResource>

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
        QPixmap picture = QPixmap::fromImage(readPicture(pictureFor(size)));
        if (picture.size() != size)
            picture = picture.scaled(size, Qt::KeepAspectRatio, Qt::SmoothTransformation);
        return picture;
    }

private:
    // The window sizes are kept as raw pixels, which need no decoding (each PNG
    // decoder set up costs more than the picture); the launcher sizes as PNG.
    static QImage readPicture(int side) {
        const QString stem = QStringLiteral(":/icons/%1/" QUILLET_APP_ID).arg(side);
        if (side <= LargestWindowSize) {
            const QResource pixels(stem + QStringLiteral(".rgba"));
            const QByteArray bytes = pixels.uncompressedData();
            if (bytes.size() == qsizetype(side) * side * 4) {
                // Copied, so the picture owns its pixels.
                return QImage(reinterpret_cast<const uchar*>(bytes.constData()), side, side,
                              side * 4, QImage::Format_RGBA8888)
                    .copy();
            }
        }
        // Named as PNG, and not guessed: guessing loads every image format
        // plug-in to ask it whether the file is its kind.
        QImageReader reader(stem + QStringLiteral(".png"), "png");
        reader.setAutoDetectImageFormat(false);
        return reader.read();
    }

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
