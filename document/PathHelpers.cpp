#include "PathHelpers.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

namespace {

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

bool PathHelpers::ShellCopyFile(const QString& source, const QString& target)
{
    QFile in(source);
    if (!in.open(QIODevice::ReadOnly))
        return false;
    QSaveFile out(target);
    out.setDirectWriteFallback(false);
    if (!out.open(QIODevice::WriteOnly))
        return false;
    QByteArray chunk(1 << 20, Qt::Uninitialized);
    for (;;) {
        const qint64 n = in.read(chunk.data(), chunk.size());
        if (n < 0) {
            out.cancelWriting();
            out.commit();
            return false;
        }
        if (n == 0)
            break;
        if (out.write(chunk.constData(), n) != n) {
            out.cancelWriting();
            out.commit();
            return false;
        }
    }
    if (!out.commit())
        return false;
    QFile::setPermissions(target,
                          QFile::permissions(target) | QFile::ReadOwner | QFile::WriteOwner);
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
