#pragma once

// The three kinds of line break the document holds, and the bookkeeping that maps
// positions in the document text to positions in the editor's paragraphs.
//
// In the editor every break is a paragraph boundary of one position. In the
// document text a CR LF break takes two positions (and two bytes in the file), a
// lone LF one, and a display break none: it only cuts a very long line into
// paragraphs the editor can lay out quickly, and is not part of the text at all.

#include <QString>
#include <QStringView>

#include <cstdint>
#include <vector>

namespace quillet {

enum class LineBreak : std::uint8_t { CrLf = 0, Lf = 1, Display = 2 };

// Positions (and file bytes) a break takes in the document text.
constexpr int textWidth(LineBreak kind) {
    return kind == LineBreak::CrLf ? 2 : kind == LineBreak::Lf ? 1 : 0;
}

// The characters a break stands for in the document text.
constexpr QLatin1StringView breakText(LineBreak kind) {
    return kind == LineBreak::CrLf ? QLatin1StringView("\r\n")
           : kind == LineBreak::Lf ? QLatin1StringView("\n")
                                   : QLatin1StringView();
}

// Paragraphs are cut at this many characters when a file is read; while the user
// edits, a paragraph is cut again once it grows past DisplayBreakTrigger.
constexpr int DisplayLineLimit = 4096;
constexpr int DisplayBreakTrigger = 2 * DisplayLineLimit;

// Length of the first piece when a line longer than limit is cut: just after the
// last space or tab in the second half of the first `limit` characters, else at
// limit itself, moved back by one rather than part a surrogate pair.
qsizetype displayCut(QStringView line, qsizetype limit);

// Document text (CR LF or a lone CR: a line break, a lone LF: a lone LF) as
// paragraphs separated by '\n', with the break before each paragraph (the first
// entry stands for the first paragraph). Lines longer than limit are cut by
// display breaks; the characters the editor takes for structure are given as
// their stand-ins (file_format.h).
struct Paragraphs {
    QString text;
    std::vector<LineBreak> breaks{LineBreak::CrLf};
};
Paragraphs toParagraphs(QStringView documentText, qsizetype limit = DisplayLineLimit);

// The break before each editor paragraph (the first has none), with cached
// sums so that the text position of a paragraph's start is cheap to find.
class BreakIndex {
public:
    // kinds[0] stands for the first paragraph and is ignored.
    void reset(std::vector<LineBreak> kinds);
    // Paragraphs first .. first + oldCount - 1 were replaced by newCount paragraphs
    // whose breaks are kinds[0 .. newCount - 1].
    void splice(int first, int oldCount, const LineBreak* kinds, int newCount);

    int paragraphs() const { return static_cast<int>(kinds_.size()); }
    LineBreak kind(int paragraph) const {
        return paragraph >= 0 && paragraph < paragraphs() ? kinds_[static_cast<size_t>(paragraph)]
                                                          : LineBreak::CrLf;
    }
    // Text positions minus editor positions before the paragraph's start.
    int offsetBefore(int paragraph) const;
    // The same over the whole document.
    int totalOffset() const { return total_; }

private:
    static int offsetOf(LineBreak kind) { return textWidth(kind) - 1; }

    std::vector<LineBreak> kinds_{LineBreak::CrLf};
    // prefix_[i]: the offset before paragraph i, valid for i < valid_.
    mutable std::vector<int> prefix_{0};
    mutable int valid_ = 1;
    int total_ = 0;
};

} // namespace quillet
