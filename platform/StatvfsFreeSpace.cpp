#include "platform/StatvfsFreeSpace.h"

#include <QFile>
#include <QFileInfo>

#include <limits>

#include <sys/statvfs.h>

std::optional<qint64> StatvfsFreeSpace::freeBytes(const QString& path)
{
    if (path.isEmpty())
        return std::nullopt;
    // The file itself is usually about to be made: walk up to the folder that exists.
    QString existing = QFileInfo(path).absoluteFilePath();
    while (!QFileInfo::exists(existing)) {
        const QString parent = QFileInfo(existing).absolutePath();
        if (parent == existing)
            return std::nullopt;
        existing = parent;
    }
    struct statvfs info
    {};
    if (::statvfs(QFile::encodeName(existing).constData(), &info) != 0)
        return std::nullopt;
    const unsigned long long blockBytes = info.f_frsize ? info.f_frsize : info.f_bsize;
    const unsigned long long available = static_cast<unsigned long long>(info.f_bavail);
    const unsigned long long limit =
        static_cast<unsigned long long>(std::numeric_limits<qint64>::max());
    if (blockBytes != 0 && available > limit / blockBytes)
        return std::numeric_limits<qint64>::max();
    return static_cast<qint64>(available * blockBytes);
}
