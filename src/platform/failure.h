#pragma once

#include <QString>

#include <exception>

namespace quillet {

// Failure numbers the program acts on. Other failures keep a number of their own
// (57 device I/O error, 61 disk full, ...).
namespace err {
constexpr int Overflow = 6;
constexpr int TypeMismatch = 13;
constexpr int FileNotFound = 53;
constexpr int DeviceIO = 57;
constexpr int DiskFull = 61;
constexpr int PathFileAccess = 75;
constexpr int PathNotFound = 76;
constexpr int InvalidPropertyValue = 380;
constexpr int PrinterError = 482;
} // namespace err

// A trapped failure: what a command records with SaveDebug and acts on by number.
class Failure : public std::exception {
public:
    Failure(int number, QString description)
        : number_(number), description_(std::move(description)) {}

    int number() const { return number_; }
    const QString& description() const { return description_; }
    const char* what() const noexcept override { return "quillet failure"; }

private:
    int number_;
    QString description_;
};

// Turns an errno value from a file operation into a failure with the numbers above:
// a missing file in an existing folder is 53, a missing or non-folder component on
// the way is 76, permission / read-only file system / a folder where a file was
// expected is 75; anything else keeps a number of its own.
Failure fileFailure(int errnoValue, const QString& path);

} // namespace quillet
