#pragma once

#include <QPlainTextDocumentLayout>

namespace quillet {

// The editor's document layout. It lays paragraphs out exactly as
// QPlainTextDocumentLayout does, one at a time as they are shown or edited, but
// keeps the document's width its own way.
//
// QPlainTextDocumentLayout remembers which paragraph is the widest, and when
// that paragraph gets narrower (a typed word moves to the next line, a long line
// is shortened) it asks every paragraph of the document for its width. Asking a
// paragraph that was never laid out gives it a layout object of a few hundred
// bytes, so one keystroke in a document of millions of lines walks all of them
// and leaves hundreds of megabytes behind.
//
// Here the document is as wide as the text width or as its widest laid-out
// paragraph, whichever is wider, which is what the horizontal scroll bar shows.
// Only paragraphs laid out wider than the text width are remembered (with
// wrapping on there are hardly ever any), so an edit costs the paragraphs it
// touches. A new text width likewise costs no layout object for paragraphs
// that are not shown (setWidth).
//
// A remembered paragraph carries a mark in its user data, which goes with the
// paragraph; the editor's paragraphs carry no other user data.
class ParagraphLayout : public QPlainTextDocumentLayout {
    Q_OBJECT
public:
    explicit ParagraphLayout(QTextDocument* document);
    ~ParagraphLayout() override;

    // Lays the text out at a new width, as QPlainTextDocumentLayout does when
    // the editor's width changes, but without giving every paragraph a layout
    // object on the way: each is laid out again when it is next shown. The
    // same width again changes nothing.
    void setWidth(qreal width);

    QSizeF documentSize() const override;
    QRectF frameBoundingRect(QTextFrame* frame) const override;
    QRectF blockBoundingRect(const QTextBlock& block) const override;

protected:
    void documentChanged(int from, int removed, int added) override;

private:
    struct Wide;
    void layoutBlock(const QTextBlock& block);
    // The widest laid-out paragraph's width, or 0.
    qreal widest() const;
    // The width the text is laid out at (0 before the editor gives one: no
    // wrapping).
    qreal givenWidth() const;
    qreal documentWidth() const;
    void remember(Wide* wide, qreal width);
    void forget(Wide* wide);
    void announceSize();

    // The paragraphs last laid out wider than the text width, some since cleared.
    Wide* first_ = nullptr;
    // The widest of them while widestKnown_; found again when asked otherwise.
    mutable Wide* widest_ = nullptr;
    mutable qreal widestWidth_ = 0;
    mutable bool widestKnown_ = true;
    // The text width, and the one QPlainTextDocumentLayout was last seen with.
    mutable qreal width_ = 0;
    mutable qreal standardWidth_ = 0;
    // The paragraph count QPlainTextDocumentLayout last saw.
    int blockCount_ = 1;
    bool announcing_ = false;
};

} // namespace quillet
