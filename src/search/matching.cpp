#include "search/matching.h"

#include <QString>

namespace quillet {

bool isWordChar(QChar c) {
    return c.isLetterOrNumber() || c.isMark() || c == u'_';
}

QChar foldCase(QChar c) {
    return c.toCaseFolded();
}

namespace {

QString folded(QStringView text) {
    QString out(text.size(), Qt::Uninitialized);
    QChar* d = out.data();
    for (qsizetype i = 0; i < text.size(); ++i)
        d[i] = foldCase(text[i]);
    return out;
}

// True when the edge between text[at - 1] and text[at] is not inside a word.
bool edgeIsFree(QStringView text, qsizetype at) {
    if (at <= 0 || at >= text.size())
        return true;
    return !(isWordChar(text[at - 1]) && isWordChar(text[at]));
}

} // namespace

qsizetype findText(QStringView haystack, QStringView needle, qsizetype from,
                   SearchOptions options) {
    if (needle.isEmpty())
        return -1;
    if (from < 0)
        from = 0;
    if (from > haystack.size() || needle.size() > haystack.size() - from)
        return -1;

    QString foldedHaystack;
    QString foldedNeedle;
    QStringView hay = haystack;
    QStringView pattern = needle;
    if (!options.matchCase) {
        foldedHaystack = folded(haystack);
        foldedNeedle = folded(needle);
        hay = foldedHaystack;
        pattern = foldedNeedle;
    }

    for (qsizetype at = hay.indexOf(pattern, from); at >= 0; at = hay.indexOf(pattern, at + 1)) {
        if (!options.wholeWord)
            return at;
        if (edgeIsFree(haystack, at) && edgeIsFree(haystack, at + needle.size()))
            return at;
    }
    return -1;
}

} // namespace quillet
