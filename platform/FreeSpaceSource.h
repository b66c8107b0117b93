#pragma once

#include <QString>

#include <optional>

// How much room is left on the file system that would hold a file. The export of a zipped event
// file asks before it writes anything.
class FreeSpaceSource
{
public:
    virtual ~FreeSpaceSource() = default;

    // Bytes this user may still write on the file system of path (which need not exist yet; its
    // nearest existing folder decides). Nothing when the file system cannot be asked.
    virtual std::optional<qint64> freeBytes(const QString& path) = 0;
};
