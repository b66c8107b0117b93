#pragma once

#include <QList>
#include <QRect>
#include <QString>

// Which screen the audience looks at. With a laptop and a projector on one desktop the launch
// screen and every show go to the projector: by default the screen the setup window is not on,
// or the one the operator picked (kept by name in "ShowScreen.ini"). With one screen, that one.
class ShowScreenChoice
{
public:
    static inline const QString FileName = QStringLiteral("ShowScreen.ini");

    struct Screen
    {
        QString name;
        QRect geometry;
    };

    // Index into screens of the show screen; -1 only when there is no screen at all.
    static int choose(const QList<Screen>& screens, int setupScreen, const QString& picked);
    // How the Tools menu names a screen: its name and resolution.
    static QString caption(const Screen& screen);

    // The picked screen's name; empty when the operator never picked one.
    static QString load(const QString& appFolder);
    static bool save(const QString& appFolder, const QString& name);
};
