#include "livecast/LocalStreamingFolder.h"

#include "document/SettingsLines.h"

QString LocalStreamingFolder::read(const QString& appFolder)
{
    const std::optional<QStringList> lines = SettingsLines::read(appFolder + FileName);
    if (!lines || lines->isEmpty())
        return QString();
    return lines->first().trimmed();
}

QString LocalStreamingFolder::slidesFolderIn(const QString& folder)
{
    if (folder.isEmpty())
        return QString();
    QString base = folder;
    while (base.size() > 1 && base.endsWith(QLatin1Char('/')))
        base.chop(1);
    return base.endsWith(QLatin1Char('/')) ? base + SlidesFolder
                                           : base + QLatin1Char('/') + SlidesFolder;
}
