// The About command: the main window shows the About window modally over itself.
// What the About window shows is the diagnostics' own test.

#include "support/harness.h"

#include <QDialog>

#include <gtest/gtest.h>

namespace quillet::test {
namespace {

TEST(AboutCommand, ShowsTheAboutWindowOverTheMainWindow) {
    Harness h;
    h.load();
    QWidget* owner = nullptr;
    h.platform.answerDialog([&](QDialog& d) {
        owner = d.parentWidget();
        return QDialog::Accepted;
    });
    h->mnuAbout_Click();
    EXPECT_EQ(owner, h.window.get());
    ASSERT_EQ(h.platform.shown.size(), 1u);
    EXPECT_EQ(h.platform.shown[0].kind, QStringLiteral("dialog"));
    EXPECT_EQ(h.platform.shown[0].text, QStringLiteral("FrmAbout"));
    EXPECT_EQ(h.platform.unusedAnswers(), 0);
}

} // namespace
} // namespace quillet::test
