#include "AudioRecSettings.h"
#include "LiveCastSettings.h"
#include "OemSettings.h"
#include "RecentFiles.h"
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

TEST(SettingsFiles, MissingFilesGiveDefaultsAndOnlySomeAreCreated)
{
    TestFolder dir;
    const QString app = dir.folder();

    RecentFiles recent;
    recent.load(app);
    EXPECT_TRUE(recent.paths().isEmpty());
    EXPECT_EQ(dir.readFile("Previous.INI"), crlf({"[Empty]", "[Empty]", "[Empty]", "[Empty]"}));

    SlideFormatSetting slide;
    slide.load(app);
    EXPECT_EQ(slide.Index, 2);
    EXPECT_EQ(slide.SlideImageFormat(), "EMF");
    EXPECT_EQ(dir.readFile("Slide.INI"), crlf({"2"}));

    AudioRecSettings audio;
    audio.load(app);
    EXPECT_EQ(dir.readFile("AudioRec.ini"), crlf({"2", "48000", "64"}));

    TimingsSetting timings;
    timings.load(app);
    EXPECT_TRUE(timings.Checked);
    EXPECT_FALSE(timings.Enabled);

    LiveCastSettings live;
    live.load(app);
    EXPECT_TRUE(live.PresenterStageLeft);
    EXPECT_TRUE(live.VideoRatio43);
    EXPECT_FALSE(live.PlayerControls || live.StretchMode || live.Controls);

    OemSettings oem;
    oem.load(app);
    EXPECT_EQ(oem.OemShortName, "vesk");
    EXPECT_EQ(oem.WebMenuCaption, "vesk Technology");

    // Optional files are never created just by reading them.
    EXPECT_FALSE(QFileInfo::exists(dir.path("TLog.ini")));
    EXPECT_FALSE(QFileInfo::exists(dir.path("LiveCast.INI")));
    EXPECT_FALSE(QFileInfo::exists(dir.path("oem.ini")));
}

TEST(SettingsFiles, TimingsSwitchReadsEveryForm)
{
    TestFolder dir;
    struct Case
    {
        QString line;
        bool checked;
        bool enabled;
    };
    const Case cases[] = {{"False", false, true},  {"TRUE", true, true},    {"true", true, true},
                          {"greyed", true, false}, {"Greyed", true, false}, {"maybe", false, true}};
    for (const Case& c : cases) {
        dir.writeFile("TLog.ini", crlf({c.line}));
        TimingsSetting timings;
        timings.load(dir.folder());
        EXPECT_EQ(timings.Checked, c.checked) << c.line.toStdString();
        EXPECT_EQ(timings.Enabled, c.enabled) << c.line.toStdString();
    }
    // What the timings command writes comes back at the next start.
    for (bool checked : {true, false}) {
        ASSERT_TRUE(TimingsSetting::save(dir.folder(), checked));
        TimingsSetting timings;
        timings.load(dir.folder());
        EXPECT_EQ(timings.Checked, checked);
        EXPECT_TRUE(timings.Enabled);
    }
}

TEST(SettingsFiles, LiveCastFirstThreeLinesSetEitherWayLastTwoOnlySwitchOn)
{
    TestFolder dir;
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
    LiveCastSettings again;
    again.load(dir.folder());
    EXPECT_EQ(again.VideoRatio43, live.VideoRatio43);
    EXPECT_EQ(again.Controls, live.Controls);
}

TEST(SettingsFiles, OemAndSlideRoundTripsAndBadValues)
{
    TestFolder dir;
    dir.writeFile("oem.ini", crlf({"Acme AV", "https://acme.example/", "Acme", "acme"}));
    OemSettings oem;
    oem.load(dir.folder());
    EXPECT_EQ(oem.WebMenuCaption, "Acme AV");
    EXPECT_EQ(oem.OemShortName, "acme");

    // A truncated branding file keeps every default rather than a half-blank product.
    dir.writeFile("oem.ini", crlf({"Acme AV"}));
    OemSettings partial;
    partial.load(dir.folder());
    EXPECT_EQ(partial.WebMenuCaption, "vesk Technology");

    for (const char* bad : {"0", "6", "x", ""}) {
        dir.writeFile("Slide.INI", crlf({bad}));
        SlideFormatSetting slide;
        slide.load(dir.folder());
        EXPECT_EQ(slide.Index, 2) << bad;
    }
    SlideFormatSetting jpg;
    jpg.Index = 4;
    ASSERT_TRUE(jpg.save(dir.folder()));
    SlideFormatSetting back;
    back.load(dir.folder());
    EXPECT_EQ(back.SlideImageFormat(), "JPG");
}

TEST(RecentFilesList, LoadDropsMissingFilesAndPromoteReordersAsTheMenuDoes)
{
    TestFolder dir;
    QStringList f;
    for (const char* name : {"a.evf", "b.evf", "c.evf", "d.evf", "e.evf"})
        f << dir.writeFile(name, "x");
    dir.writeFile("Previous.INI", crlf({f[0], dir.path("gone.evf"), "[Empty]", f[2]}));
    RecentFiles recent;
    recent.load(dir.folder());
    EXPECT_EQ(recent.paths(), QStringList({f[0], f[2]}));
    EXPECT_EQ(recent.caption(1), "&2 c.evf");
    ASSERT_TRUE(recent.save(dir.folder()));
    EXPECT_EQ(dir.readFile("Previous.INI"), crlf({f[0], f[2], "[Empty]", "[Empty]"}));

    dir.writeFile("Previous.INI", crlf({f[0], f[1], f[2], f[3]}));
    recent.load(dir.folder());
    // Clicking the third entry moves it to the top; the others keep their order.
    recent.promote(f[2], 2);
    EXPECT_EQ(recent.paths(), QStringList({f[2], f[0], f[1], f[3]}));
    // A new file pushes the oldest out.
    recent.promote(f[4]);
    EXPECT_EQ(recent.paths(), QStringList({f[4], f[2], f[0], f[1]}));
    // Saving under a name already listed does not list it twice; vanished files drop out.
    QFile::remove(f[2]);
    recent.promote(f[0]);
    EXPECT_EQ(recent.paths(), QStringList({f[0], f[4], f[1]}));
}
