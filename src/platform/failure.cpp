#include "platform/failure.h"

#include <QFileInfo>

#include <cerrno>
#include <cstring>
#include <new>

namespace quillet {

Failure fileFailure(int errnoValue, const QString& path) {
    const QString description = QString::fromLocal8Bit(std::strerror(errnoValue));
    switch (errnoValue) {
    case ENOENT: {
        // The file is missing; whether its folder exists decides between
        // "file not found" and "path not found".
        const QFileInfo folder(QFileInfo(path).absolutePath());
        if (folder.exists() && folder.isDir())
            return Failure(err::FileNotFound, QStringLiteral("File not found"));
        return Failure(err::PathNotFound, QStringLiteral("Path not found"));
    }
    case ENOTDIR:
        return Failure(err::PathNotFound, QStringLiteral("Path not found"));
    case EACCES:
    case EPERM:
    case EROFS:
    case EISDIR:
    case ETXTBSY:
        return Failure(err::PathFileAccess, QStringLiteral("Path/File access error"));
    case ENOSPC:
    case EDQUOT:
        return Failure(err::DiskFull, QStringLiteral("Disk full"));
    case EIO:
        return Failure(err::DeviceIO, QStringLiteral("Device I/O error"));
    default:
        return Failure(err::ErrnoBase + errnoValue, description);
    }
}

std::optional<Failure> trapFailure(const std::function<void()>& body) {
    try {
        body();
    } catch (const Failure& failure) {
        return failure;
    } catch (const std::bad_alloc&) {
        return Failure(err::OutOfMemory, QStringLiteral("Out of memory"));
    } catch (const std::exception& e) {
        return Failure(err::InternalError, QString::fromLocal8Bit(e.what()));
    }
    return std::nullopt;
}

} // namespace quillet
