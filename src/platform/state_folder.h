#pragma once

#include <QString>

namespace quillet {

// The program's folder for what it keeps between runs that is neither a setting
// nor a document (copies of unsaved or overwritten text, records of interrupted
// saves): $XDG_STATE_HOME/Quillet, or ~/.local/state/Quillet when that variable
// is unset or not an absolute path. Empty when neither can be named.
inline QString ProgramStateFolder(const QString& xdgStateHome, const QString& home) {
    if (xdgStateHome.startsWith(u'/'))
        return xdgStateHome + QStringLiteral("/Quillet");
    if (home.startsWith(u'/'))
        return home + QStringLiteral("/.local/state/Quillet");
    return QString();
}

} // namespace quillet
