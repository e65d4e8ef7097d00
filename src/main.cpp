#include "platform/qt_platform.h"
#include "shell/commandline.h"
#include "shell/frmmain.h"

#include <QApplication>
#include <QFileInfo>
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

    // The document path and its switch, from the arguments' own bytes (Qt has
    // taken its options out of argv): a name that is not valid UTF-8 must be
    // recognised as such, not turned into replacement characters.
    QList<QByteArray> arguments;
    for (int i = 1; i < argc; ++i)
        arguments << QByteArray(argv[i]);
    const quillet::CommandLine commandLine = quillet::readCommandLine(
        arguments, [](const QString& path) { return QFileInfo(path).isFile(); });

    quillet::QtPlatform platform;
    quillet::FrmMain window(platform, commandLine);
    window.Form_Load();
    window.show();
    return app.exec();
}
