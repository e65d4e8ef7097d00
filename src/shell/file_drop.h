#pragma once

// Files dropped on the main window are opened the way the Open command opens
// them; anything else dropped on the editor (text) goes on to the editor.

#include <QObject>
#include <QString>
#include <QWidget>

class QMimeData;

namespace quillet {

class DocumentSession;
class TextBlock;

// The first local file a drag carries, or an empty text when it carries none
// (plain text, a web link).
QString DroppedFile(const QMimeData* data);

// Watches the window and its editor for dragged files; a dropped file is opened
// as one chosen with Open, the question about unsaved changes first.
class FileDropFilter : public QObject {
public:
    FileDropFilter(QWidget& window, DocumentSession& session);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    DocumentSession& session_;
};

// Files dropped on the window or its editor open as with Open; dropped text is
// the editor's.
void InstallFileDrop(QWidget& window, TextBlock& editor, DocumentSession& session);

} // namespace quillet
