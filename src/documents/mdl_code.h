#pragma once

#include <QByteArray>
#include <QString>

namespace quillet {

// Code-page codes.
enum CodePage : short { CodeWindows = 1, CodeDos = 2, CodeKoi = 3 };

// Converts text between Windows-1251, DOS and KOI through Windows as the pivot.
// Characters are classified by their Windows-1251 byte: those below 0x80, and
// characters Windows-1251 cannot hold, pass unchanged; a byte the source table
// does not hold becomes '?'. The result has as many characters as the input.
QString ConvertCodePage(const QString& text, int fromCode, int toCode);

// The same conversion over raw bytes, in place (the tables are permutations, so
// this is one lookup per byte).
void ConvertCodePageBytes(QByteArray& bytes, int fromCode, int toCode);

// The printed 128-byte tables: entry i pairs Windows byte 0x80 + i with the
// DOS (or KOI) byte stored there.
extern const unsigned char DosTable[128];
extern const unsigned char KoiTable[128];

} // namespace quillet
