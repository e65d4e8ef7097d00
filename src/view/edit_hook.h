#pragma once

#include <QObject>

class QWidget;

namespace quillet {

class TextBlock;

// Sends `target` a press of `button` at its top-left corner with no keys held, as
// the editor does when it passes a click on to the main window.
void sendMousePress(QWidget* target, Qt::MouseButton button);

// The editor's message hook: it watches the editing control and its viewport (the
// viewport is where mouse presses arrive) and passes every middle-button press on
// to the main window as well. The editor still handles every event itself: the
// hook only looks.
class EditHook : public QObject {
    Q_OBJECT
public:
    EditHook(TextBlock* editor, QWidget* mainWindow, QObject* parent = nullptr);

    // Installing again keeps one hook; removing gives the editor back its own
    // handling.
    void install();
    void remove();
    bool installed() const { return installed_; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    TextBlock* editor_;
    QWidget* mainWindow_;
    bool installed_ = false;
};

} // namespace quillet
