#include "platform/qt_platform.h"
#include "shell/frmmain.h"

#include <QApplication>
#include <QLibraryInfo>
#include <QTranslator>

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    QCoreApplication::setOrganizationName(QStringLiteral("Quillet"));
    QCoreApplication::setApplicationName(QStringLiteral("Quillet"));
    QCoreApplication::setApplicationVersion(QStringLiteral("1.5"));

    // The program speaks Russian whatever the system locale is, and so must
    // Qt's own dialogs and standard buttons.
    QTranslator qtTranslator;
    if (qtTranslator.load(QStringLiteral("qtbase_ru"),
                          QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QCoreApplication::installTranslator(&qtTranslator);

    // The document path and its switch come as one text, the arguments joined
    // by single spaces.
    QStringList arguments = QCoreApplication::arguments();
    arguments.removeFirst();

    quillet::QtPlatform platform;
    quillet::FrmMain window(platform, arguments.join(QLatin1Char(' ')));
    window.Form_Load();
    window.show();
    return app.exec();
}
