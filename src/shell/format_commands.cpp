// The Format menu: the editor's one font (the font dialog and the three quick
// styles), its background colour, and the paragraph alignment.

#include "editing/textblock.h"
#include "format/format_rules.h"
#include "shell/frmmain.h"
#include "shell/toolbar_table.h"
#include "view/transparent_window.h"

#include <QAction>
#include <QToolBar>
#include <QVariant>

namespace quillet {

void FrmMain::LoadFontDialogFromEditor() {
    CMD = fontChoiceOf(TextBlock->chosenFont(), TextBlock->textColor());
}

void FrmMain::mnuFont_Click() {
    LoadFontDialogFromEditor();
    const std::optional<FontChoice> chosen = platform_.fontDialog(CMD, this);
    if (!chosen)
        return; // cancelled: nothing changes
    CMD = *chosen;

    // A value the editor cannot take (no name, no size, no colour) keeps what the
    // editor has; everything else applies.
    TextBlock->setChosenFont(fontAfterChoice(TextBlock->chosenFont(), CMD));
    if (CMD.color.isValid())
        TextBlock->setTextColor(CMD.color);

    opts.Bold = CMD.bold;
    opts.Italic = CMD.italic;
    opts.Underline = CMD.underline;
    ShowOptionsInMenus();
    ArrangeWindow();
    opts.UserChangeOptions = true;
}

void FrmMain::mnuBold_Click() {
    ToggleLayoutOption(*this, &Options::Bold);
}

void FrmMain::mnuItal_Click() {
    ToggleLayoutOption(*this, &Options::Italic);
}

void FrmMain::mnuLine_Click() {
    ToggleLayoutOption(*this, &Options::Underline);
}

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
        QAction* action = toolbarEntry(*Toolbar1, QString::fromLatin1(key));
        if (action == nullptr || picture > ImageList1.size())
            continue;
        action->setIcon(ImageList1.at(picture - 1));
        action->setProperty("picture", picture);
    }

    transparency_->HookEditControl();
}

} // namespace quillet
