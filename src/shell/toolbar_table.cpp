#include "shell/toolbar_table.h"

#include "shell/frmmain.h"
#include "view/toolbar_images.h"

#include <QAction>
#include <QToolBar>
#include <QToolButton>

namespace quillet {

namespace {

using Command = void (*)(FrmMain&);

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
           "Вырезать", "Удаление выделенного фрагмента в буфер обмена", when<&Availability::selection>),
    button("CopyBtn", 6, [](FrmMain& w) { w.mnuCopy_Click(); },
           "Копировать", "Копирование выделенного фрагмента в буфер обмена", when<&Availability::selection>),
    button("PasteBtn", 7, [](FrmMain& w) { w.mnuPaste_Click(); },
           "Вставить", "Вставка в документ содержимого буфера обмена", when<&Availability::paste>),
    separator("Space3"),
    button("FindBtn", 8, [](FrmMain& w) { w.mnuFind_Click(); },
           "Найти", "Поиск указанного образца текста", when<&Availability::find>),
    separator("Space4"),
    button("CopyAllBtn", 9, copyAll,
           "Копировать всё", "Копирование всего документа в буфер обмена", when<&Availability::goTo>),
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

QToolBar* BuildToolbar(FrmMain& window, const QVector<QIcon>& images) {
    // A toolbar is announced by its title.
    QToolBar* toolbar = window.addToolBar(QStringLiteral("Панель инструментов"));
    toolbar->setObjectName(QStringLiteral("Toolbar1"));
    toolbar->setAccessibleName(toolbar->windowTitle());
    toolbar->setMovable(false);
    toolbar->setFloatable(false);
    toolbar->setIconSize(QSize(16, 16));
    toolbar->toggleViewAction()->setVisible(false);

    for (const ToolbarEntry& e : entries) {
        const QString key = QString::fromLatin1(e.key);
        const QString description = QString::fromUtf8(e.description);
        QAction* action = nullptr;
        if (e.separator()) {
            action = toolbar->addSeparator();
        } else {
            action = toolbar->addAction(images.at(e.picture - 1), description);
            action->setToolTip(description);
            QObject::connect(action, &QAction::triggered, &window,
                             [&window, key] { window.Toolbar1_ButtonClick(key); });
        }
        action->setObjectName(key);
        action->setProperty("description", description);
        if (QWidget* w = toolbar->widgetForAction(action))
            w->setObjectName(key);
    }
    return toolbar;
}

QAction* toolbarEntry(const QToolBar& toolbar, const QString& key) {
    const QList<QAction*> actions = toolbar.actions();
    for (QAction* a : actions) {
        if (a->objectName() == key)
            return a;
    }
    return nullptr;
}

QToolButton* toolbarButton(const QToolBar& toolbar, const QString& key) {
    QAction* action = toolbarEntry(toolbar, key);
    return action ? qobject_cast<QToolButton*>(toolbar.widgetForAction(action)) : nullptr;
}

} // namespace quillet
