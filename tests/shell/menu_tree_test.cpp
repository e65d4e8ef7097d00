#include "support/harness.h"
#include "support/toolbar_entries.h"

#include <QAction>
#include <QMenu>
#include <QMenuBar>
#include <QToolBar>
#include <QToolButton>

#include <gtest/gtest.h>

namespace quillet {
namespace {

// The menu tree as a user sees it when the window is created: one line per item,
// indented by depth: name|caption|shortcut|flags, flags "c" checked, "h" hidden.
const char* const ExpectedTree = R"(mnuFile|Файл||
  mnuNew|Создать|Ctrl+N|
  mnuOpen|Открыть...|Ctrl+O|
  mnuSave|Сохранить|Ctrl+S|
  mnuSaveAs|Сохранить как...||
  Line1|-||
  mnuLimFileType|Фильтр типов файлов||c
  mnuLenEn|Проверка размера||c
  Line21|-||
  mnuCodeSel|Открывать в кодировке||
    mnuCodeWin|Текст (Windows)||c
    mnuCodeDos|Текст (DOS)||
    mnuCodeKoi|Текст (KOI)||
    Line23|-||
    mnuSetChars|Подключать кириллицу||c
  Line3|-||
  mnuPrint|Печать|Ctrl+P|
  Line4|-||
  mnuRecentWin|Последний документ||
    mnuRecent|||
  Line10|-||
  mnuExit|Выход||
mnuWork|Правка||
  mnuUndo|Отменить|Ctrl+Z|
  Line19|-||
  mnuCaps|Все прописные|F1|
  mnuAllL|Все строчные|F2|
  Line8|-||
  mnuCut|Вырезать|Ctrl+X|
  mnuCopy|Копировать|Ctrl+C|
  mnuPaste|Вставить|Ctrl+V|
  mnuDelete|Удалить|Del|
  Line7|-||
  mnuFind|Найти...|Ctrl+F|
  mnuFindNext|Найти далее...|F3|
  mnuRepl|Заменить...|Ctrl+H|
  mnuGoTo|Перейти...|Ctrl+G|
  Line11|-||
  mnuSelAll|Выделить всё|Ctrl+A|
  mnuTimeDate|Время и дата|F5|
mnuView|Вид||
  mnuWind|Восстановить окно|Ctrl+W|
  Line5|-||
  mnuTransparent|Полупрозрачность|F4|
  mnuTransSettings|Дополнительно||
    mnuGetMouse|Следить за курсором||
  Line22|-||
  mnuToolBar|Панель инструментов|Ctrl+T|c
  mnuStatusBar|Панель состояния|Ctrl+I|c
  mnuToolSettings|Дополнительно||
    mnuTextInf|Отображать информацию||c
    mnuNoToolTip|Скрывать информацию||
  Line12|-||
  mnuON_OFF|Стандартное меню|Ctrl+M|
  Line15|-||
  mnuPromptChanges|Спрашивать о настройках|Ctrl+U|c
mnuFormat|Формат||
  mnuBackColor|Заливка||
    mnuColor|Цвет...||
    Line2|-||
    MnuDefColor|По умолчанию (Белая)||
  Line6|-||
  mnuBold|Жирный||
  mnuItal|Курсив||
  mnuLine|Подчёркнутый||
  Line9|-||
  mnuFont|Шрифт...||
mnuHelp|Справка||
  mnuAbout|О программе||
mnuPopUp|TBPopUp||h
  mnuPt|Печать||
  Line17|-||
  mnuF|Шрифт...||
  Line20|-||
  mnuU|Отменить||
  Line16|-||
  mnuAU|Все прописные||
  mnuAL|Все строчные||
  Line13|-||
  mnuCt|Вырезать||
  mnuCy|Копировать||
  mnuP|Вставить||
  mnuD|Удалить||
  Line18|-||
  mnuFD|Найти...||
  mnuFDN|Найти далее...||
  Line14|-||
  mnuSA|Выделить всё||
mnuPopUp2|TBPopUp2||h
  mnuGT|Перейти...||
)";

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

void describe(const QList<QAction*>& actions, int depth, QString& out) {
    for (QAction* a : actions) {
        QString flags;
        if (a->isChecked())
            flags += QLatin1Char('c');
        if (!a->isVisible())
            flags += QLatin1Char('h');
        const QString caption = a->isSeparator() ? QStringLiteral("-") : readCaption(a->text());
        out += QString(depth * 2, QLatin1Char(' ')) + a->objectName() + QLatin1Char('|') + caption +
               QLatin1Char('|') + a->shortcut().toString() + QLatin1Char('|') + flags +
               QLatin1Char('\n');
        if (QMenu* sub = a->menu())
            describe(sub->actions(), depth + 1, out);
    }
}

TEST(MenuTree, MatchesTheDesignedTreeAtCreation) {
    test::Harness h;
    FrmMain& w = h.create();
    QString actual;
    // The menu bar's menus, then the two context menus.
    describe(w.menuBar()->actions() + QList<QAction*>{w.menus().mnuPopUp->menuAction(),
                                                      w.menus().mnuPopUp2->menuAction()},
             0, actual);
    EXPECT_EQ(actual.toStdString(), std::string(ExpectedTree));
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

TEST(Toolbar, SeventeenEntriesInOrderWithDescriptions) {
    test::Harness h;
    FrmMain& w = h.create();
    const auto& expected = test::ExpectedToolbar;
    const QList<QAction*> entries = w.toolbar()->actions();
    ASSERT_EQ(entries.size(), 17);
    for (int i = 0; i < 17; ++i) {
        const QString description = QString::fromUtf8(expected[i].text);
        EXPECT_EQ(entries[i]->objectName(), QString::fromLatin1(expected[i].key));
        EXPECT_EQ(entries[i]->isSeparator(), description.isEmpty()) << expected[i].key;
        EXPECT_EQ(entries[i]->property("description").toString(), description);
        if (!description.isEmpty()) {
            EXPECT_EQ(entries[i]->toolTip(), description);
            EXPECT_FALSE(entries[i]->icon().isNull());
            EXPECT_NE(toolbarButton(*w.toolbar(), QString::fromLatin1(expected[i].key)), nullptr);
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
