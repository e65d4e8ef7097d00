#pragma once

// Whether the clipboard holds text, and its text, kept from the clipboard's change
// signal: neither the window's tick nor Paste ever waits on the program that owns
// the clipboard.

#include <QObject>
#include <QString>

#include <functional>
#include <optional>

namespace quillet {

class FailureRecorder;
class Platform;

class ClipboardState : public QObject {
    Q_OBJECT
public:
    ClipboardState(Platform& platform, FailureRecorder& failures, QObject* parent = nullptr);

    // Whether the clipboard holds text; nothing when the last read failed. The
    // first question starts following the clipboard's changes.
    std::optional<bool> holdsText();
    // The same, but a clipboard that could not be read before is read again: a
    // menu opens at the user's request, so one more try is worth it there (never
    // on the tick).
    std::optional<bool> holdsTextNow();
    // The clipboard's text as last read: what Paste inserts.
    const QString& text() const { return text_; }

    // The reader reads the clipboard now and returns whether it holds text,
    // throwing Failure when it cannot be read (replaceable, e.g. by a held
    // clipboard); the default one also keeps the text for pasting.
    void setReader(std::function<bool()> reader) { reader_ = std::move(reader); }

Q_SIGNALS:
    // What the clipboard holds may have changed.
    void changed();

private:
    void watch();
    void refresh();

    Platform& platform_;
    FailureRecorder& failures_;
    std::function<bool()> reader_;
    std::optional<bool> holdsText_;
    QString text_;
    bool watched_ = false;
};

} // namespace quillet
