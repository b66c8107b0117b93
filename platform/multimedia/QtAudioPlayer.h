#pragma once

#include "platform/AudioPlayer.h"

#include <QAudioOutput>
#include <QMediaPlayer>

#include <functional>

// The sound-test output through Qt Multimedia, on the system's default audio output.
class QtAudioPlayer : public AudioPlayer
{
    Q_OBJECT

public:
    // Tells whether the system offers an audio output at all.
    using OutputCheck = std::function<bool()>;

    // Without a check the system's list of audio outputs decides.
    explicit QtAudioPlayer(OutputCheck hasOutput = {}, QObject* parent = nullptr);
    ~QtAudioPlayer() override;

    OpenResult open(const QString& path) override;
    void play() override;
    void close() override;
    bool isPlaying() const override;
    qint64 lengthMs() const override;
    qint64 positionMs() const override;

    static bool systemHasAudioOutput();

private:
    void onMediaStatusChanged(QMediaPlayer::MediaStatus status);
    void onErrorOccurred(QMediaPlayer::Error error, const QString& text);

    OutputCheck m_hasOutput;
    QAudioOutput m_output;
    QMediaPlayer m_player;
    bool m_open = false;
    bool m_failed = false;
    // Counts opened files, so that a notification queued for an earlier file is dropped.
    quint64 m_generation = 0;
};
