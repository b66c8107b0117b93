#pragma once

#include "document/AudioRecSettings.h"

#include <QString>
#include <QStringList>

// What the audio settings window offers for the recorder, and how its choices become the
// values kept in "AudioRec.ini".
class AudioRecChoices
{
public:
    static inline const QStringList SampleRates = {QStringLiteral("32000"), QStringLiteral("44100"),
                                                   QStringLiteral("48000")};
    static inline const QStringList BitRates = {
        QStringLiteral("32"),  QStringLiteral("40"),  QStringLiteral("48"),  QStringLiteral("56"),
        QStringLiteral("64"),  QStringLiteral("80"),  QStringLiteral("96"),  QStringLiteral("112"),
        QStringLiteral("128"), QStringLiteral("160"), QStringLiteral("192"), QStringLiteral("224"),
        QStringLiteral("256"), QStringLiteral("320")};

    // Only "2" means stereo; anything else is shown as mono.
    static bool isStereo(const AudioRecSettings& settings)
    {
        return settings.Channels == QStringLiteral("2");
    }

    // The window's Ok: the choices replace the values in memory and the file is written anew.
    static bool apply(AudioRecSettings& settings, const QString& appFolder, bool stereo,
                      const QString& sampleRate, const QString& bitRate);
};
