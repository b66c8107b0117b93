#pragma once

#include <QString>

// Check marks of the LiveCast menus remembered in "LiveCast.INI".
class LiveCastSettings
{
public:
    static inline const QString FileName = QStringLiteral("LiveCast.INI");

    bool PresenterStageLeft = true;
    bool VideoRatio43 = true; // 4:3 checked; otherwise 16:9
    bool PlayerControls = false;
    bool StretchMode = false;
    bool Controls = false;

    // A missing file keeps the designed states. The first three lines set their mark either
    // way; the last two only switch theirs on.
    void load(const QString& appFolder);
    bool save(const QString& appFolder) const;
};
