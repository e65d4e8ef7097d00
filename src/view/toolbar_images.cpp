#include "view/toolbar_images.h"

#include "view/cached_icon_engine.h"

#include <QImage>
#include <QPainter>
#include <QPainterPath>
#include <QPixmap>

#include <cmath>
#include <functional>

namespace quillet {

namespace {

const QColor Ink(40, 40, 40);
const QColor Paper(255, 255, 255);
const QColor Folder(230, 190, 70);
const QColor Disk(60, 90, 170);
const QColor Accent(200, 40, 40);
const QColor Highlight(255, 215, 90);

// A picture is drawn on a grid of 16 x 16 units, one unit a pixel at its
// natural size. At that size it is drawn without smoothing, pixel by pixel.
// At any other size (a high-density screen, a scaled desktop) the same drawing
// is scaled, smoothed, and shifted by half a unit: an unsmoothed 1-unit stroke
// at x fills the pixel from x to x + 1, so its scaled copy must be centred on
// x + 0.5 to fill the same square. The pictures keep their look and their
// straight edges stay sharp.
using Painting = std::function<void(QPainter&)>;

// For the parts drawn smoothly at every size (curves, slanted strokes): their
// coordinates are pixel centres already, so the half-unit shift is undone.
void smooth(QPainter& p) {
    if (p.testRenderHint(QPainter::Antialiasing))
        p.translate(-0.5, -0.5);
    else
        p.setRenderHint(QPainter::Antialiasing, true);
}

// A 1-unit stroke with square corners: an unsmoothed rectangle's corner pixel is
// filled, and so must the corner of its scaled copy be.
QPen stroke(const QColor& color) {
    return QPen(color, 1, Qt::SolidLine, Qt::SquareCap, Qt::MiterJoin);
}

QImage render(const Painting& paint, const QSize& size) {
    QImage image(size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter p(&image);
    if (size == QSize(16, 16)) {
        p.setRenderHint(QPainter::Antialiasing, false);
    } else {
        p.setRenderHint(QPainter::Antialiasing, true);
        p.scale(size.width() / 16.0, size.height() / 16.0);
        p.translate(0.5, 0.5);
    }
    paint(p);
    p.end();
    return image;
}

// An icon that draws its picture at the size and pixel density it is asked
// for, instead of enlarging a 16-pixel bitmap.
class DrawnIconEngine : public CachedIconEngine {
public:
    explicit DrawnIconEngine(Painting paint) : paint_(std::move(paint)) {}

    QIconEngine* clone() const override { return new DrawnIconEngine(paint_); }

    QSize actualSize(const QSize& size, QIcon::Mode, QIcon::State) override { return size; }

    QList<QSize> availableSizes(QIcon::Mode, QIcon::State) override { return {QSize(16, 16)}; }

protected:
    QPixmap make(const QSize& size) override { return QPixmap::fromImage(render(paint_, size)); }

private:
    Painting paint_;
};

QIcon draw(Painting paint) {
    return QIcon(new DrawnIconEngine(std::move(paint)));
}

void page(QPainter& p, int x, int y, int w, int h) {
    p.setPen(stroke(Ink));
    p.setBrush(Paper);
    QPolygon outline;
    outline << QPoint(x, y) << QPoint(x + w - 4, y) << QPoint(x + w, y + 4) << QPoint(x + w, y + h)
            << QPoint(x, y + h);
    p.drawPolygon(outline);
    p.drawLine(x + w - 4, y, x + w - 4, y + 4);
    p.drawLine(x + w - 4, y + 4, x + w, y + 4);
}

void textLines(QPainter& p, int x, int y, int w, int count) {
    p.setPen(stroke(QColor(120, 120, 120)));
    for (int i = 0; i < count; ++i)
        p.drawLine(x, y + 2 * i, x + w, y + 2 * i);
}

// Lines of a paragraph: widths per row, placed left, centred or right.
QIcon alignment(int mode, bool highlighted) {
    return draw([=](QPainter& p) {
        if (highlighted) {
            p.setPen(stroke(QColor(160, 120, 20)));
            p.setBrush(Highlight);
            p.drawRect(0, 0, 15, 15);
        }
        p.setPen(stroke(Ink));
        const int widths[] = {12, 8, 12, 6, 10};
        for (int i = 0; i < 5; ++i) {
            const int w = widths[i];
            int x = 2;
            if (mode == 1)
                x = 14 - w;
            else if (mode == 2)
                x = 8 - w / 2;
            p.drawLine(x, 3 + 2 * i, x + w - 1, 3 + 2 * i);
        }
    });
}

} // namespace

QVector<QIcon> makeToolbarImages() {
    QVector<QIcon> images;
    // 1 NewBtn: a blank page.
    images << draw([](QPainter& p) { page(p, 3, 1, 10, 14); });
    // 2 OpenBtn: an open folder.
    images << draw([](QPainter& p) {
        p.setPen(stroke(Ink));
        p.setBrush(Folder.darker(115));
        p.drawRect(1, 3, 12, 10);
        p.setBrush(Folder);
        QPolygon front;
        front << QPoint(3, 7) << QPoint(15, 7) << QPoint(13, 13) << QPoint(1, 13);
        p.drawPolygon(front);
    });
    // 3 SaveBtn: a diskette.
    images << draw([](QPainter& p) {
        p.setPen(stroke(Ink));
        p.setBrush(Disk);
        p.drawRect(1, 1, 13, 13);
        p.setBrush(Paper);
        p.drawRect(4, 1, 7, 5);
        p.setBrush(QColor(200, 200, 200));
        p.drawRect(3, 9, 9, 5);
    });
    // 4 PrintBtn: a printer with a sheet.
    images << draw([](QPainter& p) {
        page(p, 4, 1, 8, 6);
        p.setPen(stroke(Ink));
        p.setBrush(QColor(170, 170, 170));
        p.drawRect(1, 7, 13, 5);
        p.setBrush(Paper);
        p.drawRect(4, 11, 7, 3);
        p.setPen(stroke(QColor(40, 160, 40)));
        p.drawPoint(12, 9);
    });
    // 5 CutBtn: scissors.
    images << draw([](QPainter& p) {
        smooth(p);
        p.setPen(QPen(Ink, 1.2));
        p.drawLine(QPointF(5, 1), QPointF(10, 10));
        p.drawLine(QPointF(10, 1), QPointF(5, 10));
        p.setPen(QPen(Accent, 1.5));
        p.setBrush(Qt::NoBrush);
        p.drawEllipse(QPointF(4.5, 12.5), 2.5, 2.5);
        p.drawEllipse(QPointF(10.5, 12.5), 2.5, 2.5);
    });
    // 6 CopyBtn: two pages.
    images << draw([](QPainter& p) {
        page(p, 1, 1, 8, 10);
        page(p, 6, 5, 8, 10);
        textLines(p, 8, 9, 4, 3);
    });
    // 7 PasteBtn: a clipboard with a page.
    images << draw([](QPainter& p) {
        p.setPen(stroke(Ink));
        p.setBrush(QColor(170, 120, 60));
        p.drawRect(1, 2, 10, 13);
        p.setBrush(QColor(200, 200, 200));
        p.drawRect(4, 1, 4, 2);
        page(p, 6, 6, 8, 9);
    });
    // 8 FindBtn: a magnifying glass.
    images << draw([](QPainter& p) {
        smooth(p);
        p.setPen(QPen(Ink, 1.5));
        p.setBrush(QColor(200, 225, 255));
        p.drawEllipse(QPointF(6, 6), 4, 4);
        p.setPen(QPen(Ink, 2.5));
        p.drawLine(QPointF(9, 9), QPointF(14, 14));
    });
    // 9 CopyAllBtn: a full page with a copy mark.
    images << draw([](QPainter& p) {
        page(p, 1, 1, 10, 14);
        textLines(p, 3, 5, 6, 5);
        p.setPen(stroke(Accent));
        p.setBrush(Accent);
        p.drawRect(10, 10, 4, 4);
    });
    // 10-12 alignment, 13-15 the same highlighted.
    images << alignment(0, false) << alignment(2, false) << alignment(1, false);
    images << alignment(0, true) << alignment(2, true) << alignment(1, true);
    return images;
}

} // namespace quillet
