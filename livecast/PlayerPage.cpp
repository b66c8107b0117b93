#include "livecast/PlayerPage.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

QString PlayerPage::installedWebFolder()
{
    const QString configured = qEnvironmentVariable("STAGOR_WEB_FOLDER");
    if (!configured.isEmpty())
        return configured;
    return QDir::cleanPath(QCoreApplication::applicationDirPath() +
                           QStringLiteral("/../share/vesk-stagor-web"));
}

QString PlayerPage::sourceFolder(const QString& webFolder)
{
    if (webFolder.isEmpty())
        return QString();
    const QString folder = webFolder + QLatin1Char('/') + FolderName;
    return QFileInfo(folder + QLatin1Char('/') + PageFile).isFile() ? folder : QString();
}

bool PlayerPage::copyInto(const QString& webFolder, const QString& folder)
{
    const QString source = sourceFolder(webFolder);
    if (source.isEmpty() || folder.isEmpty())
        return false;
    const QString target = folder + QLatin1Char('/') + FolderName;
    if (!QDir().mkpath(target))
        return false;
    bool copied = true;
    for (const QString& name : QDir(source).entryList(QDir::Files, QDir::Name)) {
        QFile from(source + QLatin1Char('/') + name);
        // A viewer loading the page meanwhile gets the old file or the new one.
        QSaveFile to(target + QLatin1Char('/') + name);
        if (!from.open(QIODevice::ReadOnly) || !to.open(QIODevice::WriteOnly) ||
            to.write(from.readAll()) < 0 || !to.commit())
            copied = false;
    }
    return copied;
}
