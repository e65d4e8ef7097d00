#include "documents/document_reader.h"

#include "documents/buffer_limit.h"
#include "documents/cp1251.h"
#include "documents/file_format.h"
#include "documents/mdl_code.h"

#include <algorithm>
#include <cstring>
#include <new>

namespace quillet {

namespace {

// Length of the UTF-8 sequence at p: 1 for ASCII, 2..4 for a valid sequence, 0 for
// a byte that starts none, -1 for a valid start cut by end. *code gets the value.
int utf8Sequence(const unsigned char* p, const unsigned char* end, char32_t* code) {
    const unsigned char b = *p;
    if (b < 0x80) {
        *code = b;
        return 1;
    }
    int length = 0;
    unsigned char low = 0x80;
    unsigned char high = 0xBF;
    if (b >= 0xC2 && b <= 0xDF) {
        length = 2;
    } else if (b >= 0xE0 && b <= 0xEF) {
        length = 3;
        if (b == 0xE0)
            low = 0xA0;
        else if (b == 0xED)
            high = 0x9F; // no surrogates
    } else if (b >= 0xF0 && b <= 0xF4) {
        length = 4;
        if (b == 0xF0)
            low = 0x90;
        else if (b == 0xF4)
            high = 0x8F;
    } else {
        return 0;
    }
    char32_t value = b & (0x7F >> length);
    for (int i = 1; i < length; ++i) {
        if (p + i >= end)
            return -1;
        const unsigned char c = p[i];
        if (i == 1 ? (c < low || c > high) : (c < 0x80 || c > 0xBF))
            return 0;
        value = (value << 6) | (c & 0x3F);
    }
    *code = value;
    return length;
}

} // namespace

bool looksLikeUtf8(const char* data, qsizetype size, bool atEnd) {
    const auto* p = reinterpret_cast<const unsigned char*>(data);
    const auto* const end = p + size;
    bool multiByte = false;
    while (p < end) {
        char32_t code = 0;
        const int n = utf8Sequence(p, end, &code);
        if (n == 0)
            return false;
        if (n < 0)
            return !atEnd && multiByte;
        multiByte = multiByte || n > 1;
        p += n;
    }
    return multiByte;
}

DocumentReader::DocumentReader(ReadOptions options, qsizetype sizeHint)
    : options_(std::move(options)), sizeHint_(std::max<qsizetype>(sizeHint, 0)) {
    if (options_.displayLimit < 2)
        options_.displayLimit = 2;
    for (int b = 0; b < 256; ++b) {
        QByteArray one(1, static_cast<char>(b));
        if (options_.codePage == CodeDos || options_.codePage == CodeKoi)
            ConvertCodePageBytes(one, options_.codePage, CodeWindows);
        table_[b] = cp1251Char(static_cast<unsigned char>(one[0])).unicode();
    }
}

void DocumentReader::ensureRoom(qsizetype characters) {
    const qsizetype capacity = out_.paragraphs.size();
    const qsizetype need = used_ + characters;
    if (need <= capacity)
        return;
    // Bytes never give more characters than themselves; display breaks add a few.
    const qsizetype bound = sizeHint_ + sizeHint_ / (options_.displayLimit / 2) + 16;
    qsizetype next = std::max({capacity * 2, need, qsizetype(64 * 1024)});
    next = std::min(next, std::max(bound, need * 2));
    if (options_.maxCharacters >= 0) {
        if (need > options_.maxCharacters)
            throw std::bad_alloc();
        next = std::min(next, options_.maxCharacters);
    }
    checkBufferSize(next * qsizetype(sizeof(QChar)));
    out_.paragraphs.resize(next);
}

void DocumentReader::putBreak(LineBreak kind) {
    ensureRoom(1);
    out_.paragraphs.data()[used_++] = u'\n';
    out_.breaks.push_back(kind);
    paraStart_ = used_;
}

void DocumentReader::putPendingBreak() {
    if (!pendingBreak_)
        return;
    pendingBreak_ = false;
    putBreak(pendingKind_);
}

void DocumentReader::cutLongParagraph(bool force) {
    const qsizetype length = used_ - paraStart_;
    if (length <= options_.displayLimit && !force)
        return;
    QChar* text = out_.paragraphs.data();
    const qsizetype cut = displayCut(QStringView(text + paraStart_, length), options_.displayLimit);
    if (cut >= length)
        return;
    ensureRoom(1);
    text = out_.paragraphs.data();
    QChar* at = text + paraStart_ + cut;
    std::memmove(at + 1, at, static_cast<size_t>(length - cut) * sizeof(QChar));
    *at = u'\n';
    ++used_;
    out_.breaks.push_back(LineBreak::Display);
    paraStart_ += cut + 1;
}

void DocumentReader::lineEnded() {
    lineOpen_ = false;
    counted_ += 2;
    if (options_.askContinue && !asked_ && counted_ > options_.sizeLimit) {
        asked_ = true;
        if (!options_.askContinue())
            stopped_ = true;
    }
}

void DocumentReader::decideEncoding(const char* p, const char* end, bool atEnd) {
    decided_ = true;
    const qsizetype window = std::min<qsizetype>(end - p, Utf8SniffWindow);
    const bool windowEndsFile = atEnd && end - p <= Utf8SniffWindow;
    if (looksLikeUtf8(p, window, windowEndsFile))
        out_.format.encoding = TextEncoding::Utf8;
}

qsizetype DocumentReader::feed(const char* data, qsizetype size, bool atEnd) {
    const char* p = data;
    const char* const end = data + size;
    if (!started_) {
        if (size < 3 && !atEnd)
            return 0;
        if (startsWithUtf8Mark(data, size)) {
            decided_ = true;
            out_.format.encoding = TextEncoding::Utf8WithMark;
            p += 3;
        }
        started_ = true;
    }
    bool utf8 = out_.format.utf8();
    const qsizetype limit = options_.displayLimit;
    while (p < end && !stopped_) {
        const unsigned char b = static_cast<unsigned char>(*p);
        if (b == '\r' || b == '\n') {
            if (b == '\r' && p + 1 == end && !atEnd)
                break; // whether an LF follows shows with the next bytes
            const LineBreak kind = b == '\n' ? LineBreak::Lf : LineBreak::CrLf;
            p += (b == '\r' && p + 1 < end && p[1] == '\n') ? 2 : 1;
            // An empty line: the break after the line before it stays.
            putPendingBreak();
            if (!sawBreak_) {
                sawBreak_ = true;
                out_.format.lineBreak = kind;
            }
            if (kind == LineBreak::CrLf) {
                lineEnded();
            } else {
                // A lone LF does not end a line for the size question.
                lineOpen_ = true;
                ++counted_;
            }
            pendingBreak_ = true;
            pendingKind_ = kind;
            continue;
        }
        putPendingBreak();
        lineOpen_ = true;
        if (!decided_ && b >= 0x80) {
            if (end - p < Utf8SniffWindow && !atEnd)
                break;
            decideEncoding(p, end, atEnd);
            utf8 = out_.format.utf8();
        }
        // A run of ordinary characters, no longer than lets the paragraph pass the
        // display limit by one (it is cut then, leaving that one to go on with).
        cutLongParagraph(false);
        const qsizetype room = limit + 1 - (used_ - paraStart_);
        // Bytes never give more characters than themselves (a pair takes four).
        qsizetype want = std::min<qsizetype>(room + 1, end - p + 1);
        if (options_.maxCharacters >= 0 && used_ + want > options_.maxCharacters) {
            // Near the limit only what this line really needs counts.
            qsizetype line = 0;
            while (line < want - 1 && p[line] != '\r' && p[line] != '\n')
                ++line;
            want = line + 1;
        }
        ensureRoom(want);
        char16_t* const first = reinterpret_cast<char16_t*>(out_.paragraphs.data()) + used_;
        char16_t* out = first;
        char16_t* const stop = first + room;
        if (!utf8) {
            const char* runEnd = p + std::min<qsizetype>(end - p, room);
            while (p < runEnd) {
                const unsigned char c = static_cast<unsigned char>(*p);
                if (c == '\r' || c == '\n' || (!decided_ && c >= 0x80))
                    break;
                *out++ = table_[c];
                ++p;
            }
        } else {
            const auto* q = reinterpret_cast<const unsigned char*>(p);
            const auto* const qEnd = reinterpret_cast<const unsigned char*>(end);
            // A surrogate pair may take the paragraph one past the run's end.
            while (q < qEnd && out < stop) {
                const unsigned char c = *q;
                if (c == '\r' || c == '\n')
                    break;
                char32_t code = 0;
                const int n = utf8Sequence(q, qEnd, &code);
                if (n < 0 && !atEnd)
                    break; // the rest of the sequence comes with the next bytes
                if (n <= 0) {
                    // Not UTF-8: held as the byte itself, written back unchanged.
                    *out++ = byteStandIn(c);
                    ++q;
                    continue;
                }
                if (const char16_t standIn = structureStandIn(code)) {
                    *out++ = standIn;
                    q += n;
                    continue;
                }
                if (code >= 0x10000) {
                    *out++ = static_cast<char16_t>(0xD7C0 + (code >> 10));
                    *out++ = static_cast<char16_t>(0xDC00 + (code & 0x3FF));
                } else {
                    *out++ = static_cast<char16_t>(code);
                }
                q += n;
            }
            const char* next = reinterpret_cast<const char*>(q);
            if (next == p && out == first)
                break; // a cut sequence at the end of these bytes
            p = next;
        }
        const qsizetype written = out - first;
        used_ += written;
        counted_ += written;
        cutLongParagraph(false);
    }
    return p - data;
}

DocumentText DocumentReader::finish() {
    const bool endsWithBreak = pendingBreak_;
    if (lineOpen_) {
        // The last line had no line break: it is counted with the CR LF every line
        // is followed by, as any other line.
        lineEnded();
    }
    out_.textLength = counted_ > 0 ? counted_ - 2 : 0;
    // The break after the last line is the file's final break, not part of the
    // text; a file without one is given one of the document's own kind.
    out_.format.finalBreak = endsWithBreak ? pendingKind_ : out_.format.lineBreak;
    if (endsWithBreak && pendingKind_ == LineBreak::Lf)
        --out_.textLength;
    pendingBreak_ = false;
    out_.paragraphs.truncate(used_);
    if (out_.paragraphs.capacity() > used_ + used_ / 8 + 1024)
        out_.paragraphs.squeeze();
    DocumentText result = std::move(out_);
    out_ = DocumentText{};
    used_ = paraStart_ = 0;
    return result;
}

DocumentText readDocument(const QByteArray& file, ReadOptions options) {
    DocumentReader reader(std::move(options), file.size());
    const qsizetype used = reader.feed(file.constData(), file.size(), true);
    const bool stopped = reader.stopped();
    DocumentText text = reader.finish();
    if (stopped)
        text.whole = used >= file.size();
    return text;
}

} // namespace quillet
