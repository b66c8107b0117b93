#include "LibreOfficeProcess.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QThread>
#include <QUrl>

#include <csignal>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

namespace {

// Process ids under /proc whose stat or command line match; used to find the office that the
// launcher forked and leftovers from an earlier run.
template <typename Predicate> std::vector<pid_t> processesWhere(Predicate matches)
{
    std::vector<pid_t> found;
    const QStringList entries = QDir(QStringLiteral("/proc")).entryList(QDir::Dirs);
    for (const QString& entry : entries) {
        bool isPid = false;
        const pid_t pid = entry.toInt(&isPid);
        if (isPid && pid != getpid() && matches(pid))
            found.push_back(pid);
    }
    return found;
}

QByteArray readProcFile(pid_t pid, const char* name)
{
    QFile file(QStringLiteral("/proc/%1/%2").arg(pid).arg(QLatin1String(name)));
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

} // namespace

LibreOfficeProcess::LibreOfficeProcess(QString binary, QString profileFolder, QString pipeName,
                                       bool headless)
    : m_binary(std::move(binary)), m_profileFolder(std::move(profileFolder)),
      m_pipeName(std::move(pipeName)), m_headless(headless)
{}

LibreOfficeProcess::~LibreOfficeProcess()
{
    if (m_launcherPid.load() > 0) {
        kill();
        waitForExit(5000);
    }
}

QString LibreOfficeProcess::profileUrl() const
{
    return QUrl::fromLocalFile(QDir(m_profileFolder).absolutePath()).toString(QUrl::FullyEncoded);
}

QString LibreOfficeProcess::connectUrl() const
{
    return QStringLiteral("uno:pipe,name=%1;urp;StarOffice.ComponentContext").arg(m_pipeName);
}

void LibreOfficeProcess::endLeftovers() const
{
    const QByteArray profileArgument = "-env:UserInstallation=" + profileUrl().toUtf8();
    const auto leftovers = processesWhere([&](pid_t pid) {
        const QList<QByteArray> args = readProcFile(pid, "cmdline").split('\0');
        return args.contains(profileArgument);
    });
    for (pid_t pid : leftovers)
        ::kill(pid, SIGKILL);
    // The pipe and profile are free only once those processes are gone.
    QElapsedTimer timer;
    timer.start();
    for (pid_t pid : leftovers) {
        while (::kill(pid, 0) == 0 && !readProcFile(pid, "cmdline").isEmpty() &&
               timer.elapsed() < 5000)
            QThread::msleep(20);
    }
}

void LibreOfficeProcess::seedProfile() const
{
    // A new profile would greet the first document with the tip of the day: a modal dialog
    // that, coming up under a running show, swallows the presenter's keys.
    const QString settings =
        QDir(m_profileFolder).filePath(QStringLiteral("user/registrymodifications.xcu"));
    if (QFileInfo::exists(settings) || !QDir().mkpath(QFileInfo(settings).path()))
        return;
    QFile file(settings);
    if (!file.open(QIODevice::WriteOnly))
        return;
    file.write(R"(<?xml version="1.0" encoding="UTF-8"?>
<oor:items xmlns:oor="http://openoffice.org/2001/registry" xmlns:xs="http://www.w3.org/2001/XMLSchema" xmlns:xsi="http://www.w3.org/2001/XMLSchema-instance">
<item oor:path="/org.openoffice.Office.Common/Misc"><prop oor:name="ShowTipOfTheDay" oor:op="fuse"><value>false</value></prop></item>
<item oor:path="/org.openoffice.Office.Common/Misc"><prop oor:name="FirstRun" oor:op="fuse"><value>false</value></prop></item>
</oor:items>
)");
}

bool LibreOfficeProcess::start(QString* error)
{
    if (m_launcherPid.load() > 0) {
        kill();
        waitForExit(5000);
    }
    endLeftovers();
    QDir().mkpath(m_profileFolder);
    seedProfile();

    // Everything exec needs is built before fork: the child may only make async-signal-safe
    // calls, and this process has other threads.
    std::vector<QByteArray> args = {
        QFile::encodeName(m_binary),
        "--nologo",
        "--norestore",
        "--nodefault",
        "--nolockcheck",
        "--nofirststartwizard",
        "-env:UserInstallation=" + profileUrl().toUtf8(),
        "--accept=pipe,name=" + m_pipeName.toUtf8() + ";urp;StarOffice.ComponentContext",
    };
    if (m_headless)
        args.push_back("--headless");
    std::vector<char*> argv;
    for (const QByteArray& arg : args)
        argv.push_back(const_cast<char*>(arg.constData()));
    argv.push_back(nullptr);
    // The office draws on the display itself; a Qt platform chosen for this program (offscreen
    // in tests) must not reach an office that happens to use a Qt-based toolkit.
    // Its GTK 3 front end is the one that works under a window manager: with the plain X11 one
    // a full-screen show stays unpainted behind the editing window and takes no keys.
    static char gtkFrontEnd[] = "SAL_USE_VCLPLUGIN=gtk3";
    std::vector<char*> envp;
    for (char** variable = environ; *variable; ++variable) {
        if (qstrncmp(*variable, "QT_QPA_PLATFORM=", 16) != 0 &&
            qstrncmp(*variable, "SAL_USE_VCLPLUGIN=", 18) != 0)
            envp.push_back(*variable);
    }
    if (!m_headless)
        envp.push_back(gtkFrontEnd);
    envp.push_back(nullptr);

    const pid_t pid = fork();
    if (pid < 0) {
        *error = QStringLiteral("Could not start %1").arg(m_binary);
        return false;
    }
    if (pid == 0) {
        setpgid(0, 0);
        execve(argv[0], argv.data(), envp.data());
        _exit(127);
    }
    // Set from both sides so that kill() finds the group whatever runs first.
    setpgid(pid, pid);
    m_launcherPid = pid;
    return true;
}

bool LibreOfficeProcess::isAlive()
{
    const pid_t pid = m_launcherPid.load();
    if (pid <= 0)
        return false;
    // The launcher waits for the office and ends with it, so it speaks for both.
    int status = 0;
    const pid_t reaped = waitpid(pid, &status, WNOHANG);
    if (reaped == 0)
        return true;
    ::kill(-pid, SIGKILL);
    m_launcherPid = 0;
    return false;
}

void LibreOfficeProcess::kill()
{
    const pid_t pid = m_launcherPid.load();
    if (pid > 0)
        ::kill(-pid, SIGKILL);
}

bool LibreOfficeProcess::waitForExit(int timeoutMs)
{
    QElapsedTimer timer;
    timer.start();
    while (isAlive()) {
        if (timer.elapsed() >= timeoutMs)
            return false;
        QThread::msleep(20);
    }
    return true;
}

pid_t LibreOfficeProcess::officePid() const
{
    const pid_t group = m_launcherPid.load();
    if (group <= 0)
        return 0;
    const auto members = processesWhere([&](pid_t pid) {
        // stat: "pid (comm) state ppid pgrp ..."; comm may hold blanks, so read after ')'.
        const QByteArray stat = readProcFile(pid, "stat");
        const qsizetype close = stat.lastIndexOf(')');
        if (close < 0)
            return false;
        const QList<QByteArray> fields = stat.mid(close + 2).split(' ');
        return fields.size() > 2 && fields[2].toInt() == group && stat.contains("(soffice.bin)");
    });
    return members.empty() ? 0 : members.front();
}
