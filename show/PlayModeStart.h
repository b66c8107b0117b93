#pragma once

#include <QPoint>
#include <QRect>
#include <QString>

class MessageService;
class PresentationApp;

// The checks Play makes before the launch screen takes over, and the way back to the setup
// window afterwards.
class PlayModeStart
{
public:
    // Other presentations open in the program are saved and closed after the operator agreed
    // (untitled ones go into untitledFolder); false when they declined (play mode does not
    // start). The program is then ended and comes back empty, unless a presentation could not
    // be saved: that one stays open, the operator is told, and play mode goes on.
    static bool closeOtherPresentations(PresentationApp& program, MessageService& messages,
                                        const QString& untitledFolder);
    // Warns about battery power or an unknown power status; play mode goes on either way.
    static void checkPower(int acLineStatus, MessageService& messages);
    // Where the setup window comes back: where it was, moved left when its right edge would lie
    // beyond 99% of the screen's width.
    static QPoint returnPosition(const QRect& remembered, const QRect& screen);
};
