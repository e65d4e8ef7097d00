#pragma once

// The line-joining reader the editor used before files were read a piece at a
// time: the whole file as lines, each followed by CR LF. The piece-by-piece
// reader is checked against it, so its own behaviour is pinned down by tests too.

#include <QByteArray>

#include <cstring>
#include <functional>

namespace quillet::test {

struct JoinedLines {
    // Every line read, each followed by CR LF.
    QByteArray text;
    // False when askContinue stopped the reading early.
    bool whole = true;
};

// Splits file bytes into lines and joins them with CR LF. A line ends at CR or at
// CR LF; a lone LF stays inside its line. Right after the first line that takes the
// joined text over `limit` bytes, askContinue is called once (when given): false
// stops the reading there, keeping the lines read so far.
inline JoinedLines joinLines(const QByteArray& file, qsizetype limit,
                             const std::function<bool()>& askContinue) {
    JoinedLines out;
    out.text.reserve(file.size() + 2);
    const char* p = file.constData();
    const char* const end = p + file.size();
    bool asked = false;
    while (p < end) {
        const void* found = std::memchr(p, '\r', static_cast<size_t>(end - p));
        const char* lineEnd = found ? static_cast<const char*>(found) : end;
        out.text.append(p, lineEnd - p);
        out.text.append("\r\n", 2);
        p = lineEnd;
        if (found) {
            ++p;
            if (p < end && *p == '\n')
                ++p;
        }
        if (askContinue && !asked && out.text.size() > limit) {
            asked = true;
            if (!askContinue()) {
                out.whole = p >= end;
                break;
            }
        }
    }
    return out;
}

} // namespace quillet::test
