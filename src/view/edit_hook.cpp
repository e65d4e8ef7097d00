#include "view/edit_hook.h"

#include "editing/textblock.h"

#include <QCoreApplication>
#include <QMouseEvent>

namespace quillet {

void sendMousePress(QWidget* target, Qt::MouseButton button) {
    const QPointF corner(0, 0);
    QMouseEvent press(QEvent::MouseButtonPress, corner, target->mapToGlobal(corner), button, button,
                      Qt::NoModifier);
    QCoreApplication::sendEvent(target, &press);
}

EditHook::EditHook(TextBlock* editor, QWidget* mainWindow, QObject* parent)
    : QObject(parent), editor_(editor), mainWindow_(mainWindow) {
    setObjectName(QStringLiteral("EditHook"));
}

void EditHook::install() {
    // Qt keeps one entry per filter object: installing again only moves it to the
    // front of the editor's filters.
    editor_->installEventFilter(this);
    editor_->viewport()->installEventFilter(this);
    installed_ = true;
}

void EditHook::remove() {
    editor_->removeEventFilter(this);
    editor_->viewport()->removeEventFilter(this);
    installed_ = false;
}

bool EditHook::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::MouseButtonPress) {
        const auto* mouse = static_cast<const QMouseEvent*>(event);
        // A press the viewport left unhandled travels on to the editor itself: it
        // is the same press, passed on once already.
        const bool passedOnFromViewport =
            watched == editor_ &&
            editor_->viewport()->geometry().contains(mouse->position().toPoint());
        if (mouse->button() == Qt::MiddleButton && !passedOnFromViewport)
            sendMousePress(mainWindow_, Qt::MiddleButton);
    }
    return false; // the editor handles every event itself
}

} // namespace quillet
