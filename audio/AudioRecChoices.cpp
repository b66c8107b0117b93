#include "audio/AudioRecChoices.h"

bool AudioRecChoices::apply(AudioRecSettings& settings, const QString& appFolder, bool stereo,
                            const QString& sampleRate, const QString& bitRate)
{
    settings.Channels = stereo ? QStringLiteral("2") : QStringLiteral("1");
    settings.SampleRate = sampleRate;
    settings.BitRate = bitRate;
    // The file is replaced whole; the old one stays until the new one is complete.
    return settings.save(appFolder);
}
