#include "format/format_rules.h"
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

    // The active alignment's button shows its highlighted picture.
    const AlignmentPictures p = alignmentPictures(opts.TextAlign);
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
