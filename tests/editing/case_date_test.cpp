#include "editing/case_date.h"
#include "editing/textblock.h"

#include <QSignalSpy>

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

// "Все прописные" / "Все строчные" on the editor: the selection converted as
// one edit and selected again; nothing selected, or nothing to convert, is no
// edit at all.
TEST(CaseAndDate, CaseConversionOfTheSelection) {
    struct Case {
        const char* name;
        QString (*convert)(const QString&);
        QString text;
        int start, end;
        QString expected; // the text is unchanged when empty
    };
    const QString lines = QStringLiteral("Ещё one Строка, 42!\r\nКонец");
    const Case cases[] = {
        {"capitals", toCapitals, lines, 2, 23, QStringLiteral("ЕщЁ ONE СТРОКА, 42!\r\nКОнец")},
        {"small letters", toSmallLetters, lines, 2, 23,
         QStringLiteral("Ещё one строка, 42!\r\nконец")},
        {"capitals, nothing selected", toCapitals, QStringLiteral("abc ГДЕ"), 3, 3, {}},
        {"small letters, nothing selected", toSmallLetters, QStringLiteral("abc ГДЕ"), 3, 3, {}},
        {"capitals already", toCapitals, QStringLiteral("abc ГДЕ"), 4, 7, {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        TextBlock editor;
        editor.setText(c.text);
        editor.setSelection(c.start, c.end);
        QSignalSpy changes(&editor, &TextBlock::changed);
        ConvertSelectedCase(editor, c.convert);
        EXPECT_EQ(editor.text(), c.expected.isEmpty() ? c.text : c.expected);
        EXPECT_EQ(editor.selStart(), c.start);
        EXPECT_EQ(editor.selLength(), c.end - c.start);
        EXPECT_EQ(changes.count() > 0, !c.expected.isEmpty());
        EXPECT_EQ(editor.canUndo(), !c.expected.isEmpty());
        if (editor.canUndo()) {
            editor.undo(); // one edit: Undo gives the letters back
            EXPECT_EQ(editor.text(), c.text);
        }
    }
}

// "Время и дата": the stamp replaces the selection or goes in at the caret, and
// the caret ends after it.
TEST(CaseAndDate, TimeAndDateReplaceTheSelectionOrGoInAtTheCaret) {
    struct Case {
        QString text;
        int start, end;
        QString expected;
        int caret;
    };
    const Case cases[] = {
        {QStringLiteral("one two"), 4, 4, QStringLiteral("one 09:05 06.12.2026two"), 20},
        {QStringLiteral("one two"), 4, 7, QStringLiteral("one 09:05 06.12.2026"), 20},
        {QStringLiteral("one two"), 0, 7, QStringLiteral("09:05 06.12.2026"), 16},
        {QString(), 0, 0, QStringLiteral("09:05 06.12.2026"), 16},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.expected.toStdString());
        TextBlock editor;
        editor.setText(c.text);
        editor.setSelection(c.start, c.end);
        QSignalSpy changes(&editor, &TextBlock::changed);
        InsertTimeDate(editor, QDateTime(QDate(2026, 12, 6), QTime(9, 5, 7)));
        EXPECT_EQ(editor.text(), c.expected);
        EXPECT_EQ(editor.selStart(), c.caret);
        EXPECT_EQ(editor.selLength(), 0);
        EXPECT_GT(changes.count(), 0);
    }
}

} // namespace
} // namespace quillet::test
