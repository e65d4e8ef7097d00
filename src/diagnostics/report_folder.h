#pragma once

#include <QString>

namespace quillet {

// Whether a folder is one of the system's own or lies inside one: the root
// folder, /usr (with /usr/local), /opt, /bin, /sbin, /lib and its 32- and 64-bit
// twins, /etc and /var, except /var/tmp, which like /tmp is anyone's scratch
// space. Only the path is looked at (cleaned, not resolved); a relative path is
// no system folder.
bool IsSystemFolder(const QString& folder);

// The folder the error report goes to. The program's own folder while it can be
// written to and is not a system folder (a copy run from where it was built or
// unpacked, in a home or a build folder); otherwise, as for a program installed
// under /usr, the user's state folder for the program: $XDG_STATE_HOME/Quillet,
// or ~/.local/state/Quillet when that variable is unset or not an absolute path.
// A system folder counts even when it could be written to, since a program run
// by root can write anywhere and a report left there would outlive the package.
// Empty when neither can be named (no home folder).
QString DebugReportFolder(const QString& applicationFolder, bool applicationFolderWritable,
                          const QString& xdgStateHome, const QString& home);

} // namespace quillet
