// Replacing a document file: what the file was (owner, group, mode, extended
// attributes) stays, and temporaries of a save that was killed are cleared away.

#include "documents/text_file.h"
#include "platform/failure.h"
#include "support/files.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <grp.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <sys/xattr.h>
#include <unistd.h>

#include <gtest/gtest.h>

namespace quillet {
namespace {

using test::readFile;
using test::writeFile;

class FileReplacing : public ::testing::Test {
protected:
    QTemporaryDir dir;
    QString path(const QString& name) const { return dir.filePath(name); }
    static QByteArray native(const QString& p) { return QFile::encodeName(p); }
    static struct stat statOf(const QString& p) {
        struct stat st {};
        EXPECT_EQ(::stat(native(p).constData(), &st), 0) << p.toStdString();
        return st;
    }
    QStringList entries() const {
        return QDir(dir.path())
            .entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot);
    }
};

// A group the user belongs to other than the one new files get, or nothing.
std::optional<gid_t> otherOwnGroup() {
    gid_t groups[256];
    const int n = ::getgroups(256, groups);
    for (int i = 0; i < n; ++i) {
        if (groups[i] != ::getegid())
            return groups[i];
    }
    return std::nullopt;
}

TEST_F(FileReplacing, OwnerGroupAndModeStayWithTheSetGroupIdBit) {
    uid_t owner = ::geteuid();
    gid_t group = 0;
    if (::geteuid() == 0) {
        // The superuser saves another user's file.
        owner = 4321;
        group = 8765;
    } else if (const auto other = otherOwnGroup()) {
        group = *other;
    } else {
        GTEST_SKIP() << "the user has no second group to give a file";
    }
    const mode_t modes[] = {02775, 02664, 02770, 0640, 0600, 04755};
    for (const mode_t mode : modes) {
        SCOPED_TRACE(::testing::Message() << std::oct << mode);
        const QString p = path(QStringLiteral("shared.txt"));
        writeFile(p, "old text");
        ASSERT_EQ(::chown(native(p).constData(), owner, group), 0);
        ASSERT_EQ(::chmod(native(p).constData(), mode), 0);
        const struct stat before = statOf(p);
        ASSERT_EQ(before.st_mode & 07777, mode);

        writeFileReplacing(p, "new text");

        const struct stat after = statOf(p);
        EXPECT_EQ(readFile(p), QByteArray("new text"));
        EXPECT_EQ(after.st_uid, owner);
        EXPECT_EQ(after.st_gid, group);
        EXPECT_EQ(after.st_mode & 07777, mode);
        EXPECT_EQ(entries(), QStringList{QStringLiteral("shared.txt")});
    }
}

// A user who may write another user's file but not give a new file its owner
// writes into the file itself: owner, group and the file stay the same.
TEST_F(FileReplacing, AFileWhoseOwnerCannotBeKeptIsWrittenInPlace) {
    if (::geteuid() != 0)
        GTEST_SKIP() << "needs the superuser to act as another user";
    ASSERT_EQ(::chmod(native(dir.path()).constData(), 0777), 0);
    const QString p = path(QStringLiteral("theirs.txt"));
    writeFile(p, "the owner's old text, longer than the new one");
    ASSERT_EQ(::chown(native(p).constData(), 0, 0), 0);
    ASSERT_EQ(::chmod(native(p).constData(), 0666), 0);
    const struct stat before = statOf(p);

    // The save runs as a plain user (nobody) in a process of its own.
    const pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        if (::setgroups(0, nullptr) != 0 || ::setresgid(65534, 65534, 65534) != 0 ||
            ::setresuid(65534, 65534, 65534) != 0)
            ::_exit(3);
        try {
            writeFileReplacing(p, "new text");
        } catch (const Failure&) {
            ::_exit(4);
        }
        ::_exit(0);
    }
    int status = 0;
    ASSERT_EQ(::waitpid(child, &status, 0), child);
    ASSERT_TRUE(WIFEXITED(status));
    ASSERT_EQ(WEXITSTATUS(status), 0);

    const struct stat after = statOf(p);
    EXPECT_EQ(readFile(p), QByteArray("new text"));
    EXPECT_EQ(after.st_ino, before.st_ino);
    EXPECT_EQ(after.st_uid, 0u);
    EXPECT_EQ(after.st_gid, 0u);
    EXPECT_EQ(after.st_mode & 07777, 0666u);
    EXPECT_EQ(entries(), QStringList{QStringLiteral("theirs.txt")});
}

