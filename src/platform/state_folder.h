#pragma once

#include <QDir>
#include <QString>

namespace quillet {

// The program's folder for what it keeps between runs that is neither a setting
// nor a document (copies of unsaved or overwritten text, records of interrupted
// saves, the error report of an installed program): $XDG_STATE_HOME/Quillet, or
// ~/.local/state/Quillet when that variable is unset or not an absolute path (a
// relative one would depend on the folder the program was started from). Empty
// when neither can be named.
inline QString ProgramStateFolder(const QString& xdgStateHome, const QString& home) {
    const QString program = QStringLiteral("/Quillet");
    if (QDir::isAbsolutePath(xdgStateHome))
        return QDir::cleanPath(xdgStateHome + program);
    if (QDir::isAbsolutePath(home))
        return QDir::cleanPath(home + QStringLiteral("/.local/state") + program);
    return QString();
}

} // namespace quillet
