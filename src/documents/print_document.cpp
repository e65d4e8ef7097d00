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
