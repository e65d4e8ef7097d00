#pragma once

// The text rewrites behind "Все прописные", "Все строчные" and "Время и дата".

#include <QDateTime>
#include <QLocale>
#include <QString>

namespace quillet {

// Capitals / small letters, character for character, so the text keeps its length
// and the same range can be selected again. A letter whose other case Windows-1251
// cannot hold (µ, ÿ) stays as it is, so the command never makes a document unsavable.
QString toCapitals(const QString& text);
QString toSmallLetters(const QString& text);

// The separator between hours and minutes in the locale's own time format.
QString timeSeparator(const QLocale& locale);

// "hh:mm dd.mm.yyyy": the 24-hour time with the locale's time separator, a space,
// and the date with full stops.
QString timeDateStamp(const QDateTime& moment, const QLocale& locale);

class TextBlock;

// "Все прописные" / "Все строчные": the selection replaced by convert's result
// (as one undoable edit, and only when that changes it) and selected again.
void ConvertSelectedCase(TextBlock& editor, QString (*convert)(const QString&));

// "Время и дата": the stamp of moment, in the locale's time format, in place of
// the selection.
void InsertTimeDate(TextBlock& editor, const QDateTime& moment);

} // namespace quillet
