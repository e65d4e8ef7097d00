// Printing: the whole text, with the editor's font, colours and alignment, as
// one job on the default printer.

#include "session/document_session.h"

#include "documents/print_document.h"
#include "editing/textblock.h"
#include "platform/failure.h"
#include "platform/platform.h"
#include "platform/program_constants.h"

#include <QTextDocument>

namespace quillet {

WorkingCopy DocumentSession::PreparePrintCopy() const {
    WorkingCopy copy;
    copy.text = editor_.text();
    copy.selStart = 0;
    copy.selLength = static_cast<int>(copy.text.size());
    copy.alignment = editor_.alignmentCode();
    // The font as the editor shows it, so the pages look like the screen: its
    // face, size in points, bold, italic, underline and strikethrough; the
    // character set is kept beside it.
    copy.font = editor_.shownFont();
    copy.charSet = editor_.fontCharSet();
    copy.backColor = editor_.backColor();
    copy.textColor = editor_.textColor();
    return copy;
}

void DocumentSession::Print() {
    const std::optional<Failure> failure = trapFailure([this] {
        QTextDocument document;
        fillPrintDocument(PreparePrintCopy(), document);
        platform_.print(document);
    });
    if (!failure)
        return;
    failures_.record(*failure, MainFormName);
    platform_.messageBox({printFailureMessage(failure->number()), ProgramName, MsgIcon::Exclamation,
                          MsgButtons::Ok, answer::Ok},
                         owner_);
}

} // namespace quillet
