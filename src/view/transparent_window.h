#pragma once

// The semi-transparent window: its opacity, following the pointer, and the
// editor's message hook that passes middle-button presses on to the window.

#include <QObject>

namespace quillet {

class EditHook;
class FailureRecorder;
class Platform;
class TextBlock;
struct Options;

class TransparentWindow : public QObject {
    Q_OBJECT
public:
    // options: "Полупрозрачность" and "Следить за курсором" are read there.
    TransparentWindow(QWidget& window, TextBlock& editor, Platform& platform,
                      const Options& options, FailureRecorder& failures);

    // The window's opacity (of 255) while it is semi-transparent; opaque
    // otherwise. A value that is not one byte is refused and recorded.
    void ApplyTransparency(int opacity);
    // While the window follows the pointer: more opaque while the pointer is
    // over it.
    void FollowCursor();
    // Tells the user, once a run, when the window system does not let a program
    // make its window semi-transparent (a Wayland session decides that itself);
    // says nothing where it does.
    void ExplainIfUnavailable();
    void HookEditControl();
    void UnhookEditControl();
    // Null before the first install.
    EditHook* editHook() const { return editHook_; }

private:
    QWidget& window_;
    TextBlock& editor_;
    Platform& platform_;
    const Options& opts;
    FailureRecorder& failures_;
    EditHook* editHook_ = nullptr;
    bool explained_ = false;
};

} // namespace quillet
