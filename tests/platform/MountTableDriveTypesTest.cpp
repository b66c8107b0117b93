#include "platform/MountTableDriveTypes.h"
#include "tests/fakes/TestFolder.h"

#include <QDir>
#include <QFile>

#include <gtest/gtest.h>

namespace {

using Type = DriveTypeSource::DriveType;

// Lines as the kernel writes them: blanks in mount points come escaped as \040.
const QByteArray MountInfo = R"(26 1 8:1 / / rw,relatime - ext4 /dev/sda1 rw
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

QString fakeSysfs(const TestFolder& dir)
{
    for (const QString disk : {"sda", "sdb", "sdc"}) {
        dir.writeFile("sys/devices/block/" + disk + "/removable", disk == "sdb" ? "1\n" : "0\n");
        dir.writeFile("sys/devices/block/" + disk + "/" + disk + "1/partition", "1\n");
    }
    QDir().mkpath(dir.path("sys/dev/block"));
    const QList<std::pair<QString, QString>> links = {
        {"8:16", "sdb"}, {"8:17", "sdb/sdb1"}, {"8:33", "sdc/sdc1"}, {"8:1", "sda/sda1"}};
    for (const auto& [device, target] : links)
        QFile::link("../../devices/block/" + target, dir.path("sys/dev/block/" + device));
    return dir.path("sys");
}

} // namespace

TEST(MountTableDriveTypesTest, EveryKindOfMountRealPathsLinksAndFixedRoots)
{
    TestFolder dir;
    const MountTableDriveTypes drives(dir.writeFile("mountinfo", MountInfo), fakeSysfs(dir));
    const QList<std::pair<QString, Type>> expected = {
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

    // Real paths, links and the fixed roots.
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

    const MountTableDriveTypes onDisk(dir.writeFile("mountinfo", table.toUtf8()), fakeSysfs(dir));
    EXPECT_EQ(onDisk.driveTypeOf(dir.path("data/link.ppt")), Type::RamDisk);
    EXPECT_EQ(onDisk.driveTypeOf(dir.path("data")), Type::Fixed);
    // The container's root counts although no device backs it; images, pseudo file systems,
    // sticks, bind-mounted files and vanished mount points are no drives to browse.
    EXPECT_EQ(onDisk.fixedDriveRoots(), QStringList({"/", dir.path("data")}));
    EXPECT_EQ(onDisk.driveTypeOf(dir.path("vanished.ppt")), Type::Unknown);

    // The table is read anew for every question: a stick plugged in later is seen.
    dir.writeFile("mountinfo", table.toUtf8() + "9 1 8:17 / " + root.toUtf8() +
                                   "/data rw - vfat /dev/sdb1 rw\n");
    EXPECT_EQ(onDisk.driveTypeOf(dir.path("data")), Type::Removable);
    // This machine's own table: every existing path lies on some mount.
    EXPECT_NE(MountTableDriveTypes().driveTypeOf(QDir::tempPath()), Type::Unknown);
}
