#include "AudioToolsPanel.h"
#include "AudioRecSettings.h"
#include "FakeAudioPlayer.h"
#include "FakeFileDialogService.h"
#include "FakeMessageService.h"
#include "FakeProgramLauncher.h"
#include "SettingsLines.h"
#include "SoundTest.h"
#include "TestFolder.h"
#include "frmAudioSettings.h"

#include <QAction>
#include <QGroupBox>
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
};

} // namespace

TEST_F(AudioToolsPanelTest, ButtonPlaysAndTheTimerShowsTheStatus)
{
    EXPECT_EQ(panel.frame()->accessibleDescription(), "FrameSTest");
    EXPECT_EQ(panel.playButton()->accessibleDescription(), "ComSPlay");
    EXPECT_EQ(panel.playButton()->focusPolicy() & Qt::TabFocus, Qt::TabFocus);
    EXPECT_EQ(panel.statusLabel()->text(), "Status :Stopped");

    player.setLengthMs(65000);
    panel.playButton()->click();
    player.advanceTo(6000);
    panel.Timer1_Timer();
    EXPECT_EQ(panel.statusLabel()->text(), "Status : Playing 00:00:59");
    panel.playButton()->click();
    panel.Timer1_Timer();
    EXPECT_EQ(panel.statusLabel()->text(), "Status : Stopped");
}

TEST_F(AudioToolsPanelTest, SoundItemsAreRadioItemsThatFollowTheChoice)
{
    for (int i = 0; i < 6; ++i) {
        EXPECT_EQ(panel.soundAction(i)->text(), SoundTest::SoundCaptions[i]);
        EXPECT_EQ(panel.soundAction(i)->isChecked(), i == 2);
    }
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

TEST_F(AudioToolsPanelTest, AudioSettingsOpensOneWindowOnTheValuesInMemory)
{
    recorder.Channels = "1";
    panel.audioSettingsAction()->trigger();
    frmAudioSettings* first = panel.settingsWindow();
    ASSERT_NE(first, nullptr);
    EXPECT_TRUE(first->optMonoStereo(0)->isChecked());
    panel.audioSettingsAction()->trigger();
    EXPECT_EQ(panel.settingsWindow(), first);

    first->optMonoStereo(1)->setChecked(true);
    first->ComOk_Click();
    EXPECT_EQ(recorder.Channels, "2");
}
