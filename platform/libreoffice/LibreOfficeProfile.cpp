#include "platform/libreoffice/LibreOfficeProfile.h"

#include "platform/libreoffice/LibreOfficePidRecord.h"

#include <QDir>
#include <QFileInfo>
#include <QRegularExpression>

#include <cerrno>
#include <csignal>
#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

namespace {

const char kLockName[] = "vesk-stagor.lock";
// Beyond this many instances in one process something else is wrong: the wanted folder is then
// used unlocked, as when it cannot be locked at all.
constexpr int kMaxOwnFolders = 16;

enum class Claim
{
    Taken,
    HeldByAnother,
    Impossible,
};

// The lock goes with this process (close-on-exec keeps it from the office it starts), and with
// the open file, so that two instances in one process hold each other off too.
Claim claim(const QString& folder, int* lockFd, int openFlags)
{
    if ((openFlags & O_CREAT) && !QDir().mkpath(folder))
        return Claim::Impossible;
    const QByteArray path = QFile::encodeName(QDir(folder).filePath(QLatin1String(kLockName)));
    const int fd = ::open(path.constData(), O_RDWR | O_CLOEXEC | openFlags, 0644);
    if (fd < 0)
        return Claim::Impossible;
    if (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
        const int error = errno;
        ::close(fd);
        return error == EWOULDBLOCK ? Claim::HeldByAnother : Claim::Impossible;
    }
    *lockFd = fd;
    return Claim::Taken;
}

QString ownFolder(const QString& wanted, int index)
{
    QString folder = wanted + QLatin1Char('-') + QString::number(getpid());
    if (index > 1)
        folder += QLatin1Char('-') + QString::number(index);
    return folder;
}

} // namespace

LibreOfficeProfile::LibreOfficeProfile(const QString& wantedFolder)
    : m_wanted(QDir::cleanPath(QDir(wantedFolder).absolutePath())), m_folder(m_wanted)
{
    for (int index = 0; index <= kMaxOwnFolders; ++index) {
        const QString folder = index == 0 ? m_wanted : ownFolder(m_wanted, index);
        const Claim result = claim(folder, &m_lockFd, O_CREAT);
        if (result == Claim::HeldByAnother)
            continue;
        if (result == Claim::Taken) {
            m_folder = folder;
            m_ownFolder = index > 0;
        }
        return;
    }
}

LibreOfficeProfile::~LibreOfficeProfile()
{
    // Removed while still held, so that nobody takes it half gone.
    if (m_ownFolder)
        QDir(m_folder).removeRecursively();
    if (m_lockFd >= 0)
        ::close(m_lockFd);
}

void LibreOfficeProfile::removeLeftoverFolders() const
{
    const QFileInfo wanted(m_wanted);
    const QRegularExpression ownName(
        QStringLiteral("^%1-(\\d+)(-\\d+)?$").arg(QRegularExpression::escape(wanted.fileName())));
    const QDir parent = wanted.dir();
    const QStringList entries = parent.entryList(QDir::Dirs | QDir::NoDotAndDotDot);
    for (const QString& entry : entries) {
        const QRegularExpressionMatch match = ownName.match(entry);
        const QString folder = parent.filePath(entry);
        if (!match.hasMatch() || folder == m_folder)
            continue;
        // Only the folders of copies that are gone: one that still runs (this one included)
        // may be about to lock the folder it has just made.
        const pid_t owner = pid_t(match.captured(1).toInt());
        if (owner == getpid() || ::kill(owner, 0) == 0 || errno == EPERM)
            continue;
        // Without our lock file it is not one of ours, whatever its name.
        int lockFd = -1;
        if (claim(folder, &lockFd, 0) != Claim::Taken)
            continue;
        LibreOfficePidRecord(folder).endLeftovers();
        QDir(folder).removeRecursively();
        ::close(lockFd);
    }
}
