// The printer module: the one part of the program that uses Qt's printer
// support (see printer_module.h).

#include "platform/printer_module.h"

#include <QPrinter>
#include <QPrinterInfo>

extern "C" Q_DECL_EXPORT int quillet_print_on_default_printer(const QTextDocument& document,
                                                              const QString& jobName,
                                                              quillet::PagePainter paint) {
    const QPrinterInfo info = QPrinterInfo::defaultPrinter();
    if (info.isNull())
        return quillet::NoDefaultPrinter;
    QPrinter printer(info, QPrinter::HighResolution);
    printer.setDocName(jobName);
    paint(document, printer);
    return printer.printerState() == QPrinter::Error ? quillet::PrinterFailed
                                                     : quillet::PrintedOnDefaultPrinter;
}
