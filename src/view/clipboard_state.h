#pragma once

// Whether the clipboard holds text, and its text, read when the clipboard
// announces a change. The read is another program's answer, which may come late
// or never: nothing waits for it but a menu that opens (briefly) and Paste (a
// second at most), so start-up, typing, saving and the window's tick never wait
// on the program that owns the clipboard.

#include <QObject>
#include <QString>

#include <chrono>
#include <memory>
#include <optional>

namespace quillet {

class ClipboardRead;
class FailureRecorder;
class Platform;

class ClipboardState : public QObject {
    Q_OBJECT
public:
    // How long a menu that opens waits for a read under way, and how long Paste
    // waits for the owner's answer before it gives up.
    static constexpr std::chrono::milliseconds MenuWait{50};
    static constexpr std::chrono::milliseconds PasteWait{800};

    ClipboardState(Platform& platform, FailureRecorder& failures, QObject* parent = nullptr);
    ~ClipboardState() override;

    // Whether the clipboard holds text, as its owner last answered; nothing while
    // a read is under way or when the clipboard could not be read. Never waits.
    // The first question starts following the clipboard's changes.
    std::optional<bool> holdsText();
    // The same for a menu that opens at the user's request: a read under way is
    // waited for a moment (MenuWait), and a clipboard that could not be read
    // before is read again.
    std::optional<bool> holdsTextNow();
    // What Paste inserts: the clipboard's text, empty when it holds none. Waits
    // for a read under way (or a new one, when the last could not be read) at
    // most PasteWait; throws Failure (521) when the owner has not answered by
    // then, so nothing is inserted.
    QString textToPaste();

Q_SIGNALS:
    // What the clipboard holds may have changed.
    void changed();

private:
    void watch();
    // A new round of reads: the clipboard changed, or a read is asked for again.
    void refresh();
    // Starts one read of the round.
    void startRead();
    // Takes the answer of the read under way, once it is there.
    void takeAnswer();
    // Waits at most limit for the read under way, or starts one when the last
    // round failed.
    void awaitAnswer(std::chrono::milliseconds limit);

    Platform& platform_;
    FailureRecorder& failures_;
    std::shared_ptr<ClipboardRead> read_; // the read under way
    int attempts_ = 0;                    // reads of this round so far
    // Tells a late answer of an earlier read from the read under way.
    unsigned generation_ = 0;
    std::optional<bool> holdsText_;
    QString text_;
    bool watched_ = false;
};

} // namespace quillet
