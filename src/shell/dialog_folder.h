#pragma once

#include <QString>

namespace quillet {

// The folder the Open and Save As dialogs start in: the current document's
// folder when the document has a file; for an untitled document the folder of
// the recent document, if there is one; otherwise the home folder.
QString DialogStartFolder(bool untitled, const QString& documentPath, const QString& recentPath,
                          const QString& home);

} // namespace quillet
