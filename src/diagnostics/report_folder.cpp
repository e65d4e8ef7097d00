#include "diagnostics/report_folder.h"

#include "platform/state_folder.h"

#include <QDir>

namespace quillet {

namespace {

// A path equal to one of these or below it belongs to the system.
constexpr const char* systemFolders[] = {"/usr",   "/opt",   "/bin",    "/sbin", "/lib",
                                         "/lib32", "/lib64", "/libx32", "/etc",  "/var"};
// Folders inside the ones above that are not the system's.
constexpr const char* scratchFolders[] = {"/var/tmp"};

bool isInside(const QString& path, const char* folder) {
    const QLatin1String prefix(folder);
    return path == prefix ||
           (path.startsWith(prefix) && path.at(prefix.size()) == QLatin1Char('/'));
}

} // namespace

bool IsSystemFolder(const QString& folder) {
    if (!QDir::isAbsolutePath(folder))
        return false;
    const QString path = QDir::cleanPath(folder);
    if (path == QLatin1String("/"))
        return true;
    for (const char* scratch : scratchFolders) {
        if (isInside(path, scratch))
            return false;
    }
    for (const char* system : systemFolders) {
        if (isInside(path, system))
            return true;
    }
    return false;
}

QString DebugReportFolder(const QString& applicationFolder, bool applicationFolderWritable,
                          const QString& xdgStateHome, const QString& home) {
    if (applicationFolderWritable && !IsSystemFolder(applicationFolder))
        return applicationFolder;
    return ProgramStateFolder(xdgStateHome, home);
}

} // namespace quillet
