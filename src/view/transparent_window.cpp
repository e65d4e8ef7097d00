#include "view/transparent_window.h"

#include "editing/textblock.h"
#include "platform/failure.h"
#include "platform/platform.h"
#include "platform/program_constants.h"
#include "settings/options.h"
#include "view/edit_hook.h"
#include "view/window_rules.h"

#include <QWidget>

#include <cmath>

namespace quillet {

TransparentWindow::TransparentWindow(QWidget& window, TextBlock& editor, Platform& platform,
                                     const Options& options, FailureRecorder& failures)
    : QObject(&window), window_(window), editor_(editor), platform_(platform), opts(options),
      failures_(failures) {}

void TransparentWindow::ApplyTransparency(int opacity) {
    const std::optional<Failure> failure = trapFailure([&] {
        // The opacity is one byte; anything else is refused like a byte overflow.
        if (opacity < 0 || opacity > OpacityOpaque)
            throw Failure(err::Overflow, QStringLiteral("Overflow"));
        const int alpha = opts.Transparent ? opacity : OpacityOpaque;
        // The window keeps its opacity in steps of 1/255: set it only when it
        // changes, since cursor following asks for it on every tick.
        if (static_cast<int>(std::lround(window_.windowOpacity() * OpacityOpaque)) != alpha)
            window_.setWindowOpacity(alpha / double(OpacityOpaque));
    });
    if (failure)
        failures_.record(*failure, MainFormName);
}

void TransparentWindow::FollowCursor() {
    if (!opts.followsCursor())
        return;
    // The window's outer rectangle; its twips values are whole multiples of 15,
    // so seen in pixels they are the frame's own pixels.
    ApplyTransparency(opacityFor(platform_.cursorPos(), window_.frameGeometry()));
}

void TransparentWindow::ExplainIfUnavailable() {
    if (explained_ || !platform_.windowSystem().startsWith(QLatin1String("wayland")))
        return;
    explained_ = true;
    platform_.messageBox(
        {QStringLiteral("Оконная система не позволяет сделать окно полупрозрачным."), ProgramName,
         MsgIcon::Information, MsgButtons::Ok, answer::Ok},
        &window_);
}

void TransparentWindow::HookEditControl() {
    if (!editHook_)
        editHook_ = new EditHook(&editor_, &window_, this);
    editHook_->install();
}

void TransparentWindow::UnhookEditControl() {
    if (editHook_)
        editHook_->remove();
}

} // namespace quillet
