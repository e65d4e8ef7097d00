// Where the error report goes: beside the program while its folder takes new
// files, in the user's state folder once the program is installed where it cannot
// write.

#include "diagnostics/report_folder.h"
#include "support/harness.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace quillet {
namespace {

TEST(DebugReportFolder, ProgramFolderWhileWritableElseTheStateFolder) {
    const struct {
        const char* app;
        bool writable;
        const char* stateHome;
        const char* home;
        const char* expected;
    } cases[] = {
        {"/opt/quillet", true, "/s", "/home/u", "/opt/quillet"},
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

// A start with a missing document on the command line: the failure is recorded.
QByteArray reportAfterFailedStart(test::Harness& h, const QString& expectedPath) {
    h.load(QStringLiteral("/nonexistent/folder/document.txt"));
    EXPECT_EQ(h->errorReport().DebugFilePath(), expectedPath);
    QFile file(expectedPath);
    if (!file.open(QIODevice::ReadOnly)) {
        ADD_FAILURE() << "no report at " << expectedPath.toStdString();
        return {};
    }
    return file.readAll();
}

TEST(DebugReportPlace, WritableProgramFolderKeepsTheReport) {
    test::Harness h;
    QTemporaryDir state;
    h.platform.env.insert(QStringLiteral("XDG_STATE_HOME"), state.path());
    const QString app = h.platform.applicationFolder();
    const QByteArray report = reportAfterFailedStart(h, app + QStringLiteral("/QDebug.log"));
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
        test::Harness h;
        QTemporaryDir user;
        if (c.setStateHome)
            h.platform.env.insert(QStringLiteral("XDG_STATE_HOME"), user.path());
        h.platform.env.insert(QStringLiteral("HOME"), user.path());
        const QString app = h.platform.applicationFolder();
        h.platform.readOnlyFolders << app;

        const QByteArray report =
            reportAfterFailedStart(h, user.path() + QString::fromLatin1(c.below));
        // The report itself is unchanged: it still names the program's folder.
        EXPECT_TRUE(report.contains("Current Form=FrmMain")) << c.below;
        EXPECT_TRUE(report.contains(("Application Folder=" + app + "/").toUtf8())) << c.below;
        EXPECT_FALSE(QFile::exists(app + QStringLiteral("/QDebug.log"))) << c.below;
    }
}

} // namespace
} // namespace quillet
