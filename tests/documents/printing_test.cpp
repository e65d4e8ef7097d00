#include "documents/print_document.h"
#include "platform/failure.h"
#include "support/harness.h"

#include <QDir>
#include <QFile>
#include <QImage>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTextBlock>
#include <QTextDocument>
#include <QTextFrame>

#include <gtest/gtest.h>

#include <new>

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

// ---- Through the main window -------------------------------------------------

struct DocumentState {
    QString text;
    int selStart, selLength;
    bool textChange, fileExist, newDoc, userChangeOptions, canUndo;
    QString commonFileName, recentFile, caption;
    int textAlign;
    bool operator==(const DocumentState&) const = default;
};

DocumentState stateOf(FrmMain& w) {
    return {w.textBlock()->text(),         w.textBlock()->selStart(), w.textBlock()->selLength(),
            w.document().TextChange,       w.document().FileExist,    w.document().NewDoc,
            w.options().UserChangeOptions, w.textBlock()->canUndo(),  w.document().CommonFileName,
            w.document().RecentFileString, w.windowTitle(),           w.options().TextAlign};
}

TEST(Printing, WithoutAPrinterTheUserIsToldAndOneReportIsWritten) {
    Harness h;
    h.load();
    h->textBlock()->setText(QStringLiteral("Текст для печати"));
    h.platform.hasPrinter = false;
    const DocumentState before = stateOf(*h.window);

    h->mnuPrint_Click();

    const std::vector<Shown> messages = h.platform.messages();
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0].text, printFailureMessage(482));
    EXPECT_EQ(messages[0].text.count(CRLF), 2);
    EXPECT_EQ(messages[0].title, QStringLiteral("Квиллет"));
    EXPECT_EQ(messages[0].icon, MsgIcon::Exclamation);
    EXPECT_EQ(messages[0].buttons, MsgButtons::Ok);
    const QString report = errorReport(h);
    EXPECT_TRUE(report.contains(QStringLiteral("Error Number=482"))) << report.toStdString();
    EXPECT_TRUE(report.contains(QStringLiteral("FrmMain"))) << report.toStdString();
    EXPECT_EQ(h.platform.printJobs, 0);
    EXPECT_TRUE(stateOf(*h.window) == before);
}

// A platform whose printer fails in some other way.
class FailingPrinter : public ScriptedPlatform {
public:
    std::function<void()> fail;
    void print(QTextDocument&) override { fail(); }
};

TEST(Printing, AnyOtherFailureIsReportedAsUnknown) {
    struct Case {
        const char* name;
        std::function<void()> fail;
        int number;
    };
    const Case cases[] = {
        {"device", [] { throw Failure(err::DeviceIO, QStringLiteral("Device I/O error")); },
         err::DeviceIO},
        {"memory", [] { throw std::bad_alloc(); }, 7},
        {"other", [] { throw std::runtime_error("spooler went away"); }, 51},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        FailingPrinter platform;
        seedOrdinarySettings(platform.store);
        platform.fail = c.fail;
        FrmMain w(platform, QString());
        w.Form_Load();
        w.textBlock()->setText(QStringLiteral("abc"));
        platform.shown.clear();

        w.mnuPrint_Click();

        const std::vector<Shown> messages = platform.messages();
        ASSERT_EQ(messages.size(), 1u);
        EXPECT_EQ(messages[0].text, QStringLiteral("Не удаётся произвести печать документа.") +
                                        CRLF + QStringLiteral("Произошла неизвестная ошибка."));
        EXPECT_EQ(messages[0].icon, MsgIcon::Exclamation);
        EXPECT_EQ(messages[0].title, QStringLiteral("Квиллет"));
        QFile log(w.errorReport().DebugFilePath());
        ASSERT_TRUE(log.open(QIODevice::ReadOnly));
        EXPECT_TRUE(QString::fromLatin1(log.readAll())
                        .contains(QStringLiteral("Error Number=%1").arg(c.number)));
    }
}

