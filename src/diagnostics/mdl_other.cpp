#include "diagnostics/mdl_other.h"

#include "platform/failure.h"

#include <QDir>

namespace quillet {

QString AddBackslash(const QString& text) {
    const QChar separator = QDir::separator();
    return text.endsWith(separator) ? text : text + separator;
}

QString FormatWindowsVersion(int major, int minor, int build) {
    return QStringLiteral("%1.%2.%3").arg(major).arg(minor, 2, 10, QLatin1Char('0')).arg(build);
}

// The probes below feed the error report, which is written while a failure is
// being handled: a probe that fails in turn cannot be reported anywhere, so it
// answers "unknown" (empty), which is what the report then says.

QString GetWindowsName(Platform& platform) {
    QString name;
    (void)trapFailure([&] { name = platform.productName(); });
    return name;
}

QString GetWindowsVersion(Platform& platform) {
    std::optional<OsVersion> os;
    (void)trapFailure([&] { os = platform.osVersion(); });
    return os ? FormatWindowsVersion(os->major, os->minor, os->build) : QString();
}

QString GetTempFolder(Platform& platform) {
    QString folder = platform.environment(QStringLiteral("Temp"));
    if (folder.isEmpty())
        folder = platform.environment(QStringLiteral("TMPDIR"));
    return folder.isEmpty() ? QString() : AddBackslash(folder);
}

} // namespace quillet
