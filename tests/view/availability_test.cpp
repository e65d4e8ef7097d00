#include "support/harness.h"
#include "view/availability_rules.h"

#include <QAction>
#include <QClipboard>
#include <QGuiApplication>
#include <QImage>

#include <gtest/gtest.h>

namespace quillet {
namespace {

using test::Harness;

enum class Clip { Text, Picture, Nothing, EmptyText };

void putOnClipboard(Clip clip) {
    QClipboard* clipboard = QGuiApplication::clipboard();
    switch (clip) {
    case Clip::Text:
        clipboard->setText(QStringLiteral("вставка"));
        break;
    case Clip::Picture: {
        QImage picture(4, 4, QImage::Format_RGB32);
        picture.fill(Qt::red);
        clipboard->setImage(picture);
        break;
    }
    case Clip::Nothing:
        clipboard->clear();
        break;
    case Clip::EmptyText:
        clipboard->setText(QString());
        break;
    }
}

QString repeated(QChar c, int n) {
    return QString(n, c);
}

// The document of a case: its text, the selection, and whether the editor has
// something to undo (then the text was typed over a previous one).
struct Document {
    QString text;
    int selFrom = 0;
    int selTo = 0;
    bool undoable = false;
};

void setUp(FrmMain& w, const Document& d) {
    if (d.undoable) {
        w.textBlock()->setText(QStringLiteral("#"));
        w.textBlock()->setSelection(0, 1);
        w.textBlock()->replaceSelection(d.text);
    } else {
        w.textBlock()->setText(d.text);
    }
    w.textBlock()->setSelection(d.selFrom, d.selTo);
}

struct Expected {
    bool undo, selection, find, goTo, selectAll, paste;
};

struct Case {
    const char* name;
    Document doc;
    Clip clip;
    Expected want;
};

const QString abc = QStringLiteral("abc");
const QString lines = QStringLiteral("ab\r\ncd"); // six positions

// clang-format off
const Case cases[] = {
    {"empty document",                {QString(), 0, 0, false}, Clip::Text,      {false, false, false, false, false, true}},
    {"empty after deleting all",      {QString(), 0, 0, true},  Clip::Picture,   {true,  false, false, false, false, false}},
    {"caret only",                    {abc, 1, 1, false},       Clip::Nothing,   {false, false, true,  true,  true,  false}},
    {"all selected",                  {abc, 0, 3, false},       Clip::Text,      {false, true,  true,  true,  false, true}},
    {"all selected backwards",        {abc, 3, 0, true},        Clip::Text,      {true,  true,  true,  true,  false, true}},
    {"all but one selected",          {abc, 0, 2, false},       Clip::EmptyText, {false, true,  true,  true,  true,  false}},
    {"line break counts two: all",    {lines, 0, 6, false},     Clip::Text,      {false, true,  true,  true,  false, true}},
    {"line break counts two: all but one", {lines, 0, 5, false}, Clip::Text,     {false, true,  true,  true,  true,  true}},
    {"exactly 32000 characters",      {repeated('x', 32000), 0, 0, false}, Clip::Text, {false, false, true, true, true, true}},
    {"32001 characters",              {repeated('x', 32001), 0, 0, false}, Clip::Text, {false, false, false, true, true, true}},
    {"32000 with a line break",       {repeated('a', 15999) + QStringLiteral("\r\n") + repeated('b', 15999), 0, 0, false}, Clip::Picture, {false, false, true, true, true, false}},
    {"32001 with a line break",       {repeated('a', 16000) + QStringLiteral("\r\n") + repeated('b', 15999), 5, 7, true}, Clip::Text, {true, true, false, true, true, true}},
};
// clang-format on

struct Item {
    QAction* MenuTree::*action;
    bool Expected::*want;
};

// Each place's items and the rule each follows.
// clang-format off
const Item editMenu[] = {
    {&MenuTree::mnuUndo, &Expected::undo},
    {&MenuTree::mnuCaps, &Expected::selection}, {&MenuTree::mnuAllL, &Expected::selection},
    {&MenuTree::mnuCut, &Expected::selection},  {&MenuTree::mnuCopy, &Expected::selection},
    {&MenuTree::mnuDelete, &Expected::selection},
    {&MenuTree::mnuFind, &Expected::find}, {&MenuTree::mnuFindNext, &Expected::find},
    {&MenuTree::mnuRepl, &Expected::find},
    {&MenuTree::mnuGoTo, &Expected::goTo},
    {&MenuTree::mnuSelAll, &Expected::selectAll},
    {&MenuTree::mnuPaste, &Expected::paste},
};
const Item contextMenus[] = {
    {&MenuTree::mnuU, &Expected::undo},
    {&MenuTree::mnuAU, &Expected::selection}, {&MenuTree::mnuAL, &Expected::selection},
    {&MenuTree::mnuCt, &Expected::selection}, {&MenuTree::mnuCy, &Expected::selection},
    {&MenuTree::mnuD, &Expected::selection},
    {&MenuTree::mnuFD, &Expected::find}, {&MenuTree::mnuFDN, &Expected::find},
    {&MenuTree::mnuGT, &Expected::goTo},
    {&MenuTree::mnuSA, &Expected::selectAll},
    {&MenuTree::mnuP, &Expected::paste},
};
// clang-format on
struct Button {
    const char* key;
    bool Expected::*want;
};
const Button toolbar[] = {
    {"FindBtn", &Expected::find},     {"CopyAllBtn", &Expected::goTo},
    {"CutBtn", &Expected::selection}, {"CopyBtn", &Expected::selection},
    {"PasteBtn", &Expected::paste},
};

// Items no availability rule touches.
QAction* MenuTree::*const untouchedMenuItems[] = {&MenuTree::mnuTimeDate, &MenuTree::mnuPt,
                                                  &MenuTree::mnuF};
const char* const untouchedButtons[] = {"NewBtn",  "OpenBtn",   "SaveBtn", "PrintBtn",
                                        "LeftBtn", "CenterBtn", "RightBtn"};

QAction* button(FrmMain& w, const char* key) {
    return toolbarEntry(*w.toolbar(), QString::fromLatin1(key));
}

TEST(Availability, RuleTableInAllThreePlaces) {
    Harness h;
    FrmMain& w = h.load();
    int index = 0;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        setUp(w, c.doc);
        putOnClipboard(c.clip);
        // Every item starts from the opposite of what it should become, so an
        // item the procedures forget shows up; the untouched ones are parked in
        // a state they must keep.
        const bool parked = index++ % 2 == 0;
        for (const Item& i : editMenu)
            (w.menus().*i.action)->setEnabled(!(c.want.*i.want));
        for (const Item& i : contextMenus)
            (w.menus().*i.action)->setEnabled(!(c.want.*i.want));
        for (const Button& b : toolbar)
            button(w, b.key)->setEnabled(!(c.want.*b.want));
        for (auto item : untouchedMenuItems)
            (w.menus().*item)->setEnabled(parked);
        for (const char* key : untouchedButtons)
            button(w, key)->setEnabled(parked);

        // As the running program does: the tick refreshes the toolbar (and the
        // length flag), then the user opens a menu.
        w.UpdateToolbarButtons();
        w.mnuWork_Click();
        w.UpdatePopupMenu();

        EXPECT_EQ(w.searchMemory().UseFindRep, c.want.find || !c.want.goTo);
        for (const Item& i : editMenu)
            EXPECT_EQ((w.menus().*i.action)->isEnabled(), c.want.*i.want)
                << "Edit menu " << (w.menus().*i.action)->objectName().toStdString();
        for (const Item& i : contextMenus)
            EXPECT_EQ((w.menus().*i.action)->isEnabled(), c.want.*i.want)
                << "context menu " << (w.menus().*i.action)->objectName().toStdString();
        for (const Button& b : toolbar)
            EXPECT_EQ(button(w, b.key)->isEnabled(), c.want.*b.want) << b.key;
        for (auto item : untouchedMenuItems)
            EXPECT_EQ((w.menus().*item)->isEnabled(), parked)
                << (w.menus().*item)->objectName().toStdString();
        for (const char* key : untouchedButtons)
            EXPECT_EQ(button(w, key)->isEnabled(), parked) << key;
    }
}

TEST(Availability, EditMenuKeepsItsStateUntilOpenedAgain) {
    Harness h;
    FrmMain& w = h.load();
    w.textBlock()->setText(QString());
    w.UpdateToolbarButtons();
    w.mnuWork_Click();
    w.UpdatePopupMenu();
    ASSERT_FALSE(w.menus().mnuFind->isEnabled());
    ASSERT_FALSE(w.menus().mnuFD->isEnabled());
    ASSERT_FALSE(toolbarEntry(*w.toolbar(), QStringLiteral("FindBtn"))->isEnabled());

    w.textBlock()->setText(QStringLiteral("текст"));
    w.UpdateToolbarButtons();
    EXPECT_TRUE(toolbarEntry(*w.toolbar(), QStringLiteral("FindBtn"))->isEnabled());
    EXPECT_TRUE(toolbarEntry(*w.toolbar(), QStringLiteral("CopyAllBtn"))->isEnabled());
    EXPECT_FALSE(w.menus().mnuFind->isEnabled());
    EXPECT_FALSE(w.menus().mnuGoTo->isEnabled());
    EXPECT_FALSE(w.menus().mnuFD->isEnabled()) << "context menus refresh only when they open";

    w.mnuWork_Click();
    EXPECT_TRUE(w.menus().mnuFind->isEnabled());
    EXPECT_TRUE(w.menus().mnuGoTo->isEnabled());
}

TEST(Availability, MenusReadTheLengthFlagTheTickLastSet) {
    Harness h;
    FrmMain& w = h.load();
    w.textBlock()->setText(repeated('x', 32000));
    w.UpdateToolbarButtons();
    w.mnuWork_Click();
    ASSERT_TRUE(w.menus().mnuFind->isEnabled());

    w.textBlock()->setSelection(32000, 32000);
    w.textBlock()->replaceSelection(QStringLiteral("y"));
    w.mnuWork_Click();
    w.UpdatePopupMenu();
    EXPECT_TRUE(w.menus().mnuRepl->isEnabled()) << "no tick yet";
    EXPECT_TRUE(w.menus().mnuFDN->isEnabled()) << "no tick yet";

    w.UpdateToolbarButtons();
    EXPECT_FALSE(w.searchMemory().UseFindRep);
    EXPECT_FALSE(toolbarEntry(*w.toolbar(), QStringLiteral("FindBtn"))->isEnabled());
    w.mnuWork_Click();
    w.UpdatePopupMenu();
    EXPECT_FALSE(w.menus().mnuFind->isEnabled());
    EXPECT_FALSE(w.menus().mnuRepl->isEnabled());
    EXPECT_FALSE(w.menus().mnuFDN->isEnabled());
    EXPECT_TRUE(w.menus().mnuGoTo->isEnabled());
}

TEST(Availability, PasteFollowsTheClipboardWithinOneTick) {
    Harness h;
    FrmMain& w = h.load();
    const Clip sequence[] = {Clip::Text,    Clip::Picture, Clip::Text,
                             Clip::Nothing, Clip::Text,    Clip::EmptyText};
    for (const Clip clip : sequence) {
        putOnClipboard(clip);
        w.UpdateToolbarButtons();
        EXPECT_EQ(toolbarEntry(*w.toolbar(), QStringLiteral("PasteBtn"))->isEnabled(),
                  clip == Clip::Text)
            << static_cast<int>(clip);
    }
}

TEST(Availability, UnreadableClipboardIsReportedAndLeavesPasteAsItWas) {
    Harness h;
    FrmMain& w = h.load();
    int reads = 0;
    h.platform.clipboardReader = [&reads]() -> QString {
        ++reads;
        throw Failure(521, QStringLiteral("Can't open Clipboard"));
    };
    putOnClipboard(Clip::Text); // a change: the state is read again
    w.UpdateToolbarButtons();
    const int readsAfterChange = reads;
    EXPECT_GE(readsAfterChange, 3);
    EXPECT_EQ(readsAfterChange % 3, 0) << "each read is tried a bounded number of times";

    for (const bool before : {true, false}) {
        w.menus().mnuPaste->setEnabled(before);
        w.menus().mnuP->setEnabled(before);
        toolbarEntry(*w.toolbar(), QStringLiteral("PasteBtn"))->setEnabled(before);
        w.UpdateToolbarButtons();
        w.mnuWork_Click();
        w.UpdatePopupMenu();
        EXPECT_EQ(w.menus().mnuPaste->isEnabled(), before);
        EXPECT_EQ(w.menus().mnuP->isEnabled(), before);
        EXPECT_EQ(toolbarEntry(*w.toolbar(), QStringLiteral("PasteBtn"))->isEnabled(), before);
    }
    const QString report = test::errorReport(h);
    EXPECT_TRUE(report.contains(QStringLiteral("Error Number=521"))) << report.toStdString();
    EXPECT_TRUE(report.contains(QStringLiteral("Current Form=FrmMain"))) << report.toStdString();

    // The timer never retries: only the menus, which open at the user's request.
    const int readsBeforeTicks = reads;
    for (int i = 0; i < 5; ++i)
        w.UpdateToolbarButtons();
    EXPECT_EQ(reads, readsBeforeTicks);

    // Once the clipboard can be read again the menus pick it up when they open.
    h.platform.clipboardReader = [] { return QStringLiteral("текст"); };
    w.menus().mnuPaste->setEnabled(false);
    w.mnuWork_Click();
    EXPECT_TRUE(w.menus().mnuPaste->isEnabled());
}

TEST(Availability, TickDoesNotReadTheClipboard) {
    Harness h;
    FrmMain& w = h.load();
    int reads = 0;
    h.platform.clipboardReader = [&reads] {
        ++reads;
        return QStringLiteral("текст");
    };
    putOnClipboard(Clip::Text);
    w.UpdateToolbarButtons();
    const int afterChange = reads;
    for (int i = 0; i < 100; ++i)
        w.UpdateToolbarButtons();
    EXPECT_EQ(reads, afterChange);
    putOnClipboard(Clip::Picture);
    EXPECT_EQ(reads, afterChange + 1) << "one read per clipboard change";
}

TEST(AvailabilityRules, ReadWithRetries) {
    struct Case {
        int failures; // failing reads before one succeeds
        int attempts;
        std::optional<int> result;
        int reports;
    };
    const Case cases[] = {
        {0, 3, 42, 0},
        {1, 3, 42, 1},
        {2, 3, 42, 2},
        {3, 3, std::nullopt, 3},
        {10, 3, std::nullopt, 3},
        {0, 0, std::nullopt, 0},
    };
    for (const Case& c : cases) {
        int calls = 0;
        int reports = 0;
        const std::optional<int> got = readWithRetries<int>(
            c.attempts,
            [&]() -> int {
                if (calls++ < c.failures)
                    throw Failure(521, QStringLiteral("busy"));
                return 42;
            },
            [&](const Failure& f) {
                EXPECT_EQ(f.number(), 521);
                ++reports;
            });
        EXPECT_EQ(got, c.result) << c.failures << "/" << c.attempts;
        EXPECT_EQ(reports, c.reports) << c.failures << "/" << c.attempts;
    }
}

} // namespace
} // namespace quillet
