#pragma once

// What the printer is given: a rich-text document laid out page by page.

class QPagedPaintDevice;
class QTextDocument;

namespace quillet {

// Prints the document on the device page by page, with margins of 2 cm, the
// background of its root frame over each whole page, and nothing but the text
// (no page numbers). A device that cannot be painted on throws a Failure.
void printTextDocument(const QTextDocument& document, QPagedPaintDevice& device);

} // namespace quillet
