#include "view/clipboard_state.h"

#include "platform/failure.h"
#include "platform/platform.h"
#include "platform/program_constants.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QPointer>

namespace quillet {

namespace {
// A clipboard that cannot be read is tried this many times before the Paste
// items are left as they are.
constexpr int ClipboardReadAttempts = 3;
} // namespace

ClipboardState::ClipboardState(Platform& platform, FailureRecorder& failures, QObject* parent)
    : QObject(parent), platform_(platform), failures_(failures) {}

ClipboardState::~ClipboardState() = default;

void ClipboardState::watch() {
    if (watched_)
        return;
    watched_ = true;
    if (QClipboard* clipboard = QGuiApplication::clipboard())
        connect(clipboard, &QClipboard::dataChanged, this, &ClipboardState::refresh);
    refresh();
}

void ClipboardState::refresh() {
    // What was known is out of date: the items stay as they are until the owner
    // answers, and Paste waits for that answer rather than insert an older text.
    holdsText_.reset();
    text_.clear();
    attempts_ = 0;
    startRead();
}

void ClipboardState::startRead() {
    ++attempts_;
    const unsigned generation = ++generation_;
    read_ = platform_.readClipboard([self = QPointer<ClipboardState>(this), generation] {
        if (self && self->generation_ == generation)
            self->takeAnswer();
    });
    if (read_->wait(std::chrono::milliseconds(0)))
        takeAnswer();
}

void ClipboardState::takeAnswer() {
    if (!read_)
        return;
    const std::shared_ptr<ClipboardRead> read = std::move(read_);
    QString text;
    if (const std::optional<Failure> failure = trapFailure([&] { text = read->text(); })) {
        failures_.record(*failure, MainFormName);
        if (attempts_ < ClipboardReadAttempts) {
            startRead();
            return;
        }
        // Nothing read: the items are left as they are, and nothing is pasted.
        Q_EMIT changed();
        return;
    }
    holdsText_ = !text.isEmpty();
    text_ = std::move(text);
    Q_EMIT changed();
}

void ClipboardState::awaitAnswer(std::chrono::milliseconds limit) {
    watch();
    if (!read_ && !holdsText_) {
        attempts_ = 0;
        startRead();
    }
    if (read_ && read_->wait(limit))
        takeAnswer();
}

std::optional<bool> ClipboardState::holdsText() {
    watch();
    return holdsText_;
}

std::optional<bool> ClipboardState::holdsTextNow() {
    awaitAnswer(MenuWait);
    return holdsText_;
}

QString ClipboardState::textToPaste() {
    awaitAnswer(PasteWait);
    if (read_)
        throw Failure(err::CannotOpenClipboard,
                      QStringLiteral("Can't open Clipboard: its owner does not answer"));
    return text_;
}

} // namespace quillet
