#pragma once

// How a document's text goes back into its file: the encoding its bytes are in
// and the kind of line break it uses. A file is written back in the format it
// was read in; a new document is Windows-1251 with CR LF breaks.
//
// The editor widget takes a few characters for its own structure (it starts a
// new paragraph at U+2029, U+FDD0 and U+FDD1, and a new line at U+2028). Text
// from a file or another program holds them as ordinary characters, so inside
// the editor each stands for itself through a stand-in: a lone low surrogate,
// which no valid text contains. Bytes of a UTF-8 file that are not UTF-8 are
// held the same way, one stand-in a byte, so that they are written back as
// they were read.

#include "documents/line_breaks.h"

#include <QByteArray>
#include <QString>
#include <QStringView>

#include <cstddef>
#include <cstdint>
#include <iterator>

namespace quillet {

enum class TextEncoding : std::uint8_t { Windows1251, Utf8, Utf8WithMark };

struct FileFormat {
    TextEncoding encoding = TextEncoding::Windows1251;
    // The break Enter, pasted text and the time stamp put in the text: the kind
    // of the file's first line break (CR LF for a file without any).
    LineBreak lineBreak = LineBreak::CrLf;
    // The break written after the last line: the one the file ended with, or
    // the document's own kind when it ended without one.
    LineBreak finalBreak = LineBreak::CrLf;

    bool utf8() const { return encoding != TextEncoding::Windows1251; }
    bool operator==(const FileFormat&) const = default;
};

// What the status bar says the document will be written as, e.g.
// "UTF-8 с меткой, CR LF".
QString describeFileFormat(const FileFormat& format);

// ---- Stand-ins -------------------------------------------------------------

// The structure characters; each stands in the editor as U+DC00 + its index.
inline constexpr char32_t StructureCharacters[] = {0x2028, 0x2029, 0xFDD0, 0xFDD1};
constexpr char16_t FirstStructureStandIn = 0xDC00;

// The stand-in for a structure character, or 0 when c is none.
constexpr char16_t structureStandIn(char32_t c) {
    for (std::size_t i = 0; i < std::size(StructureCharacters); ++i) {
        if (StructureCharacters[i] == c)
            return static_cast<char16_t>(FirstStructureStandIn + i);
    }
    return 0;
}
// The character a stand-in stands for (itself for any other character).
constexpr char32_t standsFor(char16_t c) {
    const std::size_t i = static_cast<std::size_t>(c - FirstStructureStandIn);
    return c >= FirstStructureStandIn && i < std::size(StructureCharacters) ? StructureCharacters[i]
                                                                            : c;
}
// A byte 0x80..0xFF of a UTF-8 file that is not part of a valid sequence.
constexpr char16_t byteStandIn(unsigned char byte) {
    return static_cast<char16_t>(0xDC00 + byte);
}
constexpr bool isByteStandIn(char16_t c) {
    return c >= 0xDC80 && c <= 0xDCFF;
}

// Text from outside (another program, the keyboard) as the editor holds it:
// structure characters become their stand-ins, and a lone surrogate, which
// would be taken for a stand-in, becomes U+FFFD.
QString toEditorText(QString text);
// Editor text for another program: each stand-in becomes the character it
// stands for, a byte's stand-in U+FFFD.
QString fromEditorText(QString text);

// ---- UTF-8 -----------------------------------------------------------------

// Appends the editor text as UTF-8: stand-ins give back what they stand for.
void appendUtf8(QByteArray& out, QStringView text);
// The number of bytes appendUtf8 makes of the text.
qsizetype measureUtf8(QStringView text);

} // namespace quillet
