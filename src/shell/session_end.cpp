#include "shell/session_end.h"

#include <QSocketNotifier>

#include <csignal>
#include <fcntl.h>
#include <unistd.h>

namespace quillet {

namespace {

int pipeEnds[2] = {-1, -1};

void onSignal(int) {
    const int saved = errno;
    const char byte = 1;
    [[maybe_unused]] const ssize_t n = ::write(pipeEnds[1], &byte, 1);
    errno = saved;
}

} // namespace

SessionEnd::SessionEnd(QObject* parent) : QObject(parent) {
    if (pipeEnds[0] < 0 && ::pipe2(pipeEnds, O_CLOEXEC | O_NONBLOCK) != 0)
        return;
    notifier_ = new QSocketNotifier(pipeEnds[0], QSocketNotifier::Read, this);
    connect(notifier_, &QSocketNotifier::activated, this, &SessionEnd::readPipe);
    struct sigaction action {};
    action.sa_handler = onSignal;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    for (const int number : {SIGTERM, SIGHUP, SIGINT})
        ::sigaction(number, &action, nullptr);
}

SessionEnd::~SessionEnd() {
    struct sigaction action {};
    action.sa_handler = SIG_DFL;
    sigemptyset(&action.sa_mask);
    for (const int number : {SIGTERM, SIGHUP, SIGINT})
        ::sigaction(number, &action, nullptr);
}

void SessionEnd::readPipe() {
    char bytes[64];
    while (::read(pipeEnds[0], bytes, sizeof bytes) > 0) {
    }
    if (raised_)
        return;
    raised_ = true;
    Q_EMIT requested();
}

} // namespace quillet
