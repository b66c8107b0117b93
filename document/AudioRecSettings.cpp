#include "document/AudioRecSettings.h"

#include "document/SettingsLines.h"

#include <QFileInfo>

void AudioRecSettings::load(const QString& appFolder)
{
    const QString file = appFolder + FileName;
    if (!QFileInfo::exists(file)) {
        *this = AudioRecSettings();
        save(appFolder);
        return;
    }
    const QStringList lines = SettingsLines::read(file).value_or(QStringList());
    if (lines.size() >= 1)
        Channels = lines[0];
    if (lines.size() >= 2)
        SampleRate = lines[1];
    if (lines.size() >= 3)
        BitRate = lines[2];
}

bool AudioRecSettings::save(const QString& appFolder) const
{
    return SettingsLines::write(appFolder + FileName, {Channels, SampleRate, BitRate});
}
