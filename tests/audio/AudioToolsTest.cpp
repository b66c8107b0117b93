#include "audio/AudioRecordSwitch.h"
#include "audio/CompanionPrograms.h"
#include "audio/SoundTest.h"
#include "document/AudioRecSettings.h"
#include "document/SettingsLines.h"
#include "platform/fake/FakeAudioPlayer.h"
#include "platform/fake/FakeFileDialogService.h"
#include "platform/fake/FakeProgramLauncher.h"
#include "setup/widgets/AudioToolsPanel.h"
#include "setup/widgets/frmAudioSettings.h"
#include "tests/fakes/FakeMessageService.h"
#include "tests/fakes/TestFolder.h"

#include <QAction>
#include <QComboBox>
#include <QLabel>
#include <QMenu>
#include <QPushButton>
#include <QRadioButton>

#include <gtest/gtest.h>

namespace {

// The setup window's audio part on an application folder holding the sounds. Playing, stopping,
// ending, looping and failing (broken files, no output device) run for real in
// audio_output/QtAudioPlayerTest and e2e.sound_test.
class AudioToolsTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        for (int i = 0; i < SoundTest::Mp3Index; ++i)
            dir.writeFile(SoundTest::SoundCaptions[i] + ".wav", "RIFF");
        dir.writeFile("Sound.mp3", "ID3");
        panel.addToMenu(&tools);
    }

    QString app(const QString& name) const { return appFolder + name; }
    QStringList fileLines(const QString& name) const
    {
        return SettingsLines::read(app(name)).value_or(QStringList{"<missing>"});
    }
    void expectChecked(int sound)
    {
        for (int i = 0; i < SoundTest::SoundCaptions.size(); ++i)
            EXPECT_EQ(panel.soundAction(i)->isChecked(), i == sound) << i;
    }

    TestFolder dir;
    const QString appFolder = dir.folder();
    FakeAudioPlayer player;
    FakeProgramLauncher launcher;
    FakeMessageService messages;
    FakeFileDialogService dialogs;
    AudioRecSettings recorder;
    QWidget window;
    QMenu tools;
    SoundTest test{appFolder, player, messages, dialogs};
    AudioRecordSwitch audioRecord{appFolder};
    CompanionPrograms programs{appFolder, launcher};
    AudioToolsPanel panel{test, audioRecord, programs, appFolder, recorder, &window};
};

} // namespace

// The status shows the time left as hours, minutes and seconds; the end of the sound starts it
// again only with Loop on, and a sound that breaks off is reported.
TEST_F(AudioToolsTest, TheStatusCountsDownAndTheEndLoopsOnlyWhenAsked)
{
    const qint64 length = 3 * 3600000 + 25 * 60000 + 7000;
    player.setLengthMs(length);
    panel.playButton()->click();
    EXPECT_EQ(player.openPath(), app("1kHz Tone.wav"));
    panel.Timer1_Timer();
    EXPECT_EQ(panel.statusLabel()->text(), "Status : Playing 03:25:07");
    player.advanceTo(length - 3600000);
    EXPECT_EQ(test.statusText(), "Status : Playing 01:00:00");
    player.advanceTo(length - 999); // not a whole second left
    EXPECT_EQ(test.statusText(), "Status : Playing 00:00:00");
    player.reachEnd();
    EXPECT_EQ(test.statusText(), "Status : Stopped");

    test.MnuLoop_Click();
    test.ComSPlay_Click();
    player.reachEnd();
    EXPECT_TRUE(test.isPlaying()) << "with Loop the end starts the sound again";
    player.breakOff();
    EXPECT_EQ(messages.texts(),
              QStringList{"An error occurred will attempting to play the sound."});
    EXPECT_EQ(player.openPath(), "");
}

TEST_F(AudioToolsTest, ChoosingASoundChecksItsItemAndSwitchesAtOnceOnlyWhilePlaying)
{
    expectChecked(2);
    test.MnuChooseSound_Click(0);
    expectChecked(0);
    test.MnuChooseSound_Click(99); // no such sound: the choice stays
    expectChecked(0);
    EXPECT_EQ(player.lastPath(), "") << "chosen while stopped: nothing plays";

    test.ComSPlay_Click();
    EXPECT_EQ(player.openPath(), app("10Hz Tone.wav"));
    player.advanceTo(2000);
    panel.soundAction(4)->trigger();
    expectChecked(4);
    EXPECT_EQ(player.openPath(), app("Pink Noise.wav"));
    EXPECT_TRUE(test.isPlaying());
    EXPECT_EQ(player.positionMs(), 0);
}

