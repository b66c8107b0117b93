#include "AudioRecSettings.h"
#include "CompanionPrograms.h"
#include "FakeProgramLauncher.h"
#include "SettingsLines.h"
#include "TestFolder.h"
#include "frmAudioSettings.h"

#include <QComboBox>
#include <QPushButton>
#include <QRadioButton>

#include <gtest/gtest.h>

namespace {

class AudioSettingsTest : public ::testing::Test
{
protected:
    QStringList fileLines(const QString& name) const
    {
        return SettingsLines::read(appFolder + name).value_or(QStringList{"<missing>"});
    }

    TestFolder dir;
    const QString appFolder = dir.folder();
    FakeProgramLauncher launcher;
    CompanionPrograms programs{appFolder, launcher};
};

} // namespace

TEST_F(AudioSettingsTest, OkKeepsTheChoicesInMemoryAndInAudioRecIni)
{
    AudioRecSettings settings;
    settings.load(appFolder); // creates the file with the defaults
    frmAudioSettings window(settings, appFolder, programs);
    EXPECT_TRUE(window.optMonoStereo(1)->isChecked());
    EXPECT_EQ(window.sampleRateBox()->currentText(), "48000");
    EXPECT_EQ(window.bitRateBox()->currentText(), "64");

    window.optMonoStereo(0)->setChecked(true);
    window.sampleRateBox()->setCurrentText("32000");
    window.bitRateBox()->setCurrentText("320");
    window.ComOk_Click();
    EXPECT_EQ(window.result(), QDialog::Accepted);
    EXPECT_EQ(fileLines("AudioRec.ini"), (QStringList{"1", "32000", "320"}));
    EXPECT_EQ(settings.Channels, "1");
    AudioRecSettings reread;
    reread.load(appFolder);
    EXPECT_EQ(reread.BitRate, "320");
}

TEST_F(AudioSettingsTest, OnlyTwoChannelsShowAsStereoAndUnlistedValuesSurviveOk)
{
    for (const QString channels : {"1", "stereo", "", "2 "}) {
        AudioRecSettings settings;
        settings.Channels = channels;
        frmAudioSettings window(settings, appFolder, programs);
        EXPECT_TRUE(window.optMonoStereo(0)->isChecked()) << channels.toStdString();
        EXPECT_FALSE(window.optMonoStereo(1)->isChecked());
    }

    AudioRecSettings settings;
    settings.SampleRate = "22050";
    settings.BitRate = "144";
    frmAudioSettings window(settings, appFolder, programs);
    window.ComOk_Click();
    EXPECT_EQ(fileLines("AudioRec.ini"), (QStringList{"2", "22050", "144"}));
}

TEST_F(AudioSettingsTest, CancelChangesNeitherTheFileNorTheValuesInMemory)
{
    SettingsLines::write(appFolder + "AudioRec.ini", {"1", "44100", "96"});
    AudioRecSettings settings;
    settings.load(appFolder);
    frmAudioSettings window(settings, appFolder, programs);
    window.optMonoStereo(1)->setChecked(true);
    window.sampleRateBox()->setCurrentText("32000");
    window.ComCancel_Click();
    EXPECT_EQ(window.result(), QDialog::Rejected);
    EXPECT_EQ(fileLines("AudioRec.ini"), (QStringList{"1", "44100", "96"}));
    EXPECT_EQ(settings.Channels, "1");
    EXPECT_EQ(settings.SampleRate, "44100");
}

TEST_F(AudioSettingsTest, SoundSettingsButtonStartsTheDesktopsSoundSettingsWhereInstalled)
{
    AudioRecSettings settings;
    {
        frmAudioSettings window(settings, appFolder, programs);
        EXPECT_FALSE(window.recordDeviceButton()->isEnabled());
        EXPECT_FALSE(window.recordDeviceButton()->toolTip().isEmpty());
        EXPECT_FALSE(programs.ComRecordDevice_Click());
    }

    // The desktop's own panel is used only when the mixer is not there.
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
