#include "press_counter.h"
#include "support/harness.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QMenu>
#include <QMouseEvent>
#include <QStatusBar>
#include <QTest>
#include <QToolBar>
#include <QToolButton>

#include <gtest/gtest.h>

#include <functional>

using namespace quillet;
using namespace quillet::test;

namespace {

const QString Ready = QStringLiteral("Готово");

struct ButtonText {
    const char* key;
    const char* text;
};

// What the status bar says while each button is held down.
const ButtonText pressedTexts[] = {
    {"NewBtn", "Создание нового документа"},
    {"OpenBtn", "Открытие существующего документа"},
    {"SaveBtn", "Сохранение активного документа"},
    {"PrintBtn", "Печать активного документа"},
    {"CutBtn", "Удаление выделенного фрагмента в буфер обмена"},
    {"CopyBtn", "Копирование выделенного фрагмента в буфер обмена"},
    {"PasteBtn", "Вставка в документ содержимого буфера обмена"},
    {"FindBtn", "Поиск указанного образца текста"},
    {"CopyAllBtn", "Копирование всего документа в буфер обмена"},
    {"LeftBtn", "Выравнивание текста по левому краю"},
    {"CenterBtn", "Выравнивание текста по центру"},
    {"RightBtn", "Выравнивание текста по правому краю"},
};

QString key(const char* k) {
    return QString::fromLatin1(k);
}

QString shownToolTip(FrmMain& w, const char* k) {
    QAction* entry = toolbarEntry(*w.toolbar(), key(k));
    if (!entry)
        return QStringLiteral("<missing entry>");
    QWidget* widget = w.toolbar()->widgetForAction(entry);
    return widget ? widget->toolTip() : QStringLiteral("<no widget>");
}

void expectToolTips(FrmMain& w, bool descriptions) {
    for (const ToolbarEntry& e : toolbarTable()) {
        SCOPED_TRACE(e.key);
        EXPECT_EQ(shownToolTip(w, e.key),
                  descriptions ? QString::fromUtf8(e.description) : QString());
    }
}

} // namespace

// ---- Status text and tooltips ---------------------------------------------------

TEST(StatusInfo, HeldButtonNamesItsCommandAndReleaseGivesReady) {
    Harness h;
    h.load();
    for (const ButtonText& c : pressedTexts) {
        SCOPED_TRACE(c.key);
        QToolButton* button = toolbarButton(*h->toolbar(), key(c.key));
        ASSERT_NE(button, nullptr);
        button->setDown(true);
        h->toolbarStatus().UpdateStatusInfo();
        EXPECT_EQ(h->toolbarStatus().statusText(), QString::fromUtf8(c.text));
        button->setDown(false);
        h->toolbarStatus().UpdateStatusInfo();
        EXPECT_EQ(h->toolbarStatus().statusText(), Ready);
    }
}

TEST(StatusInfo, FirstHeldButtonInToolbarOrderWins) {
    struct Case {
        const char* held[2];
        const char* text;
    };
    const Case cases[] = {
        {{"RightBtn", "NewBtn"}, "Создание нового документа"},
        {{"LeftBtn", "CopyAllBtn"}, "Копирование всего документа в буфер обмена"},
        {{"PasteBtn", "CutBtn"}, "Удаление выделенного фрагмента в буфер обмена"},
        {{"CenterBtn", "RightBtn"}, "Выравнивание текста по центру"},
    };
    Harness h;
    h.load();
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        for (const char* k : c.held)
            toolbarButton(*h->toolbar(), key(k))->setDown(true);
        h->toolbarStatus().UpdateStatusInfo();
        EXPECT_EQ(h->toolbarStatus().statusText(), QString::fromUtf8(c.text));
        for (const char* k : c.held)
            toolbarButton(*h->toolbar(), key(k))->setDown(false);
    }
}

