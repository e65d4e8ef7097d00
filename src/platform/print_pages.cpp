#include "platform/print_pages.h"

#include "platform/failure.h"

#include <QAbstractTextDocumentLayout>
#include <QPagedPaintDevice>
#include <QPainter>
#include <QTextDocument>
#include <QTextFrame>
#include <QTextFrameFormat>

#include <algorithm>
#include <memory>

namespace quillet {

void printTextDocument(const QTextDocument& document, QPagedPaintDevice& device) {
    QPainter painter;
    if (!painter.begin(&device))
        throw Failure(err::DeviceIO, QStringLiteral("Printing failed"));

    // Lay out a copy at the device's own resolution, so the fonts keep their size in
    // points and the lines break where they will be printed.
    const std::unique_ptr<QTextDocument> copy(document.clone());
    copy->documentLayout()->setPaintDevice(&device);
    const QBrush background = copy->rootFrame()->frameFormat().background();
    copy->setDocumentMargin(0);

    constexpr double marginInches = 2 / 2.54;
    const double marginX = marginInches * device.logicalDpiX();
    const double marginY = marginInches * device.logicalDpiY();
    const QRectF page(0, 0, device.width(), device.height());
    const QSizeF body(std::max(1.0, page.width() - 2 * marginX),
                      std::max(1.0, page.height() - 2 * marginY));
    copy->setPageSize(body);

    const int pages = copy->pageCount();
    for (int i = 0; i < pages; ++i) {
        if (i > 0 && !device.newPage())
            throw Failure(err::DeviceIO, QStringLiteral("Printing failed"));
        if (background.style() != Qt::NoBrush)
            painter.fillRect(page, background);
        painter.save();
        painter.translate(marginX, marginY - i * body.height());
        const QRectF view(QPointF(0, i * body.height()), body);
        painter.setClipRect(view);
        QAbstractTextDocumentLayout::PaintContext context;
        // A line that starts exactly at the page's lower edge belongs to the next
        // page; left in, it would be emitted (invisible, clipped) on this one too.
        context.clip = view.adjusted(0, 0, 0, -1);
        context.palette.setColor(QPalette::Text, Qt::black);
        copy->documentLayout()->draw(&painter, context);
        painter.restore();
    }
    if (!painter.end())
        throw Failure(err::DeviceIO, QStringLiteral("Printing failed"));
}

} // namespace quillet
