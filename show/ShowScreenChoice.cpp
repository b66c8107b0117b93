#include "show/ShowScreenChoice.h"

#include "document/SettingsLines.h"

int ShowScreenChoice::choose(const QList<Screen>& screens, int setupScreen, const QString& picked)
{
    if (screens.isEmpty())
        return -1;
    // A picked screen that is not connected today does not count: the default takes over.
    for (int i = 0; i < screens.size(); ++i) {
        if (!picked.isEmpty() && screens[i].name == picked)
            return i;
    }
    for (int i = 0; i < screens.size(); ++i) {
        if (i != setupScreen)
            return i;
    }
    return 0;
}

QString ShowScreenChoice::caption(const Screen& screen)
{
    return QStringLiteral("%1 (%2 x %3)")
        .arg(screen.name)
        .arg(screen.geometry.width())
        .arg(screen.geometry.height());
}

QString ShowScreenChoice::load(const QString& appFolder)
{
    return SettingsLines::read(appFolder + FileName).value_or(QStringList()).value(0).trimmed();
}

bool ShowScreenChoice::save(const QString& appFolder, const QString& name)
{
    return SettingsLines::write(appFolder + FileName, {name});
}
