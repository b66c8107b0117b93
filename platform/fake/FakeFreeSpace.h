#pragma once

#include "platform/FreeSpaceSource.h"

// A drive whose free space the test decides; nothing means the drive cannot be asked.
class FakeFreeSpace : public FreeSpaceSource
{
public:
    std::optional<qint64> freeBytes(const QString& path) override
    {
        m_lastPath = path;
        return m_bytes;
    }

    void setFreeBytes(std::optional<qint64> bytes) { m_bytes = bytes; }
    QString lastPath() const { return m_lastPath; }

private:
    std::optional<qint64> m_bytes = qint64(1) << 50;
    QString m_lastPath;
};
