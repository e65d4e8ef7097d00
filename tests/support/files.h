#pragma once

// Files for tests: reading and writing them whole, a file-size limit that makes
// writes fail as on a full disk, and readable QString values in failure messages.

#include <QByteArray>
#include <QString>

#include <ostream>

// Readable QString values in failure messages.
inline void PrintTo(const QString& s, std::ostream* os) {
    *os << '"' << s.toStdString() << '"';
}

namespace quillet::test {

// Reads a file whole.
QByteArray readFile(const QString& path);
// Writes bytes to a file, creating folders; fails the test when it cannot.
void writeFile(const QString& path, const QByteArray& bytes);

// While it lives, no file this process writes can grow past `bytes`: the write
// fails as on a full disk, instead of the process being stopped by a signal.
class FileSizeLimit {
public:
    explicit FileSizeLimit(unsigned long bytes);
    ~FileSizeLimit();
    FileSizeLimit(const FileSizeLimit&) = delete;
    FileSizeLimit& operator=(const FileSizeLimit&) = delete;
    bool applied() const { return applied_; }

private:
    unsigned long previous_ = 0;
    void (*previousHandler_)(int) = nullptr;
    bool armed_ = false;
    bool applied_ = false;
};

} // namespace quillet::test
