#pragma once

#include <QStringList>

// What kind of storage a path lives on, in the numbering the import rule uses.
class DriveTypeSource
{
public:
    enum DriveType
    {
        Unknown = 0,   // the mount cannot be determined (no such path, unreadable mount table)
        NoRootDir = 1, // a path that names no mounted file system
        Removable = 2, // USB stick, SD card, anything mounted under /media or /run/media
        Fixed = 3,
        Remote = 4, // nfs, cifs, sshfs, ...
        CdRom = 5,
        RamDisk = 6,
    };

    virtual ~DriveTypeSource() = default;

    virtual DriveType driveTypeOf(const QString& path) const = 0;

    // Mount points of the fixed disks, the roots a folder picker offers besides the desktop.
    virtual QStringList fixedDriveRoots() const { return {QStringLiteral("/")}; }
};
