#include "document/OemSettings.h"

#include "document/SettingsLines.h"

void OemSettings::load(const QString& appFolder)
{
    const auto lines = SettingsLines::read(appFolder + FileName);
    // A short or empty file would leave the branding half-blank; keep the defaults then.
    if (!lines || lines->size() < 4)
        return;
    WebMenuCaption = lines->at(0);
    OemWebAddress = lines->at(1);
    OemName = lines->at(2);
    OemShortName = lines->at(3);
}
