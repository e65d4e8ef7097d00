#include "support/harness.h"

#include <QAction>
#include <QMap>
#include <QMenu>
#include <QMenuBar>
#include <QSet>
#include <QToolBar>
#include <QToolButton>

#include <gtest/gtest.h>

namespace quillet {
namespace {

// A caption as the user reads it: the mnemonic marks taken out ("&&" is a plain '&').
QString readCaption(const QString& text) {
    QString out;
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (text.at(i) == u'&' && i + 1 < text.size())
            ++i;
        out += text.at(i);
    }
    return out;
}

// Every item of a menu and its submenus, depth first.
QList<QAction*> itemsOf(const QList<QAction*>& actions) {
    QList<QAction*> items;
    for (QAction* a : actions) {
        items << a;
        if (QMenu* sub = a->menu())
            items << itemsOf(sub->actions());
    }
    return items;
}

TEST(MenuTree, NamesAndShortcutsDoNotClash) {
    test::Harness h;
    FrmMain& w = h.create();
    const QList<QAction*> bar = w.menuBar()->actions();
    const QList<QAction*> all = itemsOf(
        bar + QList<QAction*>{w.menus().mnuPopUp->menuAction(), w.menus().mnuPopUp2->menuAction()});
    QSet<QString> names;
    QSet<QKeySequence> shortcuts;
    for (QAction* a : all) {
        const QString name = a->objectName();
        EXPECT_FALSE(name.isEmpty());
        EXPECT_FALSE(names.contains(name)) << name.toStdString();
        names << name;
        EXPECT_EQ(a->isSeparator(), name.startsWith(QLatin1String("Line"))) << name.toStdString();
        if (!a->shortcut().isEmpty()) {
            EXPECT_FALSE(shortcuts.contains(a->shortcut())) << name.toStdString();
            shortcuts << a->shortcut();
        }
    }
}

// The keys users know the commands by; no other item has one.
TEST(MenuTree, TheShortcutKeys) {
    const std::pair<const char*, const char*> keys[] = {
        {"mnuNew", "Ctrl+N"},     {"mnuOpen", "Ctrl+O"},          {"mnuSave", "Ctrl+S"},
        {"mnuPrint", "Ctrl+P"},   {"mnuUndo", "Ctrl+Z"},          {"mnuCaps", "F1"},
        {"mnuAllL", "F2"},        {"mnuCut", "Ctrl+X"},           {"mnuCopy", "Ctrl+C"},
        {"mnuPaste", "Ctrl+V"},   {"mnuDelete", "Del"},           {"mnuFind", "Ctrl+F"},
        {"mnuFindNext", "F3"},    {"mnuRepl", "Ctrl+H"},          {"mnuGoTo", "Ctrl+G"},
        {"mnuSelAll", "Ctrl+A"},  {"mnuTimeDate", "F5"},          {"mnuWind", "Ctrl+W"},
        {"mnuTransparent", "F4"}, {"mnuToolBar", "Ctrl+T"},       {"mnuStatusBar", "Ctrl+I"},
        {"mnuON_OFF", "Ctrl+M"},  {"mnuPromptChanges", "Ctrl+U"},
    };
    test::Harness h;
    FrmMain& w = h.create();
    QMap<QString, QString> expected;
    for (const auto& [name, key] : keys)
        expected.insert(QString::fromLatin1(name), QString::fromLatin1(key));
    for (QAction* a : itemsOf(w.menuBar()->actions()))
        EXPECT_EQ(a->shortcut().toString(), expected.value(a->objectName()))
            << a->objectName().toStdString();
}

TEST(MenuTree, EveryContextItemIsAMenuBarItemAgain) {
    // A context item runs its menu-bar twin's command under the same caption.
    test::Harness h;
    FrmMain& w = h.create();
    QMap<QString, QAction*> byCaption;
    for (QAction* a : itemsOf(w.menuBar()->actions())) {
        if (!a->isSeparator() && !a->menu())
            byCaption.insert(readCaption(a->text()), a);
    }
    for (QMenu* popup : {w.menus().mnuPopUp, w.menus().mnuPopUp2}) {
        EXPECT_FALSE(popup->menuAction()->isVisible()) << "a context menu is never in the bar";
        for (QAction* a : popup->actions()) {
            if (a->isSeparator())
                continue;
            EXPECT_TRUE(byCaption.contains(readCaption(a->text())))
                << a->objectName().toStdString();
        }
    }
    // Select all twice over: the context item does what the Edit item does.
    w.textBlock()->setText(QStringLiteral("abc"));
    w.menus().mnuSA->trigger();
    EXPECT_EQ(w.textBlock()->selLength(), 3);
}

TEST(MenuTree, EveryItemStartsEnabledAndContextMenusCarryNoShortcuts) {
    test::Harness h;
    FrmMain& w = h.create();
    for (QMenu* popup : {w.menus().mnuPopUp, w.menus().mnuPopUp2}) {
        for (QAction* a : popup->actions()) {
            EXPECT_TRUE(a->shortcut().isEmpty()) << a->objectName().toStdString();
            EXPECT_TRUE(a->isEnabled()) << a->objectName().toStdString();
        }
    }
    for (QAction* top : w.menuBar()->actions()) {
        // A hidden action reads as disabled: only the menu bar's visible menus count.
        if (top->isVisible()) {
            EXPECT_TRUE(top->isEnabled()) << top->objectName().toStdString();
        }
        for (QAction* a : top->menu()->actions())
            EXPECT_TRUE(a->isEnabled()) << a->objectName().toStdString();
    }
}

TEST(MenuTree, MembersNameTheirItems) {
    test::Harness h;
    FrmMain& w = h.create();
    const std::pair<QAction*, const char*> members[] = {
        {w.menus().mnuSave, "mnuSave"},
        {w.menus().mnuON_OFF, "mnuON_OFF"},
        {w.menus().MnuDefColor, "MnuDefColor"},
        {w.menus().mnuGT, "mnuGT"},
        {w.menus().mnuRecent, "mnuRecent"},
        {w.menus().mnuTimeDate, "mnuTimeDate"},
        {w.menus().mnuCodeSel->menuAction(), "mnuCodeSel"},
    };
    for (const auto& [action, name] : members) {
        ASSERT_NE(action, nullptr) << name;
        EXPECT_EQ(action->objectName(), QString::fromLatin1(name));
    }
}

TEST(Toolbar, EveryEntryOfTheTableInOrderWithItsDescription) {
    test::Harness h;
    FrmMain& w = h.create();
    const std::span<const ToolbarEntry> table = toolbarTable();
    const QList<QAction*> entries = w.toolbar()->actions();
    ASSERT_EQ(std::size_t(entries.size()), table.size());
    for (std::size_t i = 0; i < table.size(); ++i) {
        const QAction* entry = entries.at(qsizetype(i));
        const QString description = QString::fromUtf8(table[i].description);
        EXPECT_EQ(entry->objectName(), QString::fromLatin1(table[i].key));
        EXPECT_EQ(entry->isSeparator(), table[i].separator()) << table[i].key;
        EXPECT_EQ(entry->property("description").toString(), description);
        if (!table[i].separator()) {
            EXPECT_FALSE(description.isEmpty()) << table[i].key;
            EXPECT_EQ(entry->toolTip(), description);
            EXPECT_FALSE(entry->icon().isNull());
            EXPECT_NE(toolbarButton(*w.toolbar(), QString::fromLatin1(table[i].key)), nullptr);
        }
    }
    EXPECT_EQ(w.toolbarImages().size(), 15);
    EXPECT_EQ(w.toolbarStatus().statusText(), QStringLiteral("Готово"));
    EXPECT_EQ(w.windowTitle(), QStringLiteral("Новый документ - Квиллет"));
    EXPECT_EQ(w.followTimer()->interval(), 1);
    // The tick runs on changes; the timer only while following the pointer.
    EXPECT_FALSE(w.followTimer()->isActive());
}

} // namespace
} // namespace quillet
