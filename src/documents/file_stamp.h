#pragma once

// What a file on disk was when the document last read or wrote it, so that a
// change made by another program can be told from the document's own.

#include <QString>

#include <cstdint>

struct stat;

namespace quillet {

struct FileStamp {
    bool exists = false;
    std::int64_t size = 0;
    std::int64_t modifiedNs = 0;
    std::uint64_t device = 0;
    std::uint64_t inode = 0;

    bool operator==(const FileStamp&) const = default;
};

FileStamp fileStamp(const struct stat& st);
// The file at path now (following symbolic links); exists is false when there
// is none, it cannot be looked at, or something else than a file is there.
FileStamp fileStamp(const QString& path);

} // namespace quillet
