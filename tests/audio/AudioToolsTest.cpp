#include "AudioRecSettings.h"
#include "AudioToolsPanel.h"
#include "CompanionPrograms.h"
#include "FakeAudioPlayer.h"
#include "FakeFileDialogService.h"
#include "FakeMessageService.h"
#include "FakeProgramLauncher.h"
#include "SettingsLines.h"
#include "SoundTest.h"
#include "TestFolder.h"
#include "frmAudioSettings.h"

#include <QAction>
#include <QComboBox>
#include <QLabel>
#include <QMenu>
#include <QPushButton>
#include <QRadioButton>

#include <gtest/gtest.h>

namespace {

class AudioToolsPanelTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        dir.writeFile("1kHz Tone.wav", "RIFF");
        dir.writeFile("Pink Noise.wav", "RIFF");
        panel.addToMenu(&tools);
    }

    QStringList fileLines(const QString& name) const
    {
        return SettingsLines::read(appFolder + name).value_or(QStringList{"<missing>"});
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
    AudioToolsPanel panel{appFolder, player, launcher, messages, dialogs, recorder, &window};
    CompanionPrograms programs{appFolder, launcher};
};

} // namespace

TEST_F(AudioToolsPanelTest, SoundItemsAreRadioItemsThatFollowTheChoice)
{
    EXPECT_EQ(panel.playButton()->focusPolicy() & Qt::TabFocus, Qt::TabFocus);
    EXPECT_EQ(panel.statusLabel()->text(), "Status :Stopped");
    for (int i = 0; i < 6; ++i)
        EXPECT_EQ(panel.soundAction(i)->isChecked(), i == 2);
    panel.playButton()->click();
    panel.soundAction(4)->trigger();
    EXPECT_EQ(player.openPath(), appFolder + "Pink Noise.wav");
    for (int i = 0; i < 6; ++i)
        EXPECT_EQ(panel.soundAction(i)->isChecked(), i == 4);

    panel.loopAction()->trigger();
    EXPECT_TRUE(panel.loopAction()->isChecked());
    EXPECT_TRUE(panel.soundTest().loop());
}

TEST_F(AudioToolsPanelTest, ToolsMenuFollowsTheFilesEachTimeItOpens)
{
    EXPECT_FALSE(panel.captureAction()->isEnabled());
    panel.audioRecordAction()->trigger();
    EXPECT_TRUE(panel.audioRecordAction()->isChecked());
    EXPECT_EQ(SettingsLines::read(appFolder + "ALog.ini"), QStringList{"True"});

    launcher.addExecutable(appFolder + "Capture");
    SettingsLines::write(appFolder + "ALog.ini", {"False"});
    emit tools.aboutToShow();
    EXPECT_TRUE(panel.captureAction()->isEnabled());
    EXPECT_FALSE(panel.audioRecordAction()->isChecked());
    panel.captureAction()->trigger();
    ASSERT_EQ(launcher.started().size(), 1);
    EXPECT_EQ(launcher.started()[0].program, appFolder + "Capture");
}

TEST_F(AudioToolsPanelTest, AudioSettingsOpensOneWindowOnTheValuesInMemoryAndOkWritesThem)
{
    recorder.load(appFolder); // creates the file with the defaults
    recorder.Channels = "1";
    panel.audioSettingsAction()->trigger();
    frmAudioSettings* window = panel.settingsWindow();
    ASSERT_NE(window, nullptr);
    EXPECT_TRUE(window->optMonoStereo(0)->isChecked());
    EXPECT_EQ(window->sampleRateBox()->currentText(), "48000");
    EXPECT_EQ(window->bitRateBox()->currentText(), "64");
    panel.audioSettingsAction()->trigger();
    EXPECT_EQ(panel.settingsWindow(), window);

    window->optMonoStereo(1)->setChecked(true);
    window->sampleRateBox()->setCurrentText("32000");
    window->bitRateBox()->setCurrentText("320");
    window->ComOk_Click();
    EXPECT_EQ(window->result(), QDialog::Accepted);
    EXPECT_EQ(fileLines("AudioRec.ini"), (QStringList{"2", "32000", "320"}));
    EXPECT_EQ(recorder.Channels, "2");
}

TEST_F(AudioToolsPanelTest, OnlyTwoChannelsShowAsStereoAndOnlyOkWritesTheValuesAsTheyAre)
{
    for (const QString channels : {"1", "stereo", "", "2 "}) {
        AudioRecSettings settings;
        settings.Channels = channels;
        frmAudioSettings window(settings, appFolder, programs);
        EXPECT_TRUE(window.optMonoStereo(0)->isChecked()) << channels.toStdString();
        EXPECT_FALSE(window.optMonoStereo(1)->isChecked());
    }

    // Values the lists do not offer survive; Cancel changes neither the file nor memory.
    SettingsLines::write(appFolder + "AudioRec.ini", {"1", "22050", "144"});
    AudioRecSettings settings;
    settings.load(appFolder);
    frmAudioSettings cancelled(settings, appFolder, programs);
    cancelled.optMonoStereo(1)->setChecked(true);
    cancelled.sampleRateBox()->setCurrentText("32000");
    cancelled.ComCancel_Click();
    EXPECT_EQ(cancelled.result(), QDialog::Rejected);
    EXPECT_EQ(settings.Channels, "1");
    EXPECT_EQ(settings.SampleRate, "22050");
    EXPECT_EQ(fileLines("AudioRec.ini"), (QStringList{"1", "22050", "144"}));
    frmAudioSettings window(settings, appFolder, programs);
    window.optMonoStereo(1)->setChecked(true);
    window.ComOk_Click();
    EXPECT_EQ(fileLines("AudioRec.ini"), (QStringList{"2", "22050", "144"}));
}

TEST_F(AudioToolsPanelTest, SoundSettingsButtonStartsTheMixerOrElseTheDesktopsOwnPanel)
{
    AudioRecSettings settings;
    EXPECT_FALSE(frmAudioSettings(settings, appFolder, programs).recordDeviceButton()->isEnabled());
    EXPECT_FALSE(programs.ComRecordDevice_Click());

    launcher.install("gnome-control-center", "/usr/bin/gnome-control-center");
    frmAudioSettings gnome(settings, appFolder, programs);
    ASSERT_TRUE(gnome.recordDeviceButton()->isEnabled());
    gnome.recordDeviceButton()->click();
    ASSERT_EQ(launcher.started().size(), 1);
    EXPECT_EQ(launcher.started()[0].program, "/usr/bin/gnome-control-center");
    EXPECT_EQ(launcher.started()[0].arguments, QStringList{"sound"});

    launcher.install("pavucontrol", "/usr/bin/pavucontrol");
    EXPECT_TRUE(programs.ComRecordDevice_Click());
    EXPECT_EQ(launcher.started().last().program, "/usr/bin/pavucontrol");
    EXPECT_TRUE(launcher.started().last().arguments.isEmpty());

    launcher.setStartsFail(true);
    EXPECT_FALSE(programs.ComRecordDevice_Click());
}
