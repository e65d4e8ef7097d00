// Failures: the numbers file errors become, and the one trap every command uses.

#include "platform/failure.h"

#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <cerrno>
#include <new>
#include <stdexcept>

namespace quillet {
namespace {

TEST(FileFailure, ErrnoBecomesTheNumberTheCommandsActOn) {
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    struct Case {
        const char* name;
        int errnoValue;
        QString path;
        std::int32_t number;
    };
    const Case cases[] = {
        {"missing file in an existing folder", ENOENT, dir.filePath("нет.txt"), err::FileNotFound},
        {"missing folder on the way", ENOENT, dir.filePath("нет/файл.txt"), err::PathNotFound},
        {"a file where a folder should be", ENOTDIR, dir.filePath("f/x"), err::PathNotFound},
        {"permission", EACCES, dir.filePath("x"), err::PathFileAccess},
        {"not permitted", EPERM, dir.filePath("x"), err::PathFileAccess},
        {"read-only file system", EROFS, dir.filePath("x"), err::PathFileAccess},
        {"a folder where a file should be", EISDIR, dir.path(), err::PathFileAccess},
        {"disk full", ENOSPC, dir.filePath("x"), err::DiskFull},
        {"quota", EDQUOT, dir.filePath("x"), err::DiskFull},
        {"device", EIO, dir.filePath("x"), err::DeviceIO},
        {"anything else keeps its own", EMFILE, dir.filePath("x"), err::ErrnoBase + EMFILE},
    };
    for (const Case& c : cases) {
        const Failure failure = fileFailure(c.errnoValue, c.path);
        EXPECT_EQ(failure.number(), c.number) << c.name;
        EXPECT_FALSE(failure.description().isEmpty()) << c.name;
    }
}

TEST(FailureTrap, HandsBackWhatTheBodyThrew) {
    struct Case {
        const char* name;
        std::function<void()> body;
        std::optional<std::int32_t> number;
        QString description;
    };
    const Case cases[] = {
        {"runs through", [] {}, std::nullopt, {}},
        {"a failure", [] { throw Failure(err::PrinterError, QStringLiteral("Printer error")); },
         err::PrinterError, QStringLiteral("Printer error")},
        {"a negative number", [] { throw Failure(-5, QStringLiteral("platform")); }, -5,
         QStringLiteral("platform")},
        {"out of memory", [] { throw std::bad_alloc(); }, err::OutOfMemory,
         QStringLiteral("Out of memory")},
        {"a library exception keeps its text", [] { throw std::runtime_error("поломка"); },
         err::InternalError, QStringLiteral("поломка")},
    };
    for (const Case& c : cases) {
        const std::optional<Failure> failure = trapFailure(c.body);
        ASSERT_EQ(failure.has_value(), c.number.has_value()) << c.name;
        if (!failure)
            continue;
        EXPECT_EQ(failure->number(), *c.number) << c.name;
        EXPECT_EQ(failure->description(), c.description) << c.name;
    }
}

} // namespace
} // namespace quillet
