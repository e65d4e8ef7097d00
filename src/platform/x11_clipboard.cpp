#include "platform/x11_clipboard.h"

#include "platform/failure.h"

#include <QMetaObject>

#include <xcb/xcb.h>

#include <cstdlib>
#include <poll.h>

namespace quillet {

namespace {

using Clock = std::chrono::steady_clock;
using std::chrono::milliseconds;

// An owner silent this long, whether asked for its text or in the middle of
// handing a large one over piece by piece, is taken for one that will not
// answer.
constexpr auto Patience = std::chrono::seconds(2);
// How often a wait for the owner looks whether its read has been given up.
constexpr milliseconds GiveUpCheck(20);

// The forms a text is asked for in, by preference.
const char* const TextTargets[] = {"UTF8_STRING", "text/plain;charset=utf-8", "STRING",
                                   "text/plain", "TEXT"};

Failure cannotOpen() {
    return Failure(err::CannotOpenClipboard, QStringLiteral("Can't open Clipboard"));
}

Failure noAnswer() {
    return Failure(err::CannotOpenClipboard,
                   QStringLiteral("Can't open Clipboard: its owner does not answer"));
}

Failure givenUpRead() {
    return Failure(err::CannotOpenClipboard,
                   QStringLiteral("Can't open Clipboard: a newer read took its place"));
}

// A read given up because a newer one waits, or the reader stops.
struct GivenUp {};

using Event = std::unique_ptr<xcb_generic_event_t, decltype(&std::free)>;

struct Property {
    xcb_atom_t type = XCB_NONE;
    QByteArray data;
};

// One read of the CLIPBOARD selection over a connection of its own, made for
// that read and closed after it: an answer that comes late, for a read given
// up, goes nowhere.
class SelectionSession {
public:
    SelectionSession(const QByteArray& display, std::function<bool()> givenUp)
        : givenUp_(std::move(givenUp)), session_(connect(display), &xcb_disconnect),
          connection_(session_.get()) {
        if (xcb_connection_has_error(connection_))
            throw cannotOpen();
        xcb_screen_iterator_t screen = xcb_setup_roots_iterator(xcb_get_setup(connection_));
        for (int i = 0; i < screenNumber_ && screen.rem > 0; ++i)
            xcb_screen_next(&screen);
        if (screen.rem <= 0)
            throw cannotOpen();
        // A window nobody sees, to receive the owner's answer on.
        window_ = xcb_generate_id(connection_);
        const std::uint32_t events = XCB_EVENT_MASK_PROPERTY_CHANGE;
        xcb_create_window(connection_, XCB_COPY_FROM_PARENT, window_, screen.data->root, 0, 0, 1, 1,
                          0, XCB_WINDOW_CLASS_INPUT_ONLY, XCB_COPY_FROM_PARENT, XCB_CW_EVENT_MASK,
                          &events);
        clipboard_ = atom("CLIPBOARD");
        targets_ = atom("TARGETS");
        incr_ = atom("INCR");
        property_ = atom("QUILLET_CLIPBOARD");
        for (const char* name : TextTargets)
            textTargets_.push_back({name, atom(name)});
    }
    SelectionSession(const SelectionSession&) = delete;
    SelectionSession& operator=(const SelectionSession&) = delete;

    // The clipboard's text; empty when it holds none or has no owner.
    QString readText() {
        auto* owner = xcb_get_selection_owner_reply(
            connection_, xcb_get_selection_owner(connection_, clipboard_), nullptr);
        if (!owner)
            throw cannotOpen();
        const xcb_window_t ownerWindow = owner->owner;
        std::free(owner);
        if (ownerWindow == XCB_NONE)
            return {};

        QByteArrayList asked;
        if (const std::optional<Property> offered = convert(targets_)) {
            QByteArrayList names;
            const auto* atoms = reinterpret_cast<const xcb_atom_t*>(offered->data.constData());
            for (qsizetype i = 0; i < offered->data.size() / qsizetype(sizeof(xcb_atom_t)); ++i) {
                for (const auto& [name, id] : textTargets_) {
                    if (atoms[i] == id)
                        names << name;
                }
            }
            const QByteArray chosen = chooseTextTarget(names);
            if (chosen.isEmpty())
                return {};
            asked << chosen;
        } else {
            // An owner that does not list its forms may still hand text over.
            asked << "UTF8_STRING"
                  << "STRING";
        }
        for (const QByteArray& name : asked) {
            if (const std::optional<Property> text = convert(atomNamed(name)))
                return selectionText(nameOf(text->type), text->data);
        }
        return {};
    }

private:
    // Always a connection, also one that failed (xcb_connection_has_error).
    xcb_connection_t* connect(const QByteArray& display) {
        return xcb_connect(display.isEmpty() ? nullptr : display.constData(), &screenNumber_);
    }

