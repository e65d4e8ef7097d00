#pragma once

// The two requests a desktop program answers on the command line without
// opening a window: the usage text and the version.

#include <QString>
#include <QStringList>

#include <functional>
#include <optional>

namespace quillet {

// The text printed for "--help" / "-h" and for "--version" / "-v".
QString UsageText();
QString VersionText();

// arguments: the command line without the program's own path. Returns the text
// to print and exit with, or nothing when the program starts as usual. A request
// counts only when it is the sole argument and no file of that name exists, so
// every path the program opened before is still opened.
std::optional<QString> InformationReply(const QStringList& arguments,
                                        const std::function<bool(const QString&)>& pathExists);

} // namespace quillet
