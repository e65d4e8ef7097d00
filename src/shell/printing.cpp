#include "documents/print_document.h"
#include "platform/failure.h"
#include "shell/frmmain.h"

#include <QTextDocument>

namespace quillet {

void FrmMain::PreparePrintCopy() {
    RTFBlock.text = TextBlock->text();
    RTFBlock.selStart = 0;
    RTFBlock.selLength = static_cast<int>(RTFBlock.text.size());
    RTFBlock.alignment = TextBlock->alignmentCode();
    // The font as the editor shows it, so the pages look like the screen: its
    // face, size in points, bold, italic, underline and strikethrough; the
    // character set is kept beside it.
    RTFBlock.font = TextBlock->font();
    RTFBlock.charSet = TextBlock->fontCharSet();
    RTFBlock.backColor = TextBlock->backColor();
    RTFBlock.textColor = TextBlock->textColor();
}

void FrmMain::mnuPrint_Click() {
    const std::optional<Failure> failure = trapFailure([this] {
        PreparePrintCopy();
        QTextDocument document;
        fillPrintDocument(RTFBlock, document);
        platform_.print(document);
    });
    if (!failure)
        return;
    SaveDebug(failure->description(), failure->number(), QStringLiteral("FrmMain"));
    platform_.messageBox({printFailureMessage(failure->number()), ProgramName, MsgIcon::Exclamation,
                          MsgButtons::Ok, answer::Ok},
                         this);
}

} // namespace quillet
