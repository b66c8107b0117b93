#include "document/PathHelpers.h"
#include "document/AppFolders.h"
#include "document/AudioRecSettings.h"
#include "document/LiveCastSettings.h"
#include "document/RecentFiles.h"
#include "document/SettingsLines.h"
#include "document/SlideFormatSetting.h"
#include "document/TimingsSetting.h"
#include "tests/fakes/FileSizeLimit.h"
#include "tests/fakes/TestFolder.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <gtest/gtest.h>

#include <sys/stat.h>
#include <thread>

TEST(PathHelpersTest, NamesComparisonCopiesAndTheApplicationFolder)
{
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

    // A large file is copied in steps of 8 MiB, each reported, so that Cancel is never far off.
    QList<qint64> steps;
    ASSERT_TRUE(PathHelpers::ShellCopyFile(dir.writeFile("big.ppt", QByteArray(9 << 20, 'b')),
                                           dir.path("big-copy.ppt"),
                                           [&](qint64 done, qint64) { steps << done; }));
    EXPECT_EQ(steps, (QList<qint64>{8 << 20, 9 << 20}));

    // The application folder: its resolution order, seeding and removal. The folders given by the
    // environment and the run folder: SetupControllerTest.
    QProcessEnvironment env;
    env.insert("HOME", dir.path("home"));
    EXPECT_EQ(AppFolders::resolveAppFolder("", env), dir.path("home/.local/share/vesk-stagor/"));
    env.insert("XDG_DATA_HOME", dir.path("data"));
    EXPECT_EQ(AppFolders::resolveAppFolder("", env), dir.path("data/vesk-stagor/"));
    env.insert("STAGOR_APP_FOLDER", dir.path("fromenv"));
    EXPECT_EQ(AppFolders::resolveAppFolder("", env), dir.path("fromenv/"));

    // Seeding never overwrites the operator's own files (what it brings: e2e.start_and_close).
    dir.writeFile("res/dtitle", "picture");
    dir.writeFile("app/dtitle", "operator's own");
    ASSERT_TRUE(AppFolders::seed(dir.path("app/"), dir.path("res")));
    EXPECT_EQ(dir.readFile("app/dtitle"), "operator's own");

    // Removing a folder takes read-only content too.
    dir.writeFile("run/Preview/slide.png", "x");
    const QString ro = dir.writeFile("run/locked.evf", "x");
    QFile::setPermissions(ro, QFile::ReadOwner);
    QFile::setPermissions(dir.path("run/Preview"), QFile::ReadOwner | QFile::ExeOwner);
    EXPECT_TRUE(AppFolders::removeFolder(dir.path("run")));
    EXPECT_FALSE(QFileInfo::exists(dir.path("run")));
}

namespace {

QByteArray crlf(const QStringList& lines)
{
    QByteArray bytes;
    for (const QString& line : lines)
        bytes += line.toUtf8() + "\r\n";
    return bytes;
}

// A settings file as the program reads it from folder.
template <class Settings> Settings loaded(const TestFolder& folder)
{
    Settings settings;
    settings.load(folder.folder());
    return settings;
}

} // namespace

// Written by the windows that change them: AudioToolsTest, SetupWindowTest, LaunchControllerTest.
TEST(SettingsFiles, WhatIsReadFromEachFileWhatIsMissingAndTheRecentList)
{
    TestFolder dir;
    EXPECT_EQ(loaded<SlideFormatSetting>(dir).SlideImageFormat(), SlideFormat::Emf);
    EXPECT_EQ(dir.readFile("Slide.INI"), crlf({"2"}));
    loaded<AudioRecSettings>(dir);
    EXPECT_EQ(dir.readFile("AudioRec.ini"), crlf({"2", "48000", "64"}));
    const TimingsSetting missingTimings = loaded<TimingsSetting>(dir);
    EXPECT_TRUE(missingTimings.Checked && !missingTimings.Enabled);
    // A megabyte is the most a settings file can hold.
    EXPECT_EQ(SettingsLines::read(dir.writeFile("big", QByteArray(1 << 20, 'x')))->size(), 1);
    EXPECT_FALSE(SettingsLines::read(dir.writeFile("big", QByteArray((1 << 20) + 1, 'x'))));
    // Optional files are never created just by reading them.
    EXPECT_FALSE(QFileInfo::exists(dir.path("TLog.ini")));

    TimingsSetting timings; // read again and again, as each value must set what it means
    for (const auto& [line, checked, enabled] :
         {std::tuple{"False", false, true}, {"True", true, true}, {"Greyed", true, false}}) {
        dir.writeFile("TLog.ini", crlf({line}));
        timings.load(dir.folder());
        EXPECT_EQ(timings.Checked, checked) << line;
        EXPECT_EQ(timings.Enabled, enabled) << line;
    }

    for (const auto& [line, index] : {std::pair{"6", 2}, {" 4", 4}}) {
        dir.writeFile("Slide.INI", crlf({line}));
        EXPECT_EQ(loaded<SlideFormatSetting>(dir).Index, index) << line;
    }

    // Live cast: the first three lines set either way, the last two only switch on.
    dir.writeFile("LiveCast.INI", crlf({"False", "no", "True", "False", "True"}));
    LiveCastSettings live;
    live.StretchMode = true; // a "False" on line 4 must not clear it
    live.load(dir.folder());
    EXPECT_FALSE(live.PresenterStageLeft || live.VideoRatio43);
    EXPECT_TRUE(live.PlayerControls && live.StretchMode && live.Controls);
    ASSERT_TRUE(live.save(dir.folder()));
    EXPECT_EQ(dir.readFile("LiveCast.INI"), crlf({"False", "False", "True", "True", "True"}));
    dir.writeFile("LiveCast.INI", crlf({"True", "True"}));
    live.load(dir.folder());
    EXPECT_TRUE(live.PresenterStageLeft && live.VideoRatio43) << "a short file sets what it has";

    // The recent list: four lines, the rest passed over; empty lines pad the file and a new file
    // pushes the oldest out. Reordering on open, no name twice and dropping vanished files:
    // SetupControllerTest.
    QStringList f;
    for (const char* name : {"a.evf", "b.evf", "c.evf", "d.evf", "e.evf"})
        f << dir.writeFile(name, "x");
    dir.writeFile("Previous.INI", crlf({f[0], dir.path("gone.evf"), "[Empty]", f[2], f[1]}));
    RecentFiles recent = loaded<RecentFiles>(dir);
    EXPECT_EQ(recent.paths(), QStringList({f[0], f[2]}));
    ASSERT_TRUE(recent.save(dir.folder()));
    EXPECT_EQ(dir.readFile("Previous.INI"), crlf({f[0], f[2], "[Empty]", "[Empty]"}));

    for (const QString& path : {f[1], f[3], f[4]})
        recent.promote(path);
    EXPECT_EQ(recent.paths(), QStringList({f[4], f[3], f[1], f[0]}));
}
