#include "platform/multimedia/QtAudioPlayer.h"
#include "audio/SoundTest.h"
#include "platform/fake/FakeFileDialogService.h"
#include "tests/fakes/FakeMessageService.h"
#include "tests/fakes/TestFolder.h"

#include <QAudioDevice>
#include <QFile>
#include <QMediaDevices>
#include <QSignalSpy>
#include <QTest>

#include <gtest/gtest.h>

// The sound test through Qt Multimedia into a real audio output. The sound server is started by
// the script that runs this program; without a server the no-device case runs instead.

constexpr int ToneMs = 3000;
constexpr int StartBoundMs = 10000;

TEST(RealSoundTest, AFileThatIsNotAudioReportsAnErrorThenATonePlaysAndStopsForGood)
{
    ASSERT_FALSE(QMediaDevices::audioOutputs().isEmpty())
        << "no audio output: the sound server should have been started for this test";
    TestFolder dir;
    ASSERT_TRUE(
        QFile::copy(QStringLiteral(STAGOR_SHARE_DIR "/1kHz Tone.wav"), dir.path("1kHz Tone.wav")));
    const QString appFolder = dir.folder(); // the sound test keeps a reference
    QtAudioPlayer player;
    FakeMessageService messages;
    FakeFileDialogService dialogs;
    SoundTest test{appFolder, player, messages, dialogs};
    QSignalSpy ended(&player, &AudioPlayer::finishedSuccessfully);
    dir.writeFile("Sound.mp3", QByteArray(64 * 1024, 'x'));
    test.MnuChooseSound_Click(SoundTest::Mp3Index);
    test.ComSPlay_Click();
    ASSERT_TRUE(QTest::qWaitFor([&] { return !messages.texts().isEmpty(); }, StartBoundMs));
    EXPECT_EQ(messages.texts(),
              QStringList{"An error occurred will attempting to play the sound."});
    EXPECT_FALSE(test.isPlaying());

    // The next press still plays. The status counting the tone down to its end is followed in
    // e2e.sound_test; Loop starting it again is the sound test's own, in AudioToolsTest.
    test.MnuChooseSound_Click(2);
    test.ComSPlay_Click();
    // Bounded: the media back end has to load the file and bring the output up.
    ASSERT_TRUE(
        QTest::qWaitFor([&] { return test.isPlaying() && player.positionMs() > 0; }, StartBoundMs))
        << test.statusText().toStdString();
    test.ComSPlay_Click();
    EXPECT_FALSE(test.isPlaying());
    ended.clear();
    EXPECT_FALSE(ended.wait(ToneMs + 500)) << "a stopped tone never ends";
    EXPECT_EQ(messages.texts().size(), 1) << messages.last().toStdString();
}
