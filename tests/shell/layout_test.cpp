// The main window's layout: the usable size, the interface hidden below it with
// its one-time notice, the bars following their check marks, the display states
// and the default placement.

#include "shell/layout.h"
#include "support/harness.h"

#include <QAction>
#include <QApplication>
#include <QMenu>
#include <QMenuBar>
#include <QStatusBar>
#include <QToolBar>

#include <gtest/gtest.h>

namespace quillet::test {
namespace {

QString s(const char* text) {
    return QString::fromUtf8(text);
}

const QString notice =
    s("К сведению.") + CRLF +
    s("Текущее состояние окна недопустимо, потому все элементы интерфейса отключаются, а при "
      "выходе из программы установки окна не сохраняются.") +
    CRLF + s("Для включения элементов достаточно увеличить размер окна.") + CRLF +
    s("Если окно свёрнуто, то его надо восстановить.");

int noticesShown(const Harness& h) {
    int n = 0;
    for (const Shown& m : h.platform.messages()) {
        if (m.text == notice) {
            EXPECT_EQ(m.title, s("Квиллет"));
            EXPECT_EQ(m.icon, MsgIcon::Information);
            EXPECT_EQ(m.buttons, MsgButtons::Ok);
            ++n;
        }
    }
    return n;
}

// Loads and shows the window, as the program does after loading.
void showLoaded(Harness& h) {
    h.load();
    h->show();
    QApplication::processEvents();
}

void resizeOuter(Harness& h, std::int32_t width, std::int32_t height) {
    h->outer().SetSize(width, height);
    QApplication::processEvents();
}

bool interfaceShown(Harness& h) {
    return !h->textBlock()->isHidden() && !h->toolbar()->isHidden() && !h->statusBar()->isHidden();
}

bool interfaceHidden(Harness& h) {
    return h->textBlock()->isHidden() && h->toolbar()->isHidden() && h->statusBar()->isHidden();
}

TEST(LayoutRules, UsableFromTheMinimumSizeUp) {
    struct Case {
        bool minimised;
        std::int32_t width, height, limit;
        bool usable;
    };
    const Case cases[] = {
        {false, 5000, 4000, 5000, true},  {false, 4999, 4000, 5000, false},
        {false, 5000, 3999, 5000, false}, {true, 10500, 8550, 5000, false},
        {false, 10500, 8550, 5000, true}, {false, 0, 0, 0, false},
        {false, 5000, 4001, 5001, false},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(layout::isUsable(c.minimised, c.width, c.height, c.limit), c.usable)
            << c.minimised << " " << c.width << "x" << c.height << " limit " << c.limit;
    }
}

TEST(LayoutRules, CentringAndPixels) {
    EXPECT_EQ(layout::centredOffset(15360, 8550), 3405);
    EXPECT_EQ(layout::centredOffset(19200, 10500), 4350);
    EXPECT_EQ(layout::centredOffset(15, 7), 4); // each half truncated: 7 - 3
    EXPECT_EQ(layout::centredOffset(6000, 8550), -1275);
    EXPECT_EQ(layout::toPixels(4000), 267);
    EXPECT_EQ(layout::toPixels(3990), 266);
    EXPECT_EQ(layout::toPixels(7), 0);
    EXPECT_EQ(layout::toPixels(8), 1);
    EXPECT_EQ(layout::toPixels(-8), -1);
    EXPECT_EQ(layout::toPixels(2147483647), 143165576);
    EXPECT_EQ(layout::toPixels(22), 1);
    EXPECT_EQ(layout::toPixels(23), 2);
}

TEST(Layout, DefaultPlacementIsCentredOnTheScreen) {
    struct Case {
        int screenWidth, screenHeight;
        std::int32_t left, top;
    };
    const Case cases[] = {
        {1280, 1024, 4350, 3405},
        {1024, 768, 2430, 1485},
        {800, 600, 750, 225},
        {1920, 1080, 9150, 3825},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(::testing::Message() << c.screenWidth << "x" << c.screenHeight);
        Harness h;
        h.platform.screen = QRect(0, 0, c.screenWidth, c.screenHeight);
        h.load();
        h->outer().SetPosition(0, 0);
        h->outer().SetSize(6000, 5000);
        h->mnuWind_Click();
        EXPECT_EQ(h->outer().Width(), 10500);
        EXPECT_EQ(h->outer().Height(), 8550);
        EXPECT_EQ(h->outer().Left(), c.left);
        EXPECT_EQ(h->outer().Top(), c.top);
        // Shown, the outer size is still the frame's.
        h->show();
        QApplication::processEvents();
        h->outer().SetSize(6000, 5000);
        h->mnuWind_Click();
        QApplication::processEvents();
        EXPECT_EQ(h->outer().Width(), 10500);
        EXPECT_EQ(h->outer().Height(), 8550);
    }
}

TEST(Layout, TheMinimumSizeIsUsableAndBelowItTheInterfaceHides) {
    Harness h;
    showLoaded(h);
    const std::int32_t limit = h->widthLimit();
    ASSERT_EQ(limit % 15, 0);
    ASSERT_TRUE(interfaceShown(h));

    struct Step {
        std::int32_t width, height;
        bool usable;
    };
    // Heights are whole pixels: 4005 is the smallest usable, 3990 the largest not.
    const Step steps[] = {
        {limit, 4005, true},       {limit, 3990, false},     {limit, 4005, true},
        {limit - 15, 4005, false}, {limit + 15, 6000, true}, {limit, 3000, false},
        {10500, 8550, true},
    };
    for (const Step& st : steps) {
        SCOPED_TRACE(::testing::Message() << st.width << "x" << st.height);
        resizeOuter(h, st.width, st.height);
        ASSERT_EQ(h->outer().Width(), st.width);
        ASSERT_EQ(h->outer().Height(), st.height);
        EXPECT_EQ(interfaceShown(h), st.usable);
        EXPECT_EQ(interfaceHidden(h), !st.usable);
    }
    // The notice came once, the first time, and is remembered.
    EXPECT_EQ(noticesShown(h), 1);
    EXPECT_TRUE(h->options().ResizeCritical);
    ASSERT_TRUE(h.close());
    EXPECT_EQ(h.platform.store.value(s("General"), s("ResizeInfo")), s("True"));
}

TEST(Layout, NoticeAlreadyShownInAnEarlierRunIsNotShownAgain) {
    Harness h;
    seedOrdinarySettings(h.platform.store);
    h.platform.store.set(s("General"), s("ResizeInfo"), s("True"));
    showLoaded(h);
    resizeOuter(h, h->widthLimit(), 3000);
    EXPECT_TRUE(interfaceHidden(h));
    EXPECT_EQ(noticesShown(h), 0);
}

TEST(Layout, MinimisingHidesTheInterfaceAndRestoringBringsItBack) {
    Harness h;
    showLoaded(h);
    h->options().StatusBar = false;
    h->ShowOptionsInMenus();
    h->setWindowState(Qt::WindowMinimized);
    QApplication::processEvents();
    EXPECT_TRUE(interfaceHidden(h));
    EXPECT_EQ(noticesShown(h), 1);

    h->setWindowState(Qt::WindowNoState);
    QApplication::processEvents();
    EXPECT_FALSE(h->textBlock()->isHidden());
    EXPECT_FALSE(h->toolbar()->isHidden());
    EXPECT_TRUE(h->statusBar()->isHidden()); // as far as it is checked
    EXPECT_EQ(noticesShown(h), 1);
}

TEST(Layout, TheEditorFillsWhatTheBarsLeave) {
    struct Case {
        bool toolbar, status;
    };
    const Case cases[] = {{true, true}, {false, true}, {true, false}, {false, false}};
    for (const Case& c : cases) {
        SCOPED_TRACE(::testing::Message() << "toolbar " << c.toolbar << " status " << c.status);
        Harness h;
        showLoaded(h);
        h->options().ToolBar = c.toolbar;
        h->ShowOptionsInMenus();
        h->options().StatusBar = c.status;
        h->ShowOptionsInMenus();
        h->ArrangeWindow();
        EXPECT_EQ(h->toolbar()->isHidden(), !c.toolbar);
        EXPECT_EQ(h->statusBar()->isHidden(), !c.status);

        const QRect editor = h->textBlock()->geometry();
        const int top = c.toolbar ? h->toolbar()->geometry().bottom() + 1
                                  : h->menuBar()->geometry().bottom() + 1;
        const int bottom = c.status ? h->statusBar()->geometry().top() - 1 : h->rect().bottom();
        EXPECT_EQ(editor.top(), top);
        EXPECT_EQ(editor.bottom(), bottom);
        EXPECT_EQ(editor.width(), h->width());
        if (c.toolbar) {
            EXPECT_GT(h->toolbar()->height(), 0);
        }
    }
}

TEST(Layout, DisplayStatesFollowTheirCheckMarks) {
    struct Case {
        bool limit, bold, italic, underline, transparent;
    };
    const Case cases[] = {
        {true, false, false, false, false},
        {false, true, false, true, true},
        {true, true, true, true, false},
        {false, false, true, false, true},
    };
    for (const Case& c : cases) {
        Harness h;
        h.load();
        h->options().LimType = c.limit;
        h->ShowOptionsInMenus();
        h->options().Bold = c.bold;
        h->ShowOptionsInMenus();
        h->options().Italic = c.italic;
        h->ShowOptionsInMenus();
        h->options().Underline = c.underline;
        h->ShowOptionsInMenus();
        h->options().Transparent = c.transparent;
        h->ShowOptionsInMenus();
        h->ArrangeWindow();
        EXPECT_EQ(h->options().LimType, c.limit);
        EXPECT_EQ(h->textBlock()->chosenFont().bold(), c.bold);
        EXPECT_EQ(h->textBlock()->chosenFont().italic(), c.italic);
        EXPECT_EQ(h->textBlock()->chosenFont().underline(), c.underline);
        EXPECT_EQ(h->menus().mnuTransSettings->menuAction()->isEnabled(), c.transparent);
        // The rest of the font is left alone.
        EXPECT_EQ(h->textBlock()->chosenFont().family(), s("MS Sans Serif"));
    }
}

TEST(Layout, MaximisingDisablesDefaultPlacement) {
    Harness h;
    showLoaded(h);
    EXPECT_TRUE(h->menus().mnuWind->isEnabled());
    h->setWindowState(Qt::WindowMaximized);
    QApplication::processEvents();
    EXPECT_FALSE(h->menus().mnuWind->isEnabled());
}

// A window closed in its normal size keeps that size from start to start, also
// when a start began maximised and the user restored the window.
TEST(Layout, TheNormalSizeDoesNotGrowOverStarts) {
    struct Case {
        const char* name;
        const char* storedState;
        bool restoreDuringTheRun; // un-maximise before closing
    };
    const Case cases[] = {
        {"normal starts", "0", false},
        {"maximised start, restored", "2", true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        MemoryStore store;
        seedOrdinarySettings(store);
        store.set(s("General"), s("FormWidth"), s("12000"));
        store.set(s("General"), s("FormHeight"), s("9000"));
        store.set(s("General"), s("FormLeft"), s("1500"));
        store.set(s("General"), s("FormTop"), s("1200"));
        for (int start = 1; start <= 3; ++start) {
            SCOPED_TRACE(start);
            store.set(s("General"), s("FormWindowState"), s(c.storedState));
            Harness h;
            h.platform.store = store;
            showLoaded(h);
            if (c.restoreDuringTheRun) {
                ASSERT_TRUE(h->isMaximized());
                h->setWindowState(Qt::WindowNoState);
                QApplication::processEvents();
            }
            ASSERT_TRUE(h.close());
            EXPECT_EQ(h.platform.store.value(s("General"), s("FormWindowState")), s("0"));
            EXPECT_EQ(h.platform.store.value(s("General"), s("FormWidth")), s("12000"));
            EXPECT_EQ(h.platform.store.value(s("General"), s("FormHeight")), s("9000"));
            store = h.platform.store;
        }
    }
}

TEST(Layout, FirstRunGetsTheDefaultPlacementAfterAbout) {
    Harness h;
    h.seedSettings = false;
    QRect placementDuringAbout;
    h.platform.answerDialog([&](QDialog&) {
        placementDuringAbout = h->frameGeometry();
        return 0;
    });
    h.load();
    EXPECT_EQ(placementDuringAbout, QRect(290, 227, 700, 570));
    EXPECT_FALSE(h->options().FirstLoading);
    // Later layouts do not open it again.
    h->ArrangeWindow();
    h->ArrangeWindow();
    EXPECT_EQ(h.platform.shown.size(), 1u);
}

} // namespace
} // namespace quillet::test
