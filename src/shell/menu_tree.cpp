// The main window's menu tree: one table, read top to bottom, gives every item's
// name, caption, shortcut, the option a check mark shows, and the handler it runs.
// A caption's '&' marks its keyboard mnemonic (Alt+letter in the menu bar, the
// letter alone in an open menu); the letters differ within each menu.

#include "shell/frmmain.h"
#include "shell/mnemonic_keys.h"

#include <QAction>
#include <QKeySequence>
#include <QMenu>
#include <QMenuBar>
#include <QShortcut>

#include <utility>

namespace quillet {

namespace {

enum class Kind { Menu, Popup, Item, Check, Separator };

struct MenuEntry {
    int depth; // 0 top-level menu, 1 its item, 2 an item of a submenu
    Kind kind;
    const char* name;
    const char* caption;
    const char* shortcut;
    bool Options::*option; // the option a check item shows
    QMenu* MenuTree::*menu;
    QAction* MenuTree::*action;
    void (FrmMain::*handler)();
};

// The table's key names ("Ctrl+N", "F3", "Del") as key sequences. Read here
// rather than by the toolkit's text parser, which looks every modifier name up in
// the translations and cost more than building the rest of the menus.
QKeySequence menuKeys(const char* text) {
    const QByteArray name(text);
    Qt::KeyboardModifiers modifiers;
    QByteArray key = name;
    if (key.startsWith("Ctrl+")) {
        modifiers = Qt::ControlModifier;
        key = key.mid(5);
    }
    if (key.size() == 1 && key[0] >= 'A' && key[0] <= 'Z')
        return QKeySequence(QKeyCombination(modifiers, Qt::Key(Qt::Key_A + (key[0] - 'A'))));
    if (key.size() >= 2 && key.size() <= 3 && key[0] == 'F') {
        bool ok = false;
        const int n = key.mid(1).toInt(&ok);
        if (ok && n >= 1 && n <= 35)
            return QKeySequence(QKeyCombination(modifiers, Qt::Key(Qt::Key_F1 + n - 1)));
    }
    if (key == "Del")
        return QKeySequence(QKeyCombination(modifiers, Qt::Key_Delete));
    return QKeySequence(QString::fromLatin1(name), QKeySequence::PortableText);
}

using F = FrmMain;
using O = Options;
constexpr Kind M = Kind::Menu, P = Kind::Popup, I = Kind::Item, C = Kind::Check,
               S = Kind::Separator;

// clang-format off
const MenuEntry menuTree[] = {
    {0, M, "mnuFile", "&Файл", "", nullptr, &MenuTree::mnuFile, nullptr, nullptr},
    {1, I, "mnuNew", "&Создать", "Ctrl+N", nullptr, nullptr, &MenuTree::mnuNew, &F::mnuNew_Click},
    {1, I, "mnuOpen", "&Открыть...", "Ctrl+O", nullptr, nullptr, &MenuTree::mnuOpen, &F::mnuOpen_Click},
    {1, I, "mnuSave", "Со&хранить", "Ctrl+S", nullptr, nullptr, &MenuTree::mnuSave, &F::mnuSave_Click},
    {1, I, "mnuSaveAs", "Сохранить &как...", "", nullptr, nullptr, &MenuTree::mnuSaveAs, &F::mnuSaveAs_Click},
    {1, S, "Line1", "-", "", nullptr, nullptr, nullptr, nullptr},
    {1, C, "mnuLimFileType", "&Фильтр типов файлов", "", &O::LimType, nullptr, &MenuTree::mnuLimFileType, &F::mnuLimFileType_Click},
    {1, C, "mnuLenEn", "Проверка &размера", "", &O::LenEn, nullptr, &MenuTree::mnuLenEn, &F::mnuLenEn_Click},
    {1, S, "Line21", "-", "", nullptr, nullptr, nullptr, nullptr},
    {1, M, "mnuCodeSel", "Открывать &в кодировке", "", nullptr, &MenuTree::mnuCodeSel, nullptr, nullptr},
    {2, C, "mnuCodeWin", "Текст (&Windows)", "", &O::TextWindows, nullptr, &MenuTree::mnuCodeWin, &F::mnuCodeWin_Click},
    {2, C, "mnuCodeDos", "Текст (&DOS)", "", &O::TextDos, nullptr, &MenuTree::mnuCodeDos, &F::mnuCodeDos_Click},
    {2, C, "mnuCodeKoi", "Текст (&KOI)", "", &O::TextKoi, nullptr, &MenuTree::mnuCodeKoi, &F::mnuCodeKoi_Click},
    {2, S, "Line23", "-", "", nullptr, nullptr, nullptr, nullptr},
    {2, C, "mnuSetChars", "&Подключать кириллицу", "", &O::SetChars, nullptr, &MenuTree::mnuSetChars, &F::mnuSetChars_Click},
    {1, S, "Line3", "-", "", nullptr, nullptr, nullptr, nullptr},
    {1, I, "mnuPrint", "Пе&чать", "Ctrl+P", nullptr, nullptr, &MenuTree::mnuPrint, &F::mnuPrint_Click},
    {1, S, "Line4", "-", "", nullptr, nullptr, nullptr, nullptr},
    {1, M, "mnuRecentWin", "Последний &документ", "", nullptr, &MenuTree::mnuRecentWin, nullptr, nullptr},
    {2, I, "mnuRecent", "", "", nullptr, nullptr, &MenuTree::mnuRecent, &F::mnuRecent_Click},
    {1, S, "Line10", "-", "", nullptr, nullptr, nullptr, nullptr},
    {1, I, "mnuExit", "В&ыход", "", nullptr, nullptr, &MenuTree::mnuExit, &F::mnuExit_Click},

    {0, M, "mnuWork", "&Правка", "", nullptr, &MenuTree::mnuWork, nullptr, nullptr},
    {1, I, "mnuUndo", "&Отменить", "Ctrl+Z", nullptr, nullptr, &MenuTree::mnuUndo, &F::mnuUndo_Click},
    {1, S, "Line19", "-", "", nullptr, nullptr, nullptr, nullptr},
    {1, I, "mnuCaps", "Все &прописные", "F1", nullptr, nullptr, &MenuTree::mnuCaps, &F::mnuCaps_Click},
    {1, I, "mnuAllL", "Все &строчные", "F2", nullptr, nullptr, &MenuTree::mnuAllL, &F::mnuAllL_Click},
    {1, S, "Line8", "-", "", nullptr, nullptr, nullptr, nullptr},
    {1, I, "mnuCut", "Вы&резать", "Ctrl+X", nullptr, nullptr, &MenuTree::mnuCut, &F::mnuCut_Click},
    {1, I, "mnuCopy", "&Копировать", "Ctrl+C", nullptr, nullptr, &MenuTree::mnuCopy, &F::mnuCopy_Click},
    {1, I, "mnuPaste", "&Вставить", "Ctrl+V", nullptr, nullptr, &MenuTree::mnuPaste, &F::mnuPaste_Click},
    {1, I, "mnuDelete", "&Удалить", "Del", nullptr, nullptr, &MenuTree::mnuDelete, &F::mnuDelete_Click},
    {1, S, "Line7", "-", "", nullptr, nullptr, nullptr, nullptr},
    {1, I, "mnuFind", "&Найти...", "Ctrl+F", nullptr, nullptr, &MenuTree::mnuFind, &F::mnuFind_Click},
    {1, I, "mnuFindNext", "Найти &далее...", "F3", nullptr, nullptr, &MenuTree::mnuFindNext, &F::mnuFindNext_Click},
    {1, I, "mnuRepl", "&Заменить...", "Ctrl+H", nullptr, nullptr, &MenuTree::mnuRepl, &F::mnuRepl_Click},
    {1, I, "mnuGoTo", "П&ерейти...", "Ctrl+G", nullptr, nullptr, &MenuTree::mnuGoTo, &F::mnuGoTo_Click},
    {1, S, "Line11", "-", "", nullptr, nullptr, nullptr, nullptr},
    {1, I, "mnuSelAll", "В&ыделить всё", "Ctrl+A", nullptr, nullptr, &MenuTree::mnuSelAll, &F::mnuSelAll_Click},
    {1, I, "mnuTimeDate", "Вре&мя и дата", "F5", nullptr, nullptr, &MenuTree::mnuTimeDate, &F::mnuTimeDate_Click},

    {0, M, "mnuView", "&Вид", "", nullptr, &MenuTree::mnuView, nullptr, nullptr},
    {1, I, "mnuWind", "&Восстановить окно", "Ctrl+W", nullptr, nullptr, &MenuTree::mnuWind, &F::mnuWind_Click},
    {1, S, "Line5", "-", "", nullptr, nullptr, nullptr, nullptr},
    {1, C, "mnuTransparent", "&Полупрозрачность", "F4", &O::Transparent, nullptr, &MenuTree::mnuTransparent, &F::mnuTransparent_Click},
    {1, M, "mnuTransSettings", "&Дополнительно", "", nullptr, &MenuTree::mnuTransSettings, nullptr, nullptr},
    {2, C, "mnuGetMouse", "&Следить за курсором", "", &O::GetMouse, nullptr, &MenuTree::mnuGetMouse, &F::mnuGetMouse_Click},
    {1, S, "Line22", "-", "", nullptr, nullptr, nullptr, nullptr},
    {1, C, "mnuToolBar", "Панель &инструментов", "Ctrl+T", &O::ToolBar, nullptr, &MenuTree::mnuToolBar, &F::mnuToolBar_Click},
    {1, C, "mnuStatusBar", "Панель &состояния", "Ctrl+I", &O::StatusBar, nullptr, &MenuTree::mnuStatusBar, &F::mnuStatusBar_Click},
    {1, M, "mnuToolSettings", "Дополни&тельно", "", nullptr, &MenuTree::mnuToolSettings, nullptr, nullptr},
    {2, C, "mnuTextInf", "&Отображать информацию", "", &O::TextInf, nullptr, &MenuTree::mnuTextInf, &F::mnuTextInf_Click},
    {2, C, "mnuNoToolTip", "&Скрывать информацию", "", &O::NoToolTip, nullptr, &MenuTree::mnuNoToolTip, &F::mnuNoToolTip_Click},
    {1, S, "Line12", "-", "", nullptr, nullptr, nullptr, nullptr},
    {1, C, "mnuON_OFF", "Стандартное &меню", "Ctrl+M", &O::StandardMenu, nullptr, &MenuTree::mnuON_OFF, &F::mnuON_OFF_Click},
    {1, S, "Line15", "-", "", nullptr, nullptr, nullptr, nullptr},
    {1, C, "mnuPromptChanges", "Спрашивать о &настройках", "Ctrl+U", &O::PromptChanges, nullptr, &MenuTree::mnuPromptChanges, &F::mnuPromptChanges_Click},

    {0, M, "mnuFormat", "Фо&рмат", "", nullptr, &MenuTree::mnuFormat, nullptr, nullptr},
    {1, M, "mnuBackColor", "&Заливка", "", nullptr, &MenuTree::mnuBackColor, nullptr, nullptr},
    {2, I, "mnuColor", "&Цвет...", "", nullptr, nullptr, &MenuTree::mnuColor, &F::mnuColor_Click},
    {2, S, "Line2", "-", "", nullptr, nullptr, nullptr, nullptr},
    {2, I, "MnuDefColor", "По &умолчанию (Белая)", "", nullptr, nullptr, &MenuTree::MnuDefColor, &F::MnuDefColor_Click},
    {1, S, "Line6", "-", "", nullptr, nullptr, nullptr, nullptr},
    {1, C, "mnuBold", "&Жирный", "", &O::Bold, nullptr, &MenuTree::mnuBold, &F::mnuBold_Click},
    {1, C, "mnuItal", "&Курсив", "", &O::Italic, nullptr, &MenuTree::mnuItal, &F::mnuItal_Click},
    {1, C, "mnuLine", "&Подчёркнутый", "", &O::Underline, nullptr, &MenuTree::mnuLine, &F::mnuLine_Click},
    {1, S, "Line9", "-", "", nullptr, nullptr, nullptr, nullptr},
    {1, I, "mnuFont", "&Шрифт...", "", nullptr, nullptr, &MenuTree::mnuFont, &F::mnuFont_Click},

    {0, M, "mnuHelp", "&Справка", "", nullptr, &MenuTree::mnuHelp, nullptr, nullptr},
    {1, I, "mnuAbout", "&О программе", "", nullptr, nullptr, &MenuTree::mnuAbout, &F::mnuAbout_Click},

    // Context menus: never in the menu bar; every item runs its main-menu twin.
    {0, P, "mnuPopUp", "TBPopUp", "", nullptr, &MenuTree::mnuPopUp, nullptr, nullptr},
    {1, I, "mnuPt", "Пе&чать", "", nullptr, nullptr, &MenuTree::mnuPt, &F::mnuPrint_Click},
    {1, S, "Line17", "-", "", nullptr, nullptr, nullptr, nullptr},
    {1, I, "mnuF", "&Шрифт...", "", nullptr, nullptr, &MenuTree::mnuF, &F::mnuFont_Click},
    {1, S, "Line20", "-", "", nullptr, nullptr, nullptr, nullptr},
    {1, I, "mnuU", "&Отменить", "", nullptr, nullptr, &MenuTree::mnuU, &F::mnuUndo_Click},
    {1, S, "Line16", "-", "", nullptr, nullptr, nullptr, nullptr},
    {1, I, "mnuAU", "Все &прописные", "", nullptr, nullptr, &MenuTree::mnuAU, &F::mnuCaps_Click},
    {1, I, "mnuAL", "Все &строчные", "", nullptr, nullptr, &MenuTree::mnuAL, &F::mnuAllL_Click},
    {1, S, "Line13", "-", "", nullptr, nullptr, nullptr, nullptr},
    {1, I, "mnuCt", "Вы&резать", "", nullptr, nullptr, &MenuTree::mnuCt, &F::mnuCut_Click},
    {1, I, "mnuCy", "&Копировать", "", nullptr, nullptr, &MenuTree::mnuCy, &F::mnuCopy_Click},
    {1, I, "mnuP", "&Вставить", "", nullptr, nullptr, &MenuTree::mnuP, &F::mnuPaste_Click},
    {1, I, "mnuD", "&Удалить", "", nullptr, nullptr, &MenuTree::mnuD, &F::mnuDelete_Click},
    {1, S, "Line18", "-", "", nullptr, nullptr, nullptr, nullptr},
    {1, I, "mnuFD", "&Найти...", "", nullptr, nullptr, &MenuTree::mnuFD, &F::mnuFind_Click},
    {1, I, "mnuFDN", "Найти &далее...", "", nullptr, nullptr, &MenuTree::mnuFDN, &F::mnuFindNext_Click},
    {1, S, "Line14", "-", "", nullptr, nullptr, nullptr, nullptr},
    {1, I, "mnuSA", "В&ыделить всё", "", nullptr, nullptr, &MenuTree::mnuSA, &F::mnuSelAll_Click},

    {0, P, "mnuPopUp2", "TBPopUp2", "", nullptr, &MenuTree::mnuPopUp2, nullptr, nullptr},
    {1, I, "mnuGT", "П&ерейти...", "", nullptr, nullptr, &MenuTree::mnuGT, &F::mnuGoTo_Click},
};
// clang-format on

} // namespace

void FrmMain::ShowOptionsInMenus() {
    for (const MenuEntry& e : menuTree) {
        if (e.option)
            (menus_.*(e.action))->setChecked(opts.*(e.option));
    }
}

MenuTree BuildMenus(FrmMain& window) {
    MenuTree menus;
    QMenu* parents[3] = {nullptr, nullptr, nullptr};
    for (const MenuEntry& e : menuTree) {
        const QString name = QString::fromLatin1(e.name);
        const QString caption = QString::fromUtf8(e.caption);
        QMenu* parent = e.depth > 0 ? parents[e.depth - 1] : nullptr;
        switch (e.kind) {
        case Kind::Menu:
        case Kind::Popup: {
            // A context menu belongs to the window but not to its menu bar, so
            // neither the bar's keyboard navigation nor a screen reader finds it.
            QMenu* menu = e.kind == Kind::Popup ? new QMenu(caption, &window)
                          : parent              ? parent->addMenu(caption)
                                                : window.menuBar()->addMenu(caption);
            menu->setObjectName(name);
            menu->menuAction()->setObjectName(name);
            menus.*(e.menu) = menu;
            parents[e.depth] = menu;
            break;
        }
        case Kind::Separator: {
            QAction* separator = parent->addSeparator();
            separator->setObjectName(name);
            break;
        }
        case Kind::Item:
        case Kind::Check: {
            QAction* action = parent->addAction(caption);
            action->setObjectName(name);
            if (*e.shortcut)
                action->setShortcut(menuKeys(e.shortcut));
            if (e.kind == Kind::Check)
                action->setCheckable(true);
            menus.*(e.action) = action;
            const auto handler = e.handler;
            const auto option = e.option;
            QObject::connect(action, &QAction::triggered, &window,
                             [&window, action, handler, option] {
                                 // The mark shows the option: the toolkit's own
                                 // toggle is undone, and the handler changes the
                                 // option, which the mark then follows.
                                 if (option)
                                     action->setChecked(window.options().*option);
                                 (window.*handler)();
                             });
            break;
        }
        }
    }

    // Context menus exist only as pop-ups: their own entries stay hidden.
    menus.mnuPopUp->menuAction()->setVisible(false);
    menus.mnuPopUp2->menuAction()->setVisible(false);

    // Names a screen reader announces the menus by where their captions do not
    // say enough: the context menus' captions are never shown, and the View
    // menu holds two submenus captioned "Дополнительно".
    const std::pair<QMenu * MenuTree::*, const char*> spokenNames[] = {
        {&MenuTree::mnuPopUp, "Контекстное меню"},
        {&MenuTree::mnuPopUp2, "Контекстное меню средней кнопки"},
        {&MenuTree::mnuTransSettings, "Дополнительно (Полупрозрачность)"},
        {&MenuTree::mnuToolSettings, "Дополнительно (Панель инструментов)"},
    };
    for (const auto& [menu, name] : spokenNames)
        (menus.*menu)->setAccessibleName(QString::fromUtf8(name));

    // F10 opens the menu bar at its first menu, as desktop programs do; from there
    // the arrow keys and the mnemonics lead on.
    auto* menuKey = new QShortcut(QKeySequence(Qt::Key_F10), &window);
    menuKey->setObjectName(QStringLiteral("MenuBarKey"));
    QMenu* first = menus.mnuFile;
    QObject::connect(menuKey, &QShortcut::activated, &window,
                     [&window, first] { window.menuBar()->setActiveAction(first->menuAction()); });

    // The menus' letters from any keyboard layout.
    new MnemonicKeys(window);

    // Opening a menu refreshes it first.
    QObject::connect(menus.mnuFile, &QMenu::aboutToShow, &window, &FrmMain::mnuFile_Click);
    QObject::connect(menus.mnuWork, &QMenu::aboutToShow, &window, &FrmMain::mnuWork_Click);
    QObject::connect(menus.mnuView, &QMenu::aboutToShow, &window, &FrmMain::mnuView_Click);
    return menus;
}

} // namespace quillet
