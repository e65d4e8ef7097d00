#pragma once

// The end of the desktop session as the program hears it: SIGTERM, SIGHUP and
// SIGINT, turned into a signal on the event loop through a pipe the handler
// writes one byte to (nothing else is safe inside a signal handler).

#include <QObject>

class QSocketNotifier;

namespace quillet {

class SessionEnd : public QObject {
    Q_OBJECT
public:
    explicit SessionEnd(QObject* parent = nullptr);
    ~SessionEnd() override;

Q_SIGNALS:
    // One of the signals arrived; raised once.
    void requested();

private:
    void readPipe();

    QSocketNotifier* notifier_ = nullptr;
    bool raised_ = false;
};

} // namespace quillet
