#include "shell/frmmain.h"

namespace quillet {

// Placeholders: these operations are built by the open issue for this folder.
void FrmMain::LoadFontDialogFromEditor() {}
void FrmMain::mnuFont_Click() {}
void FrmMain::mnuBold_Click() {}
void FrmMain::mnuItal_Click() {}
void FrmMain::mnuLine_Click() {}
void FrmMain::mnuSetChars_Click() {}
void FrmMain::InitRtfText() {
    // A plain copy: positions found in it are positions in the editor.
    RTFBlock.text = TextBlock->text();
    RTFBlock.selStart = 0;
    RTFBlock.selLength = static_cast<int>(RTFBlock.text.size());
    RTFBlock.alignment = 0;
    RTFBlock.font = QFont(QStringLiteral("MS Sans Serif"));
    RTFBlock.font.setPointSizeF(8.25);
}

} // namespace quillet
