#pragma once

// The printed form of the document: the working copy turned into a rich-text
// document with the editor's font, colours and alignment on every paragraph.

#include "shell/working_copy.h"

#include <QString>

class QPagedPaintDevice;
class QTextDocument;

namespace quillet {

// The text as a rich-text document holds it: a CR LF pair (or a lone CR) ends a
// paragraph, a lone LF becomes a line break inside the paragraph.
QString printDocumentText(const QString& modelText);

// Fills document with the selected text of the copy, formatted uniformly with the
// copy's alignment, font, text colour and background colour.
void fillPrintDocument(const WorkingCopy& copy, QTextDocument& document);

// Prints the document on the device page by page, with margins of 2 cm, the
// background of its root frame over each whole page, and nothing but the text
// (no page numbers). A device that cannot be painted on throws a Failure.
void printTextDocument(const QTextDocument& document, QPagedPaintDevice& device);

// The message shown when printing fails with the given failure number.
QString printFailureMessage(int failureNumber);

} // namespace quillet
