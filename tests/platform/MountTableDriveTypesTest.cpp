#include "MountTableDriveTypes.h"
#include "TestFolder.h"

#include <QDir>
#include <QFile>

#include <gtest/gtest.h>

#include <cerrno>
#include <cstring>
#include <sys/mount.h>
#include <unistd.h>

namespace {

using Type = DriveTypeSource::DriveType;

// Lines as the kernel writes them: blanks in mount points come escaped as \040.
const QByteArray MountInfo = R"(26 1 8:1 / / rw,relatime - ext4 /dev/sda1 rw
27 26 8:2 / /home rw,relatime - ext4 /dev/sda2 rw
30 26 0:40 / /mnt/nfs rw - nfs4 server:/export rw
36 26 11:0 / /media/op/TALKS\040CD ro - iso9660 /dev/sr0 ro
38 26 0:46 / /tmp rw - tmpfs tmpfs rw
40 26 8:17 / /mnt/stick rw - vfat /dev/sdb1 rw
41 26 8:16 / /mnt/card rw - vfat /dev/sdb rw
42 26 8:33 / /media/op/DISK rw - ext4 /dev/sdc1 rw
45 30 8:4 / /mnt/nfs/local rw - ext4 /dev/sda4 rw
46 26 8:5 / /mnt/stacked rw - ext4 /dev/sda5 rw
47 46 0:48 / /mnt/stacked rw - tmpfs tmpfs rw
)";

// A sysfs with one removable disk (sdb, its partition sdb1) and fixed ones.
QString fakeSysfs(const TestFolder& dir)
{
    dir.writeFile("sys/devices/block/sdb/removable", "1\n");
    dir.writeFile("sys/devices/block/sdb/sdb1/partition", "1\n");
    dir.writeFile("sys/devices/block/sdc/removable", "0\n");
    dir.writeFile("sys/devices/block/sdc/sdc1/partition", "1\n");
    dir.writeFile("sys/devices/block/sda/removable", "0\n");
    dir.writeFile("sys/devices/block/sda/sda1/partition", "1\n");
    QDir().mkpath(dir.path("sys/dev/block"));
    const QList<std::pair<QString, QString>> links = {
        {"8:16", "sdb"}, {"8:17", "sdb/sdb1"}, {"8:33", "sdc/sdc1"}, {"8:1", "sda/sda1"}};
    for (const auto& [device, target] : links)
        QFile::link("../../devices/block/" + target, dir.path("sys/dev/block/" + device));
    return dir.path("sys");
}

} // namespace

TEST(MountTableDriveTypesTest, EveryKindOfMountFromAMountInfoTable)
{
    TestFolder dir;
    const MountTableDriveTypes drives(dir.writeFile("mountinfo", MountInfo), fakeSysfs(dir));
    const QList<std::pair<QString, Type>> expected = {
        {"/home/op/talk.ppt", Type::Fixed},
        {"/mnt/nfs/talk.ppt", Type::Remote},
        {"/mnt/nfsother/talk.ppt", Type::Fixed},  // a longer name is not inside /mnt/nfs
        {"/mnt/nfs/local/talk.ppt", Type::Fixed}, // the longest mount point decides
        {"/media/op/TALKS CD/talk.ppt", Type::CdRom},
        {"/tmp/a", Type::RamDisk},
        {"/mnt/stick/a", Type::Removable}, // a partition of a removable disk
        {"/mnt/card/a", Type::Removable},  // the removable disk itself
        {"/media/op/DISK/a", Type::Removable},
        {"/mnt/stacked/a", Type::RamDisk}, // the later mount covers the earlier one
    };
    for (const auto& [path, type] : expected)
        EXPECT_EQ(drives.typeFromTable(path), type) << path.toStdString();
}

TEST(MountTableDriveTypesTest, RealPathsLinksAndFixedRoots)
{
    TestFolder dir;
    const QString root = dir.path();
    const QString table =
        QStringLiteral("1 0 0:30 / / rw - overlay overlay rw\n"
                       "2 1 8:1 / %1/data rw - ext4 /dev/sda1 rw\n"
                       "3 1 8:1 /etc/hostname %1/hostname rw - ext4 /dev/sda1 rw\n"
                       "4 1 7:3 / %1/snap ro - squashfs /dev/loop3 ro\n"
                       "5 1 0:5 / %1/proc rw - proc proc rw\n"
                       "6 1 8:17 / %1/stick rw - vfat /dev/sdb1 rw\n"
                       "7 1 8:2 / %1/gone rw - ext4 /dev/sda2 rw\n"
                       "8 1 0:31 / %1/ram rw - tmpfs tmpfs rw\n")
            .arg(root);
    for (const char* folder : {"data", "snap", "proc", "stick", "ram/talks"})
        QDir().mkpath(dir.path(folder));
    dir.writeFile("hostname", "host\n");
    dir.writeFile("ram/talks/t.ppt", "x");
    QFile::link(dir.path("ram/talks/t.ppt"), dir.path("data/link.ppt"));

    const MountTableDriveTypes drives(dir.writeFile("mountinfo", table.toUtf8()), fakeSysfs(dir));
    EXPECT_EQ(drives.driveTypeOf(dir.path("data/link.ppt")), Type::RamDisk);
    EXPECT_EQ(drives.driveTypeOf(dir.path("data")), Type::Fixed);
    EXPECT_EQ(drives.driveTypeOf(dir.path("stick")), Type::Removable);
    // The container's root counts although no device backs it; images, pseudo file systems,
    // sticks, bind-mounted files and vanished mount points are no drives to browse.
    EXPECT_EQ(drives.fixedDriveRoots(), QStringList({"/", dir.path("data")}));
    EXPECT_EQ(drives.driveTypeOf(dir.path("vanished.ppt")), Type::Unknown);

    // No table, or none that holds the path: the drive cannot be determined.
    const MountTableDriveTypes missing(dir.path("missing"));
    EXPECT_EQ(missing.driveTypeOf(dir.path("data")), Type::Unknown);
    EXPECT_TRUE(missing.fixedDriveRoots().isEmpty());
    const QString noRoot = dir.writeFile("noroot", "30 26 0:40 / /mnt/nfs rw - nfs4 s:/e rw\n");
    EXPECT_EQ(MountTableDriveTypes(noRoot).driveTypeOf(dir.path("data")), Type::Unknown);
}

// The table of this machine, read anew for every question.
TEST(MountTableDriveTypesTest, RealTmpfsMountIsSeenAndForgotten)
{
    TestFolder dir;
    // A blank in the mount point: the kernel escapes it in the table.
    const QString point = dir.path("ram disk");
    QDir().mkpath(point);
    const MountTableDriveTypes drives;
    const Type before = drives.driveTypeOf(point);
    if (::mount("tmpfs", QFile::encodeName(point).constData(), "tmpfs", 0, "size=1m") != 0)
        GTEST_SKIP() << "mounting a tmpfs is not permitted here: " << std::strerror(errno);
    // Nothing may end the test between mounting and unmounting.
    QFile file(point + "/talk.ppt");
    EXPECT_TRUE(file.open(QIODevice::WriteOnly));
    file.close();
    EXPECT_EQ(drives.driveTypeOf(point + "/talk.ppt"), Type::RamDisk);
    EXPECT_EQ(drives.driveTypeOf(dir.path()), before);
    ASSERT_EQ(::umount2(QFile::encodeName(point).constData(), MNT_DETACH), 0);
    EXPECT_EQ(drives.driveTypeOf(point), before);
}
