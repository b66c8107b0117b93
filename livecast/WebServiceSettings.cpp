#include "livecast/WebServiceSettings.h"

#include "document/SettingsLines.h"

WebServiceSettings WebServiceSettings::load(const QString& appFolder)
{
    WebServiceSettings settings;
    const std::optional<QStringList> lines = SettingsLines::read(appFolder + FileName);
    if (!lines)
        return settings;
    for (const QString& line : *lines) {
        const qsizetype equals = line.indexOf(QLatin1Char('='));
        if (equals < 0)
            continue;
        const QString key = line.left(equals).trimmed();
        const QString value = line.mid(equals + 1).trimmed();
        if (key.compare(QLatin1String("WebService"), Qt::CaseInsensitive) == 0)
            settings.WebService = value;
        else if (key.compare(QLatin1String("ProductID"), Qt::CaseInsensitive) == 0)
            settings.ProductID = value;
    }
    if (!settings.WebService.isEmpty() && !settings.WebService.endsWith(QLatin1Char('/')))
        settings.WebService += QLatin1Char('/');
    return settings;
}
