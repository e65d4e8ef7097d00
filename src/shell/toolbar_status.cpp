#include "shell/toolbar_status.h"

#include "editing/textblock.h"
#include "shell/coarse_timer.h"
#include "shell/frmmain.h"
#include "shell/toolbar_table.h"
#include "view/clipboard_state.h"
#include "view/transparent_window.h"

#include <QAction>
#include <QEvent>
#include <QLabel>
#include <QToolBar>
#include <QToolButton>

namespace quillet {

namespace {

const QString ReadyText = QStringLiteral("Готово");

} // namespace

ToolbarStatus::ToolbarStatus(FrmMain& window, QLabel& statusLabel, CoarseTimer& followTimer)
    : QObject(&window), window_(window), statusLabel_(statusLabel), followTimer_(followTimer) {}

QString ToolbarStatus::statusText() const {
    return statusLabel_.text();
}

void ToolbarStatus::setStatusText(const QString& text) {
    if (statusLabel_.text() != text)
        statusLabel_.setText(text);
}

void ToolbarStatus::tick() {
    tickScheduled_ = false;
    // Only what something changed is worked out again: an idle tick costs next
    // to nothing.
    if (statusStale_)
        UpdateStatusInfo();
    if (availabilityStale_) {
        availabilityStale_ = false;
        window_.UpdateToolbarButtons();
    }
    window_.transparency().FollowCursor();
}

void ToolbarStatus::scheduleTick() {
    if (tickScheduled_)
        return;
    tickScheduled_ = true;
    // Queued: every change of this pass of the event loop is seen by one tick.
    // Posted to the window, like every event the window's own work waits for.
    QMetaObject::invokeMethod(
        &window_,
        [this] {
            if (tickScheduled_)
                window_.TMR1_Timer();
        },
        Qt::QueuedConnection);
}

void ToolbarStatus::StatusSourceChanged() {
    statusStale_ = true;
    scheduleTick();
}

void ToolbarStatus::AvailabilitySourceChanged() {
    availabilityStale_ = true;
    scheduleTick();
}

void ToolbarStatus::updateFollowTimer() {
    const bool following = window_.options().followsCursor();
    if (following && !followTimer_.isActive())
        followTimer_.start();
    else if (!following && followTimer_.isActive())
        followTimer_.stop();
}

void ToolbarStatus::watchTickSources() {
    gatherToolbarSlots();
    const MenuTree& menus = window_.menus();
    TextBlock* editor = window_.textBlock();
    // The tooltip mode.
    connect(menus.mnuTextInf, &QAction::toggled, this, &ToolbarStatus::StatusSourceChanged);
    connect(menus.mnuNoToolTip, &QAction::toggled, this, &ToolbarStatus::StatusSourceChanged);
    // The document's length and the selection.
    connect(editor, &TextBlock::changed, this, &ToolbarStatus::AvailabilitySourceChanged);
    connect(editor, &QPlainTextEdit::selectionChanged, this,
            &ToolbarStatus::AvailabilitySourceChanged);
    connect(editor, &QPlainTextEdit::cursorPositionChanged, this,
            &ToolbarStatus::AvailabilitySourceChanged);
    // The clipboard, from its change signal.
    connect(&window_.clipboard(), &ClipboardState::changed, this,
            &ToolbarStatus::AvailabilitySourceChanged);
    window_.clipboard().holdsText();
    // Cursor following is the one thing no signal reports.
    connect(menus.mnuTransparent, &QAction::toggled, this, &ToolbarStatus::updateFollowTimer);
    connect(menus.mnuGetMouse, &QAction::toggled, this, &ToolbarStatus::updateFollowTimer);
    // The window's activation.
    window_.installEventFilter(this);
    updateFollowTimer();
    scheduleTick();
}

bool ToolbarStatus::eventFilter(QObject* watched, QEvent* event) {
    if (watched == &window_) {
        if (event->type() == QEvent::ActivationChange) {
            StatusSourceChanged();
            AvailabilitySourceChanged();
        }
        return false;
    }
    // A toolbar button.
    switch (event->type()) {
    case QEvent::ToolTipChange:
        // A toolbar button's tooltip changed by something else than the tick
        // (the toolbar puts the entry's own tooltip back whenever the entry
        // changes): write them again unless it is what the tick last wrote.
        if (!writingToolTips_ && toolTips_ != ToolTipMode::Unknown) {
            for (const ToolbarSlot& slot : std::as_const(toolbarSlots_)) {
                if (slot.widget != watched)
                    continue;
                const QString& expected =
                    toolTips_ == ToolTipMode::Hidden ? QString() : slot.description;
                if (slot.widget->toolTip() != expected) {
                    toolTips_ = ToolTipMode::Unknown;
                    StatusSourceChanged();
                }
                break;
            }
        }
        break;
    case QEvent::ToolTip:
        // About to show a toolbar button's tooltip: show the current one.
        if (tickScheduled_)
            window_.TMR1_Timer();
        break;
    case QEvent::KeyPress:
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonRelease:
    case QEvent::MouseMove:
    case QEvent::KeyRelease:
    case QEvent::Leave:
    case QEvent::Hide:
        // A toolbar button may have been pressed or let go.
        StatusSourceChanged();
        break;
    case QEvent::EnabledChange:
        // A button the tick itself enables or disables matters only if one was
        // shown held.
        if (statusText() != ReadyText)
            StatusSourceChanged();
        break;
    default:
        break;
    }
    return false;
}

void ToolbarStatus::writeToolTip(QWidget* widget, const QString& text) {
    if (widget && widget->toolTip() != text)
        widget->setToolTip(text);
}

void ToolbarStatus::gatherToolbarSlots() {
    for (const ToolbarEntry& e : toolbarTable()) {
        QAction* entry = toolbarEntry(*window_.toolbar(), QString::fromLatin1(e.key));
        if (!entry)
            continue;
        ToolbarSlot slot{window_.toolbar()->widgetForAction(entry),
                         QString::fromUtf8(e.description)};
        toolbarSlots_.append(slot);
        // The toolbar puts the entry's own tooltip back on its button whenever
        // the entry changes (its availability, its picture): keep hidden ones
        // hidden.
        QWidget* widget = slot.widget;
        connect(entry, &QAction::changed, this, [this, widget] {
            if (toolTipsHidden_) {
                writingToolTips_ = true;
                writeToolTip(widget, QString());
                writingToolTips_ = false;
            }
        });
        if (widget)
            widget->installEventFilter(this);
        // The buttons whose held state the status bar describes, in toolbar
        // order: the first one held down gives the text.
        if (!e.separator()) {
            if (auto* button = qobject_cast<QToolButton*>(slot.widget))
                statusSlots_.append({button, QString::fromUtf8(e.heldText)});
        }
    }
}

void ToolbarStatus::UpdateStatusInfo() {
    statusStale_ = false;
    const auto writeToolTips = [this](ToolTipMode mode) {
        // Written only when the mode changed or a tooltip was changed from
        // outside: an unchanged mode costs no tooltip read at all.
        if (toolTips_ == mode)
            return;
        writingToolTips_ = true;
        for (const ToolbarSlot& slot : std::as_const(toolbarSlots_))
            writeToolTip(slot.widget, mode == ToolTipMode::Hidden ? QString() : slot.description);
        writingToolTips_ = false;
        toolTips_ = mode;
    };
    const ToolTipChoice choice = window_.options().toolTipChoice();
    if (choice == ToolTipChoice::Describe) {
        toolTipsHidden_ = false;
        writeToolTips(ToolTipMode::Descriptions);

        const QString* text = &ReadyText;
        for (const StatusSlot& slot : std::as_const(statusSlots_)) {
            if (slot.button->isDown()) {
                text = &slot.text;
                break;
            }
        }
        setStatusText(*text);
    } else if (choice == ToolTipChoice::Hide) {
        setStatusText(ReadyText);
        toolTipsHidden_ = true;
        writeToolTips(ToolTipMode::Hidden);
    }
    // Neither mark checked: the tooltips and the status text stay as they are.
}

} // namespace quillet
