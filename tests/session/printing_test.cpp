// Printing through the session: the whole text with the editor's font, colours
// and alignment, one job on the default printer; a failure is told and recorded,
// and the document stays as it was.

#include "documents/print_document.h"
#include "session/session_fixture.h"

#include <QDir>
#include <QFile>
#include <QImage>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTextDocument>

#include <functional>
#include <new>
#include <stdexcept>

namespace quillet::test {
namespace {

using Printing = SessionTest;

// What printing must leave as it was.
struct Before {
    QString text;
    int selStart, selLength;
    bool textChange, fileExist, newDoc, canUndo;
    QString commonFileName, recentFile, caption;
    int alignment;
    bool operator==(const Before&) const = default;
};

Before stateOf(SessionParts& s) {
    const DocumentState& d = s.session.state();
    return {s.editor.text(),
            s.editor.selStart(),
            s.editor.selLength(),
            d.TextChange,
            d.FileExist,
            d.NewDoc,
            s.editor.canUndo(),
            d.CommonFileName,
            d.RecentFileString,
            s.caption(),
            s.editor.alignmentCode()};
}

TEST_F(Printing, WithoutAPrinterTheUserIsToldAndTheFailureRecorded) {
    editor().setText(QStringLiteral("Текст для печати"));
    platform.hasPrinter = false;
    const Before before = stateOf(*parts);

    session().Print();

    const std::vector<Shown> messages = platform.messages();
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0].text, printFailureMessage(err::PrinterError));
    EXPECT_EQ(messages[0].text.count(CRLF), 2);
    EXPECT_EQ(messages[0].title, QStringLiteral("Квиллет"));
    EXPECT_EQ(messages[0].icon, MsgIcon::Exclamation);
    EXPECT_EQ(messages[0].buttons, MsgButtons::Ok);
    ASSERT_EQ(failures().entries.size(), 1u);
    EXPECT_TRUE(failures().recorded(err::PrinterError));
    EXPECT_EQ(platform.printJobs, 0);
    EXPECT_TRUE(stateOf(*parts) == before);
}

// A platform whose printer fails in some other way.
class FailingPrinter : public ScriptedPlatform {
public:
    std::function<void()> fail;
    void print(QTextDocument&) override { fail(); }
};

TEST(PrintingFailures, AnyOtherFailureIsReportedAsUnknown) {
    struct Case {
        const char* name;
        std::function<void()> fail;
        int number;
    };
    const Case cases[] = {
        {"device", [] { throw Failure(err::DeviceIO, QStringLiteral("Device I/O error")); },
         err::DeviceIO},
        {"memory", [] { throw std::bad_alloc(); }, err::OutOfMemory},
        {"other", [] { throw std::runtime_error("spooler went away"); }, err::InternalError},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        FailingPrinter platform;
        platform.fail = c.fail;
        SessionParts s(platform);
        s.editor.setText(QStringLiteral("abc"));

        s.session.Print();

        const std::vector<Shown> messages = platform.messages();
        ASSERT_EQ(messages.size(), 1u);
        EXPECT_EQ(messages[0].text, QStringLiteral("Не удаётся произвести печать документа.") +
                                        CRLF + QStringLiteral("Произошла неизвестная ошибка."));
        EXPECT_EQ(messages[0].icon, MsgIcon::Exclamation);
        EXPECT_EQ(messages[0].title, QStringLiteral("Квиллет"));
        EXPECT_TRUE(s.failures.recorded(c.number));
    }
}

TEST_F(Printing, PrintingLeavesTheDocumentAsItWas) {
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
        restart();
        platform.printJobs = 0;
        editor().setText(c.text);
        doc().TextChange = false;
        if (c.edited) {
            editor().setSelStart(0);
            editor().replaceSelection(QStringLiteral("x"));
            editor().setSelStart(0);
            editor().setSelLength(1);
            editor().replaceSelection(QString());
        }
        editor().setSelection(c.selFrom, c.selTo);
        const Before before = stateOf(*parts);

        session().Print();

        EXPECT_TRUE(stateOf(*parts) == before);
        EXPECT_EQ(platform.printJobs, 1);
        EXPECT_TRUE(platform.messages().empty());
        // The whole text is printed, whatever was selected.
        EXPECT_EQ(platform.lastPrintedText, printDocumentText(c.text));
    }
}

