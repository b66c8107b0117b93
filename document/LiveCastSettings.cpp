#include "document/LiveCastSettings.h"

#include "document/SettingsLines.h"

void LiveCastSettings::load(const QString& appFolder)
{
    const auto lines = SettingsLines::read(appFolder + FileName);
    if (!lines)
        return;
    auto isTrue = [&](int i) { return lines->value(i) == QStringLiteral("True"); };
    const qsizetype n = lines->size();
    if (n > 0)
        PresenterStageLeft = isTrue(0);
    if (n > 1)
        VideoRatio43 = isTrue(1);
    if (n > 2)
        PlayerControls = isTrue(2);
    if (isTrue(3))
        StretchMode = true;
    if (isTrue(4))
        Controls = true;
}

bool LiveCastSettings::save(const QString& appFolder) const
{
    return SettingsLines::write(appFolder + FileName, {SettingsLines::boolText(PresenterStageLeft),
                                                       SettingsLines::boolText(VideoRatio43),
                                                       SettingsLines::boolText(PlayerControls),
                                                       SettingsLines::boolText(StretchMode),
                                                       SettingsLines::boolText(Controls)});
}
