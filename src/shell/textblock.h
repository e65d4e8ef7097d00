#pragma once

#include <QColor>
#include <QPlainTextEdit>

#include <functional>

namespace quillet {

// The document's editing control. It keeps the model the rest of the program is
// written against: the text is a sequence of Windows-1251 characters in which a
// line break is the pair CR LF and counts as two positions. Every position, length
// and selection below is in that model.
//
// Inside the widget a line break is a block boundary (one position), so a model
// position is the widget position plus the number of the block it lies in. A lone
// LF inside a line (files from other systems hold them) is kept as the visible
// mark U+240A, one position in both models, and reads back as LF.
class TextBlock : public QPlainTextEdit {
    Q_OBJECT
public:
    static constexpr QChar LoneLfMark = QChar(0x240A);

    explicit TextBlock(QWidget* parent = nullptr);

    // Whole text, CR LF line breaks. Building it walks the whole document: do not
    // call it to answer a question about the selection or the length.
    QString text() const;
    // Replaces the whole text; the undo buffer is emptied. A CR LF pair or a lone
    // CR becomes a line break, a lone LF stays a lone LF.
    void setText(const QString& text);
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
    // The font's character set; Qt fonts carry none, so it is kept here.
    int fontCharSet() const { return fontCharSet_; }
    void setFontCharSet(int charSet) { fontCharSet_ = charSet; }

    // Model position <-> widget position.
    int toWidgetPosition(int modelPos) const;
    int toModelPosition(int widgetPos) const;

    // Text as the widget holds it (line breaks as block separators) for model text.
    static QString toWidgetText(const QString& modelText);
    // Model text for text taken out of the widget (U+2029 separators, marks).
    static QString toModelText(QString widgetText);

    // Inserts text as if pasted from another program.
    void pasteText(const QString& text);

    // Asked on every context-menu request: true lets the editor's own menu show.
    void setStandardMenuQuery(std::function<bool()> query) { standardMenu_ = std::move(query); }

Q_SIGNALS:
    // Fires on every change of the text, also when the program replaces it.
    void changed();
    // A mouse button went down over the editor: 1 left, 2 right, 4 middle.
    void mouseDown(int button);

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;
    bool canInsertFromMimeData(const QMimeData* source) const override;
    void insertFromMimeData(const QMimeData* source) override;
    QMimeData* createMimeDataFromSelection() const override;

private:
    int fontCharSet_ = 204;
    std::function<bool()> standardMenu_;
};

} // namespace quillet
