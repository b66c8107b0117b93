#include "audio/CompanionPrograms.h"

#include "platform/ProgramLauncher.h"

#include <array>

std::optional<CompanionPrograms::Command> CompanionPrograms::soundSettingsCommand() const
{
    struct Candidate
    {
        const char* name;
        const char* argument;
    };
    // The PulseAudio mixer works on every desktop that plays through PulseAudio or PipeWire;
    // the desktops' own settings panels come after it.
    static constexpr std::array<Candidate, 4> candidates = {{{"pavucontrol", nullptr},
                                                             {"pavucontrol-qt", nullptr},
                                                             {"gnome-control-center", "sound"},
                                                             {"systemsettings", "kcm_pulseaudio"}}};
    for (const Candidate& candidate : candidates) {
        const QString program = m_launcher.findInstalled(QString::fromLatin1(candidate.name));
        if (program.isEmpty())
            continue;
        QStringList arguments;
        if (candidate.argument)
            arguments << QString::fromLatin1(candidate.argument);
        return Command{program, arguments};
    }
    return std::nullopt;
}

bool CompanionPrograms::ComRecordDevice_Click()
{
    const std::optional<Command> command = soundSettingsCommand();
    return command && m_launcher.start(command->program, command->arguments);
}

bool CompanionPrograms::captureAvailable() const
{
    return m_launcher.isExecutable(capturePath());
}

bool CompanionPrograms::MnuCapture_Click()
{
    return captureAvailable() && m_launcher.start(capturePath(), {});
}
