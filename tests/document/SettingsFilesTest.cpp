#include "AudioRecSettings.h"
#include "LiveCastSettings.h"
#include "OemSettings.h"
#include "RecentFiles.h"
#include "SettingsLines.h"
#include "SlideFormatSetting.h"
#include "TestFolder.h"
#include "TimingsSetting.h"

#include <gtest/gtest.h>

namespace {

QByteArray crlf(const QStringList& lines)
{
    QByteArray bytes;
    for (const QString& line : lines)
        bytes += line.toUtf8() + "\r\n";
    return bytes;
}

} // namespace

// Written by the windows that change them: AudioToolsTest, SetupWindowTest, LaunchControllerTest.
TEST(SettingsFiles, WhatIsReadFromEachFileWhatIsMissingAndTheRecentList)
{
    TestFolder dir;
    SlideFormatSetting missingSlide;
    missingSlide.load(dir.folder());
    EXPECT_EQ(missingSlide.SlideImageFormat(), "EMF");
    EXPECT_EQ(dir.readFile("Slide.INI"), crlf({"2"}));
    AudioRecSettings audio;
    audio.load(dir.folder());
    EXPECT_EQ(dir.readFile("AudioRec.ini"), crlf({"2", "48000", "64"}));
    TimingsSetting missingTimings;
    missingTimings.load(dir.folder());
    EXPECT_TRUE(missingTimings.Checked);
    EXPECT_FALSE(missingTimings.Enabled);
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
        SlideFormatSetting slide;
        slide.load(dir.folder());
        EXPECT_EQ(slide.Index, index) << line;
    }

    dir.writeFile("oem.ini", crlf({"Acme AV", "https://acme.example/", "Acme", "acme"}));
    OemSettings oem;
    oem.load(dir.folder());
    EXPECT_EQ(oem.OemShortName, "acme");
    // A truncated branding file keeps every default rather than a half-blank product.
    dir.writeFile("oem.ini", crlf({"Acme AV"}));
    OemSettings partial;
    partial.load(dir.folder());
    EXPECT_EQ(partial.WebMenuCaption, "vesk Technology");

    // Live cast: the first three lines set either way, the last two only switch on.
    dir.writeFile("LiveCast.INI", crlf({"False", "no", "True", "False", "True"}));
    LiveCastSettings live;
    live.StretchMode = true; // a "False" on line 4 must not clear it
    live.load(dir.folder());
    EXPECT_FALSE(live.PresenterStageLeft);
    EXPECT_FALSE(live.VideoRatio43);
    EXPECT_TRUE(live.PlayerControls);
    EXPECT_TRUE(live.StretchMode);
    EXPECT_TRUE(live.Controls);
    ASSERT_TRUE(live.save(dir.folder()));
    EXPECT_EQ(dir.readFile("LiveCast.INI"), crlf({"False", "False", "True", "True", "True"}));
    dir.writeFile("LiveCast.INI", crlf({"True", "True"}));
    live.load(dir.folder());
    EXPECT_TRUE(live.PresenterStageLeft && live.VideoRatio43) << "a short file sets what it has";
    dir.writeFile("LiveCast.INI", "");
    live.load(dir.folder());
    EXPECT_TRUE(live.PresenterStageLeft);

    // The recent list: empty lines pad the file and a new file pushes the oldest out. Reordering
    // on open and dropping vanished files at start: SetupControllerTest.
    QStringList f;
    for (const char* name : {"a.evf", "b.evf", "c.evf", "d.evf", "e.evf"})
        f << dir.writeFile(name, "x");
    RecentFiles recent;
    dir.writeFile("Previous.INI", crlf({f[0], dir.path("gone.evf"), "[Empty]", f[2]}));
    recent.load(dir.folder());
    EXPECT_EQ(recent.paths(), QStringList({f[0], f[2]}));
    ASSERT_TRUE(recent.save(dir.folder()));
    EXPECT_EQ(dir.readFile("Previous.INI"), crlf({f[0], f[2], "[Empty]", "[Empty]"}));

    for (const QString& path : {f[1], f[3], f[4]})
        recent.promote(path);
    EXPECT_EQ(recent.paths(), QStringList({f[4], f[3], f[1], f[0]}));
    // Saving under a name already listed does not list it twice; vanished files drop out.
    QFile::remove(f[3]);
    recent.promote(f[0]);
    EXPECT_EQ(recent.paths(), QStringList({f[0], f[4], f[1]}));
}
