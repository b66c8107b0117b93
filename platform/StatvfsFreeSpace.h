#pragma once

#include "platform/FreeSpaceSource.h"

// Free space as the kernel reports it for unprivileged writers (statvfs f_bavail): the blocks
// reserved for root do not count, since the program never runs as root.
class StatvfsFreeSpace : public FreeSpaceSource
{
public:
    std::optional<qint64> freeBytes(const QString& path) override;
};
