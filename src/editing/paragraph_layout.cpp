#include "editing/paragraph_layout.h"

#include <QFontMetrics>
#include <QScopedValueRollback>
#include <QTextBlock>
#include <QTextDocument>
#include <QTextLayout>
#include <QtMath>

#include <algorithm>
#include <climits>

namespace quillet {

// The mark of a paragraph laid out wider than the text width. The paragraph owns
// it as its user data, so it is deleted with the paragraph and then leaves the
// layout's list; marks that outlive the layout (the document deletes its
// paragraphs after its layout) have no owner any more.
struct ParagraphLayout::Wide final : QTextBlockUserData {
    ~Wide() override {
        if (owner)
            owner->forget(this);
    }
    ParagraphLayout* owner = nullptr;
    // The paragraph's layout: it lives as long as the paragraph, and has no
    // lines once the paragraph has to be laid out again.
    const QTextLayout* lines = nullptr;
    // The paragraph's width when it was last laid out.
    qreal width = 0;
    Wide* previous = nullptr;
    Wide* next = nullptr;
};

ParagraphLayout::ParagraphLayout(QTextDocument* document) : QPlainTextDocumentLayout(document) {}

ParagraphLayout::~ParagraphLayout() {
    for (Wide* wide = first_; wide; wide = wide->next)
        wide->owner = nullptr;
}

qreal ParagraphLayout::widest() const {
    // A paragraph whose lines were cleared (an edit around it, a new text width)
    // has no width until it is laid out again.
    if (widestKnown_ && widest_ && widest_->lines->lineCount() == 0)
        widestKnown_ = false;
    if (!widestKnown_) {
        widest_ = nullptr;
        widestWidth_ = 0;
        for (Wide* wide = first_; wide; wide = wide->next) {
            if (wide->width > widestWidth_ && wide->lines->lineCount() > 0) {
                widest_ = wide;
                widestWidth_ = wide->width;
            }
        }
        widestKnown_ = true;
    }
    return widestWidth_;
}

qreal ParagraphLayout::givenWidth() const {
    // The editor gives QPlainTextDocumentLayout the text width itself when the
    // wrapping changes, and it keeps that to itself. Its frame is as wide as the
    // text width or its widest paragraph, and since it lays out none itself here
    // (and forgets its widest when the document is emptied), that is the width.
    const qreal standard = QPlainTextDocumentLayout::frameBoundingRect(nullptr).width();
    if (standard != standardWidth_) {
        standardWidth_ = standard;
        width_ = standard;
    }
    return width_;
}

void ParagraphLayout::setWidth(qreal width) {
    if (width == givenWidth())
        return;
    width_ = width;
    // Every paragraph counts one line until it is laid out at the new width.
    for (QTextBlock block = document()->firstBlock(); block.isValid(); block = block.next()) {
        block.clearLayout();
        const int lines = block.isVisible() ? 1 : 0;
        if (block.lineCount() != lines)
            block.setLineCount(lines);
    }
    Q_EMIT update(QRectF(0., 0., 1000000000., 1000000000.));
}

qreal ParagraphLayout::documentWidth() const {
    return std::max(givenWidth(), widest());
}

QSizeF ParagraphLayout::documentSize() const {
    return QSizeF(documentWidth(), document()->lineCount());
}

QRectF ParagraphLayout::frameBoundingRect(QTextFrame*) const {
    return QRectF(0, 0, documentWidth(), qreal(INT_MAX));
}

QRectF ParagraphLayout::blockBoundingRect(const QTextBlock& block) const {
    // The base class lays out a paragraph without lines itself; it finds this
    // one laid out.
    if (block.isValid() && block.layout()->lineCount() == 0)
        const_cast<ParagraphLayout*>(this)->layoutBlock(block);
    return QPlainTextDocumentLayout::blockBoundingRect(block);
}

void ParagraphLayout::remember(Wide* wide, qreal width) {
    wide->width = width;
    if (!widestKnown_)
        return;
    if (width > widestWidth_) {
        widest_ = wide;
        widestWidth_ = width;
    } else if (wide == widest_ && width < widestWidth_) {
        widestKnown_ = false;
    }
}

void ParagraphLayout::forget(Wide* wide) {
    if (wide->previous)
        wide->previous->next = wide->next;
    else
        first_ = wide->next;
    if (wide->next)
        wide->next->previous = wide->previous;
    if (wide == widest_) {
        widest_ = nullptr;
        widestKnown_ = false;
    }
}

void ParagraphLayout::announceSize() {
    // The editor answers by laying out the last paragraphs to size its scroll
    // bars and reading the size when it is done; the paragraphs it lays out
    // meanwhile announce nothing, as with QPlainTextDocumentLayout.
    if (announcing_)
        return;
    const QScopedValueRollback<bool> busy(announcing_, true);
    Q_EMIT documentSizeChanged(documentSize());
}

void ParagraphLayout::layoutBlock(const QTextBlock& block) {
    // The lines are made as QPlainTextDocumentLayout makes them, so that every
    // paragraph breaks, stands and measures the same.
    QTextDocument* doc = document();
    const qreal widthBefore = documentWidth();
    const qreal margin = doc->documentMargin();
    QTextLayout* layout = block.layout();
    const QTextOption option = doc->defaultTextOption();
    layout->setTextOption(option);
    int extraMargin = 0;
    if (option.flags() & QTextOption::AddSpaceForLineAndParagraphSeparators) {
        const QFontMetrics metrics(block.charFormat().font());
        extraMargin += metrics.horizontalAdvance(QChar(0x21B5));
    }
    qreal available = givenWidth();
    if (available <= 0)
        available = qreal(INT_MAX);
    available -= 2 * margin + extraMargin;
    qreal height = 0;
    qreal width = 0;
    layout->beginLayout();
    for (QTextLine line = layout->createLine(); line.isValid(); line = layout->createLine()) {
        line.setLeadingIncluded(true);
        line.setLineWidth(available);
        line.setPosition(QPointF(margin, height));
        height += line.height();
        if (line.leading() < 0)
            height += qCeil(line.leading());
        width = std::max(width, line.naturalTextWidth() + 2 * margin);
    }
    layout->endLayout();

    const int linesBefore = doc->lineCount();
    QTextBlock paragraph = block;
    paragraph.setLineCount(block.isVisible() ? layout->lineCount() : 0);

    auto* wide = dynamic_cast<Wide*>(block.userData());
    if (width > givenWidth()) {
        if (!wide) {
            wide = new Wide;
            wide->owner = this;
            wide->lines = layout;
            wide->next = first_;
            if (first_)
                first_->previous = wide;
            first_ = wide;
            paragraph.setUserData(wide);
        }
        remember(wide, width);
    } else if (wide) {
        paragraph.setUserData(nullptr); // deletes the mark, which forgets it
    }

    if (doc->lineCount() != linesBefore || documentWidth() != widthBefore)
        announceSize();
}

void ParagraphLayout::documentChanged(int from, int removed, int added) {
    QTextDocument* doc = document();
    const int count = doc->blockCount();
    const QTextBlock start = doc->findBlock(from);
    const QTextBlock end = doc->findBlock(std::max(0, from + removed + added - 1));
    if (start == end && count == blockCount_) {
        // An edit inside one paragraph: it is laid out again at once, and the
        // editor repaints that paragraph only, or everything below it too when
        // its height changed.
        if (start.isValid() && start.length() > 0) {
            const qreal heightBefore = blockBoundingRect(start).height();
            layoutBlock(start);
            if (blockBoundingRect(start).height() == heightBefore) {
                Q_EMIT updateBlock(start);
                return;
            }
        }
        Q_EMIT update(QRectF(0., -doc->documentMargin(), 1000000000., 1000000000.));
        return;
    }
    // Paragraphs added or removed: the base class clears the lines of the
    // paragraphs the edit reached (they are laid out when next shown) and
    // announces the new size, which the editor answers as above.
    const QScopedValueRollback<bool> busy(announcing_, true);
    QPlainTextDocumentLayout::documentChanged(from, removed, added);
    blockCount_ = count;
}

} // namespace quillet
