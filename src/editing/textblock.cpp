#include "editing/textblock.h"

#include "documents/buffer_limit.h"
#include "documents/cp1251.h"
#include "editing/paragraph_layout.h"
#include "platform/failure.h"
#include "platform/screen_font.h"

#include <QContextMenuEvent>
#include <QCoreApplication>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QMimeData>
#include <QMouseEvent>
#include <QResizeEvent>
#include <QScopedValueRollback>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextOption>

#include <algorithm>
#include <limits>

namespace quillet {

namespace {

// The paragraph format property that names the break before the paragraph.
constexpr int BreakProperty = QTextFormat::UserProperty + 0x51;

bool isTypedText(const QString& text, Qt::KeyboardModifiers modifiers) {
    if (text.isEmpty() || (modifiers & (Qt::ControlModifier | Qt::MetaModifier)))
        return false;
    const QChar c = text.at(0);
    return c.isPrint() || c == u'\t' || c.isSurrogate() || structureStandIn(c.unicode()) != 0;
}

} // namespace

TextBlock::TextBlock(QWidget* parent) : QPlainTextEdit(parent) {
    setObjectName(QStringLiteral("TextBlock"));
    setLineWrapMode(QPlainTextEdit::WidgetWidth);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    // The paragraphs are laid out by ParagraphLayout, so that an edit costs the
    // paragraphs it touches however long the document is. It takes over the
    // paint device and caret width of the layout it replaces; the editor gives
    // it the text width when it is first resized, as it would have the old one.
    QTextDocument* doc = document();
    const auto* standard = qobject_cast<QPlainTextDocumentLayout*>(doc->documentLayout());
    layout_ = new ParagraphLayout(doc);
    layout_->setPaintDevice(standard->paintDevice());
    layout_->setCursorWidth(standard->cursorWidth());
    doc->setDocumentLayout(layout_);
    // Only real edits of the text count as changes: the whole-document font,
    // colours and alignment live outside the text and fire nothing.
    connect(document(), &QTextDocument::contentsChange, this, &TextBlock::contentsChanged);
    chosenFont_ = font();
}

LineBreak TextBlock::kindOf(const QTextBlock& block) const {
    const int index = block.blockFormatIndex();
    if (index >= 0 && static_cast<size_t>(index) < kindOfFormat_.size() &&
        kindOfFormat_[static_cast<size_t>(index)] >= 0)
        return static_cast<LineBreak>(kindOfFormat_[static_cast<size_t>(index)]);
    const QVariant value = block.blockFormat().property(BreakProperty);
    const LineBreak kind = value.isValid() ? static_cast<LineBreak>(value.toInt()) : plainKind_;
    if (index >= 0) {
        if (static_cast<size_t>(index) >= kindOfFormat_.size())
            kindOfFormat_.resize(static_cast<size_t>(index) + 1, -1);
        kindOfFormat_[static_cast<size_t>(index)] = static_cast<signed char>(kind);
    }
    return kind;
}

QTextBlockFormat TextBlock::formatFor(LineBreak kind) const {
    QTextBlockFormat format;
    format.setProperty(BreakProperty, static_cast<int>(kind));
    return format;
}

void TextBlock::rebuildIndex() {
    std::vector<LineBreak> kinds;
    kinds.reserve(static_cast<size_t>(document()->blockCount()));
    for (QTextBlock b = document()->begin(); b.isValid(); b = b.next())
        kinds.push_back(kindOf(b));
    index_.reset(std::move(kinds));
}

bool TextBlock::breaksConsistent() const {
    if (index_.paragraphs() != document()->blockCount())
        return false;
    int n = 0;
    for (QTextBlock b = document()->begin(); b.isValid(); b = b.next(), ++n) {
        if (n > 0 && kindOf(b) != index_.kind(n))
            return false;
    }
    return true;
}

void TextBlock::contentsChanged(int position, int removed, int added) {
    if (!settingText_) {
        const QTextDocument* doc = document();
        const int oldCount = index_.paragraphs();
        const int newCount = doc->blockCount();
        QTextBlock first = doc->findBlock(position);
        if (!first.isValid())
            first = doc->lastBlock();
        QTextBlock last = doc->findBlock(std::min(position + added, doc->characterCount() - 1));
        if (!last.isValid())
            last = doc->lastBlock();
        const int b0 = first.blockNumber();
        const int b1 = std::max(b0, last.blockNumber());
        const int newSpan = b1 - b0 + 1;
        const int oldSpan = newSpan - (newCount - oldCount);
        if (oldSpan < 1 || b0 + oldSpan > oldCount) {
            rebuildIndex();
        } else {
            std::vector<LineBreak> kinds;
            kinds.reserve(static_cast<size_t>(newSpan));
            for (QTextBlock b = first; b.isValid() && b.blockNumber() <= b1; b = b.next())
                kinds.push_back(kindOf(b));
            // An edit that starts at a paragraph's start leaves the break before it
            // alone; the widget gives the paragraph the format of the last one the
            // edit reached, so the break is taken from before the edit.
            if (b0 > 0 && position == first.position() && kinds[0] != index_.kind(b0)) {
                kinds[0] = index_.kind(b0);
                pendingKinds_.emplace_back(QTextCursor(first), kinds[0]);
            }
            index_.splice(b0, oldSpan, kinds.data(), newSpan);
        }
        for (QTextBlock b = first; b.isValid() && b.blockNumber() <= b1; b = b.next()) {
            if (b.length() - 1 > DisplayBreakTrigger)
                pendingLong_.emplace_back(b);
        }
        if ((!pendingKinds_.empty() || !pendingLong_.empty()) && !repairQueued_) {
            repairQueued_ = true;
            QMetaObject::invokeMethod(this, &TextBlock::applyPendingRepairs, Qt::QueuedConnection);
        }
    }
    if ((removed != 0 || added != 0) && !fillingText_)
        Q_EMIT changed();
}

void TextBlock::applyPendingRepairs() {
    repairQueued_ = false;
    auto kinds = std::move(pendingKinds_);
    auto longOnes = std::move(pendingLong_);
    pendingKinds_.clear();
    pendingLong_.clear();
    // After an undo every paragraph is as it was; an edit now would also lose the
    // redo steps.
    if (document()->isRedoAvailable())
        return;
    QTextCursor c(document());
    c.joinPreviousEditBlock();
    for (auto& [cursor, kind] : kinds) {
        QTextBlock b = cursor.block();
        if (b.blockNumber() > 0 && kindOf(b) != kind) {
            QTextCursor at(b);
            at.setBlockFormat(formatFor(kind));
        }
    }
    for (QTextCursor& cursor : longOnes) {
        const int n = cursor.block().blockNumber();
        cutLongParagraphs(n, n);
    }
    c.endEditBlock();
}

QString TextBlock::textBetween(int from, int to, bool lineFeeds) const {
    QString out;
    if (to <= from)
        return out;
    const QTextDocument* doc = document();
    QTextBlock b = doc->findBlock(from);
    int n = b.blockNumber();
    for (; b.isValid() && b.position() < to; b = b.next(), ++n) {
        const int start = b.position();
        const int contentEnd = start + b.length() - 1; // the separator's position
        const int a = std::max(from, start) - start;
        const int e = std::min(to, contentEnd) - start;
        if (e > a)
            out += QStringView(b.text()).mid(a, e - a);
        if (contentEnd >= from && contentEnd < to && b.next().isValid()) {
            const LineBreak kind = index_.kind(n + 1);
            out +=
                lineFeeds && kind == LineBreak::CrLf ? breakText(LineBreak::Lf) : breakText(kind);
        }
    }
    return out;
}

QString TextBlock::text() const {
    QString out;
    out.reserve(textLength());
    appendText(out, 0, blockCount(), std::numeric_limits<qsizetype>::max());
    return out;
}

int TextBlock::appendText(QString& out, int firstParagraph, int maxParagraphs,
                          qsizetype maxCharacters) const {
    const qsizetype start = out.size();
    int taken = 0;
    for (QTextBlock b = document()->findBlockByNumber(firstParagraph);
         b.isValid() && taken < maxParagraphs; b = b.next(), ++taken) {
        const int n = firstParagraph + taken;
        // The break before the paragraph travels with it, so that the pieces of a
        // text taken a few paragraphs at a time join up as the whole text would.
        const QLatin1StringView before = n > 0 ? breakText(index_.kind(n)) : QLatin1StringView();
        if (taken > 0 && out.size() - start + before.size() + b.length() - 1 > maxCharacters)
            break;
        out += before;
        out += b.text();
    }
    return taken;
}

void TextBlock::setText(const QString& text) {
    Paragraphs p = toParagraphs(text);
    setParagraphs(std::move(p.text), std::move(p.breaks));
}

void TextBlock::setChosenFont(const QFont& font) {
    chosenFont_ = font;
    setFont(screenFace(font));
}

void TextBlock::settleTextWidth() {
    // A hidden editor places its viewport, and the viewport reports its size to
    // the editor, only once the window is shown. Both are done now, while the
    // old text is still small, so the text is laid out at the editor's width.
    QResizeEvent outer(size(), size());
    QCoreApplication::sendEvent(this, &outer);
    QResizeEvent inner(viewport()->size(), viewport()->size());
    QCoreApplication::sendEvent(viewport(), &inner);
}

void TextBlock::resizeEvent(QResizeEvent* event) {
    // QPlainTextEdit lays every paragraph out again whenever the editor's width
    // changes, and doing so leaves each paragraph a layout object of a few
    // hundred bytes: a third of the memory a large document takes. The text is
    // laid out at the new width by the editor's own layout instead, and the
    // widget is told that only the height changed, so that it sizes its scroll
    // bars and lays out nothing itself. (The first resize after showing
    // reports a width change even when the text is laid out at this very
    // width: the layout lays out again only for a new width.)
    layout_->setWidth(viewport()->width());
    QResizeEvent told(event->size(), QSize(event->size().width(), event->oldSize().height()));
    QPlainTextEdit::resizeEvent(&told);
}

void TextBlock::fillInPieces(const QString& paragraphs, const Progress& progress) {
    const qsizetype piece = std::max<qsizetype>(1, fillPiece_);
    const qsizetype size = paragraphs.size();
    // Each piece ends with a whole paragraph, so that a piece goes in as the
    // whole text would (a surrogate pair is never cut either).
    const auto pieceEnd = [&paragraphs, size, piece](qsizetype from) {
        if (size - from <= piece)
            return size;
        const qsizetype separator = paragraphs.indexOf(u'\n', from + piece - 1);
        return separator < 0 ? size : separator + 1;
    };
    QTextDocument* doc = document();
    const QScopedValueRollback<bool> filling(fillingText_, true);
    // The first piece replaces the old text as a whole text would; the caret
    // stays at its start while the rest goes in after it.
    qsizetype end = pieceEnd(0);
    setPlainText(paragraphs.left(end));
    const bool undo = doc->isUndoRedoEnabled();
    doc->setUndoRedoEnabled(false);
    QTextCursor c(doc);
    for (qsizetype at = end; at < size; at = end) {
        progress(at, size);
        end = pieceEnd(at);
        c.movePosition(QTextCursor::End);
        c.insertText(paragraphs.mid(at, end - at));
    }
    doc->setUndoRedoEnabled(undo);
    progress(size, size);
}

void TextBlock::setParagraphs(QString paragraphs, std::vector<LineBreak> breaks,
                              const Progress& progress) {
    // A document opened before the window shows is laid out once, at the width
    // it is shown at, instead of once now and again when the window appears.
    if (!isVisible())
        settleTextWidth();
    if (breaks.empty())
        breaks.push_back(LineBreak::CrLf);
    // The most frequent break is left unnamed in the formats, so that a file with
    // one kind of break needs no format set at all.
    size_t counts[3] = {0, 0, 0};
    for (size_t i = 1; i < breaks.size(); ++i)
        ++counts[static_cast<size_t>(breaks[i])];
    LineBreak plain = LineBreak::CrLf;
    if (counts[1] > counts[static_cast<size_t>(plain)])
        plain = LineBreak::Lf;
    if (counts[2] > counts[static_cast<size_t>(plain)])
        plain = LineBreak::Display;

    settingText_ = true;
    pendingKinds_.clear();
    pendingLong_.clear();
    plainKind_ = plain;
    kindOfFormat_.clear();
    // Paragraphs whose break is not the plain one get it in their format once the
    // text is in. Marking one costs about as much as putting in this many
    // characters, which is its share of the progress.
    constexpr qint64 MarkCost = 64;
    const size_t toMark = breaks.size() - 1 - counts[static_cast<size_t>(plain)];
    const qint64 total = qint64(paragraphs.size()) + MarkCost * qint64(toMark);
    const qint64 filled = paragraphs.size();
    try {
        if (progress) {
            fillInPieces(paragraphs,
                         [&progress, total](qint64 done, qint64) { progress(done, total); });
            // The text is in: the one change the editor announces.
            Q_EMIT changed();
        } else {
            setPlainText(paragraphs);
        }
        paragraphs = QString();
        QTextDocument* doc = document();
        if (toMark > 0) {
            constexpr qint64 ProgressEvery = 4096;
            doc->setUndoRedoEnabled(false);
            QTextCursor c(doc);
            c.beginEditBlock();
            int n = 0;
            qint64 marked = 0;
            for (QTextBlock b = doc->begin(); b.isValid(); b = b.next(), ++n) {
                if (n > 0 && static_cast<size_t>(n) < breaks.size() &&
                    breaks[static_cast<size_t>(n)] != plain) {
                    QTextCursor at(b);
                    at.setBlockFormat(formatFor(breaks[static_cast<size_t>(n)]));
                    if (progress && ++marked % ProgressEvery == 0)
                        progress(filled + MarkCost * marked, total);
                }
            }
            c.endEditBlock();
            doc->setUndoRedoEnabled(true);
            if (progress)
                progress(total, total);
        }
        kindOfFormat_.clear();
        if (static_cast<int>(breaks.size()) == doc->blockCount())
            index_.reset(std::move(breaks));
        else
            rebuildIndex();
    } catch (...) {
        settingText_ = false;
        rebuildIndex();
        throw;
    }
    settingText_ = false;
    moveCursor(QTextCursor::Start);
}

int TextBlock::textLength() const {
    const QTextDocument* doc = document();
    return doc->characterCount() - 1 + index_.totalOffset();
}

int TextBlock::toModelPosition(int widgetPos) const {
    const QTextBlock block = document()->findBlock(widgetPos);
    const int n = block.isValid() ? block.blockNumber() : document()->blockCount() - 1;
    return widgetPos + index_.offsetBefore(n);
}

int TextBlock::toWidgetPosition(int modelPos) const {
    const QTextDocument* doc = document();
    if (modelPos <= 0)
        return 0;
    // The last paragraph whose model start is at or before modelPos.
    int lo = 0;
    int hi = doc->blockCount() - 1;
    while (lo < hi) {
        const int mid = lo + (hi - lo + 1) / 2;
        if (doc->findBlockByNumber(mid).position() + index_.offsetBefore(mid) <= modelPos)
            lo = mid;
        else
            hi = mid - 1;
    }
    const QTextBlock block = doc->findBlockByNumber(lo);
    const int offset =
        std::min(modelPos - (block.position() + index_.offsetBefore(lo)), block.length() - 1);
    return block.position() + offset;
}

int TextBlock::selStart() const {
    return toModelPosition(textCursor().selectionStart());
}

int TextBlock::selLength() const {
    const QTextCursor c = textCursor();
    return toModelPosition(c.selectionEnd()) - toModelPosition(c.selectionStart());
}

QString TextBlock::selText() const {
    const QTextCursor c = textCursor();
    return textBetween(c.selectionStart(), c.selectionEnd(), false);
}

void TextBlock::setSelection(int start, int end) {
    QTextCursor c(document());
    c.setPosition(toWidgetPosition(start));
    c.setPosition(toWidgetPosition(end), QTextCursor::KeepAnchor);
    setTextCursor(c);
}

void TextBlock::setSelStart(int pos) {
    if (pos < 0)
        throw Failure(err::InvalidPropertyValue, QStringLiteral("Invalid property value"));
    setSelection(pos, pos);
}

void TextBlock::setSelLength(int length) {
    const int start = selStart();
    setSelection(start, start + std::max(0, length));
}

void TextBlock::removeSelected(QTextCursor& cursor) {
    if (!cursor.hasSelection())
        return;
    const QTextBlock first = document()->findBlock(cursor.selectionStart());
    // Removing from a paragraph's start over a break leaves the paragraph the
    // format of the last one reached; the break before it stays what it was.
    const bool fromStart = first.blockNumber() > 0 && cursor.selectionStart() == first.position() &&
                           document()->findBlock(cursor.selectionEnd()) != first;
    const LineBreak kind = kindOf(first);
    cursor.removeSelectedText();
    if (fromStart && kindOf(cursor.block()) != kind)
        cursor.setBlockFormat(formatFor(kind));
}

void TextBlock::insertDocumentText(QTextCursor& cursor, QStringView text) {
    qsizetype start = 0;
    const auto flush = [&](qsizetype end) {
        if (end <= start)
            return;
        QString piece = text.mid(start, end - start).toString();
        for (QChar& c : piece) {
            if (const char16_t standIn = structureStandIn(c.unicode()))
                c = QChar(standIn);
        }
        cursor.insertText(piece);
    };
    const qsizetype n = text.size();
    for (qsizetype i = 0; i < n; ++i) {
        const QChar c = text[i];
        LineBreak kind;
        if (c == u'\r') {
            flush(i);
            if (i + 1 < n && text[i + 1] == u'\n')
                ++i;
            kind = LineBreak::CrLf;
        } else if (c == u'\n') {
            flush(i);
            kind = LineBreak::Lf;
        } else {
            continue;
        }
        cursor.insertBlock(formatFor(kind));
        start = i + 1;
    }
    flush(n);
}

void TextBlock::cutLongParagraphs(int first, int last) {
    QTextDocument* doc = document();
    for (int n = last; n >= first; --n) {
        const QTextBlock b = doc->findBlockByNumber(n);
        if (!b.isValid() || b.length() - 1 <= DisplayBreakTrigger)
            continue;
        const QString t = b.text();
        std::vector<qsizetype> cuts;
        qsizetype start = 0;
        while (t.size() - start > DisplayLineLimit) {
            start += displayCut(QStringView(t).mid(start), DisplayLineLimit);
            cuts.push_back(start);
        }
        // From the last cut back, so the earlier positions stay where they are.
        const int base = b.position();
        for (auto it = cuts.rbegin(); it != cuts.rend(); ++it) {
            QTextCursor at(doc);
            at.setPosition(base + static_cast<int>(*it));
            at.insertBlock(formatFor(LineBreak::Display));
        }
    }
}

void TextBlock::replaceSelection(const QString& text) {
    QTextCursor c = textCursor();
    c.beginEditBlock();
    removeSelected(c);
    const int first = c.blockNumber();
    insertDocumentText(c, text);
    cutLongParagraphs(first, c.blockNumber());
    c.endEditBlock();
    setTextCursor(c);
}

void TextBlock::cut() {
    if (!textCursor().hasSelection())
        return;
    copy();
    replaceSelection(QString());
}

void TextBlock::deleteForward() {
    QTextCursor c = textCursor();
    if (c.hasSelection()) {
        replaceSelection(QString());
        return;
    }
    if (c.atEnd())
        return;
    // A display break is no character: the one after it goes.
    if (c.atBlockEnd() && index_.kind(c.blockNumber() + 1) == LineBreak::Display)
        c.movePosition(QTextCursor::NextBlock);
    c.deleteChar();
    setTextCursor(c);
}

qint64 TextBlock::fileSize(qsizetype* unmappable, TextEncoding encoding,
                           const Progress& progress) const {
    // Told every few thousand paragraphs: the count of a large text takes seconds.
    constexpr int ProgressEvery = 4096;
    const int paragraphs = document()->blockCount();
    qint64 size = 0;
    qsizetype missing = 0;
    int n = 0;
    const bool utf8 = encoding != TextEncoding::Windows1251;
    if (encoding == TextEncoding::Utf8WithMark)
        size += 3;
    for (QTextBlock b = document()->begin(); b.isValid(); b = b.next(), ++n) {
        if (n > 0)
            size += textWidth(index_.kind(n));
        qsizetype lacking = 0;
        const QString t = b.text();
        size += utf8 ? measureUtf8(t) : measureCp1251(t, &lacking);
        missing += lacking;
        if (progress && (n + 1) % ProgressEvery == 0)
            progress(n + 1, paragraphs);
    }
    if (progress)
        progress(paragraphs, paragraphs);
    if (unmappable)
        *unmappable = missing;
    return size;
}

qsizetype TextBlock::writeFileBytes(const ByteSink& sink, TextEncoding encoding) const {
    // About a megabyte at a time: few writes, and no copy of the whole text.
    constexpr qsizetype Piece = qsizetype(1) << 20;
    checkBufferSize(Piece + 2 * DisplayBreakTrigger);
    QByteArray out;
    out.reserve(Piece + 2 * DisplayBreakTrigger);
    qsizetype missing = 0;
    int n = 0;
    const bool utf8 = encoding != TextEncoding::Windows1251;
    if (encoding == TextEncoding::Utf8WithMark)
        out.append("\xEF\xBB\xBF");
    for (QTextBlock b = document()->begin(); b.isValid(); b = b.next(), ++n) {
        if (n > 0)
            out.append(breakText(index_.kind(n)));
        if (utf8)
            appendUtf8(out, b.text());
        else
            missing += appendCp1251(out, b.text());
        if (out.size() >= Piece) {
            sink(out.constData(), out.size());
            out.resize(0); // keeps the room for the next piece
        }
    }
    if (!out.isEmpty())
        sink(out.constData(), out.size());
    return missing;
}

bool TextBlock::showUnmappableAsWritten() {
    QTextDocument* doc = document();
    QTextCursor edit(doc);
    bool changedAny = false;
    for (QTextBlock b = doc->begin(); b.isValid(); b = b.next()) {
        const QString t = b.text();
        QString shown;
        bool differs = false;
        for (qsizetype i = 0; i < t.size(); ++i) {
            const QChar c = t.at(i);
            if (cp1251Byte(c) >= 0) {
                shown += c;
                continue;
            }
            differs = true;
            if (c.isHighSurrogate() && i + 1 < t.size() && t.at(i + 1).isLowSurrogate())
                ++i;
            shown += u'?';
        }
        if (!differs)
            continue;
        if (!changedAny) {
            edit.beginEditBlock();
            changedAny = true;
        }
        QTextCursor at(b);
        at.movePosition(QTextCursor::EndOfBlock, QTextCursor::KeepAnchor);
        at.insertText(shown);
    }
    if (changedAny)
        edit.endEditBlock();
    return changedAny;
}

bool TextBlock::canUndo() const {
    return document()->isUndoAvailable();
}

void TextBlock::emptyUndoBuffer() {
    document()->clearUndoRedoStacks();
}

void TextBlock::scrollCaret() {
    ensureCursorVisible();
}

int TextBlock::alignmentCode() const {
    const Qt::Alignment a = document()->defaultTextOption().alignment();
    if (a & Qt::AlignRight)
        return 1;
    if (a & Qt::AlignHCenter)
        return 2;
    return 0;
}

void TextBlock::setAlignmentCode(int code) {
    // Change the existing option: a fresh QTextOption would reset the wrap mode.
    QTextOption option = document()->defaultTextOption();
    switch (code) {
    case 1:
        option.setAlignment(Qt::AlignRight | Qt::AlignAbsolute);
        break;
    case 2:
        option.setAlignment(Qt::AlignHCenter);
        break;
    default:
        option.setAlignment(Qt::AlignLeft | Qt::AlignAbsolute);
        break;
    }
    document()->setDefaultTextOption(option);
    viewport()->update();
}

QColor TextBlock::textColor() const {
    return palette().color(QPalette::Text);
}

void TextBlock::setTextColor(const QColor& color) {
    QPalette p = palette();
    p.setColor(QPalette::Text, color);
    setPalette(p);
}

QColor TextBlock::backColor() const {
    return palette().color(QPalette::Base);
}

void TextBlock::setBackColor(const QColor& color) {
    QPalette p = palette();
    p.setColor(QPalette::Base, color);
    setPalette(p);
}

void TextBlock::keyPressEvent(QKeyEvent* event) {
    // Alt with a character key is a command (a menu's letter), never typing: the
    // key goes on to the window, which looks for a menu on it.
    if ((event->modifiers() & Qt::AltModifier) && !event->text().isEmpty() &&
        event->text().at(0).isPrint()) {
        event->ignore();
        return;
    }
    // Shift+F10 asks for the context menu, as the menu key does (where the
    // window system does not turn that key into the request itself).
    if ((event->key() == Qt::Key_F10 && event->modifiers() == Qt::ShiftModifier) ||
        (event->key() == Qt::Key_Menu && event->modifiers() == Qt::NoModifier)) {
        const QPoint caret = viewport()->mapTo(this, cursorRect().center());
        QContextMenuEvent request(QContextMenuEvent::Keyboard, caret, mapToGlobal(caret),
                                  event->modifiers());
        contextMenuEvent(&request);
        event->accept();
        return;
    }
    if (isReadOnly()) {
        QPlainTextEdit::keyPressEvent(event);
        return;
    }
    // Every Enter, Shift+Enter too, is a line break of the document's kind.
    if ((event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) &&
        !(event->modifiers() & ~(Qt::ShiftModifier | Qt::KeypadModifier))) {
        replaceSelection(breakText(lineBreak_));
        ensureCursorVisible();
        event->accept();
        return;
    }
    const Qt::KeyboardModifiers mods = event->modifiers();
    const bool backspace = event->key() == Qt::Key_Backspace && !(mods & ~Qt::ShiftModifier);
    const bool typed = isTypedText(event->text(), mods);
    // The deleting shortcuts are all Backspace or Delete, or take Ctrl or Meta:
    // a typed character is none of them, and looking them up for every typed
    // character costs more than the rest of this function.
    const bool deleting =
        !typed || event->key() == Qt::Key_Backspace || event->key() == Qt::Key_Delete;
    const bool wordBack = deleting && event->matches(QKeySequence::DeleteStartOfWord);
    const bool del = deleting && event->matches(QKeySequence::Delete);
    const bool wordForward = deleting && event->matches(QKeySequence::DeleteEndOfWord);
    QTextCursor c = textCursor();

    // Edits that remove a selection go through replaceSelection, which keeps the
    // break before the paragraph they start in; so do typed characters the
    // widget would take for its structure, which it holds as stand-ins.
    if (typed && toEditorText(event->text()) != event->text()) {
        replaceSelection(toEditorText(event->text()));
        ensureCursorVisible();
        event->accept();
        return;
    }
    if (c.hasSelection() && (backspace || wordBack || del || wordForward || typed)) {
        replaceSelection(typed ? event->text() : QString());
        ensureCursorVisible();
        event->accept();
        return;
    }
    if (c.hasSelection() && event->matches(QKeySequence::Cut)) {
        cut();
        event->accept();
        return;
    }
    if (wordBack || wordForward) {
        c.movePosition(wordBack ? QTextCursor::PreviousWord : QTextCursor::NextWord,
                       QTextCursor::KeepAnchor);
        if (c.hasSelection()) {
            setTextCursor(c);
            replaceSelection(QString());
            ensureCursorVisible();
        }
        event->accept();
        return;
    }
    // A display break is no character: the deletion takes the one beyond it.
    if (backspace && c.atBlockStart() && c.blockNumber() > 0 &&
        index_.kind(c.blockNumber()) == LineBreak::Display) {
        c.movePosition(QTextCursor::PreviousCharacter);
        setTextCursor(c);
    } else if (del && c.atBlockEnd() && c.blockNumber() + 1 < index_.paragraphs() &&
               index_.kind(c.blockNumber() + 1) == LineBreak::Display) {
        c.movePosition(QTextCursor::NextCharacter);
        setTextCursor(c);
    }

    if (typed && c.block().length() - 1 + event->text().size() > DisplayBreakTrigger) {
        // The paragraph grows past the display limit: it is cut in the same
        // undoable step as the typing.
        QTextCursor group(document());
        group.beginEditBlock();
        QPlainTextEdit::keyPressEvent(event);
        const int n = textCursor().blockNumber();
        cutLongParagraphs(n, n);
        group.endEditBlock();
        return;
    }

    const bool sideways = event->key() == Qt::Key_Left || event->key() == Qt::Key_Right;
    const int before = sideways ? toModelPosition(c.position()) : 0;
    const int widgetBefore = c.position();
    QPlainTextEdit::keyPressEvent(event);
    if (sideways) {
        // Stepping over a display break moves the caret by no character: step on.
        const int now = textCursor().position();
        if (now != widgetBefore && toModelPosition(now) == before)
            QPlainTextEdit::keyPressEvent(event);
    }
}

void TextBlock::inputMethodEvent(QInputMethodEvent* event) {
    const QString commit = toEditorText(event->commitString());
    if (commit == event->commitString()) {
        QPlainTextEdit::inputMethodEvent(event);
        return;
    }
    QInputMethodEvent held(event->preeditString(), event->attributes());
    held.setCommitString(commit, event->replacementStart(), event->replacementLength());
    QPlainTextEdit::inputMethodEvent(&held);
    event->accept();
}

void TextBlock::mousePressEvent(QMouseEvent* event) {
    int code = 0;
    switch (event->button()) {
    case Qt::LeftButton:
        code = 1;
        break;
    case Qt::RightButton:
        code = 2;
        break;
    case Qt::MiddleButton:
        // The middle button only brings up the program's menu (or nothing in
        // the standard-menu mode); it never pastes the primary selection.
        event->accept();
        Q_EMIT mouseDown(4);
        return;
    default:
        break;
    }
    QPlainTextEdit::mousePressEvent(event);
    if (code != 0)
        Q_EMIT mouseDown(code);
}

void TextBlock::mouseReleaseEvent(QMouseEvent* event) {
    // Qt pastes the X11 primary selection when the middle button is released.
    if (event->button() == Qt::MiddleButton) {
        event->accept();
        return;
    }
    QPlainTextEdit::mouseReleaseEvent(event);
}

void TextBlock::contextMenuEvent(QContextMenuEvent* event) {
    if (standardMenu_ && standardMenu_()) {
        QPlainTextEdit::contextMenuEvent(event);
        return;
    }
    // The program shows its own menu: from mouseDown for a click, from menuKey
    // for the keyboard.
    if (event->reason() == QContextMenuEvent::Keyboard)
        Q_EMIT menuKey(event->globalPos());
    event->accept();
}

bool TextBlock::canInsertFromMimeData(const QMimeData* source) const {
    return source->hasText();
}

void TextBlock::insertFromMimeData(const QMimeData* source) {
    if (!source->hasText())
        return;
    // Text from other programs has LF (or CR LF) line breaks: each is a line break
    // of the document's kind.
    QString text = toEditorText(source->text());
    text.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    text.replace(u'\r', u'\n');
    if (lineBreak_ == LineBreak::CrLf)
        text.replace(u'\n', QLatin1String("\r\n"));
    replaceSelection(text);
    ensureCursorVisible();
}

QMimeData* TextBlock::createMimeDataFromSelection() const {
    // Built from the paragraphs: the fragment's own plain text would turn U+00A0
    // into a space. Other programs expect LF line breaks; display breaks are not
    // part of the text.
    const QTextCursor c = textCursor();
    auto* data = new QMimeData;
    data->setText(fromEditorText(textBetween(c.selectionStart(), c.selectionEnd(), true)));
    return data;
}

void TextBlock::pasteText(const QString& text) {
    QMimeData data;
    data.setText(text);
    insertFromMimeData(&data);
}

} // namespace quillet
