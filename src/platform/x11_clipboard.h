#pragma once

// Another X11 program's clipboard, read without waiting on that program. Qt reads
// the clipboard on the window's thread and waits up to five seconds for the
// owner's answer, so an owner that has stopped freezes the window that long at
// every read. This reader asks on a thread and an X connection of its own; the
// window only ever looks for the answer, or waits for it a bounded time.

#include "platform/platform.h"

#include <QByteArray>
#include <QByteArrayList>
#include <QObject>

#include <condition_variable>
#include <mutex>
#include <thread>

namespace quillet {

// Of the forms an owner offers its selection in (the names of its TARGETS), the
// one to ask for the text in, by preference: UTF-8 first, then Latin-1, then
// the older catch-alls. Empty when none of them is offered (a picture alone).
QByteArray chooseTextTarget(const QByteArrayList& offered);

// The text of a selection handed over as the given type (the type the owner
// wrote, which for TEXT is the form it chose): UTF-8 for UTF8_STRING and the
// text/plain types, Latin-1 for STRING and anything else. Trailing NUL bytes,
// which some owners add, are not part of the text.
QString selectionText(QByteArrayView type, QByteArray bytes);

class X11ClipboardRead;

class X11ClipboardReader {
public:
    // display: the X display's name, as in DISPLAY.
    explicit X11ClipboardReader(QByteArray display);
    // Gives up the read under way and stops the thread.
    ~X11ClipboardReader();
    X11ClipboardReader(const X11ClipboardReader&) = delete;
    X11ClipboardReader& operator=(const X11ClipboardReader&) = delete;

    // Starts reading the CLIPBOARD selection. Only the latest read counts: one
    // still under way when a new one starts is given up (answered with a
    // failure, and `answered` is not called for it). `answered` runs on the
    // thread that made the reader.
    std::shared_ptr<ClipboardRead> read(std::function<void()> answered);

private:
    void run();
    // The read under way is given up: a newer one waits, or the reader stops.
    bool givenUp();

    QByteArray display_;
    // Answers are posted to it, so they run on the thread it belongs to.
    QObject receiver_;
    std::mutex mutex_;
    std::condition_variable wake_;
    std::shared_ptr<X11ClipboardRead> next_;
    bool stopping_ = false;
    std::thread thread_;
};

} // namespace quillet
