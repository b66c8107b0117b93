#pragma once

#include "platform/DriveTypeSource.h"

#include <QMap>

// Drive types by folder: the longest configured folder that holds the path decides; paths under
// none of them are on a fixed disk.
class FakeDriveTypeSource : public DriveTypeSource
{
public:
    void set(const QString& folder, DriveType type)
    {
        m_types[folder.endsWith('/') ? folder : folder + '/'] = type;
    }
    DriveType driveTypeOf(const QString& path) const override
    {
        // The map is sorted: a folder inside another comes after it.
        DriveType type = Fixed;
        for (auto it = m_types.cbegin(); it != m_types.cend(); ++it) {
            if (path.startsWith(it.key()) || path + '/' == it.key())
                type = it.value();
        }
        return type;
    }

private:
    QMap<QString, DriveType> m_types;
};
