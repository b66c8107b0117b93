#pragma once

#include "AudioPlayer.h"

#include <QSet>

// A sound output driven by the test: it opens what exists, plays instantly and moves to the
// position it is told. Scripted faults: no output device, files that cannot be read.
class FakeAudioPlayer : public AudioPlayer
{
    Q_OBJECT

public:
    OpenResult open(const QString& path) override;
    void play() override;
    void close() override;
    bool isPlaying() const override { return m_playing; }
    qint64 lengthMs() const override { return m_open ? m_lengthMs : 0; }
    qint64 positionMs() const override { return m_open ? m_positionMs : 0; }

    void setDevicePresent(bool present) { m_devicePresent = present; }
    void makeUnreadable(const QString& path) { m_unreadable.insert(path); }
    void setLengthMs(qint64 ms) { m_lengthMs = ms; }
    void advanceTo(qint64 ms) { m_positionMs = ms; }

    // The file open now (empty when none) and the one that was open last.
    QString openPath() const { return m_open ? m_path : QString(); }
    QString lastPath() const { return m_path; }

private:
    bool m_devicePresent = true;
    QSet<QString> m_unreadable;
    QString m_path;
    bool m_open = false;
    bool m_playing = false;
    qint64 m_lengthMs = 3000;
    qint64 m_positionMs = 0;
};
