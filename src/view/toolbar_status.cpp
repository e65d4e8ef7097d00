#include "shell/frmmain.h"

#include "view/edit_hook.h"

#include <QAction>
#include <QMenu>
#include <QToolBar>
#include <QToolButton>

namespace quillet {

namespace {

struct StatusEntry {
    const char* key;
    const char* text;
};

// The buttons whose pressed state the status bar describes, in the order they
// are examined: the first one held down gives the text.
const StatusEntry statusEntries[] = {
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

const QString ReadyText = QStringLiteral("Готово");

} // namespace

void FrmMain::TMR1_Timer() {
    UpdateStatusInfo();
    UpdateToolbarButtons();
    FollowCursor();
}

void FrmMain::writeToolTip(QWidget* widget, const QString& text) {
    // Writing only a differing value keeps the tick from re-announcing an
    // unchanged tooltip sixty times a second.
    if (widget && widget->toolTip() != text)
        widget->setToolTip(text);
}

void FrmMain::gatherToolbarSlots() {
    const QList<QAction*> entries = toolbarEntries();
    for (QAction* entry : entries) {
        ToolbarSlot slot{Toolbar1->widgetForAction(entry),
                         entry->property("description").toString()};
        toolbarSlots_.append(slot);
        // The toolbar puts the entry's own tooltip back on its button whenever
        // the entry changes (its availability, its picture): keep hidden ones
        // hidden.
        QWidget* widget = slot.widget;
        connect(entry, &QAction::changed, this, [this, widget] {
            if (toolTipsHidden_)
                writeToolTip(widget, QString());
        });
    }
    for (const StatusEntry& e : statusEntries) {
        if (QToolButton* button = toolbarButton(QString::fromLatin1(e.key)))
            statusSlots_.append({button, QString::fromUtf8(e.text)});
    }
}

void FrmMain::UpdateStatusInfo() {
    if (toolbarSlots_.isEmpty())
        gatherToolbarSlots();
    if (mnuTextInf->isChecked()) {
        toolTipsHidden_ = false;
        for (const ToolbarSlot& slot : std::as_const(toolbarSlots_))
            writeToolTip(slot.widget, slot.description);

        const QString* text = &ReadyText;
        for (const StatusSlot& slot : std::as_const(statusSlots_)) {
            if (slot.button->isDown()) {
                text = &slot.text;
                break;
            }
        }
        setStatusText(*text);
    } else if (mnuNoToolTip->isChecked()) {
        setStatusText(ReadyText);
        toolTipsHidden_ = true;
        for (const ToolbarSlot& slot : std::as_const(toolbarSlots_))
            writeToolTip(slot.widget, QString());
    }
    // Neither mark checked: the tooltips and the status text stay as they are.
}

void FrmMain::Toolbar1_ButtonClick(const QString& key) {
    auto align = [this](std::int32_t code) {
        TextAlign = code;
        UserChangeOptions = true;
        SetAlignment();
    };
    if (key == QLatin1String("NewBtn"))
        mnuNew_Click();
    else if (key == QLatin1String("OpenBtn"))
        mnuOpen_Click();
    else if (key == QLatin1String("SaveBtn"))
        mnuSave_Click();
    else if (key == QLatin1String("PrintBtn"))
        mnuPrint_Click();
    else if (key == QLatin1String("CutBtn"))
        mnuCut_Click();
    else if (key == QLatin1String("CopyBtn"))
        mnuCopy_Click();
    else if (key == QLatin1String("PasteBtn"))
        mnuPaste_Click();
    else if (key == QLatin1String("FindBtn"))
        mnuFind_Click();
    else if (key == QLatin1String("CopyAllBtn")) {
        mnuSelAll_Click();
        mnuCopy_Click();
    } else if (key == QLatin1String("LeftBtn"))
        align(0);
    else if (key == QLatin1String("CenterBtn"))
        align(2);
    else if (key == QLatin1String("RightBtn"))
        align(1);
    // Separators and unknown keys do nothing.
}

void FrmMain::mnuToolBar_Click() {
    ToggleLayoutOption(mnuToolBar);
}

void FrmMain::mnuStatusBar_Click() {
    ToggleLayoutOption(mnuStatusBar);
}

void FrmMain::mnuTextInf_Click() {
    mnuTextInf->setChecked(true);
    mnuNoToolTip->setChecked(false);
    UserChangeOptions = true;
}

void FrmMain::mnuNoToolTip_Click() {
    mnuNoToolTip->setChecked(true);
    mnuTextInf->setChecked(false);
    UserChangeOptions = true;
}

void FrmMain::mnuON_OFF_Click() {
    mnuON_OFF->setChecked(!mnuON_OFF->isChecked());
    UserChangeOptions = true;
}

void FrmMain::TextBlock_MouseDown(int button) {
    // With the standard menu chosen the editor shows its own context menu
    // (TextBlock asks mnuON_OFF on every request) and the program shows none.
    if (mnuON_OFF->isChecked())
        return;
    QMenu* menu = nullptr;
    if (button == 2) {
        sendMousePress(this, Qt::RightButton);
        menu = mnuPopUp;
    } else if (button == 4) {
        sendMousePress(this, Qt::MiddleButton);
        menu = mnuPopUp2;
    } else {
        return;
    }
    UpdatePopupMenu();
    // popup() returns at once; the menu runs its commands when an item is chosen.
    menu->popup(platform().cursorPos());
}

} // namespace quillet
