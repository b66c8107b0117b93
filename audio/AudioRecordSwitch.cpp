#include "audio/AudioRecordSwitch.h"

#include "document/SettingsLines.h"

bool AudioRecordSwitch::isOn() const
{
    const QStringList lines = SettingsLines::read(path()).value_or(QStringList());
    return !lines.isEmpty() && lines.first() == SettingsLines::boolText(true);
}

bool AudioRecordSwitch::MnuAudioRecord_Click()
{
    const bool on = !isOn();
    SettingsLines::write(path(), {SettingsLines::boolText(on)});
    return on;
}