TEST_F(FileReplacing, ExtendedAttributesStay) {
    const QString p = path(QStringLiteral("tagged.txt"));
    writeFile(p, "old");
    const QByteArray name = native(p);
    struct Attribute {
        const char* name;
        QByteArray value;
    };
    const Attribute attributes[] = {
        {"user.quillet.origin", "archive 1998"},
        {"user.quillet.empty", ""},
        {"user.quillet.binary", QByteArray("\x00\x01\xff", 3)},
    };
    for (const Attribute& a : attributes) {
        if (::setxattr(name.constData(), a.name, a.value.constData(), size_t(a.value.size()), 0) !=
            0) {
            if (errno == ENOTSUP)
                GTEST_SKIP() << "the temporary folder keeps no extended attributes";
            FAIL() << "setxattr " << a.name << ": " << std::strerror(errno);
        }
    }

    writeFileReplacing(p, "new");

    EXPECT_EQ(readFile(p), QByteArray("new"));
    for (const Attribute& a : attributes) {
        char value[64];
        const ssize_t n = ::getxattr(name.constData(), a.name, value, sizeof value);
        ASSERT_GE(n, 0) << a.name;
        EXPECT_EQ(QByteArray(value, int(n)), a.value) << a.name;
    }
}

TEST(SaveTemporaries, OnlyThisProgramsNamesMatch) {
    struct Case {
        QByteArray name;
        std::optional<qint64> process;
    };
    const Case cases[] = {
        {".quillet-save-4242-a1B2c3.tmp", 4242},
        {".quillet-save-1-zzzzzz.tmp", 1},
        {".quillet-save-4242-a1B2c.tmp", std::nullopt},   // five random letters
        {".quillet-save-4242-a1B2c34.tmp", std::nullopt}, // seven
        {".quillet-save-42x2-a1B2c3.tmp", std::nullopt},
        {".quillet-save--a1B2c3.tmp", std::nullopt},
        {".quillet-save-0-a1B2c3.tmp", std::nullopt},
        {".quillet-save-4242-a1B2c3.tmp.bak", std::nullopt},
        {".quillet-save-4242-a1.2c3.tmp", std::nullopt},
        {"quillet-save-4242-a1B2c3.tmp", std::nullopt},
        {".quillet-a1B2c3", std::nullopt}, // another program's idea of a temporary
        {".goutputstream-A1B2C3", std::nullopt},
        {".quillet-save-12345678901-a1B2c3.tmp", std::nullopt},
    };
    for (const Case& c : cases)
        EXPECT_EQ(saveTemporaryProcess(c.name), c.process) << c.name.toStdString();
}

// A process number no process can have.
qint64 deadProcess() {
    QFile max(QStringLiteral("/proc/sys/kernel/pid_max"));
    if (max.open(QIODevice::ReadOnly))
        return max.readAll().trimmed().toLongLong() + 1;
    return 4194305;
}

TEST_F(FileReplacing, TemporariesOfAKilledSaveGoAtTheNextSaveThere) {
    const QByteArray dead = QByteArray::number(deadProcess());
    const QByteArray own = QByteArray::number(qint64(::getpid()));
    struct Case {
        QByteArray name;
        bool removed;
    };
    const Case cases[] = {
        {".quillet-save-" + dead + "-a1B2c3.tmp", true},
        {".quillet-save-" + dead + "-zzzzzz.tmp", true},
        {".quillet-save-" + own + "-q1w2e3.tmp", true},   // this process is not writing it
        {".quillet-save-1-a1B2c3.tmp", false},            // its process still runs
        {".quillet-save-" + dead + "-locked.tmp", false}, // a save holds it
        {".quillet-save-" + dead + "-a1B2c3.tmp.bak", false},
        {".quillet-a1B2c3", false},
        {".goutputstream-A1B2C3", false},
        {"notes.txt", false},
    };
    for (const Case& c : cases)
        writeFile(path(QString::fromLatin1(c.name)), QByteArray(4096, 'x'));
    // A folder with a temporary's name is not a temporary.
    const QString folderName = QStringLiteral(".quillet-save-%1-folder.tmp").arg(dead);
    QDir().mkpath(path(folderName));
    // A temporary in another folder is that folder's business.
    const QString elsewhere =
        path(QStringLiteral("sub/.quillet-save-%1-a1B2c3.tmp").arg(QString::fromLatin1(dead)));
    writeFile(elsewhere, "x");

    QFile held(path(QString::fromLatin1(".quillet-save-" + dead + "-locked.tmp")));
    ASSERT_TRUE(held.open(QIODevice::ReadOnly));
    ASSERT_EQ(::flock(held.handle(), LOCK_EX | LOCK_NB), 0);

    writeFileReplacing(path(QStringLiteral("saved.txt")), "text");

    EXPECT_EQ(readFile(path(QStringLiteral("saved.txt"))), QByteArray("text"));
    for (const Case& c : cases)
        EXPECT_EQ(QFile::exists(path(QString::fromLatin1(c.name))), !c.removed)
            << c.name.toStdString();
    EXPECT_TRUE(QFileInfo(path(folderName)).isDir());
    EXPECT_TRUE(QFile::exists(elsewhere));
    // The save itself left nothing of its own.
    QStringList expected{QStringLiteral("saved.txt"), QStringLiteral("sub"), folderName};
    for (const Case& c : cases) {
        if (!c.removed)
            expected << QString::fromLatin1(c.name);
    }
    expected.sort();
    QStringList found = entries();
    found.sort();
    EXPECT_EQ(found, expected);
}

} // namespace
} // namespace quillet
