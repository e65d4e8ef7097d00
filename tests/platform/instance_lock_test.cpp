// The mark that another instance is running: only a live holder counts, whatever
// the lock file holds.

#include "platform/qt_platform.h"
#include "support/files.h"
#include "support/scripted_platform.h"

#include <QFile>
#include <QLockFile>
#include <QTemporaryDir>

#include <csignal>
#include <sys/wait.h>
#include <unistd.h>

#include <gtest/gtest.h>

namespace quillet::test {
namespace {

class InstanceLockTest : public ::testing::Test {
protected:
    QTemporaryDir dir;
    QString lockPath() const { return dir.filePath(QStringLiteral("quillet-1000.lock")); }
};

TEST_F(InstanceLockTest, WhatTheFileHoldsDoesNotCount) {
    struct Case {
        const char* name;
        std::optional<QByteArray> content; // nothing: no file
    };
    const Case cases[] = {
        {"no file", std::nullopt},
        {"an empty file", QByteArray()},
        {"garbage", QByteArray("\x01\xfe garbage \x00\x17", 14)},
        {"a lock of a process long gone", QByteArray("999999999\nquillet\nsomehost\n")},
        {"our own process number", QByteArray::number(qint64(::getpid())) + "\n"},
    };
    for (const Case& c : cases) {
        QFile::remove(lockPath());
        if (c.content)
            writeFile(lockPath(), *c.content);
        InstanceLock lock(lockPath());
        EXPECT_TRUE(lock.held()) << c.name;
        EXPECT_FALSE(lock.otherHolder()) << c.name;
    }
}

TEST_F(InstanceLockTest, ALiveHolderKeepsItUntilItEnds) {
    auto first = std::make_unique<InstanceLock>(lockPath());
    ASSERT_TRUE(first->held());
    {
        InstanceLock second(lockPath());
        EXPECT_FALSE(second.held());
        EXPECT_TRUE(second.otherHolder());
    }
    first.reset();
    InstanceLock third(lockPath());
    EXPECT_TRUE(third.held());
    EXPECT_FALSE(third.otherHolder());
}

// An earlier build of the program held the same file through QLockFile, which
// locks it the same way: a running one of those still counts.
TEST_F(InstanceLockTest, AnInstanceHoldingItThroughQLockFileCounts) {
    QLockFile qtLock(lockPath());
    ASSERT_TRUE(qtLock.tryLock(0));
    InstanceLock lock(lockPath());
    EXPECT_FALSE(lock.held());
    EXPECT_TRUE(lock.otherHolder());
}

// Another process holds the lock; killed, it lets go of it at once.
TEST_F(InstanceLockTest, AKilledHolderLetsGo) {
    writeFile(lockPath(), "garbage left by a crash");
    int ready[2];
    ASSERT_EQ(::pipe(ready), 0);
    const pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        InstanceLock held(lockPath());
        const char state = held.held() ? 'y' : 'n';
        if (::write(ready[1], &state, 1) != 1)
            ::_exit(2);
        for (;;)
            ::pause();
    }
    ::close(ready[1]);
    char state = 0;
    ASSERT_EQ(::read(ready[0], &state, 1), 1);
    ::close(ready[0]);
    EXPECT_EQ(state, 'y');
    {
        InstanceLock whileRunning(lockPath());
        EXPECT_TRUE(whileRunning.otherHolder());
    }
    ::kill(child, SIGKILL);
    int status = 0;
    ASSERT_EQ(::waitpid(child, &status, 0), child);
    InstanceLock afterwards(lockPath());
    EXPECT_TRUE(afterwards.held());
    EXPECT_FALSE(afterwards.otherHolder());
}

} // namespace
} // namespace quillet::test
