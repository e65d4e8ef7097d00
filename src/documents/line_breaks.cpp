#include "documents/line_breaks.h"

#include "documents/file_format.h"

#include <algorithm>

namespace quillet {

qsizetype displayCut(QStringView line, qsizetype limit) {
    if (line.size() <= limit)
        return line.size();
    for (qsizetype i = limit - 1; i >= limit / 2; --i) {
        const QChar c = line[i];
        if (c == u' ' || c == u'\t')
            return i + 1;
    }
    qsizetype cut = limit;
    if (line[cut - 1].isHighSurrogate() && line[cut].isLowSurrogate())
        --cut;
    return cut;
}

Paragraphs toParagraphs(QStringView documentText, qsizetype limit) {
    Paragraphs out;
    out.text.reserve(documentText.size() + documentText.size() / std::max<qsizetype>(limit / 2, 1) +
                     1);
    qsizetype paraStart = 0;
    const auto putBreak = [&](LineBreak kind) {
        out.text.append(u'\n');
        out.breaks.push_back(kind);
        paraStart = out.text.size();
    };
    const qsizetype n = documentText.size();
    for (qsizetype i = 0; i < n; ++i) {
        const QChar c = documentText[i];
        if (c == u'\r') {
            if (i + 1 < n && documentText[i + 1] == u'\n')
                ++i;
            putBreak(LineBreak::CrLf);
        } else if (c == u'\n') {
            putBreak(LineBreak::Lf);
        } else {
            const char16_t standIn = structureStandIn(c.unicode());
            out.text.append(standIn ? QChar(standIn) : c);
            if (out.text.size() - paraStart > limit) {
                const qsizetype cut = displayCut(QStringView(out.text).mid(paraStart), limit);
                out.text.insert(paraStart + cut, u'\n');
                out.breaks.push_back(LineBreak::Display);
                paraStart += cut + 1;
            }
        }
    }
    return out;
}

void BreakIndex::reset(std::vector<LineBreak> kinds) {
    if (kinds.empty())
        kinds.push_back(LineBreak::CrLf);
    kinds_ = std::move(kinds);
    total_ = 0;
    for (size_t i = 1; i < kinds_.size(); ++i)
        total_ += offsetOf(kinds_[i]);
    prefix_.assign(1, 0);
    valid_ = 1;
}

void BreakIndex::splice(int first, int oldCount, const LineBreak* kinds, int newCount) {
    const auto at = kinds_.begin() + first;
    for (auto it = at; it != at + oldCount; ++it) {
        if (it != kinds_.begin())
            total_ -= offsetOf(*it);
    }
    for (int i = 0; i < newCount; ++i) {
        if (first + i != 0)
            total_ += offsetOf(kinds[i]);
    }
    if (oldCount == newCount) {
        // An edit inside paragraphs (typing) usually changes no break at all.
        const auto differs = std::mismatch(kinds, kinds + newCount, at).first;
        if (differs == kinds + newCount)
            return;
        first += static_cast<int>(differs - kinds);
        std::copy(differs, kinds + newCount, kinds_.begin() + first);
    } else {
        kinds_.erase(at, at + oldCount);
        kinds_.insert(kinds_.begin() + first, kinds, kinds + newCount);
    }
    // Sums before paragraph `first` are unchanged (the first paragraph's is 0).
    valid_ = std::max(1, std::min(valid_, first));
}

int BreakIndex::offsetBefore(int paragraph) const {
    paragraph = std::clamp(paragraph, 0, paragraphs() - 1);
    if (paragraph >= valid_) {
        prefix_.resize(kinds_.size());
        int sum = prefix_[static_cast<size_t>(valid_ - 1)];
        for (int i = valid_; i <= paragraph; ++i) {
            sum += offsetOf(kinds_[static_cast<size_t>(i)]);
            prefix_[static_cast<size_t>(i)] = sum;
        }
        valid_ = paragraph + 1;
    }
    return prefix_[static_cast<size_t>(paragraph)];
}

} // namespace quillet
