#pragma once

#include <QString>

// Branding from "oem.ini": the vendor menu caption, web address, name and short name. The file
// is optional and never written by the program.
class OemSettings
{
public:
    static inline const QString FileName = QStringLiteral("oem.ini");

    QString WebMenuCaption = QStringLiteral("vesk Technology");
    QString OemWebAddress = QStringLiteral("https://vesk.example/");
    QString OemName = QStringLiteral("vesk");
    QString OemShortName = QStringLiteral("vesk");

    void load(const QString& appFolder);
};
