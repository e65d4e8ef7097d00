#include "shell/dialog_folder.h"

#include "shell/frmmain.h"

#include <QFileInfo>

namespace quillet {

QString DialogStartFolder(bool untitled, const QString& documentPath, const QString& recentPath,
                          const QString& home) {
    const QString named = untitled ? recentPath : documentPath;
    if (!named.isEmpty())
        return QFileInfo(named).absolutePath();
    return home;
}

QString FrmMain::FileDialogFolder() {
    return DialogStartFolder(doc.NewDoc, doc.CommonFileName, doc.RecentFileString,
                             platform().environment(QStringLiteral("HOME")));
}

} // namespace quillet
