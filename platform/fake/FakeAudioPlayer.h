#pragma once

#include "platform/AudioPlayer.h"

#include <QFileInfo>

// A sound output driven by the test: it opens what exists, plays instantly and moves to the
// position it is told.
class FakeAudioPlayer : public AudioPlayer
{
    Q_OBJECT

public:
    OpenResult open(const QString& path) override
    {
        close();
        m_path = path;
        m_open = QFileInfo(path).isFile();
        return m_open ? OpenResult::Ready : OpenResult::Failed;
    }
    void play() override
    {
        m_positionMs = 0;
        m_playing = m_open;
    }
    void close() override
    {
        m_open = m_playing = false;
        m_positionMs = 0;
    }
    bool isPlaying() const override { return m_playing; }
    qint64 lengthMs() const override { return m_open ? m_lengthMs : 0; }
    qint64 positionMs() const override { return m_open ? m_positionMs : 0; }

    void setLengthMs(qint64 ms) { m_lengthMs = ms; }
    void advanceTo(qint64 ms) { m_positionMs = ms; }
    // Playback reaches the end of the file, or breaks off on a file that turns out broken.
    void reachEnd()
    {
        m_playing = false;
        emit finishedSuccessfully();
    }
    void breakOff()
    {
        m_playing = false;
        emit failed(QStringLiteral("broken"));
    }

    // The file open now (empty when none) and the one that was open last.
    QString openPath() const { return m_open ? m_path : QString(); }
    QString lastPath() const { return m_path; }

private:
    QString m_path;
    bool m_open = false;
    bool m_playing = false;
    qint64 m_lengthMs = 3000;
    qint64 m_positionMs = 0;
};
