#include "PathHelpers.h"
#include "AppFolders.h"
#include "FileSizeLimit.h"
#include "TestFolder.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <gtest/gtest.h>

#include <sys/stat.h>
#include <thread>

TEST(PathHelpersTest, NamesComparisonAndCopies)
{
    EXPECT_EQ(PathHelpers::FileNameOf("/home/op/Talk.pptx"), "Talk.pptx");
    EXPECT_EQ(PathHelpers::FolderOf("/home/op/Talk.pptx"), "/home/op/");
    // The search starts at the second-last character: a trailing "/" stays with the name.
    EXPECT_EQ(PathHelpers::FileNameOf("/home/op/"), "op/");
    EXPECT_EQ(PathHelpers::FolderOf("/home/op/"), "/home/");
    // A dot in a folder name is not an extension.
    EXPECT_EQ(PathHelpers::withSuffix("/a.b/Talk", "2"), "/a.b/Talk2");

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
    const bool copied = [&] {
        const FileSizeLimit full(1000000);
        return PathHelpers::ShellCopyFile(a, dir.path("full/big.ppt"));
    }();
    EXPECT_FALSE(copied);
    EXPECT_TRUE(QDir(dir.path("full")).isEmpty());

    // What the kernel cannot copy for us (a pipe, as some network file systems behave) is
    // copied by hand, whole.
    const QString pipe = dir.path("pipe.ppt");
    ASSERT_EQ(::mkfifo(QFile::encodeName(pipe).constData(), 0600), 0);
    const QByteArray content(3 * 1024 * 1024 + 7, 'p');
    std::thread feeder([&] {
        QFile feed(pipe);
        if (feed.open(QIODevice::WriteOnly))
            feed.write(content);
    });
    qint64 reported = 0;
    const bool fromPipe = PathHelpers::ShellCopyFile(pipe, dir.path("piped.ppt"),
                                                     [&](qint64 done, qint64) { reported = done; });
    feeder.join();
    EXPECT_TRUE(fromPipe);
    EXPECT_EQ(dir.readFile("piped.ppt"), content);
    EXPECT_EQ(reported, content.size());
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
