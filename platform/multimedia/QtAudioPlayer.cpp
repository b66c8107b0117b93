#include "platform/multimedia/QtAudioPlayer.h"

#include <QAudioDevice>
#include <QFile>
#include <QFileInfo>
#include <QMediaDevices>
#include <QUrl>

QtAudioPlayer::QtAudioPlayer(OutputCheck hasOutput, QObject* parent)
    : AudioPlayer(parent),
      m_hasOutput(hasOutput ? std::move(hasOutput) : OutputCheck(&systemHasAudioOutput))
{
    m_player.setAudioOutput(&m_output);
    connect(&m_player, &QMediaPlayer::mediaStatusChanged, this,
            &QtAudioPlayer::onMediaStatusChanged);
    connect(&m_player, &QMediaPlayer::errorOccurred, this, &QtAudioPlayer::onErrorOccurred);
}

QtAudioPlayer::~QtAudioPlayer()
{
    close();
}

bool QtAudioPlayer::systemHasAudioOutput()
{
    return !QMediaDevices::audioOutputs().isEmpty();
}

AudioPlayer::OpenResult QtAudioPlayer::open(const QString& path)
{
    close();
    // The media back end only reports a missing or unreadable file later and asynchronously;
    // checking here gives the caller its answer at once.
    QFile file(path);
    if (!QFileInfo(path).isFile() || !file.open(QIODevice::ReadOnly))
        return OpenResult::Failed;
    file.close();
    if (!m_hasOutput())
        return OpenResult::NoDevice;
    // The default output may have changed since the last file (a headset plugged in).
    m_output.setDevice(QMediaDevices::defaultAudioOutput());
    ++m_generation;
    m_open = true;
    m_failed = false;
    m_player.setSource(QUrl::fromLocalFile(QFileInfo(path).absoluteFilePath()));
    return OpenResult::Ready;
}

void QtAudioPlayer::play()
{
    if (!m_open || m_failed)
        return;
    m_player.setPosition(0);
    m_player.play();
}

void QtAudioPlayer::close()
{
    if (!m_open)
        return;
    m_open = false;
    m_player.stop();
    m_player.setSource(QUrl());
}

bool QtAudioPlayer::isPlaying() const
{
    // After a stream error the back end may still call itself playing.
    return m_open && !m_failed && m_player.playbackState() == QMediaPlayer::PlayingState;
}

qint64 QtAudioPlayer::lengthMs() const
{
    return m_open ? qMax<qint64>(0, m_player.duration()) : 0;
}

qint64 QtAudioPlayer::positionMs() const
{
    return m_open ? qMax<qint64>(0, m_player.position()) : 0;
}

// Notifications leave the back end's call stack before anyone reacts to them: a listener that
// restarts or releases the file from inside the back end's own signal is asking for trouble.
void QtAudioPlayer::onMediaStatusChanged(QMediaPlayer::MediaStatus status)
{
    if (status != QMediaPlayer::EndOfMedia || !m_open)
        return;
    const quint64 generation = m_generation;
    QMetaObject::invokeMethod(
        this,
        [this, generation] {
            if (m_open && !m_failed && generation == m_generation)
                emit finishedSuccessfully();
        },
        Qt::QueuedConnection);
}

void QtAudioPlayer::onErrorOccurred(QMediaPlayer::Error error, const QString& text)
{
    if (error == QMediaPlayer::NoError || !m_open || m_failed)
        return;
    m_failed = true;
    const quint64 generation = m_generation;
    QMetaObject::invokeMethod(
        this,
        [this, generation, text] {
            if (generation != m_generation || !m_open)
                return;
            close();
            emit failed(text);
        },
        Qt::QueuedConnection);
}