TEST_F(Printing, PrintCopyTakesTheEditorsTextAndFormatting) {
    QFont font(QStringLiteral("DejaVu Sans Mono"));
    font.setPointSizeF(13.5);
    font.setItalic(true);
    font.setStrikeOut(true);
    editor().setChosenFont(font);
    editor().setFontCharSet(0);
    editor().setTextColor(QColor(1, 2, 3));
    editor().setBackColor(QColor(200, 201, 202));
    editor().setText(QStringLiteral("ab\r\ncd"));
    editor().setSelection(1, 2);
    editor().setAlignmentCode(1);

    const WorkingCopy copy = session().PreparePrintCopy();
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

TEST_F(Printing, AnEmptyDocumentPrintsWithoutAMessage) {
    platform.printPdf = path(QStringLiteral("empty.pdf"));
    editor().setText(QString());
    session().Print();
    EXPECT_TRUE(platform.messages().empty());
    EXPECT_EQ(platform.printJobs, 1);
    EXPECT_TRUE(QFile::exists(platform.printPdf));
    EXPECT_TRUE(failures().entries.empty());
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

TEST_F(Printing, ALargeBoldCentredFontPrintsThatWayOnEveryLine) {
    SKIP_WITHOUT_POPPLER();
    platform.printPdf = dir.filePath(QStringLiteral("page.pdf"));
    QFont font(QStringLiteral("DejaVu Sans"));
    font.setPointSize(28);
    font.setBold(true);
    editor().setChosenFont(font);
    editor().setTextColor(QColor(200, 0, 0));
    editor().setBackColor(QColor(255, 255, 0));
    const QStringList lines = {QStringLiteral("Квиллет"), QStringLiteral("печатает"),
                               QStringLiteral("по центру"), QStringLiteral("Ж")};
    editor().setText(lines.join(CRLF));
    editor().setAlignmentCode(2);

    session().Print();
    ASSERT_TRUE(platform.messages().empty());
    ASSERT_TRUE(QFile::exists(platform.printPdf));

    const QString fonts = runTool(QStringLiteral("pdffonts"), {platform.printPdf});
    EXPECT_TRUE(fonts.contains(QStringLiteral("DejaVuSans-Bold"))) << fonts.toStdString();

    // Each printed line is there, centred on the page and as tall as a 28-point font;
    // nothing else is printed.
    double pageWidth = 0;
    const std::vector<PrintedLine> printed = printedLines(platform.printPdf, &pageWidth);
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
             QStringLiteral("-singlefile"), platform.printPdf, prefix});
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

TEST_F(Printing, ALongRightAlignedDocumentPrintsEveryLineOnSeveralPages) {
    SKIP_WITHOUT_POPPLER();
    platform.printPdf = dir.filePath(QStringLiteral("long.pdf"));
    QFont font(QStringLiteral("DejaVu Serif"));
    font.setPointSize(16);
    editor().setChosenFont(font);
    QStringList lines;
    for (int i = 1; i <= 90; ++i)
        lines << QStringLiteral("Строка %1").arg(i);
    // A lone line feed breaks the line inside its paragraph.
    lines[10] = QStringLiteral("первая половина\nвторая половина");
    editor().setText(lines.join(CRLF));
    editor().setAlignmentCode(1);

    session().Print();
    ASSERT_TRUE(platform.messages().empty());
    EXPECT_EQ(platform.printJobs, 1);

    double pageWidth = 0;
    const std::vector<PrintedLine> printed = printedLines(platform.printPdf, &pageWidth);
    keepForALook(platform.printPdf, QStringLiteral("long.pdf"));
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

} // namespace
} // namespace quillet::test