    xcb_atom_t atom(const char* name) {
        auto* reply = xcb_intern_atom_reply(
            connection_, xcb_intern_atom(connection_, 0, std::uint16_t(qstrlen(name)), name),
            nullptr);
        if (!reply)
            throw cannotOpen();
        const xcb_atom_t id = reply->atom;
        std::free(reply);
        return id;
    }

    xcb_atom_t atomNamed(const QByteArray& name) const {
        for (const auto& [known, id] : textTargets_) {
            if (known == name)
                return id;
        }
        return XCB_NONE;
    }

    QByteArray nameOf(xcb_atom_t id) const {
        for (const auto& [name, known] : textTargets_) {
            if (known == id)
                return name;
        }
        return {};
    }

    // Asks the owner for the selection in one form; nothing when it refuses.
    std::optional<Property> convert(xcb_atom_t target) {
        xcb_convert_selection(connection_, window_, clipboard_, target, property_,
                              XCB_CURRENT_TIME);
        const Event notify = waitFor([this](const xcb_generic_event_t* e) {
            if ((e->response_type & 0x7F) != XCB_SELECTION_NOTIFY)
                return false;
            const auto* n = reinterpret_cast<const xcb_selection_notify_event_t*>(e);
            return n->requestor == window_ && n->selection == clipboard_;
        });
        if (reinterpret_cast<const xcb_selection_notify_event_t*>(notify.get())->property ==
            XCB_NONE)
            return std::nullopt;
        Property answer = takeProperty();
        if (answer.type != incr_)
            return answer;
        // A large selection comes in pieces: the owner writes the next one each
        // time the one before has been taken, and an empty piece ends it.
        Property whole;
        while (true) {
            (void)waitFor([this](const xcb_generic_event_t* e) {
                if ((e->response_type & 0x7F) != XCB_PROPERTY_NOTIFY)
                    return false;
                const auto* p = reinterpret_cast<const xcb_property_notify_event_t*>(e);
                return p->window == window_ && p->atom == property_ &&
                       p->state == XCB_PROPERTY_NEW_VALUE;
            });
            Property piece = takeProperty();
            if (piece.data.isEmpty())
                return whole;
            whole.type = piece.type;
            whole.data += piece.data;
        }
    }

    // Reads the answer and deletes it, which tells the owner it was taken.
    Property takeProperty() {
        auto* reply =
            xcb_get_property_reply(connection_,
                                   xcb_get_property(connection_, 1, window_, property_,
                                                    XCB_GET_PROPERTY_TYPE_ANY, 0, 0x1FFFFFFF),
                                   nullptr);
        if (!reply)
            throw cannotOpen();
        Property p;
        p.type = reply->type;
        p.data = QByteArray(static_cast<const char*>(xcb_get_property_value(reply)),
                            xcb_get_property_value_length(reply));
        std::free(reply);
        return p;
    }

    // The next event `wanted` accepts. Throws when the owner stays silent too
    // long, the connection breaks or the read is given up.
    template <typename Wanted> Event waitFor(Wanted wanted) {
        const Clock::time_point deadline = Clock::now() + Patience;
        xcb_flush(connection_);
        while (true) {
            while (xcb_generic_event_t* e = xcb_poll_for_event(connection_)) {
                Event event(e, &std::free);
                if (wanted(e))
                    return event;
            }
            if (xcb_connection_has_error(connection_))
                throw cannotOpen();
            if (givenUp_())
                throw GivenUp{};
            const auto left = std::chrono::duration_cast<milliseconds>(deadline - Clock::now());
            if (left.count() <= 0)
                throw noAnswer();
            pollfd fd{xcb_get_file_descriptor(connection_), POLLIN, 0};
            ::poll(&fd, 1, int(std::min(left, GiveUpCheck).count()));
        }
    }