TEST(StatusInfo, InformationOnShowsEveryDescriptionAsTooltip) {
    Harness h;
    h.load();
    // Spoil every tooltip first, so the check sees what the refresh writes.
    for (QAction* entry : h->toolbar()->actions())
        h->toolbar()->widgetForAction(entry)->setToolTip(QStringLiteral("x"));
    h->toolbarStatus().UpdateStatusInfo();
    expectToolTips(*h.window, true);
}

TEST(StatusInfo, HiddenInformationEmptiesTooltipsAndKeepsReady) {
    Harness h;
    h.load();
    h->mnuNoToolTip_Click();
    toolbarButton(*h->toolbar(), key("SaveBtn"))->setDown(true);
    h->toolbarStatus().UpdateStatusInfo();
    EXPECT_EQ(h->toolbarStatus().statusText(), Ready);
    expectToolTips(*h.window, false);

    // A change of a button's availability must not bring its tooltip back.
    toolbarEntry(*h->toolbar(), key("CutBtn"))->setEnabled(false);
    toolbarEntry(*h->toolbar(), key("CutBtn"))->setEnabled(true);
    EXPECT_EQ(shownToolTip(*h.window, "CutBtn"), QString());

    // Choosing information again restores both on the next refresh.
    h->mnuTextInf_Click();
    h->toolbarStatus().UpdateStatusInfo();
    EXPECT_EQ(h->toolbarStatus().statusText(), QStringLiteral("Сохранение активного документа"));
    expectToolTips(*h.window, true);
}

TEST(StatusInfo, NeitherMarkLeavesTooltipsAndStatusAsTheyWere) {
    struct Case {
        const char* name;
        bool hiddenBefore;      // the last mode in force
        const char* heldBefore; // a button held while that mode was in force
    };
    const Case cases[] = {
        {"descriptions, ready", false, nullptr},
        {"descriptions, save held", false, "SaveBtn"},
        {"hidden", true, nullptr},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Harness h;
        h.load();
        if (c.hiddenBefore)
            h->mnuNoToolTip_Click();
        if (c.heldBefore)
            toolbarButton(*h->toolbar(), key(c.heldBefore))->setDown(true);
        h->toolbarStatus().UpdateStatusInfo();
        const QString statusBefore = h->toolbarStatus().statusText();

        h->options().TextInf = false;
        h->ShowOptionsInMenus();
        h->options().NoToolTip = false;
        h->ShowOptionsInMenus();
        if (c.heldBefore)
            toolbarButton(*h->toolbar(), key(c.heldBefore))->setDown(false);
        toolbarButton(*h->toolbar(), key("PrintBtn"))->setDown(true);
        h->toolbarStatus().UpdateStatusInfo();

        EXPECT_EQ(h->toolbarStatus().statusText(), statusBefore);
        expectToolTips(*h.window, !c.hiddenBefore);
    }
}

TEST(StatusInfo, IdleTicksDoNotRewriteTooltips) {
    Harness h;
    h.load();
    h->TMR1_Timer();
    QToolButton* button = toolbarButton(*h->toolbar(), key("OpenBtn"));
    int changes = 0;
    struct Counter : QObject {
        int* n;
        explicit Counter(int* c) : n(c) {}
        bool eventFilter(QObject*, QEvent* e) override {
            if (e->type() == QEvent::ToolTipChange)
                ++*n;
            return false;
        }
    } counter(&changes);
    button->installEventFilter(&counter);
    for (int i = 0; i < 50; ++i)
        h->TMR1_Timer();
    EXPECT_EQ(changes, 0);
    button->removeEventFilter(&counter);
}

