#include "documents/document_name.h"
#include "shell/frmmain.h"

namespace quillet {

void FrmMain::UpdateDocumentName() {
    const DocumentName name = documentDisplayName(CommonFileName, NewDoc, LimType);
    FileNameOnly = name.display;
    if (name.knownType)
        FormatSup = *name.knownType;
}

} // namespace quillet
