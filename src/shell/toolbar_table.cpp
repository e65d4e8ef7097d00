#include "shell/toolbar_table.h"

#include "shell/frmmain.h"
#include "view/toolbar_images.h"

#include <QAction>
#include <QToolBar>

namespace quillet {

namespace {

using Command = void (*)(FrmMain&);
using Offered = std::optional<bool> (*)(const Availability&);

constexpr ToolbarEntry button(const char* key, int picture, Command command,
                              const char* description, const char* heldText,
                              Offered offered = nullptr) {
    return {key, picture, command, description, heldText, offered};
}

constexpr ToolbarEntry separator(const char* key) {
    return {key, 0, nullptr, "", "", nullptr};
}

// The alignment buttons: the code (0 left, 1 right, 2 centre) becomes the
// document's alignment, a changed view option.
template <std::int32_t Code> void alignTo(FrmMain& w) {
    w.options().TextAlign = Code;
    w.options().UserChangeOptions = true;
    w.SetAlignment();
}

// Copy all: the whole text is selected and copied, and stays selected.
void copyAll(FrmMain& w) {
    w.mnuSelAll_Click();
    w.mnuCopy_Click();
}

std::optional<bool> withSelection(const Availability& a) {
    return a.selection;
}
std::optional<bool> withClipboardText(const Availability& a) {
    return a.paste;
}
std::optional<bool> whenFindWorks(const Availability& a) {
    return a.find;
}
std::optional<bool> withText(const Availability& a) {
    return a.goTo;
}

// clang-format off
constexpr ToolbarEntry entries[] = {
    button("NewBtn", 1, [](FrmMain& w) { w.mnuNew_Click(); },
           "Создать", "Создание нового документа"),
    button("OpenBtn", 2, [](FrmMain& w) { w.mnuOpen_Click(); },
           "Открыть", "Открытие существующего документа"),
    button("SaveBtn", 3, [](FrmMain& w) { w.mnuSave_Click(); },
           "Сохранить", "Сохранение активного документа"),
    separator("Space1"),
    button("PrintBtn", 4, [](FrmMain& w) { w.mnuPrint_Click(); },
           "Печать", "Печать активного документа"),
    separator("Space2"),
    button("CutBtn", 5, [](FrmMain& w) { w.mnuCut_Click(); },
           "Вырезать", "Удаление выделенного фрагмента в буфер обмена", withSelection),
    button("CopyBtn", 6, [](FrmMain& w) { w.mnuCopy_Click(); },
           "Копировать", "Копирование выделенного фрагмента в буфер обмена", withSelection),
    button("PasteBtn", 7, [](FrmMain& w) { w.mnuPaste_Click(); },
           "Вставить", "Вставка в документ содержимого буфера обмена", withClipboardText),
    separator("Space3"),
    button("FindBtn", 8, [](FrmMain& w) { w.mnuFind_Click(); },
           "Найти", "Поиск указанного образца текста", whenFindWorks),
    separator("Space4"),
    button("CopyAllBtn", 9, copyAll,
           "Копировать всё", "Копирование всего документа в буфер обмена", withText),
    separator("Space5"),
    button("LeftBtn", 10, alignTo<0>,
           "По левому краю", "Выравнивание текста по левому краю"),
    button("CenterBtn", 11, alignTo<2>,
           "По центру", "Выравнивание текста по центру"),
    button("RightBtn", 12, alignTo<1>,
           "По правому краю", "Выравнивание текста по правому краю"),
};
// clang-format on

} // namespace

std::span<const ToolbarEntry> toolbarTable() {
    return entries;
}

const ToolbarEntry* findToolbarEntry(QStringView key) {
    for (const ToolbarEntry& e : entries) {
        if (key == QLatin1String(e.key))
            return &e;
    }
    return nullptr;
}

void FrmMain::buildToolbar() {
    ImageList1 = makeToolbarImages();
    // A toolbar is announced by its title.
    Toolbar1 = addToolBar(QStringLiteral("Панель инструментов"));
    Toolbar1->setObjectName(QStringLiteral("Toolbar1"));
    Toolbar1->setAccessibleName(Toolbar1->windowTitle());
    Toolbar1->setMovable(false);
    Toolbar1->setFloatable(false);
    Toolbar1->setIconSize(QSize(16, 16));
    Toolbar1->toggleViewAction()->setVisible(false);
    setContextMenuPolicy(Qt::NoContextMenu);

    for (const ToolbarEntry& e : entries) {
        const QString key = QString::fromLatin1(e.key);
        const QString description = QString::fromUtf8(e.description);
        QAction* action = nullptr;
        if (e.separator()) {
            action = Toolbar1->addSeparator();
        } else {
            action = Toolbar1->addAction(ImageList1.at(e.picture - 1), description);
            action->setToolTip(description);
            connect(action, &QAction::triggered, this, [this, key] { Toolbar1_ButtonClick(key); });
        }
        action->setObjectName(key);
        action->setProperty("description", description);
        if (QWidget* w = Toolbar1->widgetForAction(action))
            w->setObjectName(key);
    }
}

} // namespace quillet
