// Case conversion and the time-and-date insertion of the Edit menu.

#include "editing/case_date.h"

#include "documents/cp1251.h"
#include "editing/textblock.h"

namespace quillet {

namespace {

template <typename Convert> QString convertEach(const QString& text, Convert convert) {
    QString out = text;
    QChar* p = out.data();
    for (qsizetype i = 0; i < out.size(); ++i) {
        const QChar c = p[i];
        const QChar converted = convert(c);
        if (converted != c && (cp1251Byte(converted) >= 0 || cp1251Byte(c) < 0))
            p[i] = converted;
    }
    return out;
}

} // namespace

QString toCapitals(const QString& text) {
    return convertEach(text, [](QChar c) { return c.toUpper(); });
}

QString toSmallLetters(const QString& text) {
    return convertEach(text, [](QChar c) { return c.toLower(); });
}

QString timeSeparator(const QLocale& locale) {
    const QString format = locale.timeFormat(QLocale::ShortFormat);
    qsizetype i = 0;
    while (i < format.size() && format.at(i) != u'h' && format.at(i) != u'H')
        ++i;
    while (i < format.size() && (format.at(i) == u'h' || format.at(i) == u'H'))
        ++i;
    QString separator;
    while (i < format.size() && format.at(i) != u'm') {
        if (format.at(i) != u'\'')
            separator += format.at(i);
        ++i;
    }
    if (separator.isEmpty() || i == format.size())
        return QStringLiteral(":");
    return separator;
}

QString timeDateStamp(const QDateTime& moment, const QLocale& locale) {
    const QTime t = moment.time();
    const QDate d = moment.date();
    const auto two = [](int n) { return QStringLiteral("%1").arg(n, 2, 10, QLatin1Char('0')); };
    return two(t.hour()) + timeSeparator(locale) + two(t.minute()) + QLatin1Char(' ') +
           two(d.day()) + QLatin1Char('.') + two(d.month()) + QLatin1Char('.') +
           QStringLiteral("%1").arg(d.year(), 4, 10, QLatin1Char('0'));
}

void ConvertSelectedCase(TextBlock& editor, QString (*convert)(const QString&)) {
    const int start = editor.selStart();
    const int length = editor.selLength();
    const QString selected = editor.selText();
    const QString converted = convert(selected);
    // A selection already in that case is left alone: no edit, no change.
    if (converted != selected)
        editor.replaceSelection(converted);
    editor.setSelection(start, start + length);
}

void InsertTimeDate(TextBlock& editor, const QDateTime& moment) {
    const int start = editor.selStart();
    const int length = editor.selLength();
    editor.setSelection(start, start + length);
    editor.replaceSelection(timeDateStamp(moment, QLocale()));
}

} // namespace quillet
