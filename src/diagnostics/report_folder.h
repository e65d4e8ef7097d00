#pragma once

#include <QString>

namespace quillet {

// The folder the error report goes to. The program's own folder while it can be
// written to (a copy run from where it was built or unpacked); otherwise, as for
// a program installed under /usr, the user's state folder for the program:
// $XDG_STATE_HOME/Quillet, or ~/.local/state/Quillet when that variable is unset
// or not an absolute path. Empty when neither can be named (no home folder).
QString DebugReportFolder(const QString& applicationFolder, bool applicationFolderWritable,
                          const QString& xdgStateHome, const QString& home);

} // namespace quillet
