#include "view/clipboard_state.h"

#include "platform/platform.h"
#include "platform/program_constants.h"
#include "view/availability_rules.h"

#include <QClipboard>
#include <QGuiApplication>

namespace quillet {

namespace {
// A clipboard that cannot be read is tried this many times before the Paste
// items are left as they are.
constexpr int ClipboardReadAttempts = 3;
} // namespace

ClipboardState::ClipboardState(Platform& platform, FailureRecorder& failures, QObject* parent)
    : QObject(parent), platform_(platform), failures_(failures) {}

void ClipboardState::watch() {
    if (watched_)
        return;
    watched_ = true;
    if (!reader_) {
        reader_ = [this] {
            text_ = platform_.clipboardText();
            return !text_.isEmpty();
        };
    }
    if (QClipboard* clipboard = QGuiApplication::clipboard())
        connect(clipboard, &QClipboard::dataChanged, this, &ClipboardState::refresh);
    refresh();
}

void ClipboardState::refresh() {
    holdsText_ = readWithRetries<bool>(ClipboardReadAttempts, reader_, [this](const Failure& f) {
        failures_.record(f, MainFormName);
    });
    // Nothing read: nothing to paste either, rather than an older text.
    if (!holdsText_)
        text_.clear();
    Q_EMIT changed();
}

std::optional<bool> ClipboardState::holdsText() {
    watch();
    return holdsText_;
}

std::optional<bool> ClipboardState::holdsTextNow() {
    if (!holdsText())
        refresh();
    return holdsText_;
}

} // namespace quillet
