#pragma once

#include "document/PopUpSlot.h"
#include "document/SpeakerTable.h"

#include <QImage>
#include <QString>

#include <array>

// The event itself: everything an event file keeps. The field names are the event's own
// vocabulary, so they keep their capitals.
class Event
{
public:
    static constexpr int PopUpSlotCount = 10;

    SpeakerTable Speakers;

    QImage ImgHoldingFull; // full-size holding slide
    QImage ImgHolding;     // its thumbnail; the event has a holding slide exactly when this is set

    std::array<PopUpSlot, PopUpSlotCount> PopUps;

    QString QuickLaunchFile;
    QString ImportDir;

    QString HoldingTimeCode;
    QString QuickLaunchTimeCode;
    QString PopUpsTimeCode;

    QString InternetConnectUrl;
    QString InternetConnectSession;
    QString InternetConnectPassword;
    qint16 InternetConnectObscure = 0;

    bool hasHoldingSlide() const { return !ImgHolding.isNull(); }

    // Number shown and keyed for a pop-up slot: slot 0 is "1", ..., slot 9 is "0".
    static QString popUpNumber(int slot) { return QString::number((slot + 1) % 10); }

    // Empties everything; a new event imports from importDir.
    void clear(const QString& importDir);
};
