// A window restored from its stored placement lands on a screen that exists now.

#include "shell/layout.h"
#include "support/harness.h"

#include <gtest/gtest.h>

namespace quillet {
namespace {

TEST(PlaceOnScreen, MovedAndShrunkOnlyWhenOffTheScreens) {
    const QRect primary(0, 0, 1280, 1000);   // a panel takes the bottom 24 pixels
    const QRect second(1280, 0, 1920, 1080); // to the right of the primary
    const struct {
        const char* what;
        QRect window;
        QVector<QRect> areas;
        QRect expected;
    } cases[] = {
        {"inside", {100, 100, 700, 570}, {primary}, {100, 100, 700, 570}},
        {"touching every edge", {0, 0, 1280, 1000}, {primary}, {0, 0, 1280, 1000}},
        {"three quarters off to the right", {1100, 200, 700, 570}, {primary}, {580, 200, 700, 570}},
        {"above and left", {-300, -50, 700, 570}, {primary}, {0, 0, 700, 570}},
        {"over the panel", {100, 600, 700, 570}, {primary}, {100, 430, 700, 570}},
        {"larger than the screen", {-10, -10, 2600, 2000}, {primary}, {0, 0, 1280, 1000}},
        {"wider only", {200, 100, 1500, 570}, {primary}, {0, 100, 1280, 570}},
        {"wholly off every screen", {5000, 4000, 700, 570}, {primary}, {580, 430, 700, 570}},
        {"on the second screen", {1500, 100, 700, 570}, {primary, second}, {1500, 100, 700, 570}},
        {"across both, mostly the second",
         {1000, 100, 700, 570},
         {primary, second},
         {1280, 100, 700, 570}},
        {"across both, mostly the primary",
         {800, 100, 700, 570},
         {primary, second},
         {580, 100, 700, 570}},
        {"beyond the second", {3000, 100, 700, 570}, {primary, second}, {2500, 100, 700, 570}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(layout::placeOnScreen(c.window, c.areas), c.expected) << c.what;
}

// Stored outer placement in twips (15 per pixel).
struct Placement {
    int left, top, width, height;
};

TEST(RestoredWindow, LiesOnTheScreenAndItsStoreIsCorrectedOnlyWhenItHadToChange) {
    const struct {
        const char* what;
        Placement stored;
        Placement expected; // what the window has, and the store holds after closing
    } cases[] = {
        {"on the screen", {4350, 3405, 10500, 8550}, {4350, 3405, 10500, 8550}},
        {"an odd place on the screen", {15, 30, 9015, 7995}, {15, 30, 9015, 7995}},
        // 1280 x 1024 pixels = 19200 x 15360 twips.
        {"stored on a larger monitor", {15000, 9000, 10500, 8550}, {8700, 6810, 10500, 8550}},
        {"larger than this screen", {-1500, 0, 30000, 21000}, {0, 0, 19200, 15360}},
    };
    for (const auto& c : cases) {
        test::Harness h;
        test::seedOrdinarySettings(h.platform.store);
        auto store = [&](const char* key, int value) {
            h.platform.store.set(QStringLiteral("General"), QString::fromLatin1(key),
                                 QString::number(value));
        };
        store("FormLeft", c.stored.left);
        store("FormTop", c.stored.top);
        store("FormWidth", c.stored.width);
        store("FormHeight", c.stored.height);

        FrmMain& w = h.load();
        EXPECT_EQ(w.outer().Left(), c.expected.left) << c.what;
        EXPECT_EQ(w.outer().Top(), c.expected.top) << c.what;
        EXPECT_EQ(w.outer().Width(), c.expected.width) << c.what;
        EXPECT_EQ(w.outer().Height(), c.expected.height) << c.what;

        ASSERT_TRUE(h.close()) << c.what;
        auto stored = [&](const char* key) {
            return h.platform.store.value(QStringLiteral("General"), QString::fromLatin1(key))
                .toInt();
        };
        EXPECT_EQ(stored("FormLeft"), c.expected.left) << c.what;
        EXPECT_EQ(stored("FormTop"), c.expected.top) << c.what;
        EXPECT_EQ(stored("FormWidth"), c.expected.width) << c.what;
        EXPECT_EQ(stored("FormHeight"), c.expected.height) << c.what;
    }
}

TEST(DefaultPlacement, IsBroughtOntoASmallOrScaledScreenAtTheFirstRunAndByRestoreWindow) {
    const struct {
        const char* what;
        QRect screen;   // in logical pixels
        QRect expected; // the window's outer geometry after the About window
    } cases[] = {
        {"1280 x 1024 at scale 1.5: still fits, centred", {0, 0, 853, 682}, {76, 56, 700, 570}},
        {"1600 x 1000 at scale 2: as much as fits", {0, 0, 800, 500}, {50, 0, 700, 500}},
        {"a second screen's origin", {1280, 0, 640, 512}, {1280, 0, 640, 512}},
    };
    for (const auto& c : cases) {
        test::Harness h;
        h.seedSettings = false;
        h.platform.screen = c.screen;
        h.platform.answerDialog([](QDialog&) { return 0; });
        FrmMain& w = h.load();
        EXPECT_EQ(w.frameGeometry(), c.expected) << c.what;
        // "Восстановить окно" gives the same placement from anywhere.
        w.move(c.screen.topLeft() + QPoint(300, 200));
        w.mnuWind_Click();
        EXPECT_EQ(w.frameGeometry(), c.expected) << c.what;
    }
}

} // namespace
} // namespace quillet
