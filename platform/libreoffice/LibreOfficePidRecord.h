#pragma once

#include <QString>

#include <optional>
#include <sys/types.h>
#include <vector>

// The office processes a program started on a profile folder, written into that folder. A
// program that crashed leaves its office running; the next one on the folder ends exactly
// those processes, never the office of another copy that happens to use a folder of the same
// name. A process is known by its id together with its start time, so that an id the system
// has since given to some other process is left alone.
class LibreOfficePidRecord
{
public:
    struct Process
    {
        pid_t pid = 0;
        pid_t group = 0;
        unsigned long long startTicks = 0;
        QString name;
        bool zombie = false;
    };

    explicit LibreOfficePidRecord(const QString& profileFolder);

    // A new launch replaces what was recorded: owner is the program that started launcher
    // (in a process group of its own) and answers for it.
    void recordLaunch(pid_t owner, pid_t launcher);
    // The office process the launcher forked, once it is known.
    void recordOffice(pid_t office);
    // Ends the recorded processes that still run, with the rest of the launcher's process
    // group, and forgets them; nothing when their owner is another program that still runs.
    // Returns once they are gone, or after a few seconds.
    void endLeftovers() const;
    void clear() const;

    // As /proc tells them: one process, or every one.
    static std::optional<Process> process(pid_t pid);
    static std::vector<Process> processes();

private:
    QString m_path;
};
