#include "audio/SoundTest.h"

#include "document/SettingsLines.h"
#include "platform/AudioPlayer.h"
#include "platform/FileDialogService.h"
#include "platform/MessageService.h"

#include <QFileInfo>

SoundTest::SoundTest(const QString& appFolder, AudioPlayer& player, MessageService& messages,
                     FileDialogService& dialogs, QObject* parent)
    : QObject(parent), m_appFolder(appFolder), m_player(player), m_messages(messages),
      m_dialogs(dialogs)
{
    connect(&m_player, &AudioPlayer::finishedSuccessfully, this, &SoundTest::MMControl1_Done);
    connect(&m_player, &AudioPlayer::failed, this, &SoundTest::MMControl1_Failed);
}

void SoundTest::ComSPlay_Click()
{
    if (m_player.isPlaying()) {
        m_player.close();
        return;
    }
    m_player.close();
    switch (m_player.open(chosenSoundPath())) {
    case AudioPlayer::OpenResult::Ready:
        m_player.play();
        break;
    case AudioPlayer::OpenResult::NoDevice:
        m_messages.show(NoDeviceText, MsgButtons::Ok, MsgIcon::None);
        break;
    case AudioPlayer::OpenResult::Failed:
        m_messages.show(ErrorText, MsgButtons::Ok, MsgIcon::Information);
        break;
    }
}

void SoundTest::MnuChooseSound_Click(int index)
{
    if (index < 0 || index >= SoundCaptions.size())
        return;
    m_chosen = index;
    emit chosenSoundChanged(index);
    restartIfPlaying();
}

void SoundTest::MnuSelectMp3_Click()
{
    // A cancelled dialog gives an empty path, which is written as it is: the next MP3 play
    // then falls back to the default file.
    const QString path = m_dialogs.getOpenFileName(QString(), Mp3Filter);
    writeSettings(path);
    restartIfPlaying();
}

void SoundTest::MnuLoop_Click()
{
    m_loop = !m_loop;
    emit loopChanged(m_loop);
    // Without a settings file nothing has been chosen yet: the default MP3 is the choice.
    const QString mp3 = QFileInfo::exists(settingsPath()) ? settingsMp3Line() : defaultMp3Path();
    writeSettings(mp3);
}

bool SoundTest::isPlaying() const
{
    return m_player.isPlaying();
}

QString SoundTest::statusText() const
{
    if (!m_player.isPlaying())
        return QStringLiteral("Status : Stopped");
    return QStringLiteral("Status : Playing ") +
           remainingTimeText(m_player.lengthMs() - m_player.positionMs());
}

QString SoundTest::remainingTimeText(qint64 ms)
{
    const qint64 seconds = qMax<qint64>(0, ms) / 1000;
    return QStringLiteral("%1:%2:%3")
        .arg(seconds / 3600, 2, 10, QLatin1Char('0'))
        .arg(seconds / 60 % 60, 2, 10, QLatin1Char('0'))
        .arg(seconds % 60, 2, 10, QLatin1Char('0'));
}

QString SoundTest::chosenSoundPath()
{
    const QString& caption = SoundCaptions.at(m_chosen);
    if (m_chosen != Mp3Index)
        return m_appFolder + caption + QStringLiteral(".wav");
    if (!QFileInfo::exists(settingsPath()))
        writeSettings(defaultMp3Path());
    const QString chosen = settingsMp3Line();
    if (!chosen.isEmpty() && QFileInfo(chosen).isFile())
        return chosen;
    return defaultMp3Path();
}

QString SoundTest::settingsMp3Line() const
{
    const QStringList lines = SettingsLines::read(settingsPath()).value_or(QStringList());
    return lines.isEmpty() ? QString() : lines.first();
}

void SoundTest::writeSettings(const QString& mp3Path) const
{
    SettingsLines::write(settingsPath(), {mp3Path, SettingsLines::boolText(m_loop)});
}

void SoundTest::restartIfPlaying()
{
    if (!m_player.isPlaying())
        return;
    m_player.close();
    ComSPlay_Click();
}

void SoundTest::MMControl1_Done()
{
    if (m_loop)
        m_player.play();
}

void SoundTest::MMControl1_Failed()
{
    m_player.close();
    m_messages.show(ErrorText, MsgButtons::Ok, MsgIcon::Information);
}
