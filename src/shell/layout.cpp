// The main window's layout: the toolbar at the top, the status bar at the bottom
// and the editor in between (QMainWindow places them), the interface hidden while
// the window is too small to use, the display states that hang on menu check
// marks, and the default placement.

#include "shell/layout.h"
#include "shell/frmmain.h"

#include "diagnostics/frm_about.h"
#include "editing/editor_window.h"
#include "editing/textblock.h"
#include "platform/failure.h"
#include "platform/program_constants.h"
#include "view/transparent_window.h"

#include <QAction>
#include <QEvent>
#include <QLayout>
#include <QMenu>
#include <QStatusBar>
#include <QToolBar>

#include <algorithm>
#include <exception>

namespace quillet {

QString layout::tooSmallNotice() {
    return QStringLiteral("К сведению.") + CRLF +
           QStringLiteral("Текущее состояние окна недопустимо, потому все элементы интерфейса "
                          "отключаются, а при выходе из программы установки окна не сохраняются.") +
           CRLF + QStringLiteral("Для включения элементов достаточно увеличить размер окна.") +
           CRLF + QStringLiteral("Если окно свёрнуто, то его надо восстановить.");
}

QRect layout::placeOnScreen(const QRect& window, const QVector<QRect>& areas) {
    if (areas.isEmpty() || window.isEmpty())
        return window;
    for (const QRect& area : areas) {
        if (area.contains(window))
            return window;
    }
    QRect target = areas.constFirst();
    qint64 bestOverlap = 0;
    for (const QRect& area : areas) {
        const QRect overlap = area.intersected(window);
        const qint64 size = qint64(overlap.width()) * overlap.height();
        if (size > bestOverlap) {
            bestOverlap = size;
            target = area;
        }
    }
    QRect placed = window;
    placed.setWidth(std::min(window.width(), target.width()));
    placed.setHeight(std::min(window.height(), target.height()));
    placed.moveLeft(std::clamp(window.left(), target.left(), target.right() - placed.width() + 1));
    placed.moveTop(std::clamp(window.top(), target.top(), target.bottom() - placed.height() + 1));
    return placed;
}

namespace {

// Runs one step of the layout. A step that fails (a control refusing a size while
// the window is minimised, say) is recorded and skipped, and the next one runs:
// the steps do not depend on one another.
void tryLayoutStep(FrmMain& window, const std::function<void()>& step) {
    if (const std::optional<Failure> failure = trapFailure(step))
        window.errorReport().record(*failure, MainFormName);
}

} // namespace

std::int32_t OuterFrame::Left() const {
    return window_.frameGeometry().x() * TwipsPerPixel;
}
std::int32_t OuterFrame::Top() const {
    return window_.frameGeometry().y() * TwipsPerPixel;
}
std::int32_t OuterFrame::Width() const {
    return window_.frameGeometry().width() * TwipsPerPixel;
}
std::int32_t OuterFrame::Height() const {
    return window_.frameGeometry().height() * TwipsPerPixel;
}

void OuterFrame::SetPosition(std::int32_t left, std::int32_t top) {
    // A window's position is its frame's.
    window_.move(layout::toPixels(left), layout::toPixels(top));
}

namespace {

// An outer size given before the window system has told the window how wide its
// frame is. Until then the frame counts as nothing, so the window would come out
// larger by its frame, and a little larger again at every start; this watcher
// takes the frame off once it is known, unless the size was changed meanwhile.
// A window that starts maximised (or minimised) shows its normal size only when
// it is restored, so the watcher waits for that.
class PendingOuterSize : public QObject {
public:
    static constexpr const char* Name = "PendingOuterSize";

    PendingOuterSize(QWidget& window, QSize outer) : QObject(&window), window_(window) {
        setObjectName(QLatin1String(Name));
        update(outer);
        window.installEventFilter(this);
    }

    void update(QSize outer) {
        outer_ = outer;
        client_ = window_.size();
    }

