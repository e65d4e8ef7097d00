#pragma once

#include <QByteArray>
#include <QString>
#include <QStringView>

namespace quillet {

// Windows-1251, with every byte given a character of its own (0x98, which has
// none in the code page, stands for U+0098), so any file decodes and encodes back
// byte for byte.
QChar cp1251Char(unsigned char byte);
// The byte for a character, or -1 when Windows-1251 cannot hold it.
int cp1251Byte(QChar c);

QString decodeCp1251(const char* data, qsizetype size);
inline QString decodeCp1251(const QByteArray& bytes) {
    return decodeCp1251(bytes.constData(), bytes.size());
}
// A character the code page cannot hold becomes '?' (a surrogate pair, one
// character, becomes one '?'); unmappable counts them.
QByteArray encodeCp1251(const QString& text, qsizetype* unmappable = nullptr);
// The same, appended to out; returns the number of characters replaced by '?'.
qsizetype appendCp1251(QByteArray& out, QStringView text);
// The number of bytes appendCp1251 makes of the text, without making them;
// unmappable gets how many of them are '?' for a character the code page lacks.
qsizetype measureCp1251(QStringView text, qsizetype* unmappable);
// Whether every character of the text has a Windows-1251 byte.
bool fitsCp1251(const QString& text);

} // namespace quillet
