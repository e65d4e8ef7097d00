// The main window and the About window carry the application's icon.

#include "diagnostics/frm_about.h"
#include "shell/application_icon.h"
#include "support/harness.h"

#include <gtest/gtest.h>

namespace quillet {
namespace {

TEST(ApplicationIcon, HasTheSizesLaunchersAskFor) {
    const QIcon icon = ApplicationIcon();
    ASSERT_FALSE(icon.isNull());
    for (int size : {16, 24, 32, 48, 64, 128, 256})
        EXPECT_EQ(icon.pixmap(QSize(size, size), 1.0).size(), QSize(size, size)) << size;
}

TEST(ApplicationIcon, MainAndAboutWindowsShowIt) {
    test::Harness h;
    FrmMain& w = h.load();
    const QImage icon = ApplicationIcon().pixmap(QSize(32, 32), 1.0).toImage();
    EXPECT_EQ(w.windowIcon().pixmap(QSize(32, 32), 1.0).toImage(), icon);
    QImage about;
    h.platform.answerDialog([&](QDialog& dialog) {
        about = dialog.windowIcon().pixmap(QSize(32, 32), 1.0).toImage();
        return 0;
    });
    w.mnuAbout_Click();
    EXPECT_FALSE(about.isNull());
    EXPECT_EQ(about, icon);
}

} // namespace
} // namespace quillet
