#include "platform/font_dialog.h"
#include "support/harness.h"

#include <QAction>
#include <QApplication>
#include <QFontDatabase>
#include <QFontDialog>
#include <QPushButton>
#include <QSignalSpy>

#include <gtest/gtest.h>

namespace quillet {
namespace {

using test::Harness;

FontChoice choice(const QString& name, double size, bool bold, bool italic, bool underline,
                  bool strike, QColor color) {
    FontChoice c;
    c.name = name;
    c.pointSize = size;
    c.bold = bold;
    c.italic = italic;
    c.underline = underline;
    c.strikethrough = strike;
    c.color = color;
    return c;
}

struct Checks {
    bool bold, italic, underline;
    bool operator==(const Checks&) const = default;
};

Checks checksOf(FrmMain& w) {
    return {w.menus().mnuBold->isChecked(), w.menus().mnuItal->isChecked(),
            w.menus().mnuLine->isChecked()};
}

TEST(FontDialogCommand, ChosenFontAndColourApplyToTheWholeEditor) {
    const QColor navy(0x00, 0x00, 0x80);
    const QColor red(0xFF, 0x00, 0x00);
    // clang-format off
    const FontChoice answers[] = {
        choice(QStringLiteral("DejaVu Sans"), 12, true, false, false, false, navy),
        choice(QStringLiteral("DejaVu Serif"), 8.25, false, true, true, true, red),
        choice(QStringLiteral("DejaVu Sans Mono"), 20, true, true, true, false, Qt::black),
        choice(QStringLiteral("MS Sans Serif"), 9.75, false, false, false, false, navy),
    };
    // clang-format on
    for (const FontChoice& answer : answers) {
        Harness h;
        FrmMain& w = h.load();
        w.options().Bold = !answer.bold;
        w.ShowOptionsInMenus();
        w.options().Italic = !answer.italic;
        w.ShowOptionsInMenus();
        w.options().Underline = !answer.underline;
        w.ShowOptionsInMenus();
        w.options().UserChangeOptions = false;
        h.platform.answerFont(answer);
        w.mnuFont_Click();

        const QFont f = w.textBlock()->chosenFont();
        SCOPED_TRACE(answer.name.toStdString());
        EXPECT_EQ(f.family(), answer.name);
        EXPECT_DOUBLE_EQ(f.pointSizeF(), answer.pointSize);
        EXPECT_EQ(f.bold(), answer.bold);
        EXPECT_EQ(f.italic(), answer.italic);
        EXPECT_EQ(f.underline(), answer.underline);
        EXPECT_EQ(f.strikeOut(), answer.strikethrough);
        EXPECT_EQ(w.textBlock()->textColor(), answer.color);
        EXPECT_EQ(checksOf(w), (Checks{answer.bold, answer.italic, answer.underline}));
        EXPECT_TRUE(w.options().UserChangeOptions);
        EXPECT_EQ(w.fontChoice(), answer);
        EXPECT_EQ(w.textBlock()->fontCharSet(), 204) << "the character set is not the dialog's";
    }
}

TEST(FontDialogCommand, OffersTheEditorsCurrentFont) {
    Harness h;
    FrmMain& w = h.load();
    QFont f(QStringLiteral("DejaVu Serif"));
    f.setPointSizeF(14.5);
    f.setItalic(true);
    f.setStrikeOut(true);
    w.textBlock()->setChosenFont(f);
    w.textBlock()->setTextColor(QColor(0x12, 0x34, 0x56));
    h.platform.answerFont(std::nullopt);
    w.mnuFont_Click();
    ASSERT_TRUE(h.platform.lastFontOffered.has_value());
    EXPECT_EQ(*h.platform.lastFontOffered, choice(QStringLiteral("DejaVu Serif"), 14.5, false, true,
                                                  false, true, QColor(0x12, 0x34, 0x56)));
}

TEST(FontDialogCommand, TheDesignFontIsShownInTheInterfaceFaceButKeptByItsName) {
    // This system has no "MS Sans Serif": the editor shows the interface font
    // in its size and style, while the dialog, the settings and a reopened
    // dialog keep the name.
    ASSERT_FALSE(QFontDatabase::families().contains(QStringLiteral("MS Sans Serif")));
    Harness h;
    FrmMain& w = h.load();
    EXPECT_EQ(w.textBlock()->chosenFont().family(), QStringLiteral("MS Sans Serif"));
    EXPECT_EQ(w.textBlock()->font().family(), QApplication::font().family());
    EXPECT_DOUBLE_EQ(w.textBlock()->font().pointSizeF(), w.textBlock()->chosenFont().pointSizeF());

    // Bold from the menu: the face stays, the style follows.
    w.menus().mnuBold->trigger();
    EXPECT_TRUE(w.textBlock()->font().bold());
    EXPECT_EQ(w.textBlock()->font().family(), QApplication::font().family());
    EXPECT_EQ(w.textBlock()->chosenFont().family(), QStringLiteral("MS Sans Serif"));

    h.platform.answerFont(std::nullopt);
    w.mnuFont_Click();
    ASSERT_TRUE(h.platform.lastFontOffered.has_value());
    EXPECT_EQ(h.platform.lastFontOffered->name, QStringLiteral("MS Sans Serif"));

    // A font the system has is shown as itself.
    h.platform.answerFont(
        choice(QStringLiteral("DejaVu Serif"), 12, false, false, false, false, QColor(Qt::black)));
    w.mnuFont_Click();
    EXPECT_EQ(w.textBlock()->font().family(), QStringLiteral("DejaVu Serif"));
    EXPECT_EQ(w.textBlock()->chosenFont().family(), QStringLiteral("DejaVu Serif"));
}

TEST(FontDialogCommand, CancelChangesNothing) {
    Harness h;
    FrmMain& w = h.load();
    w.options().Bold = true;
    w.ShowOptionsInMenus();
    w.options().Underline = false;
    w.ShowOptionsInMenus();
    const QFont before = w.textBlock()->chosenFont();
    const QColor colourBefore = w.textBlock()->textColor();
    w.options().UserChangeOptions = false;
    h.platform.answerFont(std::nullopt);
    w.mnuFont_Click();
    EXPECT_EQ(w.textBlock()->chosenFont(), before);
    EXPECT_EQ(w.textBlock()->textColor(), colourBefore);
    EXPECT_EQ(checksOf(w), (Checks{true, false, false}));
    EXPECT_FALSE(w.options().UserChangeOptions);
    EXPECT_EQ(h.platform.unusedAnswers(), 0);
}

TEST(FontDialogCommand, ContextItemOpensTheSameDialog) {
    Harness h;
    FrmMain& w = h.load();
    h.platform.answerFont(
        choice(QStringLiteral("DejaVu Sans"), 11, true, false, false, false, Qt::darkGreen));
    w.menus().mnuF->trigger();
    EXPECT_TRUE(w.menus().mnuBold->isChecked());
    EXPECT_EQ(w.textBlock()->textColor(), QColor(Qt::darkGreen));
}

// The quick styles reach the font through the window's arrangement of itself.
TEST(QuickStyles, EachItemTogglesItsStyleForTheWholeText) {
    struct Case {
        QAction* MenuTree::*item;
        void (FrmMain::*handler)();
        bool (QFont::*style)() const;
    };
    const Case cases[] = {
        {&MenuTree::mnuBold, &FrmMain::mnuBold_Click, &QFont::bold},
        {&MenuTree::mnuItal, &FrmMain::mnuItal_Click, &QFont::italic},
        {&MenuTree::mnuLine, &FrmMain::mnuLine_Click, &QFont::underline},
    };
    for (const Case& c : cases) {
        Harness h;
        FrmMain& w = h.load();
        QAction* item = w.menus().*c.item;
        const bool before = item->isChecked();
        const QFont fontBefore = w.textBlock()->chosenFont();
        w.options().UserChangeOptions = false;
        (w.*c.handler)();
        EXPECT_EQ(item->isChecked(), !before) << item->objectName().toStdString();
        EXPECT_EQ((w.textBlock()->chosenFont().*c.style)(), !before)
            << item->objectName().toStdString();
        EXPECT_EQ(w.textBlock()->chosenFont().family(), fontBefore.family());
        EXPECT_TRUE(w.options().UserChangeOptions);
        (w.*c.handler)();
        EXPECT_EQ(item->isChecked(), before);
        EXPECT_EQ((w.textBlock()->chosenFont().*c.style)(), before)
            << item->objectName().toStdString();
    }
}

TEST(QuickStyles, UncheckingBoldAfterTheDialogMakesTheTextNonBold) {
    Harness h;
    FrmMain& w = h.load();
    h.platform.answerFont(
        choice(QStringLiteral("DejaVu Sans"), 12, true, false, false, false, Qt::black));
    w.mnuFont_Click();
    ASSERT_TRUE(w.menus().mnuBold->isChecked());
    ASSERT_TRUE(w.textBlock()->chosenFont().bold());
    w.menus().mnuBold->trigger(); // as a click: the check is inverted once
    EXPECT_FALSE(w.menus().mnuBold->isChecked());
    EXPECT_FALSE(w.textBlock()->chosenFont().bold());
}

TEST(CyrillicOption, TogglingLeavesTheFontAlone) {
    Harness h;
    FrmMain& w = h.load();
    const QFont before = w.textBlock()->chosenFont();
    const int charSet = w.textBlock()->fontCharSet();
    for (const bool start : {true, false}) {
        w.options().SetChars = start;
        w.ShowOptionsInMenus();
        w.options().UserChangeOptions = false;
        w.mnuSetChars_Click();
        EXPECT_EQ(w.menus().mnuSetChars->isChecked(), !start);
        EXPECT_TRUE(w.options().UserChangeOptions);
        EXPECT_EQ(w.textBlock()->chosenFont(), before);
        EXPECT_EQ(w.textBlock()->fontCharSet(), charSet);
    }
}

// ---- The dialog window itself ------------------------------------------------

TEST(FontDialogWindow, ReturnsWhatItWasOfferedWhenNothingIsTouched) {
    const QColor teal(0x00, 0x80, 0x80);
    const FontChoice offers[] = {
        choice(QStringLiteral("DejaVu Sans"), 12, true, false, true, false, teal),
        choice(QStringLiteral("DejaVu Serif"), 9, false, true, false, true, Qt::black),
        // A font this system lacks and a fractional size survive untouched.
        choice(QStringLiteral("MS Sans Serif"), 8.25, false, false, false, false, teal),
        choice(QStringLiteral("MS Sans Serif"), 9.75, true, true, true, true, Qt::red),
        choice(QStringLiteral("Sans Serif"), 10, true, false, false, false, Qt::black),
    };
    for (const FontChoice& offer : offers) {
        FontDialog dialog(offer);
        EXPECT_EQ(dialog.choice(), offer) << offer.name.toStdString();
    }
}

TEST(FontDialogWindow, PickedValuesAndColourComeBack) {
    FontDialog dialog(
        choice(QStringLiteral("MS Sans Serif"), 8.25, false, false, false, false, Qt::black));
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
        choice(QStringLiteral("DejaVu Sans"), 10, false, false, false, false, Qt::black));
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
            choice(QStringLiteral("DejaVu Sans"), 10, false, false, false, false, Qt::black));
        QSignalSpy finished(&d, &QDialog::finished);
        d.setResult(-1);
        c.act(d);
        EXPECT_EQ(finished.count(), 1) << c.name;
        EXPECT_EQ(d.result(), c.result) << c.name;
    }
}

} // namespace
} // namespace quillet
