#include "SoundTest.h"
#include "FakeAudioPlayer.h"
#include "FakeFileDialogService.h"
#include "FakeMessageService.h"
#include "SettingsLines.h"
#include "TestFolder.h"

#include <gtest/gtest.h>

namespace {

class SoundTestTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        for (int i = 0; i < SoundTest::Mp3Index; ++i)
            dir.writeFile(SoundTest::SoundCaptions[i] + ".wav", "RIFF");
        dir.writeFile("Sound.mp3", "ID3");
    }

    QString app(const QString& name) const { return appFolder + name; }
    QStringList soundIni() const
    {
        return SettingsLines::read(app("Sound.INI")).value_or(QStringList{"<missing>"});
    }

    TestFolder dir;
    const QString appFolder = dir.folder();
    FakeAudioPlayer player;
    FakeMessageService messages;
    FakeFileDialogService dialogs;
    SoundTest test{appFolder, player, messages, dialogs};
};

} // namespace

// Playing, stopping, ending, looping and failing (missing or broken files, no output device) run
// for real in audio_output/QtAudioPlayerTest and e2e.sound_test.
TEST_F(SoundTestTest, TheStatusShowsTheTimeLeftAsHoursMinutesAndSeconds)
{
    EXPECT_EQ(test.statusText(), "Status : Stopped");
    const qint64 length = 3 * 3600000 + 25 * 60000 + 7000;
    player.setLengthMs(length);
    test.ComSPlay_Click();
    EXPECT_EQ(player.openPath(), app("1kHz Tone.wav"));
    EXPECT_EQ(test.statusText(), "Status : Playing 03:25:07");
    player.advanceTo(length - 999); // not a whole second left
    EXPECT_EQ(test.statusText(), "Status : Playing 00:00:00");
    // A position past a length the back end has not settled yet never shows a negative time.
    player.setLengthMs(0);
    EXPECT_EQ(test.statusText(), "Status : Playing 00:00:00");
    EXPECT_EQ(SoundTest::remainingTimeText(100LL * 3600000), "100:00:00");
}

TEST_F(SoundTestTest, ChoosingASoundSwitchesAtOnceOnlyWhilePlaying)
{
    QList<int> checked;
    QObject::connect(&test, &SoundTest::chosenSoundChanged, [&](int index) { checked << index; });

    test.MnuChooseSound_Click(0);
    EXPECT_FALSE(test.isPlaying());
    EXPECT_EQ(player.lastPath(), "");

    test.ComSPlay_Click();
    EXPECT_EQ(player.openPath(), app("10Hz Tone.wav"));
    player.advanceTo(2000);
    test.MnuChooseSound_Click(4);
    EXPECT_EQ(player.openPath(), app("Pink Noise.wav"));
    EXPECT_TRUE(test.isPlaying());
    EXPECT_EQ(player.positionMs(), 0);

    // An MP3 chosen while another sound plays: the checked sound starts again.
    player.advanceTo(1000);
    dialogs.queueChoice(dir.writeFile("Walk-on.mp3", "ID3"));
    test.MnuSelectMp3_Click();
    EXPECT_EQ(player.openPath(), app("Pink Noise.wav"));
    EXPECT_EQ(player.positionMs(), 0);

    test.MnuChooseSound_Click(6); // no such item
    EXPECT_EQ(test.chosenSound(), 4);
    EXPECT_EQ(checked, (QList<int>{0, 4}));
}

TEST_F(SoundTestTest, Mp3ComesFromSoundIniWithTheDefaultAsFallback)
{
    test.MnuChooseSound_Click(SoundTest::Mp3Index);

    // The first MP3 play creates the settings file, pointing at the default.
    test.ComSPlay_Click();
    EXPECT_EQ(player.openPath(), app("Sound.mp3"));
    EXPECT_EQ(soundIni(), (QStringList{app("Sound.mp3"), "False"}));
    test.ComSPlay_Click();

    const QString own = dir.writeFile("own/Talk Intro.mp3", "ID3");
    dialogs.queueChoice(own);
    test.MnuSelectMp3_Click();
    EXPECT_EQ(dialogs.lastFilter(), "Mp3 Audio Files |*.mp3;");
    EXPECT_FALSE(test.isPlaying()); // choosing while stopped does not play
    test.ComSPlay_Click();
    EXPECT_EQ(player.openPath(), own);
    const QString other = dir.writeFile("Applause.mp3", "ID3");
    dialogs.queueChoice(other);
    test.MnuSelectMp3_Click();
    EXPECT_EQ(player.openPath(), other) << "chosen while playing: it plays at once";
    test.ComSPlay_Click();

    // A chosen file that has gone, a folder, or a cancelled dialog: the default plays.
    const auto playsDefault = [&] {
        test.ComSPlay_Click();
        const bool isDefault = player.openPath() == app("Sound.mp3");
        test.ComSPlay_Click();
        return isDefault;
    };
    QFile::remove(other);
    EXPECT_TRUE(playsDefault());
    SettingsLines::write(app("Sound.INI"), {dir.path("own"), "False"});
    EXPECT_TRUE(playsDefault());
    test.MnuSelectMp3_Click(); // cancelled
    EXPECT_EQ(soundIni(), (QStringList{"", "False"}));
    EXPECT_TRUE(playsDefault());
    EXPECT_TRUE(messages.texts().isEmpty());
}

TEST_F(SoundTestTest, LoopIsRecordedInSoundIniKeepingTheChosenMp3)
{
    // Without a settings file nothing was chosen: the default MP3 is written with the state.
    test.MnuLoop_Click();
    EXPECT_EQ(soundIni(), (QStringList{app("Sound.mp3"), "True"}));

    SettingsLines::write(app("Sound.INI"), {"/media/usb/Fanfare.mp3", "True"});
    test.MnuLoop_Click();
    EXPECT_FALSE(test.loop());
    EXPECT_EQ(soundIni(), (QStringList{"/media/usb/Fanfare.mp3", "False"}));

    // The loop state goes with the next MP3 choice too.
    test.MnuLoop_Click();
    dialogs.queueChoice("/media/usb/Other.mp3");
    test.MnuSelectMp3_Click();
    EXPECT_EQ(soundIni(), (QStringList{"/media/usb/Other.mp3", "True"}));
}
