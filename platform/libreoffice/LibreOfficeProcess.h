#pragma once

#include "platform/libreoffice/LibreOfficePidRecord.h"

#include <QString>

#include <atomic>
#include <sys/types.h>

// One soffice of our own: its own profile and pipe, in a process group of its own so that the
// launcher and the office it forks can be ended together. start(), waitForExit() and isAlive()
// belong to one thread; kill() and officePid() may be called from any thread.
class LibreOfficeProcess
{
public:
    LibreOfficeProcess(QString binary, QString profileFolder, QString pipeName, bool headless);
    // Ends the process group if it still runs.
    ~LibreOfficeProcess();

    LibreOfficeProcess(const LibreOfficeProcess&) = delete;
    LibreOfficeProcess& operator=(const LibreOfficeProcess&) = delete;

    // Ends what an earlier launch on the profile left running first (a second soffice on a
    // profile in use hands its arguments to the first one and exits, which would leave us
    // without our pipe), and records the new launch in the profile.
    bool start(QString* error);
    // Instead of taking calls on its pipe, the office only runs the show of path, as its own
    // command line asks it to, and ends with the show.
    void setShowFile(const QString& path) { m_showFile = path; }
    bool isAlive();
    void kill();
    // True when the process had ended (or was ended) within timeoutMs.
    bool waitForExit(int timeoutMs);

    // The office process proper (not its launcher), 0 when none runs.
    pid_t officePid() const;
    QString connectUrl() const;

private:
    // Settings a new profile starts with.
    void seedProfile() const;
    QString profileUrl() const;

    QString m_binary;
    QString m_profileFolder;
    QString m_pipeName;
    bool m_headless = false;
    QString m_showFile;
    LibreOfficePidRecord m_record;
    bool m_officeRecorded = false;
    std::atomic<pid_t> m_launcherPid{0};
};
