#pragma once

#include <QMouseEvent>
#include <QObject>
#include <QWidget>

namespace quillet::test {

// Counts the presses passed on to a widget, by button. A passed-on press carries
// no position (the widget's corner); presses the editor leaves unhandled also
// travel up to the window on their own, with the click's position, and are not
// counted.
class PressCounter : public QObject {
public:
    explicit PressCounter(QWidget* target) : target_(target) { target->installEventFilter(this); }
    int right = 0, middle = 0, other = 0;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (watched == target_ && event->type() == QEvent::MouseButtonPress &&
            static_cast<QMouseEvent*>(event)->position() == QPointF(0, 0)) {
            switch (static_cast<QMouseEvent*>(event)->button()) {
            case Qt::RightButton:
                ++right;
                break;
            case Qt::MiddleButton:
                ++middle;
                break;
            default:
                ++other;
                break;
            }
        }
        return false;
    }

private:
    QWidget* target_;
};

} // namespace quillet::test
