// The program's own settings store (QSettings): saves reach the file only when
// committed, a refused write fails, and a damaged settings file is read once,
// kept aside and replaced by what the program writes next.

#include "settings/stored_settings.h"

#include "platform/failure.h"
#include "platform/qt_platform.h"
#include "support/files.h"
#include "support/recording_failures.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QSettings>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <cstdio>
#include <random>

namespace quillet::test {
namespace {

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

// Nothing of a damaged file reads, so the window starts as on a first run (its
// tests show what follows an unreadable group); what it writes then makes a
// sound file that the next start reads as an ordinary earlier run.
TEST_F(RealStore, ADamagedTenMegabyteFileIsKeptAsideAndReplacedByTheNextWrite) {
    struct Case {
        const char* name;
        bool text;
    };
    const Case cases[] = {{"random bytes", false}, {"broken text", true}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        // Each case on its own: a file kept aside before would make this one
        // ".damaged.1".
        QFile::remove(file() + QStringLiteral(".damaged"));
        const QByteArray damaged = junk(10 * 1024 * 1024, c.text);
        writeFile(file(), damaged);
        QElapsedTimer clock;
        clock.start();
        QtSettingsStore store;
        EXPECT_THROW(settings::readGeneralSettings(store, Options()), Failure);
        EXPECT_THROW(settings::readViewSettings(store, Options()), Failure);
        const qint64 read = clock.elapsed();
        // Both groups as closing a first run writes them.
        Options closing;
        closing.UnloadOk = true;
        RecordingFailures failures;
        settings::writeGeneralSettings(store, closing, GeneralValues(),
                                       settings::WindowShape::Normal, failures);
        settings::writeViewSettings(store, closing, ViewValues(), failures);
        std::printf(
            "    [%s] damaged 10 MB settings file: read %lld ms, read and written %lld ms\n",
            c.name, static_cast<long long>(read), static_cast<long long>(clock.elapsed()));
        EXPECT_TRUE(failures.entries.empty());

        // The damaged file is kept as it was; the store holds the program's keys.
        EXPECT_EQ(readFile(file() + QStringLiteral(".damaged")), damaged);
        EXPECT_LT(QFileInfo(file()).size(), 4096);
        QSettings written(file(), QSettings::IniFormat);
        EXPECT_EQ(written.status(), QSettings::NoError);
        EXPECT_EQ(written.value(QStringLiteral("General/NormalUnloading")).toString(),
                  QStringLiteral("True"));
        EXPECT_EQ(written.value(QStringLiteral("Font/FontChars")).toString(),
                  QStringLiteral("204"));
        QtSettingsStore again;
        const auto general = settings::readGeneralSettings(again, Options());
        EXPECT_TRUE(general.options.UnloadOk);
        EXPECT_FALSE(general.options.FirstLoading);
        EXPECT_NO_THROW(settings::readViewSettings(again, Options()));
    }
}

} // namespace
} // namespace quillet::test
