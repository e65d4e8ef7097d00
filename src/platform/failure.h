#pragma once

#include <QString>

#include <cstdint>
#include <exception>
#include <functional>
#include <optional>

namespace quillet {

// Failure numbers. The commands act on some of them (a file that is missing, a
// printer that is not there, a number out of range); every other failure keeps a
// number of its own so the error report tells them apart.
namespace err {
enum Number : std::int32_t {
    Overflow = 6,
    OutOfMemory = 7,
    TypeMismatch = 13,
    InternalError = 51,
    BadFileName = 52,
    FileNotFound = 53,
    DeviceIO = 57,
    DiskFull = 61,
    PathFileAccess = 75,
    PathNotFound = 76,
    InvalidPropertyValue = 380,
    PrinterError = 482,
    CannotOpenClipboard = 521,
    // An errno value with no number of its own above becomes ErrnoBase + errno.
    ErrnoBase = 1000,
};
} // namespace err

// A trapped failure: what a command records with SaveDebug and acts on by number.
class Failure : public std::exception {
public:
    Failure(std::int32_t number, QString description)
        : number_(number), description_(std::move(description)) {}

    std::int32_t number() const { return number_; }
    const QString& description() const { return description_; }
    const char* what() const noexcept override { return "quillet failure"; }

private:
    std::int32_t number_;
    QString description_;
};

// Turns an errno value from a file operation into a failure with the numbers above:
// a missing file in an existing folder is 53, a missing or non-folder component on
// the way is 76, permission / read-only file system / a folder where a file was
// expected is 75; anything else keeps a number of its own.
Failure fileFailure(int errnoValue, const QString& path);

// The program's one failure trap. Runs body and hands back the failure it met,
// nothing when it ran through. Besides a Failure, it catches what the library
// may throw: running out of memory is failure 7, any other standard exception is
// failure 51 with the exception's own text. The caller decides what follows
// (record it, show its message, retry or go on), so nothing is lost on the way.
std::optional<Failure> trapFailure(const std::function<void()>& body);

// Where trapped failures are recorded: the error report. The parts of the program
// that trap failures are handed one, so none of them needs to know who keeps the
// report.
class FailureRecorder {
public:
    // Records a failure with the name of the window whose handler trapped it.
    virtual void SaveDebug(const QString& szErrorDescription, std::int32_t lErrorNumber,
                           const QString& szCurrentForm) = 0;
    void record(const Failure& failure, const QString& form) {
        SaveDebug(failure.description(), failure.number(), form);
    }

protected:
    ~FailureRecorder() = default;
};

} // namespace quillet
