#include "documents/document_name.h"
#include "shell/frmmain.h"

namespace quillet {

void FrmMain::UpdateDocumentName() {
    const DocumentName name = documentDisplayName(doc.CommonFileName, doc.NewDoc, opts.LimType);
    doc.FileNameOnly = name.display;
}

} // namespace quillet
