#include "platform/libreoffice/LibreOfficeProcess.h"

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

LibreOfficeProcess::LibreOfficeProcess(QString binary, QString profileFolder, QString pipeName,
                                       bool headless)
    : m_binary(std::move(binary)), m_profileFolder(std::move(profileFolder)),
      m_pipeName(std::move(pipeName)), m_headless(headless), m_record(m_profileFolder)
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
    m_record.endLeftovers();
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
    };
    if (m_showFile.isEmpty()) {
        args.push_back("--accept=pipe,name=" + m_pipeName.toUtf8() +
                       ";urp;StarOffice.ComponentContext");
    } else {
        args.push_back("--show");
        args.push_back(QFile::encodeName(m_showFile));
    }
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
    m_officeRecorded = false;
    m_record.recordLaunch(getpid(), pid);
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
    if (reaped == 0) {
        if (!m_officeRecorded) {
            if (const pid_t office = officePid()) {
                m_record.recordOffice(office);
                m_officeRecorded = true;
            }
        }
        return true;
    }
    ::kill(-pid, SIGKILL);
    m_launcherPid = 0;
    m_record.clear();
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
    for (const LibreOfficePidRecord::Process& process : LibreOfficePidRecord::processes()) {
        if (process.group == group && process.name == QStringLiteral("soffice.bin") &&
            !process.zombie)
            return process.pid;
    }
    return 0;
}
