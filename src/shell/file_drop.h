#pragma once

// Files dropped on the main window are opened the way the Open command opens
// them; anything else dropped on the editor (text) goes on to the editor.

#include <QObject>
#include <QString>

class QMimeData;

namespace quillet {

class FrmMain;

// The first local file a drag carries, or an empty text when it carries none
// (plain text, a web link).
QString DroppedFile(const QMimeData* data);

// Watches the window and its editor for dragged files.
class FileDropFilter : public QObject {
public:
    explicit FileDropFilter(FrmMain& window);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    FrmMain& window_;
};

} // namespace quillet
