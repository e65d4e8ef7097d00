#include "shell/frmmain.h"

#include "shell/toolbar_table.h"
#include "view/edit_hook.h"

#include <QAction>
#include <QKeyEvent>
#include <QKeySequence>
#include <QMenu>
#include <QToolBar>
#include <QToolButton>

namespace quillet {

namespace {

const QString ReadyText = QStringLiteral("Готово");

} // namespace

void FrmMain::TMR1_Timer() {
    tickScheduled_ = false;
    // Only what something changed is worked out again: an idle tick costs next
    // to nothing.
    if (statusStale_)
        UpdateStatusInfo();
    if (availabilityStale_)
        UpdateToolbarButtons();
    FollowCursor();
}

void FrmMain::scheduleTick() {
    if (tickScheduled_)
        return;
    tickScheduled_ = true;
    // Queued: every change of this pass of the event loop is seen by one tick.
    QMetaObject::invokeMethod(
        this,
        [this] {
            if (tickScheduled_)
                TMR1_Timer();
        },
        Qt::QueuedConnection);
}

void FrmMain::StatusSourceChanged() {
    statusStale_ = true;
    scheduleTick();
}

void FrmMain::AvailabilitySourceChanged() {
    availabilityStale_ = true;
    scheduleTick();
}

void FrmMain::updateFollowTimer() {
    const bool following = opts.followsCursor();
    if (following && !TMR1->isActive())
        TMR1->start();
    else if (!following && TMR1->isActive())
        TMR1->stop();
}

void FrmMain::watchTickSources() {
    gatherToolbarSlots();
    // The tooltip mode.
    connect(menus_.mnuTextInf, &QAction::toggled, this, &FrmMain::StatusSourceChanged);
    connect(menus_.mnuNoToolTip, &QAction::toggled, this, &FrmMain::StatusSourceChanged);
    // The document's length and the selection.
    connect(TextBlock, &TextBlock::changed, this, &FrmMain::AvailabilitySourceChanged);
    connect(TextBlock, &QPlainTextEdit::selectionChanged, this,
            &FrmMain::AvailabilitySourceChanged);
    connect(TextBlock, &QPlainTextEdit::cursorPositionChanged, this,
            &FrmMain::AvailabilitySourceChanged);
    // The clipboard: its change signal (see availability.cpp).
    watchClipboard();
    // Cursor following is the one thing no signal reports.
    connect(menus_.mnuTransparent, &QAction::toggled, this, &FrmMain::updateFollowTimer);
    connect(menus_.mnuGetMouse, &QAction::toggled, this, &FrmMain::updateFollowTimer);
    // Shortcut keys reach the editor first, or the window when nothing in it has
    // the focus.
    TextBlock->installEventFilter(this);
    installEventFilter(this);
    updateFollowTimer();
    scheduleTick();
}

bool FrmMain::eventFilter(QObject* watched, QEvent* event) {
    switch (event->type()) {
    case QEvent::ShortcutOverride:
        // Sent before the shortcut is looked up: the command's availability is
        // brought up to date first. The window sees the keys the editor let pass,
        // which the editor has already handled here.
        if (watched == TextBlock || (watched == this && focusWidget() != TextBlock))
            RefreshBeforeShortcut(QKeySequence(static_cast<QKeyEvent*>(event)->keyCombination()));
        break;
    case QEvent::KeyPress:
        // The editor would read the clipboard itself, and wait while the program
        // that owns it does not answer: paste the text kept from its last change.
        if (watched == TextBlock && static_cast<QKeyEvent*>(event)->matches(QKeySequence::Paste)) {
            mnuPaste_Click();
            return true;
        }
        if (watched != TextBlock && watched != this)
            StatusSourceChanged();
        break;
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
        if (tickScheduled_ && watched != TextBlock && watched != this)
            TMR1_Timer();
        break;
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonRelease:
    case QEvent::MouseMove:
    case QEvent::KeyRelease:
    case QEvent::Leave:
    case QEvent::Hide:
    case QEvent::EnabledChange:
        // A toolbar button may have been pressed or let go. (A button the tick
        // itself enables or disables matters only if one was shown held.)
        if (watched != TextBlock && watched != this) {
            if (event->type() != QEvent::EnabledChange || statusText() != ReadyText)
                StatusSourceChanged();
        }
        break;
    case QEvent::ActivationChange:
        if (watched == this) {
            StatusSourceChanged();
            AvailabilitySourceChanged();
        }
        break;
    default:
        break;
    }
    return QMainWindow::eventFilter(watched, event);
}

void FrmMain::writeToolTip(QWidget* widget, const QString& text) {
    if (widget && widget->toolTip() != text)
        widget->setToolTip(text);
}

void FrmMain::gatherToolbarSlots() {
    for (const ToolbarEntry& e : toolbarTable()) {
        QAction* entry = toolbarEntry(QString::fromLatin1(e.key));
        if (!entry)
            continue;
        ToolbarSlot slot{Toolbar1->widgetForAction(entry), QString::fromUtf8(e.description)};
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

void FrmMain::UpdateStatusInfo() {
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
    const ToolTipChoice choice = opts.toolTipChoice();
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

void FrmMain::Toolbar1_ButtonClick(const QString& key) {
    // Separators and unknown keys do nothing.
    const ToolbarEntry* entry = findToolbarEntry(key);
    if (entry && entry->command)
        entry->command(*this);
}

void FrmMain::mnuToolBar_Click() {
    ToggleLayoutOption(&Options::ToolBar);
}

void FrmMain::mnuStatusBar_Click() {
    ToggleLayoutOption(&Options::StatusBar);
}

void FrmMain::mnuTextInf_Click() {
    opts.chooseToolTips(ToolTipChoice::Describe);
    ShowOptionsInMenus();
}

void FrmMain::mnuNoToolTip_Click() {
    opts.chooseToolTips(ToolTipChoice::Hide);
    ShowOptionsInMenus();
}

void FrmMain::mnuON_OFF_Click() {
    opts.toggle(&Options::StandardMenu);
    ShowOptionsInMenus();
}

void FrmMain::TextBlock_MouseDown(int button) {
    // With the standard menu chosen the editor shows its own context menu
    // (TextBlock asks for the option on every request) and the program shows none.
    if (opts.StandardMenu)
        return;
    QMenu* menu = nullptr;
    if (button == 2) {
        sendMousePress(this, Qt::RightButton);
        menu = menus_.mnuPopUp;
    } else if (button == 4) {
        sendMousePress(this, Qt::MiddleButton);
        menu = menus_.mnuPopUp2;
    } else {
        return;
    }
    UpdatePopupMenu();
    // popup() returns at once; the menu runs its commands when an item is chosen.
    menu->popup(platform().cursorPos());
}

} // namespace quillet
