#pragma once

#include <QString>

#include <cstdint>

class QWidget;

namespace quillet {

class Platform;
class TextBlock;

// The window that holds the editor, as the modal windows that work on its text
// (Find, Replace, Go to, About) see it. The main window is the one there is; the
// windows take this rather than the main window itself, so they sit below it.
class EditorWindow {
public:
    // The window itself, the owner of the modal windows.
    virtual QWidget* ownerWidget() = 0;
    virtual Platform& platform() = 0;
    // The editor; null only while the window is being built.
    virtual TextBlock* textBlock() const = 0;
    // Records a failure in the error report, with the name of the window it
    // happened in.
    virtual void SaveDebug(const QString& szErrorDescription, std::int32_t lErrorNumber,
                           const QString& szCurrentForm) = 0;
    // The text as Find and Replace search it: the editor's text made afresh.
    virtual const QString& searchableText() = 0;

protected:
    ~EditorWindow() = default;
};

} // namespace quillet
