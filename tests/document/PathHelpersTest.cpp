#include "PathHelpers.h"
#include "AppFolders.h"
#include "FileSizeLimit.h"
#include "TestFolder.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <gtest/gtest.h>

TEST(PathHelpersTest, FileNameFolderAndSuffix)
{
    EXPECT_EQ(PathHelpers::FileNameOf(""), "");
    EXPECT_EQ(PathHelpers::FileNameOf("/home/op/Talk.pptx"), "Talk.pptx");
    EXPECT_EQ(PathHelpers::FolderOf("/home/op/Talk.pptx"), "/home/op/");
    // The search starts at the second-last character: a trailing "/" stays with the name.
    EXPECT_EQ(PathHelpers::FileNameOf("/home/op/"), "op/");
    EXPECT_EQ(PathHelpers::FolderOf("/home/op/"), "/home/");
    EXPECT_EQ(PathHelpers::FileNameOf("Talk.ppt"), "Talk.ppt");
    EXPECT_EQ(PathHelpers::FolderOf("Talk.ppt"), "");
    // A dot in a folder name is not an extension.
    EXPECT_EQ(PathHelpers::withSuffix("/a.b/Talk", "2"), "/a.b/Talk2");
}

TEST(PathHelpersTest, FilesAreEqualComparesEveryByte)
{
    TestFolder dir;
    QByteArray big(3 * (1 << 20) + 17, 'a');
    const QString a = dir.writeFile("a", big);
    const QString b = dir.writeFile("b", big);
    EXPECT_TRUE(PathHelpers::FilesAreEqual(a, b));
    big[big.size() - 1] = 'b'; // a difference in the last, partial block
    dir.writeFile("b", big);
    EXPECT_FALSE(PathHelpers::FilesAreEqual(a, b));
    dir.writeFile("b", big.left(big.size() - 1));
    EXPECT_FALSE(PathHelpers::FilesAreEqual(a, b));
    EXPECT_FALSE(PathHelpers::FilesAreEqual(a, dir.path("missing")));
    EXPECT_TRUE(PathHelpers::FilesAreEqual(dir.writeFile("e1", ""), dir.writeFile("e2", "")));
}

TEST(PathHelpersTest, CopyAndRenameNeverLoseAFile)
{
    TestFolder dir;
    QDir().mkpath(dir.path("full"));
    const QString src = dir.writeFile("src.ppt", "presentation");
    const QString dst = dir.path("copy.ppt");
    QFile::setPermissions(src, QFile::ReadOwner);
    ASSERT_TRUE(PathHelpers::ShellCopyFile(src, dst));
    EXPECT_EQ(dir.readFile("copy.ppt"), "presentation");
    EXPECT_TRUE(QFileInfo(dst).permissions() & QFile::WriteOwner);
    EXPECT_FALSE(PathHelpers::ShellCopyFile(dir.path("missing.ppt"), dst));
    EXPECT_EQ(dir.readFile("copy.ppt"), "presentation");

    // A disk that fills up mid-copy leaves neither a half copy nor its scratch file behind.
    const QString big = dir.writeFile("big.ppt", QByteArray(3000000, 'b'));
    const bool copied = [&] {
        const FileSizeLimit full(1000000);
        return PathHelpers::ShellCopyFile(big, dir.path("full/big.ppt"));
    }();
    EXPECT_FALSE(copied);
    EXPECT_TRUE(QDir(dir.path("full")).isEmpty());

    const QString other = dir.writeFile("other.ppt", "other");
    // A rename onto an existing file is refused and both files keep their content.
    EXPECT_FALSE(PathHelpers::ShellRenameFile(dst, other));
    EXPECT_EQ(dir.readFile("copy.ppt"), "presentation");
    EXPECT_EQ(dir.readFile("other.ppt"), "other");
    EXPECT_TRUE(PathHelpers::ShellRenameFile(dst, dir.path("renamed.ppt")));
    EXPECT_FALSE(QFileInfo::exists(dst));
    EXPECT_FALSE(PathHelpers::ShellRenameFile(dir.path("missing.ppt"), dir.path("x.ppt")));
}

// The folders given by the environment and the run folder: SetupControllerTest.
TEST(AppFoldersTest, ResolutionOrderSeedingAndRemoval)
{
    TestFolder dir;
    QProcessEnvironment env;
    env.insert("HOME", dir.path("home"));
    EXPECT_EQ(AppFolders::resolveAppFolder("", env), dir.path("home/.local/share/vesk-stagor/"));
    env.insert("XDG_DATA_HOME", dir.path("data"));
    EXPECT_EQ(AppFolders::resolveAppFolder("", env), dir.path("data/vesk-stagor/"));
    env.insert("STAGOR_APP_FOLDER", dir.path("fromenv"));
    EXPECT_EQ(AppFolders::resolveAppFolder("", env), dir.path("fromenv/"));
    EXPECT_EQ(AppFolders::resolveAppFolder(dir.path("arg/"), env), dir.path("arg/"));
    EXPECT_EQ(AppFolders::resolveLiveCastFolder(env), dir.path("home/veskCast"));

    dir.writeFile("res/Help/index.html", "guide");
    dir.writeFile("res/dtitle", "picture");
    const QString app = dir.path("app/");
    dir.writeFile("app/dtitle", "operator's own");
    ASSERT_TRUE(AppFolders::seed(app, dir.path("res")));
    EXPECT_EQ(dir.readFile("app/Help/index.html"), "guide");
    EXPECT_EQ(dir.readFile("app/dtitle"), "operator's own");

    // Removing a folder takes read-only content too.
    dir.writeFile("run/Preview/slide.png", "x");
    const QString ro = dir.writeFile("run/locked.evf", "x");
    QFile::setPermissions(ro, QFile::ReadOwner);
    QFile::setPermissions(dir.path("run/Preview"), QFile::ReadOwner | QFile::ExeOwner);
    EXPECT_TRUE(AppFolders::removeFolder(dir.path("run")));
    EXPECT_FALSE(QFileInfo::exists(dir.path("run")));
}
