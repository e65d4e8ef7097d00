// The menus from the keyboard (mnemonics, F10) and what assistive technology
// is told about the window.

#include "support/harness.h"

#include <QAccessible>
#include <QAction>
#include <QMenu>
#include <QMenuBar>
#include <QStatusBar>
#include <QTest>
#include <QToolBar>

#include <gtest/gtest.h>

namespace quillet {
namespace {

// The letter a caption marks with '&', upper-cased, or a null character.
QChar mnemonicOf(const QString& text) {
    for (qsizetype i = 0; i + 1 < text.size(); ++i) {
        if (text.at(i) != u'&')
            continue;
        if (text.at(i + 1) == u'&') {
            ++i;
            continue;
        }
        return text.at(i + 1).toUpper();
    }
    return {};
}

void checkMenu(const QString& where, const QList<QAction*>& items, const QAction* skip) {
    QMap<QChar, QString> taken;
    for (QAction* a : items) {
        if (a->isSeparator() || a == skip)
            continue;
        const QChar letter = mnemonicOf(a->text());
        EXPECT_FALSE(letter.isNull())
            << where.toStdString() << ": no mnemonic in " << a->text().toStdString();
        if (letter.isNull())
            continue;
        EXPECT_FALSE(taken.contains(letter))
            << where.toStdString() << ": " << a->text().toStdString() << " and "
            << taken.value(letter).toStdString() << " share a mnemonic";
        taken.insert(letter, a->text());
        if (QMenu* sub = a->menu())
            checkMenu(a->objectName(), sub->actions(), skip);
    }
}

TEST(KeyboardMenus, EveryItemHasAMnemonicOfItsOwnWithinItsMenu) {
    test::Harness h;
    FrmMain& w = h.create();
    // The recent document's entry shows a path; it has no letter of its own.
    checkMenu(QStringLiteral("menu bar"), w.menuBar()->actions(), w.menus().mnuRecent);
    checkMenu(QStringLiteral("mnuPopUp"), w.menus().mnuPopUp->actions(), nullptr);
    checkMenu(QStringLiteral("mnuPopUp2"), w.menus().mnuPopUp2->actions(), nullptr);
}

class ShownWindow : public ::testing::Test {
protected:
    void SetUp() override {
        w = &h.load();
        w->show();
        w->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(w));
    }
    void TearDown() override {
        if (QMenu* open = qobject_cast<QMenu*>(QApplication::activePopupWidget()))
            open->close();
    }
    test::Harness h;
    FrmMain* w = nullptr;
};

TEST_F(ShownWindow, AltAndTheMarkedLetterOpenEachMenu) {
    const struct {
        QMenu* MenuTree::*menu;
        char16_t letter;
    } cases[] = {
        {&MenuTree::mnuFile, u'Ф'},   {&MenuTree::mnuWork, u'П'}, {&MenuTree::mnuView, u'В'},
        {&MenuTree::mnuFormat, u'Р'}, {&MenuTree::mnuHelp, u'С'},
    };
    for (const auto& c : cases) {
        QMenu* menu = w->menus().*c.menu;
        // QTest's own key clicks take only Latin letters: the key and its text
        // are given here as a Russian keyboard sends them.
        QTest::sendKeyEvent(QTest::Click, w->textBlock(), Qt::Key(c.letter),
                            QString(QChar(c.letter)).toLower(), Qt::AltModifier);
        EXPECT_TRUE(menu->isVisible()) << menu->objectName().toStdString();
        EXPECT_EQ(w->menuBar()->activeAction(), menu->menuAction())
            << menu->objectName().toStdString();
        menu->close();
    }
}

// A key as the X server sends it with the Latin layout active: its Latin
// character. The offscreen platform has no keyboard map and no key codes: the
// standard keyboard's letters stand in.
void pressLatin(QWidget* target, char16_t character, Qt::KeyboardModifiers modifiers) {
    QTest::sendKeyEvent(QTest::Click, target, Qt::Key(QChar(character).toUpper().unicode()),
                        QString(QChar(character)), modifiers);
}

TEST_F(ShownWindow, AltWithTheLatinKeyOfAMenusLetterOpensItAndAnyOtherOpensNothing) {
    const std::pair<char16_t, QMenu * MenuTree::*> cases[] = {
        {u'a', &MenuTree::mnuFile},
        {u'g', &MenuTree::mnuWork},
        {u'd', &MenuTree::mnuView},
        {u'h', &MenuTree::mnuFormat},
        {u'c', &MenuTree::mnuHelp},
        {u'q', nullptr},
        {u'1', nullptr},
    };
    for (const auto& [key, expected] : cases) {
        pressLatin(w->textBlock(), key, Qt::AltModifier);
        QMenu* menu = expected ? w->menus().*expected : nullptr;
        EXPECT_EQ(QApplication::activePopupWidget(), menu) << char(key);
        if (menu)
            menu->close();
    }
}

TEST_F(ShownWindow, InAnOpenMenuTheKeyOfAnItemsLetterInAnyLayoutChoosesIt) {
    const struct {
        QMenu* MenuTree::*menu;
        char16_t key;
        bool Options::*option; // what the item switches
    } cases[] = {
        {&MenuTree::mnuFormat, u';', &Options::Bold},     // Ж
        {&MenuTree::mnuFormat, u'ж', &Options::Bold},     // as typed
        {&MenuTree::mnuCodeSel, u'd', &Options::TextDos}, // a Latin letter: D
    };
    for (const auto& c : cases) {
        const bool before = w->options().*c.option;
        QMenu* menu = w->menus().*c.menu;
        menu->popup(QPoint(10, 10));
        pressLatin(menu, c.key, Qt::NoModifier);
        EXPECT_NE(w->options().*c.option, before) << char(c.key);
        menu->close();
    }
}

TEST_F(ShownWindow, F10OpensTheMenuBarAtItsFirstMenu) {
    QTest::keyClick(w->textBlock(), Qt::Key_F10);
    EXPECT_TRUE(w->menus().mnuFile->isVisible());
    EXPECT_EQ(w->menuBar()->activeAction(), w->menus().mnuFile->menuAction());
}

TEST(Accessibility, ControlsCarryRussianNames) {
    test::Harness h;
    FrmMain& w = h.create();
    const std::pair<QWidget*, const char*> cases[] = {
        {w.textBlock(), "Текст документа"},
        {w.toolbar(), "Панель инструментов"},
        {w.statusBar(), "Панель состояния"},
    };
    for (const auto& [widget, name] : cases) {
        QAccessibleInterface* face = QAccessible::queryAccessibleInterface(widget);
        ASSERT_NE(face, nullptr) << name;
        EXPECT_EQ(face->text(QAccessible::Name), QString::fromUtf8(name));
    }
}

TEST(Accessibility, MenusWhoseCaptionsSayTooLittleHaveNamesOfTheirOwn) {
    test::Harness h;
    FrmMain& w = h.create();
    const std::pair<QMenu * MenuTree::*, const char*> cases[] = {
        {&MenuTree::mnuPopUp, "Контекстное меню"},
        {&MenuTree::mnuPopUp2, "Контекстное меню средней кнопки"},
        {&MenuTree::mnuTransSettings, "Дополнительно (Полупрозрачность)"},
        {&MenuTree::mnuToolSettings, "Дополнительно (Панель инструментов)"},
    };
    for (const auto& [menu, name] : cases) {
        QAccessibleInterface* face = QAccessible::queryAccessibleInterface(w.menus().*menu);
        ASSERT_NE(face, nullptr) << name;
        EXPECT_EQ(face->text(QAccessible::Name), QString::fromUtf8(name));
    }
}

TEST(Accessibility, MenuBarExposesOnlyItsFiveMenus) {
    test::Harness h;
    FrmMain& w = h.create();
    QAccessibleInterface* bar = QAccessible::queryAccessibleInterface(w.menuBar());
    ASSERT_NE(bar, nullptr);
    QStringList names;
    for (int i = 0; i < bar->childCount(); ++i)
        names << bar->child(i)->text(QAccessible::Name);
    // Names as a screen reader reads them, mnemonic marks removed.
    EXPECT_EQ(names.join(QLatin1Char('|')), QStringLiteral("Файл|Правка|Вид|Формат|Справка"));
}

} // namespace
} // namespace quillet
