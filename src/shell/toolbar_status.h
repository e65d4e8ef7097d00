#pragma once

// The toolbar's tooltips and the status bar's text, and the window's tick that
// keeps them, the toolbar's availability and cursor following up to date. The
// tick runs once per pass of the event loop after something it depends on
// changed, and on TMR1 only while the window follows the pointer, which no
// signal reports: an idle window costs nothing.

#include <QObject>
#include <QString>
#include <QVector>

class QLabel;
class QToolButton;
class QWidget;

namespace quillet {

class CoarseTimer;
class FrmMain;

class ToolbarStatus : public QObject {
    Q_OBJECT
public:
    ToolbarStatus(FrmMain& window, QLabel& statusLabel, CoarseTimer& followTimer);

    // Connects the tick to the signals and events of what it depends on, and
    // schedules the first one.
    void watchTickSources();
    // The tick's work: the status information and the toolbar's availability
    // where something changed, then cursor following.
    void tick();
    // The status text and the tooltips as the options want them.
    void UpdateStatusInfo();
    // Something the status text or the tooltips depend on changed.
    void StatusSourceChanged();
    // Something the toolbar's availability or UseFindRep depend on changed.
    void AvailabilitySourceChanged();
    // Whether a tick is waiting for the event loop.
    bool tickScheduled() const { return tickScheduled_; }
    QString statusText() const;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void gatherToolbarSlots();
    void scheduleTick();
    // TMR1 runs only while cursor following needs the pointer's position.
    void updateFollowTimer();
    void setStatusText(const QString& text);
    static void writeToolTip(QWidget* widget, const QString& text);

    FrmMain& window_;
    QLabel& statusLabel_;
    CoarseTimer& followTimer_;
    // The toolbar entries as the tick reads them, gathered once.
    struct ToolbarSlot {
        QWidget* widget = nullptr; // the button (or separator) showing the entry
        QString description;
    };
    struct StatusSlot {
        QToolButton* button = nullptr;
        QString text; // the status text while the button is held down
    };
    QVector<ToolbarSlot> toolbarSlots_;
    QVector<StatusSlot> statusSlots_;
    enum class ToolTipMode { Unknown, Descriptions, Hidden };
    // What UpdateStatusInfo last wrote as tooltips; Unknown once a tooltip was
    // changed from outside, so the next run writes them again.
    ToolTipMode toolTips_ = ToolTipMode::Unknown;
    bool toolTipsHidden_ = false;
    bool writingToolTips_ = false;
    bool statusStale_ = true;
    bool availabilityStale_ = true;
    bool tickScheduled_ = false;
};

} // namespace quillet
