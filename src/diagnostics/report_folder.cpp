#include "diagnostics/report_folder.h"

#include <QDir>

namespace quillet {

QString DebugReportFolder(const QString& applicationFolder, bool applicationFolderWritable,
                          const QString& xdgStateHome, const QString& home) {
    if (applicationFolderWritable)
        return applicationFolder;
    const QString program = QStringLiteral("/Quillet");
    // A relative path in the variable is not a state folder: it would depend on
    // the folder the program happened to be started from.
    if (QDir::isAbsolutePath(xdgStateHome))
        return QDir::cleanPath(xdgStateHome + program);
    if (QDir::isAbsolutePath(home))
        return QDir::cleanPath(home + QStringLiteral("/.local/state") + program);
    return {};
}

} // namespace quillet
