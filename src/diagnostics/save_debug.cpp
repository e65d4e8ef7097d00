#include "platform/platform.h"
#include "shell/frmmain.h"

#include <QFile>

#include "documents/cp1251.h"

namespace quillet {

// Preliminary report writer: the report's lines in order, without the system
// snapshot and the retry rule, which the diagnostics work completes.
void FrmMain::SaveDebug(const QString& szErrorDescription, std::int32_t lErrorNumber,
                        const QString& szCurrentForm) {
    if (NoDebugFile)
        return;
    QFile file(DebugFilePath);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate))
        return;
    const QString text = QStringLiteral("[Program]\r\nProgram Name=Quillet\r\n"
                                        "Program Version=1.5\r\n[Error]\r\n"
                                        "Error Description=%1\r\nError Number=%2\r\n"
                                        "Current Form=%3\r\n")
                             .arg(szErrorDescription)
                             .arg(lErrorNumber)
                             .arg(szCurrentForm);
    file.write(encodeCp1251(text));
}

} // namespace quillet