TEST(StatusInfo, RunningTimerFollowsAHeldButton) {
    Harness h;
    h.load();
    // Held and then let go, each followed by the pointer event the button gets.
    QToolButton* find = toolbarButton(*h->toolbar(), key("FindBtn"));
    find->setDown(true);
    QMouseEvent move(QEvent::MouseMove, QPointF(2, 2), find->mapToGlobal(QPointF(2, 2)),
                     Qt::NoButton, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(find, &move);
    EXPECT_TRUE(QTest::qWaitFor(
        [&] {
            return h->toolbarStatus().statusText() ==
                   QStringLiteral("Поиск указанного образца текста");
        },
        2000));
    find->setDown(false);
    QEvent leave(QEvent::Leave);
    QCoreApplication::sendEvent(find, &leave);
    EXPECT_TRUE(QTest::qWaitFor([&] { return h->toolbarStatus().statusText() == Ready; }, 2000));
}

// ---- View-menu commands ----------------------------------------------------------

TEST(ViewCommands, TogglesInvertTheirMarkAndMarkOptionsChanged) {
    struct Case {
        const char* name;
        QAction* MenuTree::*item;
        void (FrmMain::*click)();
    };
    const Case cases[] = {
        {"toolbar", &MenuTree::mnuToolBar, &FrmMain::mnuToolBar_Click},
        {"status bar", &MenuTree::mnuStatusBar, &FrmMain::mnuStatusBar_Click},
        {"standard menu", &MenuTree::mnuON_OFF, &FrmMain::mnuON_OFF_Click},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Harness h;
        h.load();
        QAction* item = h->menus().*c.item;
        const bool before = item->isChecked();
        h->options().UserChangeOptions = false;
        (h.window.get()->*c.click)();
        EXPECT_EQ(item->isChecked(), !before);
        EXPECT_TRUE(h->options().UserChangeOptions);
        (h.window.get()->*c.click)();
        EXPECT_EQ(item->isChecked(), before);
    }
}

TEST(ViewCommands, ToolbarAndStatusBarFollowTheirMarks) {
    Harness h;
    h.load();
    h->mnuToolBar_Click();
    EXPECT_TRUE(h->toolbar()->isHidden());
    h->mnuStatusBar_Click();
    EXPECT_TRUE(h->statusBar()->isHidden());
    h->mnuToolBar_Click();
    h->mnuStatusBar_Click();
    EXPECT_FALSE(h->toolbar()->isHidden());
    EXPECT_FALSE(h->statusBar()->isHidden());
}

TEST(ViewCommands, InformationChoicesAreARadioPair) {
    struct Case {
        bool infBefore, noTipBefore;
        bool chooseInformation;
    };
    const Case cases[] = {
        {true, false, false},  {false, true, true}, {false, false, true},
        {false, false, false}, {true, true, true},  {true, true, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(::testing::Message() << c.infBefore << c.noTipBefore << c.chooseInformation);
        Harness h;
        h.load();
        h->options().TextInf = c.infBefore;
        h->ShowOptionsInMenus();
        h->options().NoToolTip = c.noTipBefore;
        h->ShowOptionsInMenus();
        h->options().UserChangeOptions = false;
        if (c.chooseInformation)
            h->mnuTextInf_Click();
        else
            h->mnuNoToolTip_Click();
        EXPECT_EQ(h->menus().mnuTextInf->isChecked(), c.chooseInformation);
        EXPECT_EQ(h->menus().mnuNoToolTip->isChecked(), !c.chooseInformation);
        EXPECT_TRUE(h->options().UserChangeOptions);
    }
}

// ---- Toolbar buttons ----------------------------------------------------------------

TEST(ToolbarButtons, SeparatorsAndUnknownKeysDoNothing) {
    for (const char* k : {"Space1", "Space2", "Space3", "Space4", "Space5", "", "newbtn", "Btn"}) {
        SCOPED_TRACE(k);
        Harness h;
        h.load();
        h->textBlock()->setText(QStringLiteral("один\r\nдва"));
        h->textBlock()->setSelection(1, 3);
        QGuiApplication::clipboard()->setText(QStringLiteral("буфер"));
        h->document().TextChange = false;
        h->options().UserChangeOptions = false;
        const std::int32_t align = h->options().TextAlign;

        h->Toolbar1_ButtonClick(QString::fromLatin1(k));

        EXPECT_EQ(h->textBlock()->text(), QStringLiteral("один\r\nдва"));
        EXPECT_EQ(h->textBlock()->selStart(), 1);
        EXPECT_EQ(h->textBlock()->selLength(), 2);
        EXPECT_EQ(QGuiApplication::clipboard()->text(), QStringLiteral("буфер"));
        EXPECT_FALSE(h->document().TextChange);
        EXPECT_FALSE(h->options().UserChangeOptions);
        EXPECT_EQ(h->options().TextAlign, align);
        EXPECT_TRUE(h.platform.shown.empty());
    }
}

TEST(ToolbarButtons, AlignmentButtonsSetTheAlignmentCode) {
    struct Case {
        const char* key;
        int code;
        int startFrom;
    };
    const Case cases[] = {{"LeftBtn", 0, 1}, {"CenterBtn", 2, 0}, {"RightBtn", 1, 2}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.key);
        Harness h;
        h.load();
        h->options().TextAlign = c.startFrom;
        h->options().UserChangeOptions = false;
        h->Toolbar1_ButtonClick(key(c.key));
        EXPECT_EQ(h->options().TextAlign, c.code);
        EXPECT_TRUE(h->options().UserChangeOptions);
    }
}

TEST(ToolbarButtons, AlignmentButtonsApplyToTheEditor) {
    struct Case {
        const char* key;
        int code;
    };
    const Case cases[] = {{"CenterBtn", 2}, {"RightBtn", 1}, {"LeftBtn", 0}};
    Harness h;
    h.load();
    for (const Case& c : cases) {
        SCOPED_TRACE(c.key);
        h->Toolbar1_ButtonClick(key(c.key));
        EXPECT_EQ(h->textBlock()->alignmentCode(), c.code);
    }
}

TEST(ToolbarButtons, CopyAllCopiesTheWholeDocumentAndLeavesItSelected) {
    Harness h;
    h.load();
    const QString text = QStringLiteral("Первая строка\r\nвторая");
    h->textBlock()->setText(text);
    h->textBlock()->setSelection(2, 4);
    QGuiApplication::clipboard()->setText(QStringLiteral("старое"));

    h->Toolbar1_ButtonClick(key("CopyAllBtn"));

    EXPECT_EQ(h->textBlock()->selStart(), 0);
    EXPECT_EQ(h->textBlock()->selLength(), text.size());
    EXPECT_EQ(
        QGuiApplication::clipboard()->text().replace(QStringLiteral("\r\n"), QStringLiteral("\n")),
        QStringLiteral("Первая строка\nвторая"));
    EXPECT_EQ(h->textBlock()->text(), text);
}

TEST(ToolbarButtons, EachButtonRunsItsOwnCommand) {
    // Each effect tells the command apart from its neighbours'. The document is
    // "abcd" with "bc" selected and "X" on the clipboard.
    struct Case {
        const char* key;
        std::function<void(Harness&)> check;
    };
    const Case cases[] = {
        {"CutBtn",
         [](Harness& h) {
             EXPECT_EQ(h->textBlock()->text(), QStringLiteral("ad"));
             EXPECT_EQ(QGuiApplication::clipboard()->text(), QStringLiteral("bc"));
         }},
        {"CopyBtn",
         [](Harness& h) {
             EXPECT_EQ(h->textBlock()->text(), QStringLiteral("abcd"));
             EXPECT_EQ(QGuiApplication::clipboard()->text(), QStringLiteral("bc"));
         }},
        {"PasteBtn", [](Harness& h) { EXPECT_EQ(h->textBlock()->text(), QStringLiteral("aXd")); }},
        {"NewBtn", [](Harness& h) { EXPECT_EQ(h->textBlock()->textLength(), 0); }},
        {"PrintBtn", [](Harness& h) { EXPECT_EQ(h.platform.printJobs, 1); }},
        {"OpenBtn",
         [](Harness& h) {
             ASSERT_EQ(h.platform.shown.size(), 1u);
             EXPECT_EQ(h.platform.shown[0].kind, QStringLiteral("open"));
         }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.key);
        Harness h;
        h.load();
        h->textBlock()->setText(QStringLiteral("abcd"));
        h->textBlock()->setSelection(1, 3);
        h->document().TextChange = false;
        QGuiApplication::clipboard()->setText(QStringLiteral("X"));
        if (QLatin1String(c.key) == QLatin1String("OpenBtn"))
            h.platform.answerOpen(std::nullopt);
        h->Toolbar1_ButtonClick(key(c.key));
        c.check(h);
    }
}

// ---- Context menus -------------------------------------------------------------------

TEST(ContextMenus, RightAndMiddleOpenTheirMenu) {
    struct Case {
        int button;
        bool first, second;
    };
    const Case cases[] = {{2, true, false}, {4, false, true}, {1, false, false}, {8, false, false}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.button);
        Harness h;
        h.load();
        h.platform.cursor = QPoint(300, 200);
        h->TextBlock_MouseDown(c.button);
        EXPECT_EQ(h->menus().mnuPopUp->isVisible(), c.first);
        EXPECT_EQ(h->menus().mnuPopUp2->isVisible(), c.second);
        QMenu* open = c.first ? h->menus().mnuPopUp : c.second ? h->menus().mnuPopUp2 : nullptr;
        if (open) {
            // It opens where the pointer is (the screen may push it aside, never far).
            EXPECT_LE((open->pos() - QPoint(300, 200)).manhattanLength(), 2 * open->width());
            open->close();
        }
    }
}

