#include "shell/application_icon.h"

namespace quillet {

QIcon ApplicationIcon() {
    // Made once and kept for the whole run: decoding the pictures is a
    // noticeable share of start-up, and the main window, the application and
    // the About window all ask for it. The built-in pictures are the ones the
    // installation puts into the icon theme, so the theme is not searched.
    static const QIcon* const icon = [] {
        const QString name = QStringLiteral(QUILLET_APP_ID);
        auto* built = new QIcon;
        for (int size : {16, 24, 32, 48, 64, 128, 256})
            built->addFile(QStringLiteral(":/icons/%1/%2.png").arg(size).arg(name),
                           QSize(size, size));
        return built;
    }();
    return *icon;
}

} // namespace quillet