    bool eventFilter(QObject*, QEvent* event) override {
        const QEvent::Type t = event->type();
        if (t != QEvent::Show && t != QEvent::Move && t != QEvent::Resize &&
            t != QEvent::WindowStateChange)
            return false;
        // Not in the normal state: the size seen now is not the normal size.
        if (window_.windowState() &
            (Qt::WindowMinimized | Qt::WindowMaximized | Qt::WindowFullScreen)) {
            waitingForNormal_ = true;
            return false;
        }
        // Back in the normal state, the window still has its maximised size
        // until the resize to the normal size arrives.
        if (waitingForNormal_) {
            if (t != QEvent::Resize)
                return false;
            waitingForNormal_ = false;
        }
        if (window_.size() != client_) {
            deleteLater(); // resized by someone else: nothing to correct
            return false;
        }
        const QSize frame = window_.frameGeometry().size() - window_.geometry().size();
        if (frame.isNull())
            return false;
        window_.removeEventFilter(this);
        window_.resize(outer_ - frame);
        deleteLater();
        return false;
    }

private:
    QWidget& window_;
    QSize outer_;
    QSize client_;
    bool waitingForNormal_ = false;
};

} // namespace

void OuterFrame::SetSize(std::int32_t width, std::int32_t height) {
    const QSize outer(layout::toPixels(width), layout::toPixels(height));
    const QSize frame = window_.frameGeometry().size() - window_.geometry().size();
    window_.resize(outer - frame);
    auto* pending = window_.findChild<PendingOuterSize*>(QLatin1String(PendingOuterSize::Name),
                                                         Qt::FindDirectChildrenOnly);
    if (!frame.isNull()) {
        delete pending;
    } else if (pending) {
        pending->update(outer);
    } else {
        new PendingOuterSize(window_, outer);
    }
}

void OuterFrame::BringOntoScreen(const QVector<QRect>& screenAreas) {
    // A placement stored on a larger or another monitor, or at another scale,
    // can lie partly or wholly off the screens there are now. It is corrected
    // only when it must be, so a window that fits keeps its exact values.
    const QRect stored(layout::toPixels(Left()), layout::toPixels(Top()), layout::toPixels(Width()),
                       layout::toPixels(Height()));
    const QRect placed = layout::placeOnScreen(stored, screenAreas);
    if (placed == stored)
        return;
    if (placed.size() != stored.size())
        SetSize(placed.width() * TwipsPerPixel, placed.height() * TwipsPerPixel);
    SetPosition(placed.x() * TwipsPerPixel, placed.y() * TwipsPerPixel);
}

void FrmMain::mnuWind_Click() {
    outer().SetSize(layout::DefaultOuterWidth, layout::DefaultOuterHeight);
    // Centred from the size just given: a shown window may report its new size
    // only once the window system has confirmed it.
    const QRect screen = platform_.screenGeometry();
    const std::int32_t top =
        screen.y() * TwipsPerPixel +
        layout::centredOffset(screen.height() * TwipsPerPixel, layout::DefaultOuterHeight);
    const std::int32_t left =
        screen.x() * TwipsPerPixel +
        layout::centredOffset(screen.width() * TwipsPerPixel, layout::DefaultOuterWidth);
    outer().SetPosition(left, top);
    // On a small screen, or at a large scale, the default size does not fit:
    // the window is brought onto the screen as a stored placement would be.
    outer().BringOntoScreen(platform_.availableScreenAreas());
}

void FrmMain::ArrangeWindow() {
    // First run: the default placement, and the About window before anything
    // else. The flag is lowered before the window opens, so a layout that runs
    // while it is open does not open it a second time.
    tryLayoutStep(*this, [this] {
        if (!opts.FirstLoading)
            return;
        mnuWind_Click();
        opts.FirstLoading = false;
        FrmAbout about(editorWindow());
        platform_.execDialog(about);
    });

    bool usable = true;
    tryLayoutStep(*this, [this, &usable] {
        usable =
            layout::isUsable(isMinimized(), outer().Width(), outer().Height(), WidthLimitPoint);
    });

    if (!usable) {
        tryLayoutStep(*this, [this] { Toolbar1->hide(); });
        tryLayoutStep(*this, [this] { TextBlock->hide(); });
        tryLayoutStep(*this, [this] { StatusBar1->hide(); });
        tryLayoutStep(*this, [this] { TextBlock->resize(TextBlock->width(), 0); });
        tryLayoutStep(*this, [this] { TextBlock->resize(0, TextBlock->height()); });
        tryLayoutStep(*this, [this] {
            if (opts.ResizeCritical)
                return;
            // Raised before the notice opens: a resize while it is open must not
            // bring a second one.
            opts.ResizeCritical = true;
            platform_.messageBox({layout::tooSmallNotice(), ProgramName, MsgIcon::Information,
                                  MsgButtons::Ok, answer::Ok},
                                 this);
        });
    } else {
        tryLayoutStep(*this, [this] { TextBlock->show(); });
        tryLayoutStep(*this, [this] {
            if (opts.StatusBar)
                StatusBar1->show();
        });
        tryLayoutStep(*this, [this] {
            if (opts.ToolBar)
                Toolbar1->show();
        });
        // QMainWindow puts the editor below the toolbar and above the status
        // bar, across the client width; bringing its layout up to date here
        // places the editor before this returns.
        tryLayoutStep(*this, [this] { Toolbar1->setVisible(opts.ToolBar); });
        tryLayoutStep(*this, [this] { StatusBar1->setVisible(opts.StatusBar); });
        tryLayoutStep(*this, [this] {
            if (QLayout* l = layout())
                l->activate();
        });
    }

    // Display states that hang on the options.
    tryLayoutStep(*this, [this] {
        QFont font = TextBlock->chosenFont();
        if (font.underline() == opts.Underline && font.italic() == opts.Italic &&
            font.bold() == opts.Bold)
            return; // nothing to change: keep a resize cheap
        font.setUnderline(opts.Underline);
        font.setItalic(opts.Italic);
        font.setBold(opts.Bold);
        TextBlock->setChosenFont(font);
    });
    // The submenu itself: it carries its entry in the View menu along, the same
    // way the View menu enables its other "Дополнительно" submenu.
    tryLayoutStep(*this, [this] { menus_.mnuTransSettings->setEnabled(opts.Transparent); });
    tryLayoutStep(*this, [this] { transparency_->ApplyTransparency(layout::LayoutOpacity); });
}

void ToggleLayoutOption(FrmMain& window, bool Options::*option) {
    window.options().toggle(option);
    window.ShowOptionsInMenus();
    window.ArrangeWindow();
}

void FrmMain::Form_Resize() {
    ArrangeWindow();
    // Opening the View menu recomputes the item; a maximised window cannot be
    // given its default placement.
    if (isMaximized())
        menus_.mnuWind->setEnabled(false);
}

} // namespace quillet
