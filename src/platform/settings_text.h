#pragma once

// The settings file checked line by line before the store reads it. QSettings
// reads almost anything without complaint: a line it cannot take is skipped, an
// odd quote swallows the lines after it, random bytes become keys that it then
// writes back for good. So the store looks at the text first: a file with any
// line that is not one QSettings writes is kept aside and only its sound lines
// are read.

#include <QByteArray>
#include <QByteArrayView>

namespace quillet {

enum class SettingsLine {
    Blank,   // nothing but spaces
    Comment, // starts with ';' or '#'
    Section, // "[name]"
    Entry,   // "key=value"
    Damaged, // anything else: control characters, bytes that are not UTF-8, a
             // section never closed, a line without '=', an odd quote, a value
             // continued on the next line
};

// What one line of the file is (without its line break).
SettingsLine classifySettingsLine(QByteArrayView line);

// A settings file larger than this is no file of this program's (its own holds
// a few dozen short values): it is not read at all.
constexpr qsizetype SettingsFileLimit = 1 << 20;

struct SettingsTextCheck {
    bool damaged = false;
    // The text the store keeps: every line but the damaged ones and those under
    // a damaged section heading (up to the next sound one), in order, each
    // ending with "\n". Nothing when the whole text is junk (a NUL byte, or a
    // text over the size limit): a binary file holds no settings.
    QByteArray sound;
};

// Checks the whole text of a settings file. Lines end at LF, CR or CR LF, as
// QSettings reads them.
SettingsTextCheck checkSettingsText(QByteArrayView text);

} // namespace quillet
