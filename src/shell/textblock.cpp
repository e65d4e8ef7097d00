#include "shell/textblock.h"

#include "platform/failure.h"

#include <QContextMenuEvent>
#include <QKeyEvent>
#include <QMimeData>
#include <QMouseEvent>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextOption>

#include <algorithm>

namespace quillet {

namespace {
constexpr QChar ParagraphSeparator(0x2029);
} // namespace

TextBlock::TextBlock(QWidget* parent) : QPlainTextEdit(parent) {
    setObjectName(QStringLiteral("TextBlock"));
    setLineWrapMode(QPlainTextEdit::WidgetWidth);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    // Only real edits of the text count as changes: the whole-document font,
    // colours and alignment live outside the text and fire nothing.
    connect(document(), &QTextDocument::contentsChange, this, [this](int, int removed, int added) {
        if (removed != 0 || added != 0)
            Q_EMIT changed();
    });
}

QString TextBlock::toWidgetText(const QString& modelText) {
    // Written through raw pointers into a buffer of the final size at most: this
    // runs on the whole text of every file opened.
    QString out(modelText.size(), Qt::Uninitialized);
    const auto* s = reinterpret_cast<const char16_t*>(modelText.constData());
    const char16_t* const end = s + modelText.size();
    auto* const begin = reinterpret_cast<char16_t*>(out.data());
    char16_t* d = begin;
    while (s < end) {
        const char16_t c = *s++;
        if (c == u'\r') {
            if (s < end && *s == u'\n')
                ++s;
            *d++ = ParagraphSeparator.unicode();
        } else if (c == u'\n') {
            *d++ = LoneLfMark.unicode();
        } else {
            *d++ = c;
        }
    }
    out.truncate(d - begin);
    return out;
}

QString TextBlock::toModelText(QString widgetText) {
    const qsizetype breaks = widgetText.count(ParagraphSeparator);
    if (breaks == 0) {
        widgetText.replace(LoneLfMark, u'\n');
        return widgetText;
    }
    QString out(widgetText.size() + breaks, Qt::Uninitialized);
    const auto* s = reinterpret_cast<const char16_t*>(widgetText.constData());
    const char16_t* const end = s + widgetText.size();
    auto* d = reinterpret_cast<char16_t*>(out.data());
    for (; s < end; ++s) {
        const char16_t c = *s;
        if (c == ParagraphSeparator.unicode()) {
            *d++ = u'\r';
            *d++ = u'\n';
        } else if (c == LoneLfMark.unicode()) {
            *d++ = u'\n';
        } else {
            *d++ = c;
        }
    }
    return out;
}

QString TextBlock::text() const {
    return toModelText(document()->toRawText());
}

void TextBlock::setText(const QString& text) {
    // setPlainText takes '\n' as the block separator.
    QString widgetText = toWidgetText(text);
    widgetText.replace(ParagraphSeparator, u'\n');
    setPlainText(widgetText);
}

int TextBlock::textLength() const {
    const QTextDocument* doc = document();
    return doc->characterCount() - 1 + (doc->blockCount() - 1);
}

int TextBlock::toModelPosition(int widgetPos) const {
    const QTextBlock block = document()->findBlock(widgetPos);
    return widgetPos + (block.isValid() ? block.blockNumber() : document()->blockCount() - 1);
}

int TextBlock::toWidgetPosition(int modelPos) const {
    const QTextDocument* doc = document();
    if (modelPos <= 0)
        return 0;
    // The last block whose model start (widget start + block number) is at or
    // before modelPos.
    int lo = 0;
    int hi = doc->blockCount() - 1;
    while (lo < hi) {
        const int mid = lo + (hi - lo + 1) / 2;
        if (doc->findBlockByNumber(mid).position() + mid <= modelPos)
            lo = mid;
        else
            hi = mid - 1;
    }
    const QTextBlock block = doc->findBlockByNumber(lo);
    const int offset = std::min(modelPos - (block.position() + lo), block.length() - 1);
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
    return toModelText(textCursor().selectedText());
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

void TextBlock::replaceSelection(const QString& text) {
    QTextCursor c = textCursor();
    c.beginEditBlock();
    c.insertText(toWidgetText(text));
    c.endEditBlock();
    setTextCursor(c);
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
    // Shift+Enter would insert a line separator inside the line, a character a
    // plain-text document cannot hold: every Enter is a line break.
    if ((event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) &&
        (event->modifiers() & Qt::ShiftModifier)) {
        QKeyEvent plain(event->type(), event->key(), event->modifiers() & ~Qt::ShiftModifier,
                        event->text(), event->isAutoRepeat(), event->count());
        QPlainTextEdit::keyPressEvent(&plain);
        event->setAccepted(plain.isAccepted());
        return;
    }
    QPlainTextEdit::keyPressEvent(event);
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
        code = 4;
        break;
    default:
        break;
    }
    QPlainTextEdit::mousePressEvent(event);
    if (code != 0)
        Q_EMIT mouseDown(code);
}

void TextBlock::contextMenuEvent(QContextMenuEvent* event) {
    if (standardMenu_ && standardMenu_())
        QPlainTextEdit::contextMenuEvent(event);
    else
        event->accept(); // the program shows its own menu from mouseDown
}

bool TextBlock::canInsertFromMimeData(const QMimeData* source) const {
    return source->hasText();
}

void TextBlock::insertFromMimeData(const QMimeData* source) {
    if (!source->hasText())
        return;
    // Text from other programs has LF (or CR LF) line breaks: each is a line break.
    QString text = source->text();
    text.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    text.replace(u'\r', u'\n');
    text.replace(u'\n', QLatin1String("\r\n"));
    replaceSelection(text);
    ensureCursorVisible();
}

QMimeData* TextBlock::createMimeDataFromSelection() const {
    // Take the raw selection: the fragment's own plain text would turn U+00A0 into
    // a space. Other programs expect LF line breaks.
    QString text = textCursor().selectedText();
    text.replace(ParagraphSeparator, u'\n');
    text.replace(LoneLfMark, u'\n');
    auto* data = new QMimeData;
    data->setText(text);
    return data;
}

void TextBlock::pasteText(const QString& text) {
    QMimeData data;
    data.setText(text);
    insertFromMimeData(&data);
}

} // namespace quillet
