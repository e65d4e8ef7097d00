#include "view/toolbar_images.h"

#include <QPainter>
#include <QPainterPath>
#include <QPixmap>

#include <functional>

namespace quillet {

namespace {

const QColor Ink(40, 40, 40);
const QColor Paper(255, 255, 255);
const QColor Folder(230, 190, 70);
const QColor Disk(60, 90, 170);
const QColor Accent(200, 40, 40);
const QColor Highlight(255, 215, 90);

QIcon draw(const std::function<void(QPainter&)>& paint) {
    QPixmap pixmap(16, 16);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing, false);
    paint(p);
    p.end();
    return QIcon(pixmap);
}

void page(QPainter& p, int x, int y, int w, int h) {
    p.setPen(Ink);
    p.setBrush(Paper);
    QPolygon outline;
    outline << QPoint(x, y) << QPoint(x + w - 4, y) << QPoint(x + w, y + 4) << QPoint(x + w, y + h)
            << QPoint(x, y + h);
    p.drawPolygon(outline);
    p.drawLine(x + w - 4, y, x + w - 4, y + 4);
    p.drawLine(x + w - 4, y + 4, x + w, y + 4);
}

void textLines(QPainter& p, int x, int y, int w, int count) {
    p.setPen(QColor(120, 120, 120));
    for (int i = 0; i < count; ++i)
        p.drawLine(x, y + 2 * i, x + w, y + 2 * i);
}

// Lines of a paragraph: widths per row, placed left, centred or right.
QIcon alignment(int mode, bool highlighted) {
    return draw([=](QPainter& p) {
        if (highlighted) {
            p.setPen(QColor(160, 120, 20));
            p.setBrush(Highlight);
            p.drawRect(0, 0, 15, 15);
        }
        p.setPen(Ink);
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
        p.setPen(Ink);
        p.setBrush(Folder.darker(115));
        p.drawRect(1, 3, 12, 10);
        p.setBrush(Folder);
        QPolygon front;
        front << QPoint(3, 7) << QPoint(15, 7) << QPoint(13, 13) << QPoint(1, 13);
        p.drawPolygon(front);
    });
    // 3 SaveBtn: a diskette.
    images << draw([](QPainter& p) {
        p.setPen(Ink);
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
        p.setPen(Ink);
        p.setBrush(QColor(170, 170, 170));
        p.drawRect(1, 7, 13, 5);
        p.setBrush(Paper);
        p.drawRect(4, 11, 7, 3);
        p.setPen(QColor(40, 160, 40));
        p.drawPoint(12, 9);
    });
    // 5 CutBtn: scissors.
    images << draw([](QPainter& p) {
        p.setRenderHint(QPainter::Antialiasing, true);
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
        p.setPen(Ink);
        p.setBrush(QColor(170, 120, 60));
        p.drawRect(1, 2, 10, 13);
        p.setBrush(QColor(200, 200, 200));
        p.drawRect(4, 1, 4, 2);
        page(p, 6, 6, 8, 9);
    });
    // 8 FindBtn: a magnifying glass.
    images << draw([](QPainter& p) {
        p.setRenderHint(QPainter::Antialiasing, true);
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
        p.setPen(Accent);
        p.setBrush(Accent);
        p.drawRect(10, 10, 4, 4);
    });
    // 10-12 alignment, 13-15 the same highlighted.
    images << alignment(0, false) << alignment(2, false) << alignment(1, false);
    images << alignment(0, true) << alignment(2, true) << alignment(1, true);
    return images;
}

} // namespace quillet
