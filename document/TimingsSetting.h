#pragma once

#include <QString>

// Whether per-slide timings are logged ("Log Timings"), kept in "TLog.ini".
class TimingsSetting
{
public:
    static inline const QString FileName = QStringLiteral("TLog.ini");

    bool Checked = false;
    bool Enabled = true;

    // Missing file: checked and unavailable. "true"/"false" (any case) set the mark, "greyed"
    // checks it and makes it unavailable; anything else keeps the designed unchecked state.
    void load(const QString& appFolder);
    // What the timings command writes after toggling.
    static bool save(const QString& appFolder, bool checked);
};
