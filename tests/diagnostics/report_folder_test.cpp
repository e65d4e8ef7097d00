// Where the error report goes: beside the program while its folder takes new
// files and is not a system folder, in the user's state folder once the program
// is installed where it cannot write or in one of the system's folders.

#include "diagnostics/report_folder.h"

#include "diagnostics/error_report.h"
#include "settings/options.h"
#include "support/scripted_platform.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace quillet {
namespace {

TEST(IsSystemFolder, TheSystemsFoldersAndWhatLiesBelowThem) {
    const struct {
        const char* folder;
        bool system;
    } cases[] = {
        {"/usr/bin", true},
        {"/usr/local/bin", true},
        {"/usr/lib/x86_64-linux-gnu/quillet", true},
        {"/usr", true},
        {"/usr/", true},
        {"/opt/quillet/bin", true},
        {"/bin", true},
        {"/lib64", true},
        {"/etc/quillet", true},
        {"/var/lib/quillet", true},
        {"/", true},
        {"/home/u/../../usr/bin", true},
        // A name that merely starts like a system folder.
        {"/usrlocal/bin", false},
        {"/library/quillet", false},
        // Scratch space, homes and build folders.
        {"/var/tmp/build", false},
        {"/tmp/quillet", false},
        {"/home/u/src/quillet/build", false},
        {"/root/quillet", false},
        {"/usr/../home/u/bin", false},
        {"usr/bin", false},
        {"", false},
    };
    for (const auto& c : cases)
        EXPECT_EQ(IsSystemFolder(QString::fromUtf8(c.folder)), c.system) << c.folder;
}

TEST(DebugReportFolder, ProgramFolderWhileWritableElseTheStateFolder) {
    const struct {
        const char* app;
        bool writable;
        const char* stateHome;
        const char* home;
        const char* expected;
    } cases[] = {
        {"/home/u/quillet", true, "/s", "/home/u", "/home/u/quillet"},
        {"/tmp/build", true, "", "/root", "/tmp/build"},
        // A system folder, writable only because the program runs as root.
        {"/usr/bin", true, "", "/root", "/root/.local/state/Quillet"},
        {"/opt/quillet", true, "/s", "/home/u", "/s/Quillet"},
        {"/usr/local/bin", true, "", "", ""},
        {"/usr/bin", false, "/home/u/state", "/home/u", "/home/u/state/Quillet"},
        {"/usr/bin", false, "/home/u/state/", "/home/u", "/home/u/state/Quillet"},
        {"/usr/bin", false, "", "/home/u", "/home/u/.local/state/Quillet"},
        // A relative XDG_STATE_HOME is no state folder.
        {"/usr/bin", false, "state", "/home/u", "/home/u/.local/state/Quillet"},
        {"/usr/bin", false, "", "", ""},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(DebugReportFolder(QString::fromUtf8(c.app), c.writable,
                                    QString::fromUtf8(c.stateHome), QString::fromUtf8(c.home)),
                  QString::fromUtf8(c.expected))
            << c.app << " " << c.writable << " '" << c.stateHome << "'";
    }
}

// The report of a run started over the platform, after one failure.
QByteArray reportAfterAFailure(test::ScriptedPlatform& platform, const QString& expectedPath) {
    Options options;
    ErrorReport report(platform, options);
    report.start();
    EXPECT_EQ(report.DebugFilePath(), expectedPath);
    report.SaveDebug(QStringLiteral("File not found"), 53, QStringLiteral("FrmMain"));
    QFile file(expectedPath);
    if (!file.open(QIODevice::ReadOnly)) {
        ADD_FAILURE() << "no report at " << expectedPath.toStdString();
        return {};
    }
    return file.readAll();
}

TEST(DebugReportPlace, WritableProgramFolderKeepsTheReport) {
    test::ScriptedPlatform platform;
    QTemporaryDir state;
    platform.env.insert(QStringLiteral("XDG_STATE_HOME"), state.path());
    const QString app = platform.applicationFolder();
    const QByteArray report = reportAfterAFailure(platform, app + QStringLiteral("/QDebug.log"));
    EXPECT_TRUE(report.contains("Current Form=FrmMain"));
    EXPECT_FALSE(QDir(state.path()).exists(QStringLiteral("Quillet")));
}

TEST(DebugReportPlace, InstalledProgramWritesToTheStateFolder) {
    const struct {
        bool setStateHome;
        const char* below; // where the report lands, below the temporary folder
    } cases[] = {
        {true, "/Quillet/QDebug.log"},
        {false, "/.local/state/Quillet/QDebug.log"},
    };
    for (const auto& c : cases) {
        test::ScriptedPlatform platform;
        QTemporaryDir user;
        if (c.setStateHome)
            platform.env.insert(QStringLiteral("XDG_STATE_HOME"), user.path());
        platform.env.insert(QStringLiteral("HOME"), user.path());
        const QString app = platform.applicationFolder();
        platform.readOnlyFolders << app;

        const QByteArray report =
            reportAfterAFailure(platform, user.path() + QString::fromLatin1(c.below));
        // The report itself is unchanged: it still names the program's folder.
        EXPECT_TRUE(report.contains("Current Form=FrmMain")) << c.below;
        EXPECT_TRUE(report.contains(("Application Folder=" + app + "/").toUtf8())) << c.below;
        EXPECT_FALSE(QFile::exists(app + QStringLiteral("/QDebug.log"))) << c.below;
    }
}

} // namespace
} // namespace quillet
