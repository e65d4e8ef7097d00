#include "shell/frmmain.h"

#include "platform/failure.h"
#include "view/edit_hook.h"
#include "view/window_rules.h"

#include <QAction>
#include <QMenu>

#include <cmath>

namespace quillet {

void FrmMain::ApplyTransparency(int opacity) {
    try {
        // The opacity is one byte; anything else is refused like a byte overflow.
        if (opacity < 0 || opacity > OpacityOpaque)
            throw Failure(err::Overflow, QStringLiteral("Overflow"));
        const int alpha = opts.Transparent ? opacity : OpacityOpaque;
        // The window keeps its opacity in steps of 1/255: set it only when it
        // changes, since cursor following asks for it on every tick.
        if (static_cast<int>(std::lround(windowOpacity() * OpacityOpaque)) != alpha)
            setWindowOpacity(alpha / double(OpacityOpaque));
    } catch (const Failure& failure) {
        SaveDebug(failure.description(), failure.number(), QStringLiteral("FrmMain"));
    }
}

void FrmMain::FollowCursor() {
    if (!opts.followsCursor())
        return;
    // The window's outer rectangle; its twips values are whole multiples of 15,
    // so seen in pixels they are the frame's own pixels.
    ApplyTransparency(opacityFor(platform().cursorPos(), frameGeometry()));
}

void FrmMain::mnuTransparent_Click() {
    ToggleLayoutOption(&Options::Transparent);
}

void FrmMain::mnuGetMouse_Click() {
    ToggleLayoutOption(&Options::GetMouse);
}

void FrmMain::mnuView_Click() {
    if (!isMaximized()) {
        const QRect screen = platform().screenGeometry();
        const QSize screenTwips(screen.width() * TwipsPerPixel, screen.height() * TwipsPerPixel);
        menus_.mnuWind->setEnabled(
            !isDefaultPlacement(pixelsToTwips(frameGeometry()), screenTwips));
    }
    menus_.mnuToolSettings->setEnabled(opts.ToolBar);
    menus_.mnuTransparent->setEnabled(transparencyOffered(platform().productName()));
}

void FrmMain::HookEditControl() {
    if (!editHook_)
        editHook_ = new EditHook(TextBlock, this, this);
    editHook_->install();
}

EditHook* FrmMain::editHook() const {
    return editHook_;
}

void FrmMain::UnhookEditControl() {
    if (editHook_)
        editHook_->remove();
}

} // namespace quillet
