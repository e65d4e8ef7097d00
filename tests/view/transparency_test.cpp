#include "support/harness.h"
#include "view/edit_hook.h"
#include "view/window_rules.h"

#include "press_counter.h"

#include <QAction>
#include <QMenu>
#include <QMouseEvent>
#include <QSignalSpy>

#include <gtest/gtest.h>

#include <cmath>
#include <functional>

using namespace quillet;
using namespace quillet::test;

namespace {

int opacityOf(FrmMain& w) {
    return static_cast<int>(std::lround(w.windowOpacity() * 255));
}

// Puts the window's outer rectangle (frame included) exactly at `frame`.
void placeFrame(FrmMain& w, const QRect& frame) {
    const QRect inner = w.geometry();
    const QRect outer = w.frameGeometry();
    const QMargins strut(inner.left() - outer.left(), inner.top() - outer.top(),
                         outer.right() - inner.right(), outer.bottom() - inner.bottom());
    w.setGeometry(frame.marginsRemoved(strut));
    ASSERT_EQ(w.frameGeometry(), frame);
}

// Default placement on the scripted 1280x1024 screen: 700x570 pixels at (290, 227).
const QRect DefaultFrame(290, 227, 700, 570);

// A press of `button` on the editor where the user clicks: on its viewport.
void pressOnEditor(FrmMain& w, Qt::MouseButton button) {
    QWidget* viewport = w.textBlock()->viewport();
    const QPointF at(12, 7);
    QMouseEvent press(QEvent::MouseButtonPress, at, viewport->mapToGlobal(at), button, button,
                      Qt::NoModifier);
    QCoreApplication::sendEvent(viewport, &press);
    QMouseEvent release(QEvent::MouseButtonRelease, at, viewport->mapToGlobal(at), button,
                        Qt::NoButton, Qt::NoModifier);
    QCoreApplication::sendEvent(viewport, &release);
}

} // namespace

// ---- Rules ---------------------------------------------------------------------

TEST(CursorRule, InsideIsMoreOpaqueAndTheOutermostPixelsCountAsOutside) {
    // A window of 700x570 pixels at (100, 50): pixels 100..799 across, 50..619 down.
    const QRect window(100, 50, 700, 570);
    struct Case {
        int x, y;
        int opacity;
    };
    const Case cases[] = {
        {400, 300, 192},                                                    // the middle
        {101, 51, 192},  {798, 618, 192}, {101, 618, 192}, {798, 51, 192},  // just inside
        {100, 300, 128}, {799, 300, 128}, {400, 50, 128},  {400, 619, 128}, // outermost
        {99, 300, 128},  {800, 300, 128}, {400, 49, 128},  {400, 620, 128}, // beyond
        {100, 50, 128},  {799, 619, 128}, {0, 0, 128},     {-5, 300, 128},  {5000, 4000, 128},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(::testing::Message() << c.x << "," << c.y);
        EXPECT_EQ(opacityFor(QPoint(c.x, c.y), window), c.opacity);
    }
    // A window partly off the screen's left and top.
    const QRect offScreen(-200, -100, 400, 300);
    EXPECT_EQ(opacityFor(QPoint(0, 0), offScreen), 192);
    EXPECT_EQ(opacityFor(QPoint(-200, 0), offScreen), 128);
    EXPECT_EQ(opacityFor(QPoint(-199, -99), offScreen), 192);
    EXPECT_EQ(opacityFor(QPoint(199, 0), offScreen), 128);
}

