#include "documents/print_document.h"
#include "platform/failure.h"
#include "shell/frmmain.h"

#include <QTextDocument>

#include <new>

namespace quillet {

void FrmMain::PreparePrintCopy() {
    RTFBlock.text = TextBlock->text();
    RTFBlock.selStart = 0;
    RTFBlock.selLength = static_cast<int>(RTFBlock.text.size());
    RTFBlock.alignment = TextBlock->alignmentCode();
    // The editor's font carries its name, size in points, bold, italic, underline
    // and strikethrough; the character set is kept beside it.
    RTFBlock.font = TextBlock->font();
    RTFBlock.charSet = TextBlock->fontCharSet();
    RTFBlock.backColor = TextBlock->backColor();
    RTFBlock.textColor = TextBlock->textColor();
}

void FrmMain::mnuPrint_Click() {
    int number = 0;
    QString description;
    try {
        PreparePrintCopy();
        QTextDocument document;
        fillPrintDocument(RTFBlock, document);
        platform_.print(document);
        return;
    } catch (const Failure& failure) {
        number = failure.number();
        description = failure.description();
    } catch (const std::bad_alloc&) {
        number = 7;
        description = QStringLiteral("Out of memory");
    } catch (const std::exception& e) {
        number = 51;
        description = QString::fromLocal8Bit(e.what());
    }
    SaveDebug(description, number, QStringLiteral("FrmMain"));
    platform_.messageBox({printFailureMessage(number), ProgramName, MsgIcon::Exclamation,
                          MsgButtons::Ok, answer::Ok},
                         this);
}

} // namespace quillet
