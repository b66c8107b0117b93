#pragma once

#include "platform/DriveTypeSource.h"

#include <QMap>

// Drive types by folder: the longest configured folder that holds the path decides; paths under
// none of them are on a fixed disk.
class FakeDriveTypeSource : public DriveTypeSource
{
public:
    void set(const QString& folder, DriveType type) { m_types[folder] = type; }
    DriveType driveTypeOf(const QString& path) const override;

private:
    QMap<QString, DriveType> m_types;
};
