#include "platform/MountTableDriveTypes.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QMap>

#include <libmount/libmount.h>
#include <sys/sysmacros.h>

#include <memory>

namespace {

bool isUnder(const QString& path, const QString& mountPoint)
{
    if (mountPoint == QLatin1String("/"))
        return path.startsWith(QLatin1Char('/'));
    return path == mountPoint || path.startsWith(mountPoint + QLatin1Char('/'));
}

QString text(const char* value)
{
    return value ? QString::fromUtf8(value) : QString();
}

// "1" in the device's own folder, or in the disk's folder for a partition (sdb1 has no flag of
// its own; sdb has).
bool removableFlagIn(const QString& deviceFolder)
{
    for (const QString& folder : {deviceFolder, QFileInfo(deviceFolder).path()}) {
        QFile flag(folder + QStringLiteral("/removable"));
        if (flag.open(QIODevice::ReadOnly))
            return flag.read(8).trimmed() == "1";
    }
    return false;
}

} // namespace

MountTableDriveTypes::MountTableDriveTypes(QString mountTable, QString sysfsRoot)
    : m_mountTable(std::move(mountTable)), m_sysfsRoot(std::move(sysfsRoot))
{}

DriveTypeSource::DriveType MountTableDriveTypes::driveTypeOf(const QString& path) const
{
    if (path.isEmpty())
        return Unknown;
    // Links are followed: a link on the desktop to a file on a stick is on the stick.
    const QString real = QFileInfo(path).canonicalFilePath();
    if (real.isEmpty())
        return Unknown;
    return typeFromTable(real);
}

DriveTypeSource::DriveType MountTableDriveTypes::typeFromTable(const QString& absolutePath) const
{
    const std::optional<QList<Mount>> mounts = readTable();
    if (!mounts)
        return Unknown;
    const Mount* best = nullptr;
    for (const Mount& mount : *mounts) {
        // Later lines were mounted later and cover earlier ones on the same mount point.
        if (isUnder(absolutePath, mount.target) &&
            (!best || mount.target.size() >= best->target.size()))
            best = &mount;
    }
    return best ? typeOf(*best) : Unknown;
}

QStringList MountTableDriveTypes::fixedDriveRoots() const
{
    const std::optional<QList<Mount>> mounts = readTable();
    if (!mounts)
        return {};
    // Only the last mount on a mount point is visible there.
    QMap<QString, Mount> visible;
    for (const Mount& mount : *mounts)
        visible.insert(mount.target, mount);
    QStringList roots;
    for (const Mount& mount : std::as_const(visible)) {
        if (typeOf(mount) != Fixed)
            continue;
        // The root may be an overlay or another file system without a device (containers).
        const bool root = mount.target == QLatin1String("/");
        const bool disk = mount.source.startsWith(QLatin1String("/dev/")) &&
                          !mount.source.startsWith(QLatin1String("/dev/loop")) && !mount.pseudo;
        if ((root || disk) && QFileInfo(mount.target).isDir())
            roots.append(mount.target);
    }
    return roots;
}

DriveTypeSource::DriveType MountTableDriveTypes::typeOfMount(const QString& fsType,
                                                             const QString& mountPoint,
                                                             bool removableDevice)
{
    static const QStringList remote = {
        QStringLiteral("nfs"),  QStringLiteral("nfs4"),  QStringLiteral("cifs"),
        QStringLiteral("smb3"), QStringLiteral("sshfs"), QStringLiteral("fuse.sshfs"),
        QStringLiteral("9p"),
    };
    if (remote.contains(fsType))
        return Remote;
    if (fsType == QLatin1String("iso9660") || fsType == QLatin1String("udf"))
        return CdRom;
    if (fsType == QLatin1String("tmpfs") || fsType == QLatin1String("ramfs"))
        return RamDisk;
    if (removableDevice || isUnder(mountPoint, QStringLiteral("/media")) ||
        isUnder(mountPoint, QStringLiteral("/run/media")))
        return Removable;
    return Fixed;
}

std::optional<QList<MountTableDriveTypes::Mount>> MountTableDriveTypes::readTable() const
{
    const std::unique_ptr<libmnt_table, decltype(&mnt_unref_table)> table(
        mnt_new_table_from_file(QFile::encodeName(m_mountTable).constData()), &mnt_unref_table);
    if (!table)
        return std::nullopt;
    const std::unique_ptr<libmnt_iter, decltype(&mnt_free_iter)> iter(
        mnt_new_iter(MNT_ITER_FORWARD), &mnt_free_iter);
    if (!iter)
        return std::nullopt;
    QList<Mount> mounts;
    libmnt_fs* fs = nullptr;
    while (mnt_table_next_fs(table.get(), iter.get(), &fs) == 0) {
        Mount mount;
        mount.target = QDir::cleanPath(text(mnt_fs_get_target(fs)));
        if (!mount.target.startsWith(QLatin1Char('/')))
            continue;
        mount.fsType = text(mnt_fs_get_fstype(fs));
        mount.source = text(mnt_fs_get_source(fs));
        const dev_t device = mnt_fs_get_devno(fs);
        mount.major = major(device);
        mount.minor = minor(device);
        mount.pseudo = mnt_fs_is_pseudofs(fs) != 0;
        mounts.append(mount);
    }
    return mounts;
}

bool MountTableDriveTypes::isRemovableDevice(unsigned major, unsigned minor) const
{
    // Major 0 is the kernel's own anonymous devices (tmpfs, overlay, network file systems).
    if (major == 0)
        return false;
    const QString link = m_sysfsRoot + QStringLiteral("/dev/block/%1:%2").arg(major).arg(minor);
    const QString device = QFileInfo(link).canonicalFilePath();
    return !device.isEmpty() && removableFlagIn(device);
}

DriveTypeSource::DriveType MountTableDriveTypes::typeOf(const Mount& mount) const
{
    return typeOfMount(mount.fsType, mount.target, isRemovableDevice(mount.major, mount.minor));
}
