#include "platform/libreoffice/LibreOfficePidRecord.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QSaveFile>
#include <QThread>

#include <csignal>
#include <map>
#include <unistd.h>

namespace {

constexpr int kEndBoundMs = 5000;

struct Entry
{
    pid_t pid = 0;
    unsigned long long startTicks = 0;
};

// "role pid startTicks" a line: owner, launcher and (once known) office.
std::map<QString, Entry> readEntries(const QString& path)
{
    std::map<QString, Entry> entries;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return entries;
    const QList<QByteArray> lines = file.read(4096).split('\n');
    for (const QByteArray& line : lines) {
        const QList<QByteArray> fields = line.simplified().split(' ');
        bool pidOk = false;
        bool ticksOk = false;
        if (fields.size() != 3)
            continue;
        const Entry entry{pid_t(fields[1].toInt(&pidOk)), fields[2].toULongLong(&ticksOk)};
        if (pidOk && ticksOk && entry.pid > 0)
            entries[QString::fromLatin1(fields[0])] = entry;
    }
    return entries;
}

QByteArray line(const char* role, pid_t pid)
{
    const auto process = LibreOfficePidRecord::process(pid);
    if (!process)
        return QByteArray();
    return QByteArray(role) + ' ' + QByteArray::number(pid) + ' ' +
           QByteArray::number(process->startTicks) + '\n';
}

// The recorded process itself, still running.
bool runs(const Entry& entry)
{
    const auto process = LibreOfficePidRecord::process(entry.pid);
    return process && process->startTicks == entry.startTicks && !process->zombie;
}

bool gone(pid_t pid)
{
    const auto process = LibreOfficePidRecord::process(pid);
    return !process || process->zombie;
}

} // namespace

LibreOfficePidRecord::LibreOfficePidRecord(const QString& profileFolder)
    : m_path(QDir(profileFolder).filePath(QStringLiteral("vesk-stagor-office.pids")))
{}

void LibreOfficePidRecord::recordLaunch(pid_t owner, pid_t launcher)
{
    QSaveFile file(m_path);
    if (!file.open(QIODevice::WriteOnly))
        return;
    file.write(line("owner", owner) + line("launcher", launcher));
    file.commit();
}

void LibreOfficePidRecord::recordOffice(pid_t office)
{
    QFile file(m_path);
    if (file.open(QIODevice::Append))
        file.write(line("office", office));
}

void LibreOfficePidRecord::clear() const
{
    QFile::remove(m_path);
}

void LibreOfficePidRecord::endLeftovers() const
{
    const std::map<QString, Entry> entries = readEntries(m_path);
    if (entries.empty())
        return;
    const auto entry = [&](const char* role) {
        const auto found = entries.find(QLatin1String(role));
        return found == entries.end() ? Entry() : found->second;
    };
    const Entry owner = entry("owner");
    if (owner.pid != getpid() && runs(owner))
        return;

    std::vector<pid_t> leftovers;
    const Entry launcher = entry("launcher");
    const Entry office = entry("office");
    for (const Entry& recorded : {launcher, office}) {
        if (recorded.pid > 0 && runs(recorded))
            leftovers.push_back(recorded.pid);
    }
    // The launcher's group, which the office belongs to, even once the launcher has gone: a
    // group id is not given out again while the group has members. Only when another process
    // now has the launcher's id is the group someone else's.
    if (launcher.pid > 0 && (runs(launcher) || gone(launcher.pid))) {
        for (const Process& process : processes()) {
            if (process.group == launcher.pid && !process.zombie)
                leftovers.push_back(process.pid);
        }
    }
    std::erase(leftovers, getpid());
    for (pid_t pid : leftovers)
        ::kill(pid, SIGKILL);
    // The profile is free only once those processes are gone.
    QElapsedTimer timer;
    timer.start();
    for (pid_t pid : leftovers) {
        while (!gone(pid) && timer.elapsed() < kEndBoundMs)
            QThread::msleep(20);
    }
    clear();
}

std::optional<LibreOfficePidRecord::Process> LibreOfficePidRecord::process(pid_t pid)
{
    QFile file(QStringLiteral("/proc/%1/stat").arg(pid));
    if (!file.open(QIODevice::ReadOnly))
        return std::nullopt;
    // "pid (name) state ppid pgrp ... starttime(22nd) ..."; the name may hold blanks and
    // brackets, so the fields are read after the last ')'.
    const QByteArray stat = file.readAll();
    const qsizetype open = stat.indexOf('(');
    const qsizetype close = stat.lastIndexOf(')');
    if (open < 0 || close < open)
        return std::nullopt;
    const QList<QByteArray> fields = stat.mid(close + 2).split(' ');
    if (fields.size() < 20)
        return std::nullopt;
    Process process;
    process.pid = pid;
    process.name = QString::fromUtf8(stat.mid(open + 1, close - open - 1));
    process.zombie = fields[0] == "Z";
    process.group = pid_t(fields[2].toInt());
    process.startTicks = fields[19].toULongLong();
    return process;
}

std::vector<LibreOfficePidRecord::Process> LibreOfficePidRecord::processes()
{
    std::vector<Process> found;
    const QStringList entries = QDir(QStringLiteral("/proc")).entryList(QDir::Dirs);
    for (const QString& entry : entries) {
        bool isPid = false;
        const pid_t pid = pid_t(entry.toInt(&isPid));
        if (!isPid)
            continue;
        if (const auto process = LibreOfficePidRecord::process(pid))
            found.push_back(*process);
    }
    return found;
}
