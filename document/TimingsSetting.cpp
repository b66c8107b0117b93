#include "document/TimingsSetting.h"

#include "document/SettingsLines.h"

void TimingsSetting::load(const QString& appFolder)
{
    const auto lines = SettingsLines::read(appFolder + FileName);
    if (!lines) {
        Checked = true;
        Enabled = false;
        return;
    }
    const QString value = lines->value(0).toLower();
    if (value == QStringLiteral("false")) {
        Checked = false;
    } else if (value == QStringLiteral("true")) {
        Checked = true;
    } else if (value == QStringLiteral("greyed")) {
        Checked = true;
        Enabled = false;
    }
}

bool TimingsSetting::save(const QString& appFolder, bool checked)
{
    return SettingsLines::write(appFolder + FileName, {SettingsLines::boolText(checked)});
}
