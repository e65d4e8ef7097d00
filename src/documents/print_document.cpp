#include "documents/print_document.h"

#include "platform/failure.h"

#include <QAbstractTextDocumentLayout>
#include <QPagedPaintDevice>
#include <QPainter>
#include <QTextBlockFormat>
#include <QTextCharFormat>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextFrame>
#include <QTextFrameFormat>
#include <QTextOption>

#include <algorithm>
#include <memory>

namespace quillet {

namespace {

const QString CrLf = QStringLiteral("\r\n");

Qt::Alignment alignmentFor(int code) {
    switch (code) {
    case 1:
        return Qt::AlignRight | Qt::AlignAbsolute;
    case 2:
        return Qt::AlignHCenter;
    default:
        return Qt::AlignLeft | Qt::AlignAbsolute;
    }
}

} // namespace

QString printDocumentText(const QString& modelText) {
    QString out;
    out.reserve(modelText.size());
    const qsizetype n = modelText.size();
    for (qsizetype i = 0; i < n; ++i) {
        const QChar c = modelText.at(i);
        if (c == QLatin1Char('\r')) {
            if (i + 1 < n && modelText.at(i + 1) == QLatin1Char('\n'))
                ++i;
            out.append(QChar::ParagraphSeparator);
        } else if (c == QLatin1Char('\n')) {
            out.append(QChar::LineSeparator);
        } else {
            out.append(c);
        }
    }
    return out;
}

void fillPrintDocument(const WorkingCopy& copy, QTextDocument& document) {
    document.clear();
    document.setDefaultFont(copy.font);

    QTextOption option = document.defaultTextOption();
    option.setAlignment(alignmentFor(copy.alignment));
    option.setWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
    document.setDefaultTextOption(option);

    // The background belongs to the whole page, not to the lines of text.
    QTextFrameFormat page = document.rootFrame()->frameFormat();
    page.setBackground(copy.backColor);
    document.rootFrame()->setFrameFormat(page);

    QTextBlockFormat paragraph;
    paragraph.setAlignment(alignmentFor(copy.alignment));

    QTextCharFormat characters;
    characters.setFont(copy.font, QTextCharFormat::FontPropertiesAll);
    characters.setForeground(copy.textColor);

    const qsizetype size = copy.text.size();
    const qsizetype start = std::clamp<qsizetype>(copy.selStart, 0, size);
    const qsizetype length = std::clamp<qsizetype>(copy.selLength, 0, size - start);

    QTextCursor cursor(&document);
    cursor.setBlockFormat(paragraph);
    cursor.setBlockCharFormat(characters);
    cursor.insertText(printDocumentText(copy.text.mid(start, length)), characters);
    // insertText gives new paragraphs the first one's format; set it on all of them
    // anyway so the whole text carries the same formatting.
    cursor.select(QTextCursor::Document);
    cursor.setBlockFormat(paragraph);
    cursor.mergeCharFormat(characters);
}

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

QString printFailureMessage(int failureNumber) {
    if (failureNumber == err::PrinterError)
        return QStringLiteral("Невозможно произвести печать.") + CrLf +
               QStringLiteral("Не удаётся найти ни одного установленного принтера.") + CrLf +
               QStringLiteral("Для установки и настройки принтеров воспользуйтесь панелью "
                              "управления.");
    return QStringLiteral("Не удаётся произвести печать документа.") + CrLf +
           QStringLiteral("Произошла неизвестная ошибка.");
}

} // namespace quillet