TEST(Printing, PrintingLeavesTheDocumentAsItWas) {
    struct Case {
        const char* name;
        QString text;
        int selFrom, selTo;
        bool edited; // typed into (TextChange set) rather than loaded
    };
    const Case cases[] = {
        {"empty", QString(), 0, 0, false},
        {"lines, caret inside", QStringLiteral("один\r\nдва\r\nтри"), 6, 6, true},
        {"selection across lines", QStringLiteral("один\r\nдва\r\nтри"), 2, 9, true},
        {"lone line feed", QStringLiteral("a\nb\r\n"), 0, 5, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Harness h;
        h.load();
        h->textBlock()->setText(c.text);
        h->document().TextChange = false;
        if (c.edited) {
            h->textBlock()->setSelStart(0);
            h->textBlock()->replaceSelection(QStringLiteral("x"));
            h->textBlock()->setSelStart(0);
            h->textBlock()->setSelLength(1);
            h->textBlock()->replaceSelection(QString());
        }
        h->textBlock()->setSelection(c.selFrom, c.selTo);
        const DocumentState before = stateOf(*h.window);

        h->mnuPrint_Click();

        EXPECT_TRUE(stateOf(*h.window) == before);
        EXPECT_EQ(h.platform.printJobs, 1);
        EXPECT_TRUE(h.platform.messages().empty());
        // The whole text is printed, whatever was selected.
        EXPECT_EQ(h.platform.lastPrintedText, printDocumentText(c.text));
    }
}

TEST(Printing, PrintCopyTakesTheEditorsTextAndFormatting) {
    Harness h;
    h.load();
    QFont font(QStringLiteral("DejaVu Sans Mono"));
    font.setPointSizeF(13.5);
    font.setItalic(true);
    font.setStrikeOut(true);
    h->textBlock()->setChosenFont(font);
    h->textBlock()->setFontCharSet(0);
    h->textBlock()->setTextColor(QColor(1, 2, 3));
    h->textBlock()->setBackColor(QColor(200, 201, 202));
    h->textBlock()->setText(QStringLiteral("ab\r\ncd"));
    h->textBlock()->setSelection(1, 2);
    h->options().TextAlign = 1;
    h->SetAlignment();

    const WorkingCopy copy = h->session().PreparePrintCopy();
    EXPECT_EQ(copy.text, QStringLiteral("ab\r\ncd"));
    EXPECT_EQ(copy.selStart, 0);
    EXPECT_EQ(copy.selLength, 6);
    EXPECT_EQ(copy.alignment, 1);
    EXPECT_EQ(copy.font.family(), font.family());
    EXPECT_DOUBLE_EQ(copy.font.pointSizeF(), 13.5);
    EXPECT_FALSE(copy.font.bold());
    EXPECT_TRUE(copy.font.italic());
    EXPECT_FALSE(copy.font.underline());
    EXPECT_TRUE(copy.font.strikeOut());
    EXPECT_EQ(copy.charSet, 0);
    EXPECT_EQ(copy.textColor, QColor(1, 2, 3));
    EXPECT_EQ(copy.backColor, QColor(200, 201, 202));
}

// ---- The printed page ----------------------------------------------------------

QString runTool(const QString& tool, const QStringList& args) {
    QProcess p;
    p.start(tool, args);
    if (!p.waitForFinished(30000) || p.exitCode() != 0) {
        ADD_FAILURE() << tool.toStdString()
                      << " failed: " << p.readAllStandardError().toStdString();
        return {};
    }
    return QString::fromUtf8(p.readAllStandardOutput());
}

// A printed line as pdftotext -bbox sees it: its page, its words and their box.
struct PrintedLine {
    int page;
    QString text;
    double xMin, yMin, xMax, yMax;
};

// The lines of every page, in order, and the page width in points.
std::vector<PrintedLine> printedLines(const QString& pdf, double* pageWidth) {
    const QString html =
        runTool(QStringLiteral("pdftotext"), {QStringLiteral("-bbox"), pdf, QStringLiteral("-")});
    const QRegularExpression item(
        QStringLiteral("<page width=\"([0-9.]+)\"|<word xMin=\"([0-9.]+)\" yMin=\"([0-9.]+)\" "
                       "xMax=\"([0-9.]+)\" yMax=\"([0-9.]+)\">([^<]*)</word>"));
    std::vector<PrintedLine> lines;
    int page = -1;
    for (auto it = item.globalMatch(html); it.hasNext();) {
        const auto m = it.next();
        if (!m.captured(1).isEmpty()) {
            *pageWidth = m.captured(1).toDouble();
            ++page;
            continue;
        }
        const double xMin = m.captured(2).toDouble(), yMin = m.captured(3).toDouble();
        const double xMax = m.captured(4).toDouble(), yMax = m.captured(5).toDouble();
        if (!lines.empty() && lines.back().page == page && std::abs(lines.back().yMin - yMin) < 2) {
            PrintedLine& l = lines.back();
            l.text += QLatin1Char(' ') + m.captured(6);
            l.xMin = std::min(l.xMin, xMin);
            l.xMax = std::max(l.xMax, xMax);
        } else {
            lines.push_back({page, m.captured(6), xMin, yMin, xMax, yMax});
        }
    }
    return lines;
}

// With QUILLET_KEEP_PRINTOUT naming a folder, the printout is copied there to be
// looked at by hand.
void keepForALook(const QString& file, const QString& name) {
    const QString folder = qEnvironmentVariable("QUILLET_KEEP_PRINTOUT");
    if (!folder.isEmpty())
        QFile::copy(file, QDir(folder).filePath(name));
}

bool popplerMissing() {
    return QStandardPaths::findExecutable(QStringLiteral("pdftotext")).isEmpty() ||
           QStandardPaths::findExecutable(QStringLiteral("pdftoppm")).isEmpty() ||
           QStandardPaths::findExecutable(QStringLiteral("pdffonts")).isEmpty();
}

#define SKIP_WITHOUT_POPPLER()                                                                     \
    if (popplerMissing())                                                                          \
    GTEST_SKIP() << "pdftotext, pdffonts and pdftoppm (poppler-utils) are needed to read the "     \
                    "printout"

TEST(Printing, ALargeBoldCentredFontPrintsThatWayOnEveryLine) {
    SKIP_WITHOUT_POPPLER();
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    Harness h;
    h.load();
    h.platform.printPdf = dir.filePath(QStringLiteral("page.pdf"));
    QFont font(QStringLiteral("DejaVu Sans"));
    font.setPointSize(28);
    font.setBold(true);
    h->textBlock()->setChosenFont(font);
    h->textBlock()->setTextColor(QColor(200, 0, 0));
    h->textBlock()->setBackColor(QColor(255, 255, 0));
    const QStringList lines = {QStringLiteral("Квиллет"), QStringLiteral("печатает"),
                               QStringLiteral("по центру"), QStringLiteral("Ж")};
    h->textBlock()->setText(lines.join(CRLF));
    h->options().TextAlign = 2;
    h->SetAlignment();

    h->mnuPrint_Click();
    ASSERT_TRUE(h.platform.messages().empty());
    ASSERT_TRUE(QFile::exists(h.platform.printPdf));

    const QString fonts = runTool(QStringLiteral("pdffonts"), {h.platform.printPdf});
    EXPECT_TRUE(fonts.contains(QStringLiteral("DejaVuSans-Bold"))) << fonts.toStdString();

    // Each printed line is there, centred on the page and as tall as a 28-point font;
    // nothing else is printed.
    double pageWidth = 0;
    const std::vector<PrintedLine> printed = printedLines(h.platform.printPdf, &pageWidth);
    ASSERT_GT(pageWidth, 500);
    ASSERT_EQ(printed.size(), static_cast<size_t>(lines.size()));
    for (size_t i = 0; i < printed.size(); ++i) {
        const PrintedLine& l = printed[i];
        SCOPED_TRACE(l.text.toStdString());
        EXPECT_EQ(l.text, lines[static_cast<int>(i)]);
        EXPECT_EQ(l.page, 0);
        EXPECT_NEAR((l.xMin + l.xMax) / 2, pageWidth / 2, 2.0) << l.xMin << ".." << l.xMax;
        EXPECT_GT(l.yMax - l.yMin, 28.0);
    }

    // The picture of the page: red letters on a yellow page.
    const QString prefix = dir.filePath(QStringLiteral("page"));
    runTool(QStringLiteral("pdftoppm"),
            {QStringLiteral("-png"), QStringLiteral("-r"), QStringLiteral("60"),
             QStringLiteral("-singlefile"), h.platform.printPdf, prefix});
    keepForALook(prefix + QStringLiteral(".png"), QStringLiteral("centred.png"));
    const QImage image(prefix + QStringLiteral(".png"));
    ASSERT_FALSE(image.isNull());
    EXPECT_EQ(image.pixelColor(image.width() / 2, image.height() / 2).rgb(),
              QColor(255, 255, 0).rgb());
    int red = 0;
    for (int y = 0; y < image.height() / 3; ++y)
        for (int x = 0; x < image.width(); ++x)
            if (image.pixelColor(x, y).rgb() == QColor(200, 0, 0).rgb())
                ++red;
    EXPECT_GT(red, 100);
}

TEST(Printing, ALongRightAlignedDocumentPrintsEveryLineOnSeveralPages) {
    SKIP_WITHOUT_POPPLER();
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    Harness h;
    h.load();
    h.platform.printPdf = dir.filePath(QStringLiteral("long.pdf"));
    QFont font(QStringLiteral("DejaVu Serif"));
    font.setPointSize(16);
    h->textBlock()->setChosenFont(font);
    QStringList lines;
    for (int i = 1; i <= 90; ++i)
        lines << QStringLiteral("Строка %1").arg(i);
    // A lone line feed breaks the line inside its paragraph.
    lines[10] = QStringLiteral("первая половина\nвторая половина");
    h->textBlock()->setText(lines.join(CRLF));
    h->options().TextAlign = 1;
    h->SetAlignment();

    h->mnuPrint_Click();
    ASSERT_TRUE(h.platform.messages().empty());
    EXPECT_EQ(h.platform.printJobs, 1);

    double pageWidth = 0;
    const std::vector<PrintedLine> printed = printedLines(h.platform.printPdf, &pageWidth);
    keepForALook(h.platform.printPdf, QStringLiteral("long.pdf"));
    QStringList expected = lines;
    expected.replace(10, QStringLiteral("первая половина"));
    expected.insert(11, QStringLiteral("вторая половина"));
    QStringList got;
    for (const PrintedLine& l : printed)
        got << l.text;
    // Every line once, in order, and no page numbers.
    EXPECT_EQ(got.join(QLatin1Char('|')).toStdString(),
              expected.join(QLatin1Char('|')).toStdString());
    ASSERT_FALSE(printed.empty());
    EXPECT_GE(printed.back().page, 1);
    for (const PrintedLine& l : printed)
        EXPECT_NEAR(l.xMax, printed.front().xMax, 1.0) << l.text.toStdString();
    EXPECT_GT(printed.front().xMax, pageWidth * 0.8);
}

TEST(Printing, AnEmptyDocumentPrintsWithoutAMessage) {
    QTemporaryDir dir;
    Harness h;
    h.load();
    h.platform.printPdf = dir.filePath(QStringLiteral("empty.pdf"));
    h->textBlock()->setText(QString());
    h->mnuPrint_Click();
    EXPECT_TRUE(h.platform.messages().empty());
    EXPECT_EQ(h.platform.printJobs, 1);
    EXPECT_TRUE(QFile::exists(h.platform.printPdf));
    EXPECT_TRUE(errorReport(h).isEmpty());
}

} // namespace
} // namespace quillet::test
