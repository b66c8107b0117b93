#include "document/AppFolders.h"

#include "document/PathHelpers.h"

#include <QCoreApplication>
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>

QString AppFolders::resolveAppFolder(const QString& argumentFolder, const QProcessEnvironment& env)
{
    QString folder = argumentFolder;
    if (folder.isEmpty())
        folder = env.value(QStringLiteral("STAGOR_APP_FOLDER"));
    if (folder.isEmpty()) {
        QString dataHome = env.value(QStringLiteral("XDG_DATA_HOME"));
        if (dataHome.isEmpty())
            dataHome = env.value(QStringLiteral("HOME"), QDir::homePath()) +
                       QStringLiteral("/.local/share");
        folder = dataHome + QStringLiteral("/vesk-stagor");
    }
    return PathHelpers::withTrailingSlash(QDir::cleanPath(QDir(folder).absolutePath()));
}

QString AppFolders::resolveDesktopFolder(const QProcessEnvironment& env)
{
    QString folder = env.value(QStringLiteral("STAGOR_DESKTOP_FOLDER"));
    if (folder.isEmpty())
        folder = QStandardPaths::writableLocation(QStandardPaths::DesktopLocation);
    if (folder.isEmpty())
        folder = QDir::homePath() + QStringLiteral("/Desktop");
    return PathHelpers::withTrailingSlash(QDir::cleanPath(QDir(folder).absolutePath()));
}

QString AppFolders::resolveLiveCastFolder(const QProcessEnvironment& env)
{
    QString folder = env.value(QStringLiteral("STAGOR_LIVECAST_FOLDER"));
    if (folder.isEmpty())
        folder = env.value(QStringLiteral("HOME"), QDir::homePath()) + QStringLiteral("/veskCast");
    return QDir::cleanPath(QDir(folder).absolutePath());
}

QString AppFolders::runFolderFor(const QString& appFolder, qint64 processId)
{
    return appFolder + QString::number(processId);
}

bool AppFolders::seed(const QString& appFolder, const QString& resourcesFolder)
{
    if (!ensureFolder(appFolder))
        return false;
    if (resourcesFolder.isEmpty() || !QFileInfo(resourcesFolder).isDir())
        return true;
    const QDir source(resourcesFolder);
    QDirIterator it(resourcesFolder, QDir::Files, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString from = it.next();
        const QString to = appFolder + source.relativeFilePath(from);
        if (QFileInfo::exists(to))
            continue;
        ensureFolder(QFileInfo(to).absolutePath());
        PathHelpers::ShellCopyFile(from, to);
    }
    return true;
}

QString AppFolders::installedResourcesFolder()
{
    return QDir::cleanPath(QCoreApplication::applicationDirPath() +
                           QStringLiteral("/../share/vesk-stagor"));
}

bool AppFolders::ensureFolder(const QString& folder)
{
    return QDir().mkpath(folder) && QFileInfo(folder).isDir();
}

bool AppFolders::removeFolder(const QString& folder)
{
    if (folder.isEmpty() || !QFileInfo(folder).isDir())
        return !QFileInfo::exists(folder);
    // Read-only files and folders must not keep the run's folder alive.
    QDirIterator it(folder, QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot,
                    QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString entry = it.next();
        QFile::setPermissions(entry, QFile::permissions(entry) | QFile::ReadOwner |
                                         QFile::WriteOwner | QFile::ExeOwner);
    }
    QFile::setPermissions(folder, QFile::permissions(folder) | QFile::WriteOwner | QFile::ExeOwner);
    return QDir(folder).removeRecursively();
}