TEST(ContextMenus, StandardMenuModeNeverShowsTheProgramsMenus) {
    Harness h;
    h.load();
    h->mnuON_OFF_Click();
    PressCounter presses(h.window.get());
    for (int button : {2, 4}) {
        h->TextBlock_MouseDown(button);
        EXPECT_FALSE(h->menus().mnuPopUp->isVisible());
        EXPECT_FALSE(h->menus().mnuPopUp2->isVisible());
    }
    EXPECT_EQ(presses.right, 0);
}

TEST(ContextMenus, RightPressOnTheEditorOpensTheMenuAndTellsTheWindow) {
    Harness h;
    h.load();
    h->show();
    PressCounter presses(h.window.get());
    QWidget* viewport = h->textBlock()->viewport();
    const QPointF at(10, 10);
    QMouseEvent press(QEvent::MouseButtonPress, at, viewport->mapToGlobal(at), Qt::RightButton,
                      Qt::RightButton, Qt::NoModifier);
    QCoreApplication::sendEvent(viewport, &press);
    EXPECT_TRUE(h->menus().mnuPopUp->isVisible());
    EXPECT_EQ(presses.right, 1);
    h->menus().mnuPopUp->close();
}

TEST(ContextMenus, OpeningRefreshesAvailability) {
    Harness h;
    h.load();
    // An empty document: Go to is not offered however it was left.
    h->menus().mnuGT->setEnabled(true);
    h->TextBlock_MouseDown(4);
    EXPECT_FALSE(h->menus().mnuGT->isEnabled());
    h->menus().mnuPopUp2->close();

    // Text without a selection: no Cut; with a selection: Cut.
    h->textBlock()->setText(QStringLiteral("текст"));
    h->menus().mnuCt->setEnabled(true);
    h->TextBlock_MouseDown(2);
    EXPECT_FALSE(h->menus().mnuCt->isEnabled());
    EXPECT_TRUE(h->menus().mnuGT->isEnabled());
    h->menus().mnuPopUp->close();
    h->textBlock()->setSelection(0, 2);
    h->TextBlock_MouseDown(2);
    EXPECT_TRUE(h->menus().mnuCt->isEnabled());
    h->menus().mnuPopUp->close();
}
