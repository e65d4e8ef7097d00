// The Format menu's handlers on the main window: the font dialog offered with the
// editor's font and what its answer changes (the font, the text colour, the
// quick styles' check marks, the changed settings), the quick styles, the
// background colour, and the alignment reaching the editor and the alignment
// buttons' pictures. What a choice makes of a font and which picture each button
// shows are tested in the format folder, the editor's side in the editing one.

#include "format/format_rules.h"
#include "support/harness.h"
#include "view/edit_hook.h"

#include <QAction>
#include <QApplication>

#include <gtest/gtest.h>

#include <ostream>

namespace quillet::test {
namespace {

struct Checks {
    bool bold, italic, underline;
    bool operator==(const Checks&) const = default;
};

Checks checksOf(FrmMain& w) {
    return {w.menus().mnuBold->isChecked(), w.menus().mnuItal->isChecked(),
            w.menus().mnuLine->isChecked()};
}

// ---- The font ---------------------------------------------------------------------

TEST(FontCommand, ChosenFontAndColourApplyToTheWholeEditor) {
    const QColor navy(0x00, 0x00, 0x80);
    const QColor red(0xFF, 0x00, 0x00);
    // clang-format off
    const FontChoice answers[] = {
        FontChoice{QStringLiteral("DejaVu Sans"), 12, true, false, false, false, navy},
        FontChoice{QStringLiteral("DejaVu Serif"), 8.25, false, true, true, true, red},
        FontChoice{QStringLiteral("DejaVu Sans Mono"), 20, true, true, true, false, Qt::black},
        FontChoice{QStringLiteral("MS Sans Serif"), 9.75, false, false, false, false, navy},
    };
    // clang-format on
    for (const FontChoice& answer : answers) {
        SCOPED_TRACE(answer.name.toStdString());
        Harness h;
        FrmMain& w = h.load();
        w.options().Bold = !answer.bold;
        w.options().Italic = !answer.italic;
        w.options().Underline = !answer.underline;
        w.ShowOptionsInMenus();
        w.options().UserChangeOptions = false;
        h.platform.answerFont(answer);
        w.mnuFont_Click();

        const QFont f = w.textBlock()->chosenFont();
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

TEST(FontCommand, OffersTheEditorsCurrentFont) {
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
    const FontChoice offered{QStringLiteral("DejaVu Serif"), 14.5, false, true, false, true,
                             QColor(0x12, 0x34, 0x56)};
    EXPECT_EQ(*h.platform.lastFontOffered, offered);
}

TEST(FontCommand, TheDesignFontIsKeptByItsNameThroughTheMenus) {
    // The window starts with "MS Sans Serif", which this system lacks: the editor
    // shows the interface face, and the menus and the dialog keep the name.
    Harness h;
    FrmMain& w = h.load();
    EXPECT_EQ(w.textBlock()->chosenFont().family(), QStringLiteral("MS Sans Serif"));
    EXPECT_EQ(w.textBlock()->shownFont().family(), QApplication::font().family());

    w.menus().mnuBold->trigger();
    EXPECT_TRUE(w.textBlock()->shownFont().bold());
    EXPECT_EQ(w.textBlock()->shownFont().family(), QApplication::font().family());
    h.platform.answerFont(std::nullopt);
    w.mnuFont_Click();
    ASSERT_TRUE(h.platform.lastFontOffered.has_value());
    EXPECT_EQ(h.platform.lastFontOffered->name, QStringLiteral("MS Sans Serif"));
}

TEST(FontCommand, CancelChangesNothing) {
    Harness h;
    FrmMain& w = h.load();
    w.options().Bold = true;
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

TEST(FontCommand, ContextItemOpensTheSameDialog) {
    Harness h;
    FrmMain& w = h.load();
    h.platform.answerFont(
        FontChoice{QStringLiteral("DejaVu Sans"), 11, true, false, false, false, Qt::darkGreen});
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
        FontChoice{QStringLiteral("DejaVu Sans"), 12, true, false, false, false, Qt::black});
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

// ---- The background colour ------------------------------------------------------

TEST(ColourCommand, CancellingTheDialogKeepsTheBackground) {
    Harness h;
    FrmMain& w = h.load();
    const QColor before(0x20, 0x40, 0x60);
    w.textBlock()->setBackColor(before);
    w.options().UserChangeOptions = false;
    h.platform.answerColor(std::nullopt);

    w.mnuColor_Click();

    ASSERT_TRUE(h.platform.lastColorOffered.has_value());
    EXPECT_EQ(*h.platform.lastColorOffered, before);
    EXPECT_EQ(w.textBlock()->backColor(), before);
    EXPECT_FALSE(w.options().UserChangeOptions);
}

TEST(ColourCommand, TheChosenColourBecomesTheBackgroundAndIsOfferedNextTime) {
    Harness h;
    FrmMain& w = h.load();
    w.options().UserChangeOptions = false;
    const QColor chosen(0xC0, 0xFF, 0xEE);
    h.platform.answerColor(chosen);
    w.mnuColor_Click();
    EXPECT_EQ(w.textBlock()->backColor(), chosen);
    EXPECT_TRUE(w.options().UserChangeOptions);

    // A colour with transparency from the dialog still gives a solid background.
    h.platform.answerColor(QColor(10, 20, 30, 40));
    w.mnuColor_Click();
    EXPECT_EQ(*h.platform.lastColorOffered, chosen);
    EXPECT_EQ(w.textBlock()->backColor(), QColor(10, 20, 30));
}

TEST(ColourCommand, DefaultColourIsAlwaysWhite) {
    Harness h;
    FrmMain& w = h.load();
    const QColor previous[] = {QColor(Qt::white), QColor(Qt::black), QColor(0x12, 0x34, 0x56),
                               QColor(255, 255, 254)};
    for (const QColor& before : previous) {
        SCOPED_TRACE(before.name().toStdString());
        w.textBlock()->setBackColor(before);
        w.options().UserChangeOptions = false;
        w.MnuDefColor_Click();
        EXPECT_EQ(w.textBlock()->backColor(), QColor(255, 255, 255));
        EXPECT_TRUE(w.options().UserChangeOptions);
    }
    EXPECT_FALSE(h.platform.lastColorOffered.has_value()); // no dialog was shown
}

// ---- The alignment ---------------------------------------------------------------

struct Pictures {
    int left, centre, right;
    bool operator==(const Pictures&) const = default;
};

std::ostream& operator<<(std::ostream& os, const Pictures& p) {
    return os << "{" << p.left << ", " << p.centre << ", " << p.right << "}";
}

// The picture each alignment button shows: the number it was given, and that its
// icon is that picture of the image list.
Pictures pictures(FrmMain& w) {
    auto of = [&](const char* key) {
        QAction* a = toolbarEntry(*w.toolbar(), QString::fromLatin1(key));
        if (!a)
            return -1;
        const int n = a->property("picture").toInt();
        const bool shown = n >= 1 && n <= w.toolbarImages().size() &&
                           a->icon().cacheKey() == w.toolbarImages().at(n - 1).cacheKey();
        return shown ? n : -1;
    };
    return {of("LeftBtn"), of("CenterBtn"), of("RightBtn")};
}

Pictures expectedPictures(int align) {
    const AlignmentPictures p = alignmentPictures(align);
    return {p.left, p.centre, p.right};
}

// An alignment code reaches the editor and the buttons' pictures and attaches the
// edit hook again; a code outside the three changes nothing.
TEST(AlignmentCommand, TheCodeReachesTheEditorTheButtonsAndTheHook) {
    struct Step {
        int code;
        int applied; // the editor's code afterwards
        bool hooked;
    };
    const Step steps[] = {{0, 0, true},  {2, 2, true},   {1, 1, true},    {2, 2, true},
                          {3, 2, false}, {-1, 2, false}, {100, 2, false}, {0, 0, true}};
    Harness h;
    FrmMain& w = h.load();
    w.textBlock()->setText(QStringLiteral("строка"));
    ASSERT_NE(w.transparency().editHook(), nullptr);
    for (const Step& s : steps) {
        SCOPED_TRACE(s.code);
        // Taken off first: only the alignment change can put it back.
        w.transparency().UnhookEditControl();
        ASSERT_FALSE(w.transparency().editHook()->installed());
        w.options().TextAlign = s.code;
        w.SetAlignment();
        EXPECT_EQ(w.textBlock()->alignmentCode(), s.applied);
        EXPECT_EQ(pictures(w), expectedPictures(s.applied));
        EXPECT_EQ(w.transparency().editHook()->installed(), s.hooked);
    }
}

TEST(AlignmentCommand, PressingTheActiveButtonAgainStillMarksTheSettingsChanged) {
    Harness h;
    FrmMain& w = h.load();
    w.textBlock()->setText(QStringLiteral("Короткая\r\nСтрока подлиннее"));
    w.Toolbar1_ButtonClick(QStringLiteral("RightBtn"));
    w.options().UserChangeOptions = false;
    const QString text = w.textBlock()->text();
    w.textBlock()->setSelection(3, 7);
    const bool changed = w.document().TextChange;

    w.Toolbar1_ButtonClick(QStringLiteral("RightBtn"));
    EXPECT_EQ(w.options().TextAlign, 1);
    EXPECT_TRUE(w.options().UserChangeOptions);
    EXPECT_EQ(w.textBlock()->alignmentCode(), 1);
    EXPECT_EQ(pictures(w), expectedPictures(1));
    EXPECT_EQ(w.textBlock()->text(), text);
    EXPECT_EQ(w.textBlock()->selStart(), 3);
    EXPECT_EQ(w.textBlock()->selLength(), 4);
    EXPECT_EQ(w.document().TextChange, changed);
}

TEST(AlignmentCommand, TheAlignmentChosenBeforeExitIsRestoredAtTheNextStart) {
    const std::pair<const char*, int> choices[] = {
        {"CenterBtn", 2}, {"RightBtn", 1}, {"LeftBtn", 0}};
    for (const auto& [key, align] : choices) {
        SCOPED_TRACE(key);
        Harness first;
        first.load();
        // A different alignment first, so the one chosen last is what must survive.
        first->Toolbar1_ButtonClick(
            QString::fromLatin1(QByteArray(key) == "RightBtn" ? "CenterBtn" : "RightBtn"));
        first->Toolbar1_ButtonClick(QString::fromLatin1(key));
        const int chosen = first->options().TextAlign;
        ASSERT_EQ(chosen, align);
        first.platform.answerMessage(answer::Yes); // keep the changed settings, if asked
        ASSERT_TRUE(first.close());

        Harness second;
        second.platform.store = first.platform.store;
        second.load();
        EXPECT_EQ(second->options().TextAlign, chosen);
        EXPECT_EQ(second->textBlock()->alignmentCode(), chosen);
        EXPECT_EQ(pictures(*second.window), expectedPictures(chosen));
    }
}

} // namespace
} // namespace quillet::test
