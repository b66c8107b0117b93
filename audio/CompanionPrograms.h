#pragma once

#include <QString>
#include <QStringList>

#include <optional>

class ProgramLauncher;

// The outside programs the audio menu items start: the desktop's sound settings (to choose the
// output and input device) and the "vesk Capture" companion installed beside the settings.
class CompanionPrograms
{
public:
    struct Command
    {
        QString program;
        QStringList arguments;
    };

    // The capture companion's executable in the application folder.
    static inline const QString CaptureProgramName = QStringLiteral("Capture");

    // appFolder is read at every call: it is only known once start-up has run.
    CompanionPrograms(const QString& appFolder, ProgramLauncher& launcher)
        : m_appFolder(appFolder), m_launcher(launcher)
    {}

    // The first installed sound settings program, in the order desktops are likely to have it.
    std::optional<Command> soundSettingsCommand() const;
    // False when no sound settings program is installed or it did not start.
    bool ComRecordDevice_Click();

    // "vesk Capture" is offered only when the companion is installed.
    bool captureAvailable() const;
    bool MnuCapture_Click();

private:
    QString capturePath() const { return m_appFolder + CaptureProgramName; }

    const QString& m_appFolder;
    ProgramLauncher& m_launcher;
};
