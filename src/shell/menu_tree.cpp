// The main window's menu tree: one table, read top to bottom, gives every item's
// name, caption, shortcut and starting check mark, and the handler it runs.
// A caption's '&' marks its keyboard mnemonic (Alt+letter in the menu bar, the
// letter alone in an open menu); the letters differ within each menu.

#include "shell/frmmain.h"

#include <QAction>
#include <QMenu>
#include <QMenuBar>
#include <QShortcut>

namespace quillet {

namespace {

enum class Kind { Menu, Popup, Item, Check, Separator };

struct MenuEntry {
    int depth; // 0 top-level menu, 1 its item, 2 an item of a submenu
    Kind kind;
    const char* name;
    const char* caption;
    const char* shortcut;
    bool checked;
    QMenu* FrmMain::*menu;
    QAction* FrmMain::*action;
    void (FrmMain::*handler)();
};

using F = FrmMain;
constexpr Kind M = Kind::Menu, P = Kind::Popup, I = Kind::Item, C = Kind::Check,
               S = Kind::Separator;

// clang-format off
const MenuEntry menuTree[] = {
    {0, M, "mnuFile", "&Файл", "", false, &F::mnuFile, nullptr, nullptr},
    {1, I, "mnuNew", "&Создать", "Ctrl+N", false, nullptr, &F::mnuNew, &F::mnuNew_Click},
    {1, I, "mnuOpen", "&Открыть...", "Ctrl+O", false, nullptr, &F::mnuOpen, &F::mnuOpen_Click},
    {1, I, "mnuSave", "Со&хранить", "Ctrl+S", false, nullptr, &F::mnuSave, &F::mnuSave_Click},
    {1, I, "mnuSaveAs", "Сохранить &как...", "", false, nullptr, &F::mnuSaveAs, &F::mnuSaveAs_Click},
    {1, S, "Line1", "-", "", false, nullptr, nullptr, nullptr},
    {1, C, "mnuLimFileType", "&Фильтр типов файлов", "", true, nullptr, &F::mnuLimFileType, &F::mnuLimFileType_Click},
    {1, C, "mnuLenEn", "Проверка &размера", "", true, nullptr, &F::mnuLenEn, &F::mnuLenEn_Click},
    {1, S, "Line21", "-", "", false, nullptr, nullptr, nullptr},
    {1, M, "mnuCodeSel", "Открывать &в кодировке", "", false, &F::mnuCodeSel, nullptr, nullptr},
    {2, C, "mnuCodeWin", "Текст (&Windows)", "", true, nullptr, &F::mnuCodeWin, &F::mnuCodeWin_Click},
    {2, C, "mnuCodeDos", "Текст (&DOS)", "", false, nullptr, &F::mnuCodeDos, &F::mnuCodeDos_Click},
    {2, C, "mnuCodeKoi", "Текст (&KOI)", "", false, nullptr, &F::mnuCodeKoi, &F::mnuCodeKoi_Click},
    {2, S, "Line23", "-", "", false, nullptr, nullptr, nullptr},
    {2, C, "mnuSetChars", "&Подключать кириллицу", "", true, nullptr, &F::mnuSetChars, &F::mnuSetChars_Click},
    {1, S, "Line3", "-", "", false, nullptr, nullptr, nullptr},
    {1, I, "mnuPrint", "Пе&чать", "Ctrl+P", false, nullptr, &F::mnuPrint, &F::mnuPrint_Click},
    {1, S, "Line4", "-", "", false, nullptr, nullptr, nullptr},
    {1, M, "mnuRecentWin", "Последний &документ", "", false, &F::mnuRecentWin, nullptr, nullptr},
    {2, I, "mnuRecent", "", "", false, nullptr, &F::mnuRecent, &F::mnuRecent_Click},
    {1, S, "Line10", "-", "", false, nullptr, nullptr, nullptr},
    {1, I, "mnuExit", "В&ыход", "", false, nullptr, &F::mnuExit, &F::mnuExit_Click},

    {0, M, "mnuWork", "&Правка", "", false, &F::mnuWork, nullptr, nullptr},
    {1, I, "mnuUndo", "&Отменить", "Ctrl+Z", false, nullptr, &F::mnuUndo, &F::mnuUndo_Click},
    {1, S, "Line19", "-", "", false, nullptr, nullptr, nullptr},
    {1, I, "mnuCaps", "Все &прописные", "F1", false, nullptr, &F::mnuCaps, &F::mnuCaps_Click},
    {1, I, "mnuAllL", "Все &строчные", "F2", false, nullptr, &F::mnuAllL, &F::mnuAllL_Click},
    {1, S, "Line8", "-", "", false, nullptr, nullptr, nullptr},
    {1, I, "mnuCut", "Вы&резать", "Ctrl+X", false, nullptr, &F::mnuCut, &F::mnuCut_Click},
    {1, I, "mnuCopy", "&Копировать", "Ctrl+C", false, nullptr, &F::mnuCopy, &F::mnuCopy_Click},
    {1, I, "mnuPaste", "&Вставить", "Ctrl+V", false, nullptr, &F::mnuPaste, &F::mnuPaste_Click},
    {1, I, "mnuDelete", "&Удалить", "Del", false, nullptr, &F::mnuDelete, &F::mnuDelete_Click},
    {1, S, "Line7", "-", "", false, nullptr, nullptr, nullptr},
    {1, I, "mnuFind", "&Найти...", "Ctrl+F", false, nullptr, &F::mnuFind, &F::mnuFind_Click},
    {1, I, "mnuFindNext", "Найти &далее...", "F3", false, nullptr, &F::mnuFindNext, &F::mnuFindNext_Click},
    {1, I, "mnuRepl", "&Заменить...", "Ctrl+H", false, nullptr, &F::mnuRepl, &F::mnuRepl_Click},
    {1, I, "mnuGoTo", "П&ерейти...", "Ctrl+G", false, nullptr, &F::mnuGoTo, &F::mnuGoTo_Click},
    {1, S, "Line11", "-", "", false, nullptr, nullptr, nullptr},
    {1, I, "mnuSelAll", "В&ыделить всё", "Ctrl+A", false, nullptr, &F::mnuSelAll, &F::mnuSelAll_Click},
    {1, I, "mnuTimeDate", "Вре&мя и дата", "F5", false, nullptr, &F::mnuTimeDate, &F::mnuTimeDate_Click},

    {0, M, "mnuView", "&Вид", "", false, &F::mnuView, nullptr, nullptr},
    {1, I, "mnuWind", "&Восстановить окно", "Ctrl+W", false, nullptr, &F::mnuWind, &F::mnuWind_Click},
    {1, S, "Line5", "-", "", false, nullptr, nullptr, nullptr},
    {1, C, "mnuTransparent", "&Полупрозрачность", "F4", false, nullptr, &F::mnuTransparent, &F::mnuTransparent_Click},
    {1, M, "mnuTransSettings", "&Дополнительно", "", false, &F::mnuTransSettings, nullptr, nullptr},
    {2, C, "mnuGetMouse", "&Следить за курсором", "", false, nullptr, &F::mnuGetMouse, &F::mnuGetMouse_Click},
    {1, S, "Line22", "-", "", false, nullptr, nullptr, nullptr},
    {1, C, "mnuToolBar", "Панель &инструментов", "Ctrl+T", true, nullptr, &F::mnuToolBar, &F::mnuToolBar_Click},
    {1, C, "mnuStatusBar", "Панель &состояния", "Ctrl+I", true, nullptr, &F::mnuStatusBar, &F::mnuStatusBar_Click},
    {1, M, "mnuToolSettings", "Дополни&тельно", "", false, &F::mnuToolSettings, nullptr, nullptr},
    {2, C, "mnuTextInf", "&Отображать информацию", "", true, nullptr, &F::mnuTextInf, &F::mnuTextInf_Click},
    {2, C, "mnuNoToolTip", "&Скрывать информацию", "", false, nullptr, &F::mnuNoToolTip, &F::mnuNoToolTip_Click},
    {1, S, "Line12", "-", "", false, nullptr, nullptr, nullptr},
    {1, C, "mnuON_OFF", "Стандартное &меню", "Ctrl+M", false, nullptr, &F::mnuON_OFF, &F::mnuON_OFF_Click},
    {1, S, "Line15", "-", "", false, nullptr, nullptr, nullptr},
    {1, C, "mnuPromptChanges", "Спрашивать о &настройках", "Ctrl+U", true, nullptr, &F::mnuPromptChanges, &F::mnuPromptChanges_Click},

    {0, M, "mnuFormat", "Фо&рмат", "", false, &F::mnuFormat, nullptr, nullptr},
    {1, M, "mnuBackColor", "&Заливка", "", false, &F::mnuBackColor, nullptr, nullptr},
    {2, I, "mnuColor", "&Цвет...", "", false, nullptr, &F::mnuColor, &F::mnuColor_Click},
    {2, S, "Line2", "-", "", false, nullptr, nullptr, nullptr},
    {2, I, "MnuDefColor", "По &умолчанию (Белая)", "", false, nullptr, &F::MnuDefColor, &F::MnuDefColor_Click},
    {1, S, "Line6", "-", "", false, nullptr, nullptr, nullptr},
    {1, C, "mnuBold", "&Жирный", "", false, nullptr, &F::mnuBold, &F::mnuBold_Click},
    {1, C, "mnuItal", "&Курсив", "", false, nullptr, &F::mnuItal, &F::mnuItal_Click},
    {1, C, "mnuLine", "&Подчёркнутый", "", false, nullptr, &F::mnuLine, &F::mnuLine_Click},
    {1, S, "Line9", "-", "", false, nullptr, nullptr, nullptr},
    {1, I, "mnuFont", "&Шрифт...", "", false, nullptr, &F::mnuFont, &F::mnuFont_Click},

    {0, M, "mnuHelp", "&Справка", "", false, &F::mnuHelp, nullptr, nullptr},
    {1, I, "mnuAbout", "&О программе", "", false, nullptr, &F::mnuAbout, &F::mnuAbout_Click},

    // Context menus: never in the menu bar; every item runs its main-menu twin.
    {0, P, "mnuPopUp", "TBPopUp", "", false, &F::mnuPopUp, nullptr, nullptr},
    {1, I, "mnuPt", "Пе&чать", "", false, nullptr, &F::mnuPt, &F::mnuPrint_Click},
    {1, S, "Line17", "-", "", false, nullptr, nullptr, nullptr},
    {1, I, "mnuF", "&Шрифт...", "", false, nullptr, &F::mnuF, &F::mnuFont_Click},
    {1, S, "Line20", "-", "", false, nullptr, nullptr, nullptr},
    {1, I, "mnuU", "&Отменить", "", false, nullptr, &F::mnuU, &F::mnuUndo_Click},
    {1, S, "Line16", "-", "", false, nullptr, nullptr, nullptr},
    {1, I, "mnuAU", "Все &прописные", "", false, nullptr, &F::mnuAU, &F::mnuCaps_Click},
    {1, I, "mnuAL", "Все &строчные", "", false, nullptr, &F::mnuAL, &F::mnuAllL_Click},
    {1, S, "Line13", "-", "", false, nullptr, nullptr, nullptr},
    {1, I, "mnuCt", "Вы&резать", "", false, nullptr, &F::mnuCt, &F::mnuCut_Click},
    {1, I, "mnuCy", "&Копировать", "", false, nullptr, &F::mnuCy, &F::mnuCopy_Click},
    {1, I, "mnuP", "&Вставить", "", false, nullptr, &F::mnuP, &F::mnuPaste_Click},
    {1, I, "mnuD", "&Удалить", "", false, nullptr, &F::mnuD, &F::mnuDelete_Click},
    {1, S, "Line18", "-", "", false, nullptr, nullptr, nullptr},
    {1, I, "mnuFD", "&Найти...", "", false, nullptr, &F::mnuFD, &F::mnuFind_Click},
    {1, I, "mnuFDN", "Найти &далее...", "", false, nullptr, &F::mnuFDN, &F::mnuFindNext_Click},
    {1, S, "Line14", "-", "", false, nullptr, nullptr, nullptr},
    {1, I, "mnuSA", "В&ыделить всё", "", false, nullptr, &F::mnuSA, &F::mnuSelAll_Click},

    {0, P, "mnuPopUp2", "TBPopUp2", "", false, &F::mnuPopUp2, nullptr, nullptr},
    {1, I, "mnuGT", "П&ерейти...", "", false, nullptr, &F::mnuGT, &F::mnuGoTo_Click},
};
// clang-format on

} // namespace

void FrmMain::buildMenus() {
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
            QMenu* menu = e.kind == Kind::Popup ? new QMenu(caption, this)
                          : parent              ? parent->addMenu(caption)
                                                : menuBar()->addMenu(caption);
            menu->setObjectName(name);
            menu->menuAction()->setObjectName(name);
            this->*(e.menu) = menu;
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
                action->setShortcut(QKeySequence(QString::fromLatin1(e.shortcut)));
            if (e.kind == Kind::Check) {
                action->setCheckable(true);
                action->setChecked(e.checked);
            }
            this->*(e.action) = action;
            const auto handler = e.handler;
            connect(action, &QAction::triggered, this, [this, action, handler] {
                // The handlers own the check mark ("invert the check"): undo the
                // toolkit's own toggle before running them.
                if (action->isCheckable())
                    action->setChecked(!action->isChecked());
                (this->*handler)();
            });
            break;
        }
        }
    }

    // Context menus exist only as pop-ups: their own entries stay hidden.
    mnuPopUp->menuAction()->setVisible(false);
    mnuPopUp2->menuAction()->setVisible(false);

    // F10 opens the menu bar at its first menu, as desktop programs do; from there
    // the arrow keys and the mnemonics lead on.
    auto* menuKey = new QShortcut(QKeySequence(Qt::Key_F10), this);
    menuKey->setObjectName(QStringLiteral("MenuBarKey"));
    connect(menuKey, &QShortcut::activated, this,
            [this] { menuBar()->setActiveAction(mnuFile->menuAction()); });

    // Opening a menu refreshes it first.
    connect(mnuFile, &QMenu::aboutToShow, this, &FrmMain::mnuFile_Click);
    connect(mnuWork, &QMenu::aboutToShow, this, &FrmMain::mnuWork_Click);
    connect(mnuView, &QMenu::aboutToShow, this, &FrmMain::mnuView_Click);
}

} // namespace quillet
