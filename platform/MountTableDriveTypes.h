#pragma once

#include "platform/DriveTypeSource.h"

#include <QStringList>

#include <optional>

// Drive types from the kernel's mount table (read through libmount) and the block devices'
// "removable" flag in sysfs. The file system of the longest mount point that holds a path
// decides: network file systems are remote, iso9660/udf optical, tmpfs/ramfs RAM disks; a
// removable block device or a mount under /media or /run/media (where desktops mount sticks)
// is removable; any other local file system is fixed. The table is read again on every call,
// so sticks plugged in meanwhile are seen.
class MountTableDriveTypes : public DriveTypeSource
{
public:
    // Both locations can be pointed elsewhere for tests.
    explicit MountTableDriveTypes(QString mountTable = QStringLiteral("/proc/self/mountinfo"),
                                  QString sysfsRoot = QStringLiteral("/sys"));

    // Unknown for a path that does not exist (after following links) and when the mount table
    // cannot be read or has no mount for the path. NoRootDir is never the answer: every existing
    // path lies on some mount.
    DriveType driveTypeOf(const QString& path) const override;

    // The type the mount table gives an absolute, clean path, without looking at the path on
    // disk.
    DriveType typeFromTable(const QString& absolutePath) const;

    // Mount points of fixed disks: "/" when it is fixed, and the other fixed mounts that a
    // block device backs (loop devices, pseudo file systems and bind-mounted files left out).
    QStringList fixedDriveRoots() const override;

    static DriveType typeOfMount(const QString& fsType, const QString& mountPoint,
                                 bool removableDevice);

private:
    struct Mount
    {
        QString target;
        QString fsType;
        QString source;
        unsigned major = 0;
        unsigned minor = 0;
        bool pseudo = false;
    };

    std::optional<QList<Mount>> readTable() const;
    bool isRemovableDevice(unsigned major, unsigned minor) const;
    DriveType typeOf(const Mount& mount) const;

    QString m_mountTable;
    QString m_sysfsRoot;
};