// Sound.INI holds the chosen MP3 and the loop state; the default MP3 stands in for a missing one.
TEST_F(AudioToolsTest, Mp3AndLoopComeFromSoundIniWithTheDefaultAsFallback)
{
    // Without a settings file nothing was chosen: the default MP3 is written with the state.
    panel.loopAction()->trigger();
    EXPECT_EQ(fileLines("Sound.INI"), (QStringList{app("Sound.mp3"), "True"}));
    panel.loopAction()->trigger();

    test.MnuChooseSound_Click(SoundTest::Mp3Index);
    const QString own = dir.writeFile("own/Talk Intro.mp3", "ID3");
    dialogs.queueChoice(own);
    test.MnuSelectMp3_Click();
    EXPECT_FALSE(test.isPlaying()) << "choosing while stopped does not play";
    test.ComSPlay_Click();
    EXPECT_EQ(player.openPath(), own);
    test.ComSPlay_Click();

    QFile::remove(own);
    test.ComSPlay_Click();
    EXPECT_EQ(player.openPath(), app("Sound.mp3"));
    EXPECT_TRUE(messages.texts().isEmpty());

    SettingsLines::write(app("Sound.INI"), {"/media/usb/Fanfare.mp3", "True"});
    test.MnuLoop_Click();
    EXPECT_TRUE(panel.loopAction()->isChecked());
    EXPECT_EQ(fileLines("Sound.INI"), (QStringList{"/media/usb/Fanfare.mp3", "True"}));
}

TEST_F(AudioToolsTest, ToolsMenuFollowsTheFilesAndTheAudioSettingsWindowsWriteOnlyOnOk)
{
    panel.audioRecordAction()->trigger();
    EXPECT_EQ(SettingsLines::read(app("ALog.ini")), QStringList{"True"});

    SettingsLines::write(app("ALog.ini"), {"False"});
    emit tools.aboutToShow();
    EXPECT_FALSE(panel.audioRecordAction()->isChecked());

    // The sound settings button starts a mixer; without one it is greyed.
    AudioRecSettings settings;
    EXPECT_FALSE(frmAudioSettings(settings, appFolder, programs).recordDeviceButton()->isEnabled());
    launcher.install("pavucontrol", "/usr/bin/pavucontrol");
    frmAudioSettings mixer(settings, appFolder, programs);
    mixer.recordDeviceButton()->click();
    EXPECT_EQ(launcher.started().last().program, "/usr/bin/pavucontrol");

    // The audio settings window opens on the values in memory, keeps values its lists do not offer,
    // and only OK writes them; Cancel changes neither file nor memory.
    SettingsLines::write(app("AudioRec.ini"), {"2", "22050", "144"});
    recorder.load(appFolder);
    recorder.Channels = "1";
    frmAudioSettings cancelled(recorder, appFolder, programs);
    EXPECT_TRUE(cancelled.optMonoStereo(0)->isChecked());
    EXPECT_EQ(cancelled.bitRateBox()->currentText(), "144");
    cancelled.optMonoStereo(1)->setChecked(true);
    cancelled.sampleRateBox()->setCurrentText("32000");
    cancelled.ComCancel_Click();
    EXPECT_TRUE(recorder.Channels == "1" && recorder.SampleRate == "22050");
    EXPECT_EQ(fileLines("AudioRec.ini"), (QStringList{"2", "22050", "144"}));

    panel.audioSettingsAction()->trigger();
    frmAudioSettings* opened = panel.settingsWindow();
    ASSERT_NE(opened, nullptr);
    EXPECT_EQ(opened->sampleRateBox()->currentText(), "22050");
    opened->bitRateBox()->setCurrentText("320");
    opened->ComOk_Click();
    EXPECT_EQ(fileLines("AudioRec.ini"), (QStringList{"1", "22050", "320"}));
    EXPECT_EQ(recorder.BitRate, "320");
}
