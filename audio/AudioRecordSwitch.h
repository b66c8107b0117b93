#pragma once

#include <QString>

// The "Audio Record" switch the companion recorder reads from "ALog.ini": one line, "True" when
// recording is on, "False" when off.
class AudioRecordSwitch
{
public:
    static inline const QString FileName = QStringLiteral("ALog.ini");

    // appFolder is read at every call: it is only known once start-up has run.
    explicit AudioRecordSwitch(const QString& appFolder) : m_appFolder(appFolder) {}

    // What the file says now; a missing or unreadable file means off.
    bool isOn() const;
    // Toggles the switch and writes the new state; returns the new state.
    bool MnuAudioRecord_Click();

private:
    QString path() const { return m_appFolder + FileName; }

    const QString& m_appFolder;
};
