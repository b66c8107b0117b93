#include "document/PathHelpers.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QTemporaryFile>

#include <cerrno>
#include <cstdio>

#include <fcntl.h>
#include <unistd.h>

namespace {

constexpr qint64 CopyChunkBytes = 8 << 20;

qsizetype lastSlashBeforeEnd(const QString& path)
{
    if (path.size() < 2)
        return -1;
    return path.lastIndexOf(QLatin1Char('/'), path.size() - 2);
}

} // namespace

QString PathHelpers::FileNameOf(const QString& path)
{
    if (path.isEmpty())
        return QString();
    return path.mid(lastSlashBeforeEnd(path) + 1);
}

QString PathHelpers::FolderOf(const QString& path)
{
    return path.left(lastSlashBeforeEnd(path) + 1);
}

QString PathHelpers::withSuffix(const QString& path, const QString& suffix)
{
    const qsizetype slash = path.lastIndexOf(QLatin1Char('/'));
    const qsizetype dot = path.lastIndexOf(QLatin1Char('.'));
    if (dot <= slash)
        return path + suffix;
    return path.left(dot) + suffix + path.mid(dot);
}

QString PathHelpers::UniqueNumberSuffix(const QString& path)
{
    if (!QFileInfo::exists(path))
        return QString();
    for (int n = 2;; ++n) {
        const QString suffix = QString::number(n);
        if (!QFileInfo::exists(withSuffix(path, suffix)))
            return suffix;
    }
}

bool PathHelpers::FilesAreEqual(const QString& a, const QString& b)
{
    QFile fileA(a);
    QFile fileB(b);
    if (!fileA.open(QIODevice::ReadOnly) || !fileB.open(QIODevice::ReadOnly))
        return false;
    if (fileA.size() != fileB.size())
        return false;
    constexpr qint64 BlockBytes = 1 << 20;
    QByteArray blockA(BlockBytes, Qt::Uninitialized);
    QByteArray blockB(BlockBytes, Qt::Uninitialized);
    for (;;) {
        const qint64 readA = fileA.read(blockA.data(), BlockBytes);
        const qint64 readB = fileB.read(blockB.data(), BlockBytes);
        if (readA != readB || readA < 0)
            return false;
        if (readA == 0)
            return true;
        if (memcmp(blockA.constData(), blockB.constData(), size_t(readA)) != 0)
            return false;
    }
}

bool PathHelpers::ShellCopyFile(const QString& source, const QString& target,
                                const CopyProgress& progress, const std::atomic<bool>* stop)
{
    // Unbuffered on both ends, the kernel copying where it can: an import copy should cost no
    // more than cp. Written beside the target and renamed, so no half copy ever has its name.
    QFile in(source);
    if (!in.open(QIODevice::ReadOnly | QIODevice::Unbuffered))
        return false;
    QTemporaryFile out(target + QStringLiteral(".XXXXXX.part"));
    if (!out.open())
        return false;
    const int from = in.handle();
    const int to = out.handle();
    const qint64 total = in.size();
    qint64 done = 0;
    bool kernelCopy = true;
    QByteArray chunk;
    for (;;) {
        if (stop && stop->load())
            return false; // the partial file goes with `out`
        ssize_t n = -1;
        if (kernelCopy) {
            // Chunks small enough for progress and Cancel to follow within tens of milliseconds,
            // large enough to cost nothing next to the copy.
            n = ::copy_file_range(from, nullptr, to, nullptr, size_t(CopyChunkBytes), 0);
            if (n < 0 &&
                (errno == EXDEV || errno == ENOSYS || errno == EINVAL || errno == EOPNOTSUPP)) {
                kernelCopy = false; // across file systems on older kernels: copy by hand
                continue;
            }
        } else {
            if (chunk.isEmpty())
                chunk.resize(1 << 20);
            n = ::read(from, chunk.data(), size_t(chunk.size()));
            for (ssize_t written = 0; n > 0 && written < n;) {
                const ssize_t w = ::write(to, chunk.constData() + written, size_t(n - written));
                if (w <= 0)
                    return false; // a full disk: the temporary file goes with `out`
                written += w;
            }
        }
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0)
            return false;
        if (n == 0)
            break;
        done += n;
        if (progress)
            progress(done, total);
    }
    out.setPermissions(QFile::permissions(source) | QFile::ReadOwner | QFile::WriteOwner);
    // A pipe has no size to compare with: what came through it until its end is the file.
    if (!in.isSequential() && QFileInfo(out.fileName()).size() != in.size())
        return false;
    // Replaces an existing target, like the copy it stands for.
    if (::rename(QFile::encodeName(out.fileName()).constData(),
                 QFile::encodeName(target).constData()) != 0)
        return false;
    out.setAutoRemove(false);
    return true;
}

bool PathHelpers::ShellRenameFile(const QString& oldPath, const QString& newPath)
{
    // QFile::rename refuses to replace an existing file, which is the rule we want; a refused
    // rename must not look like a done one just because the other file is there.
    if (!QFile::rename(oldPath, newPath))
        return false;
    QFile::setPermissions(newPath,
                          QFile::permissions(newPath) | QFile::ReadOwner | QFile::WriteOwner);
    return QFileInfo::exists(newPath);
}

QString PathHelpers::withTrailingSlash(const QString& folder)
{
    return folder.endsWith(QLatin1Char('/')) ? folder : folder + QLatin1Char('/');
}
