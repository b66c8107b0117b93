#pragma once

#include <QList>
#include <QString>

// What the launcher menu (popped up on the launch screen) offers right now. The window builds
// its menu from this; every item leads back to a key code of the launch screen.
struct LauncherMenuState
{
    struct Item
    {
        QString caption;
        bool visible = false;
    };

    // MnuSpeaker(i), one per speaker; hidden for a speaker without a presentation.
    QList<Item> speakers;
    bool presentationsEnabled = false; // MnuPresentations
    // MnuPopUp(i), slot i; hidden for an empty slot.
    QList<Item> popUps;
    bool popUpsEnabled = false; // MnuPopUps
    bool promoEnabled = false;  // MenuPromo: the Quick Launch file
    QString blankScreenCaption = QStringLiteral("Blank Screen");

    // Hidden by "P" (until a blanked screen is restored).
    bool presentationsVisible = true;
    bool titleSlideVisible = true;
    bool popUpsVisible = true;
    bool promoVisible = true;
    bool blankScreenVisible = true;
    // Hidden while the screen is blanked.
    bool liveCastControlsVisible = true;
    bool toolsVisible = true;
    bool setupVisible = true;
};
