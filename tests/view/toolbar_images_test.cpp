// The toolbar pictures on screens of any pixel density: drawn at the density,
// not enlarged, and looking as they do at their natural 16 pixels.

#include "view/toolbar_images.h"

#include <QImage>
#include <QPixmap>

#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>

namespace quillet {
namespace {

const char* const Keys[] = {"NewBtn",    "OpenBtn",  "SaveBtn",  "PrintBtn",   "CutBtn",
                            "CopyBtn",   "PasteBtn", "FindBtn",  "CopyAllBtn", "LeftBtn",
                            "CenterBtn", "RightBtn", "LeftBtn2", "CenterBtn2", "RightBtn2"};

QImage at(const QIcon& icon, qreal ratio) {
    return icon.pixmap(QSize(16, 16), ratio).toImage().convertToFormat(QImage::Format_ARGB32);
}

TEST(ToolbarImages, EveryPictureIsDrawnWithAsManyPixelsAsTheScreenHas) {
    const QVector<QIcon> images = makeToolbarImages();
    ASSERT_EQ(images.size(), 15);
    for (qreal ratio : {1.0, 1.25, 1.5, 2.0, 3.0}) {
        const int device = int(std::lround(16 * ratio));
        for (int i = 0; i < images.size(); ++i) {
            const QPixmap pixmap = images[i].pixmap(QSize(16, 16), ratio);
            EXPECT_EQ(pixmap.size(), QSize(device, device)) << Keys[i] << " at " << ratio;
            EXPECT_NEAR(pixmap.devicePixelRatio(), ratio, 0.01) << Keys[i] << " at " << ratio;
            // Still a picture: not empty at any size.
            const QImage image = pixmap.toImage();
            int opaque = 0;
            for (int y = 0; y < image.height(); ++y)
                for (int x = 0; x < image.width(); ++x)
                    opaque += qAlpha(image.pixel(x, y)) > 128;
            EXPECT_GT(opaque, device * device / 10) << Keys[i] << " at " << ratio;
        }
    }
}

TEST(ToolbarImages, StraightEdgedPicturesAtTwiceTheDensityAreTheirPixelsDoubled) {
    // Pictures made only of upright rectangles and lines: sharp at 2x means
    // every pixel of the natural picture becomes an exact 2x2 square.
    const QVector<QIcon> images = makeToolbarImages();
    for (int i : {2, 9, 10, 11, 12, 13, 14}) {
        const QImage natural = at(images[i], 1.0);
        const QImage doubled = at(images[i], 2.0);
        ASSERT_EQ(doubled.size(), QSize(32, 32)) << Keys[i];
        const QImage expected =
            natural.scaled(32, 32, Qt::IgnoreAspectRatio, Qt::FastTransformation);
        int differing = 0;
        for (int y = 0; y < 32; ++y)
            for (int x = 0; x < 32; ++x)
                differing += doubled.pixel(x, y) != expected.pixel(x, y);
        EXPECT_EQ(differing, 0) << Keys[i];
    }
}

TEST(ToolbarImages, EveryPictureKeepsItsLookAtTwiceTheDensity) {
    // Each 2x2 square of the dense picture, averaged, is close to the pixel of
    // the natural picture it covers.
    const QVector<QIcon> images = makeToolbarImages();
    for (int i = 0; i < images.size(); ++i) {
        const QImage natural = at(images[i], 1.0);
        const QImage doubled = at(images[i], 2.0);
        ASSERT_EQ(doubled.size(), QSize(32, 32)) << Keys[i];
        long total = 0;
        for (int y = 0; y < 16; ++y) {
            for (int x = 0; x < 16; ++x) {
                int sum[4] = {0, 0, 0, 0};
                for (int dy = 0; dy < 2; ++dy) {
                    for (int dx = 0; dx < 2; ++dx) {
                        const QRgb p = doubled.pixel(2 * x + dx, 2 * y + dy);
                        // Colours weighted by coverage, as they blend on screen.
                        sum[0] += qRed(p) * qAlpha(p) / 255;
                        sum[1] += qGreen(p) * qAlpha(p) / 255;
                        sum[2] += qBlue(p) * qAlpha(p) / 255;
                        sum[3] += qAlpha(p);
                    }
                }
                const QRgb n = natural.pixel(x, y);
                total += std::abs(sum[0] / 4 - qRed(n) * qAlpha(n) / 255) +
                         std::abs(sum[1] / 4 - qGreen(n) * qAlpha(n) / 255) +
                         std::abs(sum[2] / 4 - qBlue(n) * qAlpha(n) / 255) +
                         std::abs(sum[3] / 4 - qAlpha(n));
            }
        }
        // Mean difference per channel, of 255.
        EXPECT_LT(total / (16.0 * 16.0 * 4.0), 16.0) << Keys[i];
    }
}

} // namespace
} // namespace quillet