    std::function<bool()> givenUp_;
    int screenNumber_ = 0;
    // Closed when the session ends, however it ends.
    std::unique_ptr<xcb_connection_t, decltype(&xcb_disconnect)> session_;
    xcb_connection_t* connection_;
    xcb_window_t window_ = XCB_NONE;
    xcb_atom_t clipboard_ = XCB_NONE;
    xcb_atom_t targets_ = XCB_NONE;
    xcb_atom_t incr_ = XCB_NONE;
    xcb_atom_t property_ = XCB_NONE;
    std::vector<std::pair<QByteArray, xcb_atom_t>> textTargets_;
};

} // namespace

QByteArray chooseTextTarget(const QByteArrayList& offered) {
    for (const char* target : TextTargets) {
        if (offered.contains(target))
            return target;
    }
    return {};
}

QString selectionText(QByteArrayView type, QByteArray bytes) {
    while (bytes.endsWith('\0'))
        bytes.chop(1);
    if (type == "UTF8_STRING" || type.startsWith("text/plain"))
        return QString::fromUtf8(bytes);
    return QString::fromLatin1(bytes);
}

class X11ClipboardRead : public ClipboardRead {
public:
    explicit X11ClipboardRead(std::function<void()> answered) : answered_(std::move(answered)) {}

    bool wait(milliseconds limit) override {
        std::unique_lock lock(mutex_);
        return done_.wait_for(lock, limit, [this] { return answer_.has_value(); });
    }

    QString text() const override {
        const std::lock_guard lock(mutex_);
        if (!answer_)
            throw noAnswer();
        if (failure_)
            throw *failure_;
        return *answer_;
    }

    void finish(QString text, std::optional<Failure> failure) {
        {
            const std::lock_guard lock(mutex_);
            if (answer_)
                return;
            answer_ = std::move(text);
            failure_ = std::move(failure);
        }
        done_.notify_all();
    }

    std::function<void()> takeAnswered() { return std::exchange(answered_, nullptr); }

private:
    mutable std::mutex mutex_;
    std::condition_variable done_;
    std::optional<QString> answer_;
    std::optional<Failure> failure_;
    std::function<void()> answered_;
};

X11ClipboardReader::X11ClipboardReader(QByteArray display)
    : display_(std::move(display)), thread_([this] { run(); }) {}

X11ClipboardReader::~X11ClipboardReader() {
    {
        const std::lock_guard lock(mutex_);
        stopping_ = true;
    }
    wake_.notify_all();
    thread_.join();
}

std::shared_ptr<ClipboardRead> X11ClipboardReader::read(std::function<void()> answered) {
    auto read = std::make_shared<X11ClipboardRead>(std::move(answered));
    std::shared_ptr<X11ClipboardRead> dropped;
    {
        const std::lock_guard lock(mutex_);
        dropped = std::exchange(next_, read);
    }
    // One that never started is given up here; the one under way sees the new
    // one waiting and gives itself up.
    if (dropped)
        dropped->finish({}, givenUpRead());
    wake_.notify_all();
    return read;
}

bool X11ClipboardReader::givenUp() {
    const std::lock_guard lock(mutex_);
    return stopping_ || next_ != nullptr;
}

void X11ClipboardReader::run() {
    while (true) {
        std::shared_ptr<X11ClipboardRead> read;
        {
            std::unique_lock lock(mutex_);
            wake_.wait(lock, [this] { return stopping_ || next_; });
            if (stopping_)
                return;
            read = std::move(next_);
        }
        try {
            SelectionSession session(display_, [this] { return givenUp(); });
            read->finish(session.readText(), std::nullopt);
        } catch (const GivenUp&) {
            read->finish({}, givenUpRead());
            continue;
        } catch (const Failure& failure) {
            read->finish({}, failure);
        } catch (const std::bad_alloc&) {
            read->finish({}, Failure(err::OutOfMemory, QStringLiteral("Out of memory")));
        }
        if (std::function<void()> answered = read->takeAnswered())
            QMetaObject::invokeMethod(&receiver_, std::move(answered), Qt::QueuedConnection);
    }
}

} // namespace quillet
