// The printed form of the document: paragraphs and line breaks, the formatting
// every paragraph carries, and the message a printing failure gets.

#include "documents/print_document.h"
#include "platform/program_constants.h"

#include <QTextBlock>
#include <QTextDocument>
#include <QTextFrame>

#include <gtest/gtest.h>

namespace quillet::test {
namespace {

const QChar PS = QChar::ParagraphSeparator;
const QChar LS = QChar::LineSeparator;

TEST(PrintDocumentText, LineBreaksBecomeParagraphsAndLoneLineFeedsLineBreaks) {
    struct Case {
        QString model;
        QString printed;
    };
    const Case cases[] = {
        {QString(), QString()},
        {QStringLiteral("abc"), QStringLiteral("abc")},
        {QStringLiteral("a\r\nb"), QStringLiteral("a") + PS + QStringLiteral("b")},
        {QStringLiteral("a\nb"), QStringLiteral("a") + LS + QStringLiteral("b")},
        {QStringLiteral("a\rb"), QStringLiteral("a") + PS + QStringLiteral("b")},
        {QStringLiteral("\r\n\r\n"), QString(PS) + PS},
        {QStringLiteral("x\n\r\ny\r\n"), QStringLiteral("x") + LS + PS + QStringLiteral("y") + PS},
        {QStringLiteral("\r\r\n\n"), QString(PS) + PS + LS},
        {QStringLiteral("Привет\tмир\u00A0!"), QStringLiteral("Привет\tмир\u00A0!")},
    };
    for (const Case& c : cases)
        EXPECT_EQ(printDocumentText(c.model), c.printed) << c.model.toStdString();
}

WorkingCopy sampleCopy(const QString& text, int alignment) {
    WorkingCopy copy;
    copy.text = text;
    copy.selStart = 0;
    copy.selLength = static_cast<int>(text.size());
    copy.alignment = alignment;
    copy.font = QFont(QStringLiteral("DejaVu Serif"));
    copy.font.setPointSizeF(15.5);
    copy.font.setBold(true);
    copy.font.setItalic(true);
    copy.font.setUnderline(true);
    copy.font.setStrikeOut(true);
    copy.textColor = QColor(0x80, 0x10, 0x20);
    copy.backColor = QColor(0xFF, 0xF0, 0xC0);
    return copy;
}

TEST(FillPrintDocument, EveryParagraphCarriesTheAlignmentFontAndColours) {
    struct Case {
        int alignment;
        Qt::Alignment horizontal;
    };
    const Case cases[] = {{0, Qt::AlignLeft | Qt::AlignAbsolute},
                          {1, Qt::AlignRight | Qt::AlignAbsolute},
                          {2, Qt::AlignHCenter}};
    const QString text = QStringLiteral("Первая") + CRLF + CRLF + QStringLiteral("вто\nрая") +
                         CRLF + QStringLiteral("третья");
    for (const Case& c : cases) {
        SCOPED_TRACE(c.alignment);
        const WorkingCopy copy = sampleCopy(text, c.alignment);
        QTextDocument doc;
        fillPrintDocument(copy, doc);

        ASSERT_EQ(doc.blockCount(), 4);
        EXPECT_EQ(doc.toRawText(), printDocumentText(text));
        EXPECT_EQ(doc.rootFrame()->frameFormat().background().color(), copy.backColor);
        int checkedFragments = 0;
        for (QTextBlock b = doc.begin(); b.isValid(); b = b.next()) {
            EXPECT_EQ(b.blockFormat().alignment() & Qt::AlignHorizontal_Mask, c.horizontal)
                << b.blockNumber();
            for (auto it = b.begin(); !it.atEnd(); ++it) {
                const QTextCharFormat f = it.fragment().charFormat();
                EXPECT_EQ(f.font().family(), copy.font.family());
                EXPECT_DOUBLE_EQ(f.fontPointSize(), 15.5);
                EXPECT_TRUE(f.font().bold());
                EXPECT_TRUE(f.fontItalic());
                EXPECT_TRUE(f.fontUnderline());
                EXPECT_TRUE(f.fontStrikeOut());
                EXPECT_EQ(f.foreground().color(), copy.textColor);
                ++checkedFragments;
            }
        }
        EXPECT_EQ(checkedFragments, 3); // the empty paragraph has no fragment
    }
}

TEST(FillPrintDocument, OnlyTheSelectedPartOfTheCopyIsPrinted) {
    WorkingCopy copy = sampleCopy(QStringLiteral("abc\r\ndef\r\nghi"), 0);
    copy.selStart = 5;
    copy.selLength = 3;
    QTextDocument doc;
    fillPrintDocument(copy, doc);
    EXPECT_EQ(doc.toRawText(), QStringLiteral("def"));

    copy.selStart = 8;
    copy.selLength = 1000; // past the end: up to the end
    fillPrintDocument(copy, doc);
    EXPECT_EQ(doc.toRawText(), PS + QStringLiteral("ghi"));
}

TEST(PrintFailureMessage, APrinterFailureHasItsOwnMessage) {
    const QString noPrinter =
        QStringLiteral("Невозможно произвести печать.\r\nНе удаётся найти ни одного "
                       "установленного принтера.\r\nДля установки и настройки принтеров "
                       "воспользуйтесь панелью управления.");
    const QString unknown =
        QStringLiteral("Не удаётся произвести печать документа.\r\nПроизошла неизвестная ошибка.");
    EXPECT_EQ(printFailureMessage(482), noPrinter);
    for (int other : {0, 7, 57, 75, 481, 483})
        EXPECT_EQ(printFailureMessage(other), unknown) << other;
}

} // namespace
} // namespace quillet::test
