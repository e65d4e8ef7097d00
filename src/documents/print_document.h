#pragma once

// The printed form of the document: the working copy turned into a rich-text
// document with the editor's font, colours and alignment on every paragraph.

#include "documents/working_copy.h"

#include <QString>

class QTextDocument;

namespace quillet {

// The text as a rich-text document holds it: a CR LF pair (or a lone CR) ends a
// paragraph, a lone LF becomes a line break inside the paragraph.
QString printDocumentText(const QString& modelText);

// Fills document with the selected text of the copy, formatted uniformly with the
// copy's alignment, font, text colour and background colour.
void fillPrintDocument(const WorkingCopy& copy, QTextDocument& document);

// The message shown when printing fails with the given failure number.
QString printFailureMessage(int failureNumber);

} // namespace quillet