TEST(PlacementRule, OnlyTheCentredDefaultSizeMatches) {
    struct Case {
        const char* name;
        QRect window; // twips
        QSize screen; // twips
        bool matches;
    };
    const Case cases[] = {
        {"1280x1024 centred", {4350, 3405, 10500, 8550}, {19200, 15360}, true},
        {"left off by a pixel", {4365, 3405, 10500, 8550}, {19200, 15360}, false},
        {"top off by a pixel", {4350, 3390, 10500, 8550}, {19200, 15360}, false},
        {"a pixel wider", {4350, 3405, 10515, 8550}, {19200, 15360}, false},
        {"a pixel lower", {4350, 3405, 10500, 8535}, {19200, 15360}, false},
        {"swapped position", {3405, 4350, 10500, 8550}, {19200, 15360}, false},
        {"1366x768 centred", {4995, 1485, 10500, 8550}, {20490, 11520}, true},
        // Whole-number halves: 20475 \ 2 = 10237, 10237 - 5250 = 4987.
        {"odd screen width", {4987, 1485, 10500, 8550}, {20475, 11520}, true},
        {"odd screen width, rounded up", {4988, 1485, 10500, 8550}, {20475, 11520}, false},
        // A screen smaller than the window: the window starts left of and above it.
        {"small screen", {-1650, -1875, 10500, 8550}, {7200, 4800}, true},
        {"right place, other size", {4350, 3405, 10500, 8550}, {19215, 15360}, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(isDefaultPlacement(c.window, c.screen), c.matches);
    }
}

TEST(ProductRule, OldSystemsDoNotOfferTransparency) {
    struct Case {
        const char* name;
        bool offered;
    };
    const Case cases[] = {
        {"Microsoft Windows 95", false},
        {"Microsoft Windows 98", false},
        {"Microsoft Windows ME", false},
        {"Microsoft Windows Me", false},
        {"Microsoft Windows NT", false},
        {"windows nt", false},
        {"98", false},
        {"Microsoft Windows 2000", true},
        {"Microsoft Windows XP", true},
        {"Microsoft Windows 98 ", true}, // only the last two characters count
        {"Debian GNU/Linux 12 (bookworm)", true},
        {"Windows 95 OSR2", true},
        {"T", true},
        {"", true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(transparencyOffered(QString::fromUtf8(c.name)), c.offered);
    }
}

// ---- Opacity ------------------------------------------------------------------------

TEST(Transparency, ApplyFollowsTheMark) {
    struct Case {
        bool transparent;
        int asked;
        int expected;
    };
    const Case cases[] = {{true, 128, 128},  {true, 192, 192},  {true, 0, 0},
                          {false, 128, 255}, {false, 192, 255}, {true, 255, 255}};
    Harness h;
    h.load();
    for (const Case& c : cases) {
        SCOPED_TRACE(::testing::Message() << c.transparent << " " << c.asked);
        h->options().Transparent = c.transparent;
        h->ShowOptionsInMenus();
        h->transparency().ApplyTransparency(c.asked);
        EXPECT_EQ(opacityOf(*h.window), c.expected);
    }
}

TEST(Transparency, AnOpacityOutsideAByteIsRecordedAndChangesNothing) {
    for (int asked : {256, -1, 1000}) {
        SCOPED_TRACE(asked);
        Harness h;
        h.load();
        h->options().Transparent = true;
        h->ShowOptionsInMenus();
        h->transparency().ApplyTransparency(128);
        h->transparency().ApplyTransparency(asked);
        EXPECT_EQ(opacityOf(*h.window), 128);
        const QString report = errorReport(h);
        EXPECT_TRUE(report.contains(QStringLiteral("Error Number=6"))) << report.toStdString();
        EXPECT_TRUE(report.contains(QStringLiteral("FrmMain")));
    }
}

TEST(Transparency, SwitchingOnGivesHalfOpacityAndOffMakesOpaque) {
    Harness h;
    h.load();
    h->options().GetMouse = true;
    h->ShowOptionsInMenus();
    h->options().UserChangeOptions = false;

    h->mnuTransparent_Click();
    EXPECT_TRUE(h->menus().mnuTransparent->isChecked());
    EXPECT_TRUE(h->options().UserChangeOptions);
    EXPECT_EQ(opacityOf(*h.window), 128);
    EXPECT_TRUE(h->menus().mnuTransSettings->menuAction()->isEnabled());

    h->mnuTransparent_Click();
    EXPECT_FALSE(h->menus().mnuTransparent->isChecked());
    EXPECT_EQ(opacityOf(*h.window), 255);
    EXPECT_FALSE(h->menus().mnuTransSettings->menuAction()->isEnabled());
    EXPECT_TRUE(h->menus().mnuGetMouse->isChecked()); // its mark stays as it was
}

TEST(Transparency, AWindowSystemWithoutItSaysSoOnceARunAndKeepsTheMark) {
    for (const char* system : {"wayland", "wayland-egl", "xcb"}) {
        Harness h;
        h.platform.windowSystemName = QString::fromLatin1(system);
        h.load();
        const bool unavailable = QByteArray(system).startsWith("wayland");
        if (unavailable)
            h.platform.answerMessage(answer::Ok);
        for (int i = 0; i < 3; ++i) // on, off, on
            h->mnuTransparent_Click();
        EXPECT_TRUE(h->options().Transparent) << system;
        const auto messages = h.platform.messages();
        ASSERT_EQ(messages.size(), unavailable ? 1u : 0u) << system;
        if (unavailable) {
            const auto& m = messages.front();
            EXPECT_EQ(m.text,
                      QStringLiteral("Оконная система не позволяет сделать окно полупрозрачным."));
            EXPECT_EQ(m.title, QStringLiteral("Квиллет"));
            EXPECT_EQ(m.icon, MsgIcon::Information);
        }
    }
}

TEST(Transparency, FollowingOffLeavesHalfOpacity) {
    Harness h;
    h.load();
    h->options().Transparent = true;
    h->ShowOptionsInMenus();
    h->options().GetMouse = true;
    h->ShowOptionsInMenus();
    h->options().UserChangeOptions = false;
    h->mnuGetMouse_Click();
    EXPECT_FALSE(h->menus().mnuGetMouse->isChecked());
    EXPECT_TRUE(h->options().UserChangeOptions);
    EXPECT_EQ(opacityOf(*h.window), 128);
}

TEST(Transparency, FollowingTracksThePointer) {
    Harness h;
    h.load();
    placeFrame(*h.window, QRect(100, 50, 700, 570));
    h->options().Transparent = true;
    h->ShowOptionsInMenus();
    h->options().GetMouse = true;
    h->ShowOptionsInMenus();
    h->transparency().ApplyTransparency(128);
    struct Step {
        QPoint cursor;
        int opacity;
    };
    const Step steps[] = {
        {{10, 10}, 128},   {{400, 300}, 192}, {{400, 300}, 192}, {{100, 300}, 128},
        {{101, 300}, 192}, {{400, 50}, 128},  {{799, 300}, 128}, {{798, 618}, 192},
        {{400, 619}, 128}, {{900, 900}, 128},
    };
    for (const Step& s : steps) {
        SCOPED_TRACE(::testing::Message() << s.cursor.x() << "," << s.cursor.y());
        h.platform.cursor = s.cursor;
        h->transparency().FollowCursor();
        EXPECT_EQ(opacityOf(*h.window), s.opacity);
    }
}

TEST(Transparency, FollowingDoesNothingUnlessBothMarksAreOn) {
    struct Case {
        bool transparent, following;
        int expected;
    };
    const Case cases[] = {{true, false, 128}, {false, true, 255}, {false, false, 255}};
    for (const Case& c : cases) {
        SCOPED_TRACE(::testing::Message() << c.transparent << c.following);
        Harness h;
        h.load();
        placeFrame(*h.window, DefaultFrame);
        h->options().Transparent = c.transparent;
        h->ShowOptionsInMenus();
        h->transparency().ApplyTransparency(128);
        h->options().GetMouse = c.following;
        h->ShowOptionsInMenus();
        h.platform.cursor = DefaultFrame.center();
        h->transparency().FollowCursor();
        EXPECT_EQ(opacityOf(*h.window), c.expected);
        h->TMR1_Timer();
        EXPECT_EQ(opacityOf(*h.window), c.expected);
    }
}

TEST(Transparency, TimerTickFollowsThePointer) {
    Harness h;
    h.load();
    placeFrame(*h.window, DefaultFrame);
    h->options().Transparent = true;
    h->ShowOptionsInMenus();
    h->options().GetMouse = true;
    h->ShowOptionsInMenus();
    h.platform.cursor = DefaultFrame.center();
    h->TMR1_Timer();
    EXPECT_EQ(opacityOf(*h.window), 192);
    h.platform.cursor = DefaultFrame.topLeft();
    h->TMR1_Timer();
    EXPECT_EQ(opacityOf(*h.window), 128);
}

// ---- The View menu opening ------------------------------------------------------------

TEST(ViewMenu, RestoreWindowIsOfferedExceptAtTheDefaultPlacement) {
    struct Case {
        const char* name;
        QRect frame;
        bool enabled;
    };
    const Case cases[] = {
        {"default", DefaultFrame, false},
        {"a pixel right", DefaultFrame.translated(1, 0), true},
        {"a pixel left", DefaultFrame.translated(-1, 0), true},
        {"a pixel down", DefaultFrame.translated(0, 1), true},
        {"a pixel wider", DefaultFrame.adjusted(0, 0, 1, 0), true},
        {"a pixel taller", DefaultFrame.adjusted(0, 0, 0, 1), true},
        {"elsewhere", QRect(0, 0, 800, 600), true},
    };
    Harness h;
    h.load();
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        placeFrame(*h.window, c.frame);
        h->menus().mnuWind->setEnabled(!c.enabled);
        h->mnuView_Click();
        EXPECT_EQ(h->menus().mnuWind->isEnabled(), c.enabled);
    }
}

TEST(ViewMenu, RestoreWindowFollowsTheScreenSize) {
    Harness h;
    h.platform.screen = QRect(0, 0, 1366, 768);
    h.load();
    placeFrame(*h.window, QRect(333, 99, 700, 570));
    h->mnuView_Click();
    EXPECT_FALSE(h->menus().mnuWind->isEnabled());
    placeFrame(*h.window, DefaultFrame);
    h->mnuView_Click();
    EXPECT_TRUE(h->menus().mnuWind->isEnabled());
}

TEST(ViewMenu, MaximizedWindowLeavesRestoreWindowAsItWas) {
    for (bool before : {true, false}) {
        SCOPED_TRACE(before);
        Harness h;
        h.load();
        placeFrame(*h.window, before ? DefaultFrame : QRect(0, 0, 800, 600));
        h->setWindowState(Qt::WindowMaximized);
        h->menus().mnuWind->setEnabled(before);
        h->mnuView_Click();
        EXPECT_EQ(h->menus().mnuWind->isEnabled(), before);
    }
}

TEST(ViewMenu, TooltipChoicesNeedTheToolbar) {
    Harness h;
    h.load();
    for (bool toolbar : {false, true, false}) {
        SCOPED_TRACE(toolbar);
        h->options().ToolBar = toolbar;
        h->ShowOptionsInMenus();
        h->mnuView_Click();
        EXPECT_EQ(h->menus().mnuToolSettings->menuAction()->isEnabled(), toolbar);
    }
}

TEST(ViewMenu, TransparencyIsWithdrawnOnOldSystemsAtEveryOpening) {
    struct Case {
        const char* product;
        bool enabled;
    };
    const Case cases[] = {{"Microsoft Windows 98", false},
                          {"Debian GNU/Linux 12 (bookworm)", true},
                          {"Microsoft Windows NT", false},
                          {"", true},
                          {"Microsoft Windows me", false}};
    Harness h;
    h.load();
    for (const Case& c : cases) {
        SCOPED_TRACE(c.product);
        h.platform.product = QString::fromUtf8(c.product);
        h->mnuView_Click();
        EXPECT_EQ(h->menus().mnuTransparent->isEnabled(), c.enabled);
    }
}

// ---- The editor's hook ---------------------------------------------------------------

TEST(EditHook, MiddlePressReachesTheWindowAndTheEditor) {
    struct Case {
        const char* name;
        std::function<void(FrmMain&)> prepare; // after loading, which installs the hook
        int forwarded;
    };
    const Case cases[] = {
        {"installed at loading", [](FrmMain&) {}, 1},
        {"installed twice more",
         [](FrmMain& w) {
             w.transparency().HookEditControl();
             w.transparency().HookEditControl();
         },
         1},
        {"removed", [](FrmMain& w) { w.transparency().UnhookEditControl(); }, 0},
        {"removed twice",
         [](FrmMain& w) {
             w.transparency().UnhookEditControl();
             w.transparency().UnhookEditControl();
         },
         0},
        {"removed, then installed",
         [](FrmMain& w) {
             w.transparency().UnhookEditControl();
             w.transparency().HookEditControl();
         },
         1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Harness h;
        h.load();
        // The program's own middle-button menu passes a press on too: keep it out.
        h->options().StandardMenu = true;
        h->ShowOptionsInMenus();
        c.prepare(*h.window);
        PressCounter presses(h.window.get());
        QSignalSpy editorDown(h->textBlock(), &TextBlock::mouseDown);

        pressOnEditor(*h.window, Qt::MiddleButton);

        EXPECT_EQ(presses.middle, c.forwarded);
        ASSERT_EQ(editorDown.count(), 1);
        EXPECT_EQ(editorDown.at(0).at(0).toInt(), 4);
    }
}

TEST(EditHook, OnlyTheMiddleButtonIsPassedOn) {
    Harness h;
    h.load();
    h->options().StandardMenu = true;
    h->ShowOptionsInMenus();
    PressCounter presses(h.window.get());
    pressOnEditor(*h.window, Qt::LeftButton);
    pressOnEditor(*h.window, Qt::RightButton);
    EXPECT_EQ(presses.middle + presses.right + presses.other, 0);
}

TEST(EditHook, ProgramsMiddleMenuAndHookBothTellTheWindow) {
    Harness h;
    h.load();
    PressCounter presses(h.window.get());
    pressOnEditor(*h.window, Qt::MiddleButton);
    EXPECT_EQ(presses.middle, 2);
    EXPECT_TRUE(h->menus().mnuPopUp2->isVisible());
    h->menus().mnuPopUp2->close();
}

TEST(EditHook, ClosingTheWindowRemovesTheHook) {
    Harness h;
    h.load();
    ASSERT_TRUE(h->transparency().editHook() != nullptr &&
                h->transparency().editHook()->installed());
    ASSERT_TRUE(h.close());
    EXPECT_FALSE(h->transparency().editHook()->installed());
}

// Both "Дополнительно" submenus of the View menu are switched as a whole: the
// submenu and its entry in the View menu agree, whichever of them is asked.
TEST(ViewMenu, BothSubmenusAreSwitchedWithTheirEntry) {
    Harness h;
    h.load();
    struct Step {
        bool transparent;
        bool toolbar;
    };
    const Step steps[] = {{false, false}, {true, true}, {false, true}, {true, false}};
    for (const Step& step : steps) {
        SCOPED_TRACE(testing::Message() << step.transparent << step.toolbar);
        h->options().Transparent = step.transparent;
        h->ShowOptionsInMenus();
        h->options().ToolBar = step.toolbar;
        h->ShowOptionsInMenus();
        h->ArrangeWindow();
        h->mnuView_Click();
        EXPECT_EQ(h->menus().mnuTransSettings->isEnabled(), step.transparent);
        EXPECT_EQ(h->menus().mnuTransSettings->menuAction()->isEnabled(), step.transparent);
        EXPECT_EQ(h->menus().mnuToolSettings->isEnabled(), step.toolbar);
        EXPECT_EQ(h->menus().mnuToolSettings->menuAction()->isEnabled(), step.toolbar);
    }
}
