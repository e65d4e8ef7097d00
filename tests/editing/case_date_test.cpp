#include "editing/case_date.h"
#include "support/harness.h"

#include <gtest/gtest.h>

namespace quillet::test {
namespace {

TEST(CaseConversion, LettersOfEveryAlphabetAndNothingElse) {
    struct Case {
        QString text;
        QString capitals;
        QString small;
    };
    const Case cases[] = {
        {QStringLiteral("Привет, World! 123 ёЁ"), QStringLiteral("ПРИВЕТ, WORLD! 123 ЁЁ"),
         QStringLiteral("привет, world! 123 ёё")},
        {QStringLiteral("ўЎ іІ ґҐ ђЂ љЉ"), QStringLiteral("ЎЎ ІІ ҐҐ ЂЂ ЉЉ"),
         QStringLiteral("ўў іі ґґ ђђ љљ")},
        {QStringLiteral("a\r\nb\tc"), QStringLiteral("A\r\nB\tC"), QStringLiteral("a\r\nb\tc")},
        // µ has a capital (Greek Mu) that Windows-1251 cannot hold: it stays.
        {QStringLiteral("µ"), QStringLiteral("µ"), QStringLiteral("µ")},
        // Characters from elsewhere convert freely: they cannot be saved either way.
        {QStringLiteral("éΩ"), QStringLiteral("ÉΩ"), QStringLiteral("éω")},
        {QString(), QString(), QString()},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(toCapitals(c.text), c.capitals) << c.text.toStdString();
        EXPECT_EQ(toSmallLetters(c.text), c.small) << c.text.toStdString();
    }
}

TEST(TimeDate, StampShape) {
    const QLocale russian(QLocale::Russian, QLocale::Russia);
    struct Case {
        QDateTime moment;
        QLocale locale;
        QString stamp;
    };
    const Case cases[] = {
        {QDateTime(QDate(2026, 12, 6), QTime(9, 5, 7)), russian,
         QStringLiteral("09:05 06.12.2026")},
        {QDateTime(QDate(2027, 1, 31), QTime(23, 59, 59)), russian,
         QStringLiteral("23:59 31.01.2027")},
        {QDateTime(QDate(2026, 3, 1), QTime(0, 0)), russian, QStringLiteral("00:00 01.03.2026")},
        // Hours stay 00-23 whatever the locale; the separator is the locale's.
        {QDateTime(QDate(2026, 3, 1), QTime(13, 7)),
         QLocale(QLocale::English, QLocale::UnitedStates), QStringLiteral("13:07 01.03.2026")},
        {QDateTime(QDate(2026, 3, 1), QTime(13, 7)), QLocale(QLocale::Finnish, QLocale::Finland),
         QStringLiteral("13.07 01.03.2026")},
    };
    for (const Case& c : cases)
        EXPECT_EQ(timeDateStamp(c.moment, c.locale), c.stamp) << c.stamp.toStdString();
}

class CaseAndDate : public ::testing::Test {
protected:
    Harness h;
    void SetUp() override { h.load(); }
    TextBlock& editor() { return *h->textBlock(); }
};

TEST_F(CaseAndDate, CaseCommandsConvertTheSelectionAndKeepItSelected) {
    struct Case {
        void (FrmMain::*command)();
        QString expected;
    };
    const QString text = QStringLiteral("Ещё one Строка, 42!\r\nКонец");
    const Case cases[] = {
        {&FrmMain::mnuCaps_Click, QStringLiteral("ЕщЁ ONE СТРОКА, 42!\r\nКОнец")},
        {&FrmMain::mnuAllL_Click, QStringLiteral("Ещё one строка, 42!\r\nконец")},
    };
    for (const Case& c : cases) {
        editor().setText(text);
        h->document().TextChange = false;
        editor().setSelection(2, 23);
        (h.window.get()->*c.command)();
        EXPECT_EQ(editor().text(), c.expected);
        EXPECT_EQ(editor().selStart(), 2);
        EXPECT_EQ(editor().selLength(), 21);
        EXPECT_TRUE(h->document().TextChange);
        // One edit: Undo gives the letters back.
        editor().undo();
        EXPECT_EQ(editor().text(), text);
    }
}

TEST_F(CaseAndDate, CaseCommandsWithoutASelectionChangeNothing) {
    for (auto command : {&FrmMain::mnuCaps_Click, &FrmMain::mnuAllL_Click}) {
        editor().setText(QStringLiteral("abc ГДЕ"));
        h->document().TextChange = false;
        editor().setSelStart(3);
        (h.window.get()->*command)();
        EXPECT_EQ(editor().text(), QStringLiteral("abc ГДЕ"));
        EXPECT_EQ(editor().selStart(), 3);
        EXPECT_EQ(editor().selLength(), 0);
        EXPECT_FALSE(h->document().TextChange);
    }
}

TEST_F(CaseAndDate, TimeAndDateReplaceTheSelectionOrGoInAtTheCaret) {
    struct Case {
        int start;
        int end;
        QString expected;
        int caret;
    };
    const Case cases[] = {
        {4, 4, QStringLiteral("one 09:05 06.12.2026two"), 20},
        {4, 7, QStringLiteral("one 09:05 06.12.2026"), 20},
        {0, 7, QStringLiteral("09:05 06.12.2026"), 16},
    };
    for (const Case& c : cases) {
        editor().setText(QStringLiteral("one two"));
        h->document().TextChange = false;
        editor().setSelection(c.start, c.end);
        const int before = editor().textLength() - (c.end - c.start);
        h->mnuTimeDate_Click();
        EXPECT_EQ(editor().text(), c.expected);
        EXPECT_EQ(editor().textLength() - before, 16);
        EXPECT_EQ(editor().selStart(), c.caret);
        EXPECT_EQ(editor().selLength(), 0);
        EXPECT_TRUE(h->document().TextChange);
    }
}

TEST_F(CaseAndDate, TimeAndDateMarkEvenAnUntitledDocumentModified) {
    h.platform.clock = QDateTime(QDate(2031, 7, 4), QTime(18, 30));
    ASSERT_TRUE(h->document().NewDoc);
    h->mnuTimeDate_Click();
    EXPECT_EQ(editor().text(), QStringLiteral("18:30 04.07.2031"));
    EXPECT_TRUE(h->document().TextChange);
}

} // namespace
} // namespace quillet::test
