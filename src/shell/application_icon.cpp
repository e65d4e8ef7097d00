#include "shell/application_icon.h"

namespace quillet {

QIcon ApplicationIcon() {
    const QString name = QStringLiteral(QUILLET_APP_ID);
    QIcon builtIn;
    for (int size : {16, 24, 32, 48, 64, 128, 256})
        builtIn.addFile(QStringLiteral(":/icons/%1/%2.png").arg(size).arg(name), QSize(size, size));
    return QIcon::fromTheme(name, builtIn);
}

} // namespace quillet
