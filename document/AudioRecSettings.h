#pragma once

#include <QString>

// The companion recorder's settings in "AudioRec.ini": channels, sample rate, bit rate.
class AudioRecSettings
{
public:
    static inline const QString FileName = QStringLiteral("AudioRec.ini");

    QString Channels = QStringLiteral("2");
    QString SampleRate = QStringLiteral("48000");
    QString BitRate = QStringLiteral("64");

    // A missing file means the defaults, written to it at once.
    void load(const QString& appFolder);
    bool save(const QString& appFolder) const;
};
