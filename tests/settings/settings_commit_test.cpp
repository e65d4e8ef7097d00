// Each save of a settings group reaches the store's medium in one write: the keys
// are handed to the store, then committed once. A refused commit is reported and
// repeated once. The real store reads a damaged settings file once and rewrites it
// once, and the program starts normally from what it wrote.

#include "support/harness.h"

#include "platform/failure.h"
#include "platform/qt_platform.h"

#include <QAction>
#include <QDialog>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QSettings>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <functional>
#include <random>

namespace quillet::test {
namespace {

constexpr int GeneralKeys = 15, ViewKeys = 26;

TEST(SettingsCommit, OneCommitPerGroupSaved) {
    struct Case {
        const char* name;
        bool firstRun;
        std::function<void(Harness&)> then; // after loading
        QList<int> groups;                  // keys written before each commit
    };
    // clang-format off
    const Case cases[] = {
        {"ordinary start: the running mark", false, nullptr, {GeneralKeys}},
        {"first run: both groups", true, nullptr, {GeneralKeys, ViewKeys}},
        {"closing, nothing changed", false, [](Harness& h) { ASSERT_TRUE(h.close()); },
         {GeneralKeys, GeneralKeys}},
        {"closing without the settings question", false,
         [](Harness& h) { h->options().PromptChanges = false; ASSERT_TRUE(h.close()); },
         {GeneralKeys, ViewKeys, GeneralKeys}},
        {"closing, changed settings kept", false,
         [](Harness& h) { h->mnuBold_Click(); h.platform.messageAnswers.push_back(answer::Yes); ASSERT_TRUE(h.close()); },
         {GeneralKeys, ViewKeys, GeneralKeys}},
    };
    // clang-format on
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Harness h;
        h.seedSettings = !c.firstRun;
        if (c.firstRun)
            h.platform.answerDialog([](QDialog&) { return QDialog::Accepted; });
        h.load();
        if (c.then)
            c.then(h);
        QList<int> perCommit;
        int before = 0;
        for (const int saves : std::as_const(h.platform.store.savesAtCommit)) {
            perCommit << saves - before;
            before = saves;
        }
        EXPECT_EQ(perCommit, c.groups);
        EXPECT_EQ(h.platform.store.commits, c.groups.size());
        EXPECT_EQ(h.platform.store.writes.size(), before) << "every save was committed";
    }
}

TEST(SettingsCommit, ARefusedCommitIsReportedAndRepeatedOnce) {
    struct Case {
        bool askAboutSettings;
        int groups; // general group alone, or both groups
    };
    const Case cases[] = {{true, 1}, {false, 2}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.groups);
        Harness h;
        h.load();
        h->options().PromptChanges = c.askAboutSettings;
        h->ShowOptionsInMenus();
        h.platform.store.refuseCommits = true;
        EXPECT_TRUE(h.close());
        EXPECT_EQ(h.platform.store.refusedCommits, 2 * c.groups);
        const QString report = errorReport(h);
        EXPECT_TRUE(report.contains(QStringLiteral("Store refused the write")))
            << report.toStdString();
        EXPECT_TRUE(report.contains(QStringLiteral("Error Number=75"))) << report.toStdString();
    }
}

// ---- The real store --------------------------------------------------------------

class RealStore : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(home_.isValid());
        // QSettings takes its folder once per process: point it here.
        QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, home_.path());
        QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, home_.path());
        QDir().mkpath(home_.path() + QStringLiteral("/Quillet"));
    }

    QString file() const { return home_.path() + QStringLiteral("/Quillet/Quillet.conf"); }

    QTemporaryDir home_;
};

QByteArray junk(qsizetype size, bool text) {
    // Bytes that mean something to an INI reader, and the halves of Cyrillic letters.
    static constexpr char textBytes[] = "[]=\\\"%;,абв xyz\n";
    std::mt19937 rng(75);
    QByteArray bytes(size, Qt::Uninitialized);
    for (qsizetype i = 0; i < size; ++i) {
        bytes[i] = text ? textBytes[rng() % (sizeof textBytes - 1)] : static_cast<char>(rng());
    }
    return bytes;
}

TEST_F(RealStore, SavesReachTheFileOnlyWhenCommitted) {
    QtSettingsStore store;
    store.save(QStringLiteral("General"), QStringLiteral("ToolBar"), QStringLiteral("False"));
    store.save(QStringLiteral("Font"), QStringLiteral("FontName"), QStringLiteral("DejaVu Sans"));
    EXPECT_FALSE(QFile::exists(file())) << "nothing written before the commit";
    store.commit();
    QSettings written(file(), QSettings::IniFormat);
    EXPECT_EQ(written.value(QStringLiteral("General/ToolBar")).toString(), QStringLiteral("False"));
    EXPECT_EQ(written.value(QStringLiteral("Font/FontName")).toString(),
              QStringLiteral("DejaVu Sans"));
}

TEST_F(RealStore, ARefusedWriteThrows) {
    QtSettingsStore store;
    QFile::setPermissions(home_.path() + QStringLiteral("/Quillet"),
                          QFileDevice::ReadOwner | QFileDevice::ExeOwner);
    if (QFile f(home_.path() + QStringLiteral("/Quillet/probe")); f.open(QIODevice::WriteOnly))
        GTEST_SKIP() << "the folder stays writable (running as a privileged user)";
    store.save(QStringLiteral("General"), QStringLiteral("ToolBar"), QStringLiteral("False"));
    EXPECT_THROW(store.commit(), Failure);
}

TEST_F(RealStore, ADamagedTenMegabyteFileIsKeptAsideAndTheStartIsAFirstRun) {
    struct Case {
        const char* name;
        bool text;
    };
    const Case cases[] = {{"random bytes", false}, {"broken text", true}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const QByteArray damaged = junk(10 * 1024 * 1024, c.text);
        writeFile(file(), damaged);
        QElapsedTimer clock;
        clock.start();
        QtSettingsStore store;
        Harness h;
        h.platform.realStore = &store;
        h.seedSettings = false;
        h.platform.answerDialog([](QDialog&) { return QDialog::Accepted; }); // About
        h.load();
        const qint64 started = clock.elapsed();
        ASSERT_TRUE(h.close());
        std::printf(
            "    [%s] damaged 10 MB settings file: start %lld ms, start and close %lld ms\n",
            c.name, static_cast<long long>(started), static_cast<long long>(clock.elapsed()));

        // The damaged file is kept as it was; the store holds the program's keys.
        EXPECT_EQ(readFile(file() + QStringLiteral(".damaged")), damaged);
        EXPECT_LT(QFileInfo(file()).size(), 4096);
        QSettings written(file(), QSettings::IniFormat);
        EXPECT_EQ(written.status(), QSettings::NoError);
        EXPECT_EQ(written.value(QStringLiteral("General/NormalUnloading")).toString(),
                  QStringLiteral("True"));
        EXPECT_EQ(written.value(QStringLiteral("Font/FontChars")).toString(),
                  QStringLiteral("204"));
        // And the next start reads it as an ordinary earlier run.
        QtSettingsStore again;
        Harness next;
        next.platform.realStore = &again;
        next.seedSettings = false;
        next.load();
        EXPECT_FALSE(next->options().FirstLoading);
        EXPECT_TRUE(next.platform.messages().empty());
    }
}

} // namespace
} // namespace quillet::test
