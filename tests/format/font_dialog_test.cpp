// The font dialog the Format menu opens: it hands back what it was offered when
// nothing is touched, what was picked (colour included), and closes with its
// Russian buttons.

#include "platform/font_dialog.h"

#include <QFontDialog>
#include <QPushButton>
#include <QSignalSpy>

#include <gtest/gtest.h>

#include <functional>

namespace quillet {
namespace {

TEST(FontDialogWindow, ReturnsWhatItWasOfferedWhenNothingIsTouched) {
    const QColor teal(0x00, 0x80, 0x80);
    const FontChoice offers[] = {
        FontChoice{QStringLiteral("DejaVu Sans"), 12, true, false, true, false, teal},
        FontChoice{QStringLiteral("DejaVu Serif"), 9, false, true, false, true, Qt::black},
        // A font this system lacks and a fractional size survive untouched.
        FontChoice{QStringLiteral("MS Sans Serif"), 8.25, false, false, false, false, teal},
        FontChoice{QStringLiteral("MS Sans Serif"), 9.75, true, true, true, true, Qt::red},
        FontChoice{QStringLiteral("Sans Serif"), 10, true, false, false, false, Qt::black},
    };
    for (const FontChoice& offer : offers) {
        FontDialog dialog(offer);
        EXPECT_EQ(dialog.choice(), offer) << offer.name.toStdString();
    }
}

TEST(FontDialogWindow, PickedValuesAndColourComeBack) {
    FontDialog dialog(
        FontChoice{QStringLiteral("MS Sans Serif"), 8.25, false, false, false, false, Qt::black});
    QFont picked(QStringLiteral("DejaVu Serif"));
    picked.setPointSize(16);
    picked.setBold(true);
    picked.setUnderline(true);
    picked.setStrikeOut(true);
    dialog.picker()->setCurrentFont(picked);
    dialog.setColor(QColor(0xAA, 0x11, 0x22));
    dialog.setColor(QColor()); // not a colour: ignored

    const FontChoice got = dialog.choice();
    EXPECT_EQ(got.name, QStringLiteral("DejaVu Serif"));
    EXPECT_DOUBLE_EQ(got.pointSize, 16);
    EXPECT_TRUE(got.bold);
    EXPECT_FALSE(got.italic);
    EXPECT_TRUE(got.underline);
    EXPECT_TRUE(got.strikethrough);
    EXPECT_EQ(got.color, QColor(0xAA, 0x11, 0x22));
}

TEST(FontDialogWindow, RussianWindowWhoseButtonsCloseIt) {
    FontDialog dialog(
        FontChoice{QStringLiteral("DejaVu Sans"), 10, false, false, false, false, Qt::black});
    EXPECT_EQ(dialog.windowTitle(), QStringLiteral("Шрифт"));
    auto* ok = dialog.findChild<QPushButton*>(QStringLiteral("OkButton"));
    auto* cancel = dialog.findChild<QPushButton*>(QStringLiteral("CancelButton"));
    auto* colour = dialog.findChild<QPushButton*>(QStringLiteral("ColorButton"));
    ASSERT_TRUE(ok && cancel && colour);
    EXPECT_EQ(ok->text(), QStringLiteral("ОК"));
    EXPECT_EQ(cancel->text(), QStringLiteral("Отмена"));
    EXPECT_EQ(colour->text(), QStringLiteral("Цвет..."));

    struct Case {
        const char* name;
        std::function<void(FontDialog&)> act;
        int result;
    };
    const Case cases[] = {
        {"OK", [](FontDialog& d) { d.findChild<QPushButton*>("OkButton")->click(); },
         QDialog::Accepted},
        {"Cancel", [](FontDialog& d) { d.findChild<QPushButton*>("CancelButton")->click(); },
         QDialog::Rejected},
        // Escape inside the picker closes the picker: the window must close too.
        {"Escape in the picker", [](FontDialog& d) { d.picker()->reject(); }, QDialog::Rejected},
    };
    for (const Case& c : cases) {
        FontDialog d(
            FontChoice{QStringLiteral("DejaVu Sans"), 10, false, false, false, false, Qt::black});
        QSignalSpy finished(&d, &QDialog::finished);
        d.setResult(-1);
        c.act(d);
        EXPECT_EQ(finished.count(), 1) << c.name;
        EXPECT_EQ(d.result(), c.result) << c.name;
    }
}

} // namespace
} // namespace quillet
