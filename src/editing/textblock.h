#pragma once

#include <QColor>
#include <QPlainTextEdit>

#include "documents/file_format.h"
#include "documents/line_breaks.h"

#include <QTextBlock>
#include <QTextBlockFormat>
#include <QTextCursor>

#include <functional>
#include <utility>
#include <vector>

namespace quillet {

class ParagraphLayout;

// The document's editing control. It keeps the model the rest of the program is
// written against: the text is a sequence of characters in which a line break is
// the pair CR LF and counts as two positions, and a lone LF (files from other
// systems hold them) counts as one. Every position, length and selection below
// is in that model. The characters the widget would take for its own structure
// are held as stand-ins (file_format.h): the text below holds the stand-ins, and
// only the file and the clipboard see what they stand for.
//
// Inside the widget every break is a paragraph boundary of one position, and the
// paragraph's format remembers which break comes before it: a line break, a lone
// LF, or a display break, which only cuts a very long line so that the widget
// lays it out quickly and counts no position at all. A model position is the
// widget position plus what the breaks before its paragraph add; those sums are
// cached and only the edited part is looked at again after an edit.
class TextBlock : public QPlainTextEdit {
    Q_OBJECT
public:
    explicit TextBlock(QWidget* parent = nullptr);

    // Whole text, CR LF line breaks. Building it walks the whole document: do not
    // call it to answer a question about the selection or the length.
    QString text() const;
    // Appends to out the text of paragraphs from firstParagraph on, each with the
    // break before it (the first paragraph has none), in the form text() gives:
    // at most maxParagraphs of them, and no more once the next one would take
    // the characters appended past maxCharacters (one is always taken). Returns
    // how many were taken, 0 past the last paragraph. Taking a long text a few
    // paragraphs at a time, each call finds its first paragraph without walking
    // the ones before it.
    int appendText(QString& out, int firstParagraph, int maxParagraphs,
                   qsizetype maxCharacters) const;
    // Replaces the whole text; the undo buffer is emptied. A CR LF pair or a lone
    // CR becomes a line break, a lone LF stays a lone LF.
    void setText(const QString& text);
    // Told how much of a long piece of work is done, of how much (any unit).
    using Progress = std::function<void(qint64 done, qint64 total)>;
    // Replaces the whole text with paragraphs read from a file (the buffer is
    // released as soon as the widget holds the text); the undo buffer is emptied.
    // Given progress, a long text goes in a few million characters at a time and
    // progress is told between them (in characters), so that the window may
    // repaint; the editor announces one change, once the whole text is in.
    void setParagraphs(QString paragraphs, std::vector<LineBreak> breaks,
                       const Progress& progress = {});
    // How many characters at most go in at a time (tests make it small).
    void setFillPiece(qsizetype characters) { fillPiece_ = characters; }
    int textLength() const;
    bool hasText() const { return textLength() > 0; }

    int selStart() const;
    int selLength() const;
    QString selText() const;
    // Selects from start to end (the caret ends at end). Positions are clamped to
    // the text; a position between the CR and the LF of a pair counts as before it.
    void setSelection(int start, int end);
    // Moves the caret to pos with nothing selected. A negative position is refused
    // with failure 380; a position past the end puts the caret at the end.
    void setSelStart(int pos);
    // Extends the selection from its start by length characters (clamped).
    void setSelLength(int length);
    // Replaces the selection with text (CR LF line breaks) as one undoable edit;
    // the caret ends after the inserted text.
    void replaceSelection(const QString& text);
    // Cuts the selection to the clipboard as one undoable edit.
    void cut();
    // Deletes the selection, or the character after the caret (a line break goes
    // as one).
    void deleteForward();

    // The text as the file holds it, in the encoding given (without the break the
    // file ends with), handed to sink a piece at a time so that saving never
    // holds a copy of the whole text; returns the number of characters written
    // as '?' (Windows-1251 has no byte for them; UTF-8 holds every one).
    using ByteSink = std::function<void(const char* data, qsizetype size)>;
    qsizetype writeFileBytes(const ByteSink& sink,
                             TextEncoding encoding = TextEncoding::Windows1251) const;
    // How many bytes writeFileBytes gives, counted without making them;
    // progress is told how many paragraphs of how many were counted.
    qint64 fileSize(qsizetype* unmappable, TextEncoding encoding = TextEncoding::Windows1251,
                    const Progress& progress = {}) const;
    // Shows every character Windows-1251 cannot hold as the '?' the file holds, as
    // one undoable edit. Returns whether anything changed.
    bool showUnmappableAsWritten();

