#include "shell/file_drop.h"

#include "editing/textblock.h"
#include "session/document_session.h"

#include <QDragEnterEvent>
#include <QDragMoveEvent>
#include <QDropEvent>
#include <QMimeData>
#include <QUrl>

namespace quillet {

QString DroppedFile(const QMimeData* data) {
    if (!data || !data->hasUrls())
        return {};
    const QList<QUrl> urls = data->urls();
    for (const QUrl& url : urls) {
        if (url.isLocalFile() && !url.toLocalFile().isEmpty())
            return url.toLocalFile();
    }
    return {};
}

FileDropFilter::FileDropFilter(QWidget& window, DocumentSession& session)
    : QObject(&window), session_(session) {}

bool FileDropFilter::eventFilter(QObject* watched, QEvent* event) {
    switch (event->type()) {
    case QEvent::DragEnter:
    case QEvent::DragMove: {
        auto* drag = static_cast<QDragMoveEvent*>(event);
        if (DroppedFile(drag->mimeData()).isEmpty())
            return false;
        drag->setDropAction(Qt::CopyAction);
        drag->accept();
        return true;
    }
    case QEvent::Drop: {
        auto* drop = static_cast<QDropEvent*>(event);
        const QString path = DroppedFile(drop->mimeData());
        if (path.isEmpty())
            return false;
        drop->setDropAction(Qt::CopyAction);
        drop->accept();
        // Opened once the drop is over: the unsaved-changes question must not
        // hold the program that the file came from waiting for the drop's end.
        QMetaObject::invokeMethod(
            parent(), [session = &session_, path] { session->OpenDropped(path); },
            Qt::QueuedConnection);
        return true;
    }
    default:
        return QObject::eventFilter(watched, event);
    }
}

void InstallFileDrop(QWidget& window, TextBlock& editor, DocumentSession& session) {
    auto* filter = new FileDropFilter(window, session);
    // The editor takes drops itself (on its viewport, or on the editor when the
    // viewport does not take them); the rest of the window (toolbar, status bar,
    // menu bar) through the window.
    editor.viewport()->installEventFilter(filter);
    editor.installEventFilter(filter);
    window.setAcceptDrops(true);
    window.installEventFilter(filter);
}

} // namespace quillet
