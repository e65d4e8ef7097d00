#pragma once

class QWidget;

namespace quillet {

class FailureRecorder;
class Platform;
class TextBlock;

// What the modal windows that work on the editor's text (Find, Replace, Go to,
// About) are given of the main window: their owner, the platform, the editor
// and where their failures are recorded. Nothing more, so they sit below the
// main window and never call back up into it.
struct EditorWindow {
    // The owner of the modal windows.
    QWidget* owner = nullptr;
    Platform& platform;
    TextBlock& editor;
    FailureRecorder& failures;
};

} // namespace quillet