    bool canUndo() const;
    void emptyUndoBuffer();
    void scrollCaret();

    // 0 left, 1 right, 2 centre.
    int alignmentCode() const;
    void setAlignmentCode(int code);

    QColor textColor() const;
    void setTextColor(const QColor& color);
    QColor backColor() const;
    void setBackColor(const QColor& color);
    // The font the user chose, as the settings, the font dialog and the menus
    // know it.
    const QFont& chosenFont() const { return chosenFont_; }
    void setChosenFont(const QFont& font);
    // The font the editor shows the chosen one in: the face the screen has for it
    // (screenFace). Printing uses it too, so the pages look like the screen.
    QFont shownFont() const { return font(); }
    // The font's character set; Qt fonts carry none, so it is kept here.
    int fontCharSet() const { return fontCharSet_; }
    void setFontCharSet(int charSet) { fontCharSet_ = charSet; }

    // Model position <-> widget position.
    int toWidgetPosition(int modelPos) const;
    int toModelPosition(int widgetPos) const;

    // The break before a widget paragraph (the first paragraph's is meaningless).
    LineBreak breakBefore(int paragraph) const { return index_.kind(paragraph); }
    // Whether the cached breaks agree with the paragraphs' formats (for tests).
    bool breaksConsistent() const;

    // Inserts text as if pasted from another program.
    void pasteText(const QString& text);

    // The line break Enter and pasted text put in: the document's own kind
    // (CR LF, or LF for a document whose file uses lone LFs).
    LineBreak lineBreakKind() const { return lineBreak_; }
    void setLineBreakKind(LineBreak kind) { lineBreak_ = kind; }

    // Asked on every context-menu request: true lets the editor's own menu show.
    void setStandardMenuQuery(std::function<bool()> query) { standardMenu_ = std::move(query); }

Q_SIGNALS:
    // Fires on every change of the text, also when the program replaces it.
    void changed();
    // A mouse button went down over the editor: 1 left, 2 right, 4 middle.
    void mouseDown(int button);
    // The menu key or Shift+F10 asked for the program's context menu, to be
    // shown at globalPos (the caret).
    void menuKey(const QPoint& globalPos);

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void inputMethodEvent(QInputMethodEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;
    bool canInsertFromMimeData(const QMimeData* source) const override;
    void insertFromMimeData(const QMimeData* source) override;
    QMimeData* createMimeDataFromSelection() const override;
    void resizeEvent(QResizeEvent* event) override;

private:
    LineBreak kindOf(const QTextBlock& block) const;
    QTextBlockFormat formatFor(LineBreak kind) const;
    void contentsChanged(int position, int removed, int added);
    void rebuildIndex();
    // Places the viewport of a hidden editor and lays the text out at its width.
    void settleTextWidth();
    // Puts the text into the widget a piece at a time, telling progress between.
    void fillInPieces(const QString& paragraphs, const Progress& progress);
    void removeSelected(QTextCursor& cursor);
    void insertDocumentText(QTextCursor& cursor, QStringView text);
    void cutLongParagraphs(int first, int last);
    void applyPendingRepairs();
    // Model text of the widget range [from, to); lineFeeds writes every line
    // break as a single LF (for other programs).
    QString textBetween(int from, int to, bool lineFeeds) const;

    BreakIndex index_;
    LineBreak lineBreak_ = LineBreak::CrLf;
    // Paragraphs whose format names no break have this one before them.
    LineBreak plainKind_ = LineBreak::CrLf;
    mutable std::vector<signed char> kindOfFormat_;
    bool settingText_ = false;
    // The text goes in piece by piece: the editor's change is announced once, after.
    bool fillingText_ = false;
    // A few million characters take the widget a fraction of a second.
    qsizetype fillPiece_ = qsizetype(1) << 22;
    // The document's layout, set once by the constructor; the document owns it.
    ParagraphLayout* layout_ = nullptr;
    // Repairs found while the document reported a change, made right after it.
    std::vector<std::pair<QTextCursor, LineBreak>> pendingKinds_;
    std::vector<QTextCursor> pendingLong_;
    bool repairQueued_ = false;
    int fontCharSet_ = 204;
    QFont chosenFont_;
    std::function<bool()> standardMenu_;
};

} // namespace quillet
