// The editor's one font: the font dialog, the three quick styles and the
// Cyrillic option, plus the plain working copy Find and Replace search in.

#include "format/format_rules.h"
#include "shell/frmmain.h"

#include <QAction>

namespace quillet {

void FrmMain::LoadFontDialogFromEditor() {
    CMD = fontChoiceOf(TextBlock->chosenFont(), TextBlock->textColor());
}

void FrmMain::mnuFont_Click() {
    LoadFontDialogFromEditor();
    const std::optional<FontChoice> chosen = platform().fontDialog(CMD, this);
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
    ToggleLayoutOption(&Options::Bold);
}

void FrmMain::mnuItal_Click() {
    ToggleLayoutOption(&Options::Italic);
}

void FrmMain::mnuLine_Click() {
    ToggleLayoutOption(&Options::Underline);
}

void FrmMain::mnuSetChars_Click() {
    // Takes effect when the next file is opened.
    opts.toggle(&Options::SetChars);
    ShowOptionsInMenus();
}

void FrmMain::InitRtfText() {
    // A plain copy: positions found in it are positions in the editor.
    RTFBlock.text = TextBlock->text();
    RTFBlock.selStart = 0;
    RTFBlock.selLength = static_cast<int>(RTFBlock.text.size());
    RTFBlock.alignment = 0;
    QFont font(QStringLiteral("MS Sans Serif"));
    font.setPointSizeF(8.25);
    font.setBold(false);
    font.setItalic(false);
    font.setUnderline(false);
    font.setStrikeOut(false);
    RTFBlock.font = font;
}

const QString& FrmMain::searchableText() {
    InitRtfText();
    return RTFBlock.text;
}

} // namespace quillet
