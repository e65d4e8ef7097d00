#include "search_support.h"

#include "search/frm_goto.h"

namespace quillet::test {
namespace {

const QString Document = QStringLiteral("Привет\r\nмир"); // 11 positions
const QString TooLarge = QStringLiteral("Значение слишком велико.");
const QString NotANumber = QStringLiteral("Неверное значение.\r\nНеобходимо вводить только цифры.");
const QString Unknown =
    QStringLiteral("Переход на указанный символ невозможен.\r\nПроизошла неизвестная ошибка.");

// Types the number and clicks "&Перейти"; a window left open is then cancelled.
TEST(GoTo, Table) {
    struct Case {
        const char16_t* typed;
        Selection selection;    // afterwards
        const QString* message; // nullptr: none
        int reported;           // failure number in the report, 0: no report
    };
    const Selection untouched{3, 2};
    const Selection end{11, 0};
    const Case cases[] = {
        {u"1", {0, 1}, nullptr, 0},
        {u" 3 ", {2, 1}, nullptr, 0},
        // Either half of the line break selects the break as a whole: the
        // editor has no place between CR and LF.
        {u"7", {6, 2}, nullptr, 0},
        {u"8", {6, 2}, nullptr, 0},
        {u"7,5", {6, 2}, nullptr, 0},
        {u"9", {8, 1}, nullptr, 0}, // after the line break's two positions
        {u"11", {10, 1}, nullptr, 0},
        {u"12", end, nullptr, 0},
        {u"1000", end, nullptr, 0},
        {u"2147483648", end, nullptr, 0},
        {u"0,5", {0, 1}, nullptr, 0},
        {u"1,5", {0, 1}, nullptr, 0},
        {u"2,5", {2, 1}, nullptr, 0},
        {u"3,5", {2, 1}, nullptr, 0},
        {u"1e1", {9, 1}, nullptr, 0},
        {u"0", end, nullptr, 380},
        {u"0,4", end, nullptr, 380},
        {u"-5", end, nullptr, 380},
        {u"\u22125", end, nullptr, 380},
        {u"-2147483647", end, nullptr, 380},
        {u"abc", untouched, &NotANumber, 13},
        {u"1.5", untouched, &NotANumber, 13},
        {u"1 000", untouched, &NotANumber, 13},
        {u"12345678901", untouched, &TooLarge, 6},
        {u"-12345678901", untouched, &TooLarge, 6},
        {u"2147483649", untouched, &TooLarge, 6},
        {u"-2147483648", untouched, &TooLarge, 6},
        {u"1e400", untouched, &TooLarge, 6},
    };
    for (const Case& c : cases) {
        const QString typed = QString::fromUtf16(c.typed);
        SCOPED_TRACE("typed '" + typed.toStdString() + "'");
        SearchBench b;
        b.setDocument(Document);
        b.editor.setSelection(untouched.start, untouched.start + untouched.length);
        bool closed = false;
        b.platform.answerDialog([&](QDialog& d) {
            field(d, "TG1")->setText(typed);
            button(d, "Command1")->click();
            closed = !stillOpen(d);
            if (!closed) {
                EXPECT_EQ(field(d, "TG1")->selectedText(), typed);
                button(d, "Command2")->click();
            }
            return 0;
        });
        b.goTo();

        EXPECT_EQ(b.selection(), c.selection);
        EXPECT_EQ(closed, c.message == nullptr);
        const auto messages = b.platform.messages();
        if (c.message) {
            ASSERT_EQ(messages.size(), 1u);
            EXPECT_EQ(messages[0].text, *c.message);
            EXPECT_EQ(messages[0].title, QStringLiteral("Квиллет"));
            EXPECT_EQ(messages[0].icon, MsgIcon::Exclamation);
            EXPECT_EQ(messages[0].buttons, MsgButtons::Ok);
        } else {
            EXPECT_TRUE(messages.empty());
        }
        const auto reported = b.reportedFailure();
        if (c.reported) {
            ASSERT_TRUE(reported);
            EXPECT_EQ(reported->number, c.reported);
            EXPECT_EQ(reported->form, QStringLiteral("FrmGoTo"));
        } else {
            EXPECT_FALSE(reported);
        }
        EXPECT_EQ(b.memory.GoToTemp, typed);
    }
}

TEST(GoTo, OffersOneFirstAndThenTheLastNumber) {
    SearchBench b;
    b.setDocument(Document, 5);
    b.platform.answerDialog([](QDialog& d) {
        EXPECT_EQ(d.windowTitle(), QStringLiteral("Переход"));
        EXPECT_EQ(field(d, "TG1")->text(), QStringLiteral("1"));
        EXPECT_EQ(field(d, "TG1")->selectedText(), QStringLiteral("1"));
        EXPECT_TRUE(button(d, "Command1")->isEnabled());
        button(d, "Command1")->click(); // Enter
        return 0;
    });
    b.goTo();
    EXPECT_EQ(b.selection(), (Selection{0, 1}));

    // A number typed and abandoned is offered again, selected.
    b.platform.answerDialog([](QDialog& d) {
        field(d, "TG1")->setText(QStringLiteral("сорок"));
        button(d, "Command2")->click();
        return 0;
    });
    b.goTo();
    b.platform.answerDialog([](QDialog& d) {
        EXPECT_EQ(field(d, "TG1")->text(), QStringLiteral("сорок"));
        EXPECT_EQ(field(d, "TG1")->selectedText(), QStringLiteral("сорок"));
        d.close();
        return 0;
    });
    b.goTo();
    EXPECT_EQ(b.memory.GoToTemp, QStringLiteral("сорок"));
    EXPECT_EQ(b.selection(), (Selection{0, 1}));
    EXPECT_TRUE(b.platform.messages().empty());
}

// Failures of any other kind are recorded, explained, and keep the window open.
TEST(GoTo, AnyOtherFailureIsExplained) {
    SearchBench b;
    b.setDocument(Document, 4);
    b.platform.answerDialog([](QDialog& d) {
        field(d, "TG1")->setText(QStringLiteral("5"));
        static_cast<FrmGoTo&>(d).reactToFailure(
            Failure(err::DeviceIO, QStringLiteral("Device I/O error")));
        EXPECT_TRUE(stillOpen(d));
        EXPECT_EQ(field(d, "TG1")->selectedText(), QStringLiteral("5"));
        button(d, "Command2")->click();
        return 0;
    });
    b.goTo();
    ASSERT_EQ(b.platform.messages().size(), 1u);
    EXPECT_EQ(b.platform.messages()[0].text, Unknown);
    EXPECT_EQ(b.platform.messages()[0].icon, MsgIcon::Exclamation);
    const auto reported = b.reportedFailure();
    ASSERT_TRUE(reported);
    EXPECT_EQ(reported->number, err::DeviceIO);
    EXPECT_EQ(reported->form, QStringLiteral("FrmGoTo"));
    EXPECT_EQ(b.selection(), (Selection{4, 0}));
}

TEST(GoTo, EmptyDocument) {
    for (const char16_t* typed : {u"1", u"7"}) {
        SearchBench b;
        b.setDocument(QString());
        b.platform.answerDialog([&](QDialog& d) {
            field(d, "TG1")->setText(QString::fromUtf16(typed));
            button(d, "Command1")->click();
            EXPECT_FALSE(stillOpen(d));
            return 0;
        });
        b.goTo();
        EXPECT_EQ(b.selection(), (Selection{0, 0}));
        EXPECT_FALSE(b.reportedFailure());
    }
}

} // namespace
} // namespace quillet::test
