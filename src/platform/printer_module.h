#pragma once

// Printing on the system's printers needs Qt's printer support, and linking it
// into the program would load that library, and resolve its thousand-odd
// symbols, at every start. It lives in a module of its own instead
// (quillet_printer), loaded the first time the user prints. This is what the
// program and the module agree on.

class QPagedPaintDevice;
class QString;
class QTextDocument;

namespace quillet {

// What printing on the default printer came to.
enum PrinterOutcome : int {
    PrintedOnDefaultPrinter = 0,
    NoDefaultPrinter = 1,
    PrinterFailed = 2,
};

// Lays the document out on the device's pages (the program's own page layout).
using PagePainter = void (*)(const QTextDocument& document, QPagedPaintDevice& device);

// Prints the document on the default printer under the job name, painting its
// pages with `paint`; failures that `paint` throws pass through.
using PrintOnDefaultPrinter = int (*)(const QTextDocument& document, const QString& jobName,
                                      PagePainter paint);

// The module's file name without its suffix, and the name of its one function.
inline constexpr char PrinterModuleName[] = "quillet_printer";
inline constexpr char PrintOnDefaultPrinterName[] = "quillet_print_on_default_printer";

} // namespace quillet
