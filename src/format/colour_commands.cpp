#include "shell/frmmain.h"

#include <QAction>
#include <QVariant>

namespace quillet {

void FrmMain::mnuColor_Click() {
    // Cancel, like any failure of the dialog, ends here without a change.
    const std::optional<QColor> chosen = platform_.colorDialog(TextBlock->backColor(), this);
    if (!chosen || !chosen->isValid())
        return;
    // The background is a plain colour: no transparency.
    TextBlock->setBackColor(QColor(chosen->rgb()));
    opts.UserChangeOptions = true;
}

void FrmMain::MnuDefColor_Click() {
    TextBlock->setBackColor(QColor(255, 255, 255));
    opts.UserChangeOptions = true;
}

void FrmMain::SetAlignment() {
    if (!Options::isAlignment(opts.TextAlign))
        return;
    TextBlock->setAlignmentCode(opts.TextAlign);

    // The active alignment's button shows its highlighted picture (13, 14, 15),
    // the others their plain one (10, 11, 12).
    struct Pictures {
        int left, centre, right;
    };
    static constexpr Pictures byAlignment[] = {{13, 11, 12}, {10, 11, 15}, {10, 14, 12}};
    const Pictures& p = byAlignment[opts.TextAlign];
    const std::pair<const char*, int> buttons[] = {
        {"LeftBtn", p.left}, {"CenterBtn", p.centre}, {"RightBtn", p.right}};
    for (const auto& [key, picture] : buttons) {
        QAction* action = toolbarEntry(QString::fromLatin1(key));
        if (action == nullptr || picture > ImageList1.size())
            continue;
        action->setIcon(ImageList1.at(picture - 1));
        action->setProperty("picture", picture);
    }

    HookEditControl();
}

} // namespace quillet
