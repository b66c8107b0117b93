#pragma once

#include "document/PopUpSlot.h"
#include "document/SlideFormat.h"
#include "document/SpeakerRecord.h"

#include <QImage>
#include <QString>

#include <array>

// The one event this instance edits, the name of the file it came from and the run-time values
// that several windows share. Every window works on the same instance, owned by the setup window;
// the field names are the event's own vocabulary, so they keep their capitals.
class EventDocument
{
public:
    static inline const QString ProductName = QStringLiteral("vesk stagor");
    static inline const QString UntitledTitle = QStringLiteral("Untitled.evf");
    static constexpr int SpeakerTableSize = 51;
    static constexpr int MaxSpeakers = 50; // the editor never fills the 51st slot
    static constexpr int PopUpSlotCount = 10;

    // --- the event ---
    std::array<SpeakerRecord, SpeakerTableSize> Speakers;
    qint16 SpeakerCount = 0;

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

    // --- the current file ---
    QString EventFilePath;
    QString EventFileTitle;

    // --- shared run-time values ---
    QString AppFolder;     // ends with "/"
    QString RunFolder;     // no trailing "/"
    QString DesktopFolder; // ends with "/"
    QString LiveCastFolder;

    qint16 CurrentSpeaker = -1;
    qint16 SelectedPopUp = 0;
    ::SlideFormat SlideImageFormat = ::SlideFormat::Emf;
    QString OemWebAddress;
    QString OemName = QStringLiteral("vesk");
    QString OemShortName = QStringLiteral("vesk");
    SpeakerRecord SpeakerScratch;

    bool hasHoldingSlide() const { return !ImgHolding.isNull(); }
    bool canAddSpeaker() const { return SpeakerCount < MaxSpeakers; }

    // Number shown and keyed for a pop-up slot: slot 0 is "1", ..., slot 9 is "0".
    static QString popUpNumber(int slot) { return QString::number((slot + 1) % 10); }

    QString untitledPath() const { return RunFolder + QLatin1Char('/') + UntitledTitle; }
    bool isUntitled() const { return EventFilePath == untitledPath(); }
    // The title the prompts show: the file title without its four-character extension.
    QString titleForPrompt() const { return EventFileTitle.left(EventFileTitle.size() - 4); }

    // Empties everything that belongs to the event itself (speakers, pictures, files, time codes,
    // Internet-connect values); the current-file state and run-time values stay.
    void clearEvent();
};
