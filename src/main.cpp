#include "platform/qt_platform.h"
#include "session/command_line.h"
#include "shell/frmmain.h"
#include "shell/program_options.h"
#include "shell/session_end.h"
#include "view/application_icon.h"

#include <QApplication>
#include <QFile>
#include <QFileInfo>
#include <QLibraryInfo>
#include <QSessionManager>
#include <QTranslator>

#include <cstdio>
#include <sys/stat.h>

int main(int argc, char* argv[]) {
    // "--help" and "--version" are answered before anything of the window system
    // is touched: they work without a display, open no window and write no
    // error report.
    {
        QStringList arguments;
        for (int i = 1; i < argc; ++i)
            arguments << QFile::decodeName(argv[i]);
        const auto exists = [](const QString& path) {
            struct stat info {};
            return ::stat(QFile::encodeName(path).constData(), &info) == 0;
        };
        if (const std::optional<QString> reply = quillet::InformationReply(arguments, exists)) {
            const QByteArray text = reply->toUtf8();
            const bool written = std::fwrite(text.constData(), 1, size_t(text.size()), stdout) ==
                                     size_t(text.size()) &&
                                 std::fflush(stdout) == 0;
            return written ? 0 : 1;
        }
    }

    // On the X server wherever there is one, even inside a Wayland session: the
    // semi-transparent window, the stored placement and following the pointer
    // need it. A platform the user chose (QT_QPA_PLATFORM set, to anything)
    // stands. The choice is this program's only: the programs it starts (the
    // mail program) do not inherit it.
    const bool onX11 =
        !qEnvironmentVariableIsSet("QT_QPA_PLATFORM") && !qEnvironmentVariableIsEmpty("DISPLAY");
    if (onX11)
        qputenv("QT_QPA_PLATFORM", "xcb");
    QApplication app(argc, argv);
    if (onX11)
        qunsetenv("QT_QPA_PLATFORM");
    QCoreApplication::setOrganizationName(QStringLiteral("Quillet"));
    QCoreApplication::setApplicationName(QStringLiteral("Quillet"));
    QCoreApplication::setApplicationVersion(QStringLiteral(QUILLET_VERSION));
    // Launchers group the window with the installed desktop entry of this name.
    QGuiApplication::setDesktopFileName(QStringLiteral(QUILLET_APP_ID));
    QApplication::setWindowIcon(quillet::ApplicationIcon());

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
    // The end of the desktop session closes the program without a question.
    quillet::SessionEnd sessionEnd;
    QObject::connect(&sessionEnd, &quillet::SessionEnd::requested, &window,
                     &quillet::FrmMain::EndSession);
    QObject::connect(&app, &QGuiApplication::commitDataRequest, &window,
                     [&window](QSessionManager&) { window.EndSession(); });
    window.show();
    return app.exec();
}
