#include "document/SlideFormatSetting.h"

#include "document/SettingsLines.h"

#include <QFileInfo>

void SlideFormatSetting::load(const QString& appFolder)
{
    const QString file = appFolder + FileName;
    if (!QFileInfo::exists(file))
        SettingsLines::write(file, {QString::number(DefaultIndex)});
    bool ok = false;
    const int index =
        SettingsLines::read(file).value_or(QStringList()).value(0).trimmed().toInt(&ok);
    Index = ok && index >= 1 && index <= Captions.size() ? index : DefaultIndex;
}

bool SlideFormatSetting::save(const QString& appFolder) const
{
    return SettingsLines::write(appFolder + FileName, {QString::number(Index)});
}
