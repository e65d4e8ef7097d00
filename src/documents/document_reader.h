#pragma once

// Turning the bytes of a text file into the editor's paragraphs in one pass: lines
// are found, the code page is decoded (Windows-1251, DOS or KOI bytes, or UTF-8,
// which is recognised whatever code page was chosen), very long lines are cut
// for display, and the size question is asked as soon as the text read so far
// passes the limit, before the rest of the file is read.

#include "documents/file_format.h"
#include "documents/file_stamp.h"
#include "documents/line_breaks.h"
#include "documents/working_limit.h"

#include <QByteArray>
#include <QString>

#include <functional>
#include <vector>

namespace quillet {

// UTF-8 is recognised from at most this many bytes after the first byte that is
// not ASCII.
constexpr qsizetype Utf8SniffWindow = 64 * 1024;

// Whether bytes that start with a non-ASCII byte read as valid UTF-8 holding at
// least one multi-byte sequence. A sequence cut by the end of the window counts as
// valid unless the window ends the file (atEnd).
bool looksLikeUtf8(const char* data, qsizetype size, bool atEnd);
inline bool startsWithUtf8Mark(const char* data, qsizetype size) {
    return size >= 3 && static_cast<unsigned char>(data[0]) == 0xEF &&
           static_cast<unsigned char>(data[1]) == 0xBB &&
           static_cast<unsigned char>(data[2]) == 0xBF;
}

struct ReadOptions {
    int codePage = 1; // 1 Windows, 2 DOS, 3 KOI
    // Right after the line that takes the text over sizeLimit characters (each line
    // counted with the CR LF that follows it), askContinue is called once; false
    // stops the reading there. Empty: no question.
    qsizetype sizeLimit = WorkingLimit;
    std::function<bool()> askContinue;
    // Paragraphs longer than this are cut by display breaks.
    qsizetype displayLimit = DisplayLineLimit;
    // The editor text may hold at most this many characters; a longer one fails as
    // an allocation would (std::bad_alloc). Negative: no limit.
    qsizetype maxCharacters = -1;
    // Told how many of the file's bytes were read so far, of how many there are
    // (0 when the file gives no size), after every piece readDocumentFile reads.
    std::function<void(qint64 done, qint64 total)> progress;
};

struct DocumentText {
    // The paragraphs, separated by '\n'.
    QString paragraphs;
    // The break before each paragraph (the first entry stands for the first
    // paragraph, which has none).
    std::vector<LineBreak> breaks{LineBreak::CrLf};
    // Length of the document text (CR LF counting two, lone LF one).
    qsizetype textLength = 0;
    // False when the size question stopped the reading before the end.
    bool whole = true;
    // How the text goes back into the file.
    FileFormat format;
    // The file as it was when it was read (readDocumentFile only).
    FileStamp stamp;
};

// Reads file bytes handed over piece by piece.
class DocumentReader {
public:
    DocumentReader(ReadOptions options, qsizetype sizeHint);

    // Takes the next bytes (atEnd: they end the file) and returns how many were
    // used; the rest must be handed over again with the bytes that follow (a few
    // bytes are kept back at a CR, a cut UTF-8 sequence, or while UTF-8 is being
    // recognised). Stops using bytes once stopped() is true.
    qsizetype feed(const char* data, qsizetype size, bool atEnd);
    bool stopped() const { return stopped_; }
    // The text read; the reader is empty afterwards.
    DocumentText finish();

private:
    void decideEncoding(const char* p, const char* end, bool atEnd);
    void ensureRoom(qsizetype characters);
    void putBreak(LineBreak kind);
    void putPendingBreak();
    void cutLongParagraph(bool force);
    void lineEnded();

    ReadOptions options_;
    qsizetype sizeHint_;
    DocumentText out_;
    qsizetype used_ = 0;      // characters written to out_.paragraphs
    qsizetype paraStart_ = 0; // where the current paragraph starts
    qsizetype counted_ = 0;   // text read so far, every line with its CR LF
    // A line break read and not yet put in the paragraphs: the text's last one
    // is the file's final break, which is not part of the text.
    bool pendingBreak_ = false;
    LineBreak pendingKind_ = LineBreak::CrLf;
    bool sawBreak_ = false;
    bool lineOpen_ = false; // bytes read since the last line ended
    bool started_ = false;
    bool decided_ = false; // whether the text is UTF-8
    bool asked_ = false;
    bool stopped_ = false;
    char16_t table_[256];
};

// Convenience over a whole buffer.
DocumentText readDocument(const QByteArray& file, ReadOptions options);

// Reads the file at path through a DocumentReader, a piece at a time: a file the
// size question stops is never read further. Throws quillet::Failure (53 file
// not found, 76 path not found, 75 access error, others with their own numbers),
// and std::bad_alloc when the text would pass the limit.
DocumentText readDocumentFile(const QString& path, ReadOptions options);

} // namespace quillet
