#pragma once

#include <QString>
#include <QStringList>

#include <optional>

// The settings files are plain lists of CRLF-terminated lines without sections or keys, read and
// written whole in a fixed order.
class SettingsLines
{
public:
    // The file's lines without their line ends; nothing when the file cannot be read.
    static std::optional<QStringList> read(const QString& path);
    // Writes the lines from scratch; the old file is only replaced once the new one is complete.
    static bool write(const QString& path, const QStringList& lines);
    // "True" / "False", as every settings file writes its switches.
    static QString boolText(bool value)
    {
        return value ? QStringLiteral("True") : QStringLiteral("False");
    }
};
