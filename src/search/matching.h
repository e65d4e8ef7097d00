#pragma once

// Text matching for Find and Replace. Pure functions over the document's model
// text (CR LF line breaks), so positions are editor positions.

#include <QChar>
#include <QStringView>

namespace quillet {

struct SearchOptions {
    bool wholeWord = false;
    bool matchCase = false;
};

// A character that belongs to a word: a letter or digit of any alphabet, the
// underscore, or a combining mark (a stress accent does not split a word).
bool isWordChar(QChar c);

// Case folding one character to one character, so a folded text keeps every
// position of the original: Latin and Cyrillic (Ё and ё included) fold to their
// small letters.
QChar foldCase(QChar c);

// The position of the first occurrence of needle that lies wholly inside
// haystack[from, end), or -1. An empty needle is never found.
//
// Without matchCase, letters match regardless of case. With wholeWord, an
// occurrence counts only when it does not cut a word at either edge: the
// character just outside an edge and the hit's own character at that edge are
// not both word characters. (A needle that begins or ends with a space or a
// punctuation mark can therefore match next to anything on that side.)
qsizetype findText(QStringView haystack, QStringView needle, qsizetype from, SearchOptions options);

} // namespace quillet
