#pragma once

#include "document/SpeakerRecord.h"
#include "livecast/FtpSteps.h"
#include "platform/JobRunner.h"

#include <QList>
#include <QObject>
#include <QString>
#include <QStringList>

#include <array>
#include <functional>

class Event;
class MessageService;
class PresentationApp;
class TransferService;
class WebcastServerSettings;

// "Verify Server" / "Verify Localhost" without its window: whether every slide file that the
// last export named (by the time codes the event keeps) is where the audience's player reads
// it: in the event's folder on the webcast server, or in the local streaming server's
// "veskCast" folder in Localhost mode. Each missing or out-of-date item becomes one line of the
// list. Slide counts come from the presentation program, off the interface thread.
//
// The window starts timVerify when it shows and TimDelay (the animation) at once, calls the
// handlers on their ticks, and closes on closeRequested(). With nothing listed it closes by
// itself; otherwise it shows the list with an "Ok" button and waits for it.
class ServerVerification : public QObject
{
    Q_OBJECT

public:
    static constexpr int TimVerifyIntervalMs = 500;
    static constexpr int TimDelayIntervalMs = 120;
    static constexpr int AnimationFrames = 8;
    static constexpr int MaxSpeakers = 51;

    static inline const QString HoldingMissing = QStringLiteral("Holding Slide [missing]");
    static inline const QString PopUpsMissing = QStringLiteral("PopUp Slide(s) [missing]");
    static inline const QString RollingMissing = QStringLiteral("Rolling Slides [missing]");
    static inline const QString OutDated = QStringLiteral(" [out dated!]");
    static inline const QString Missing = QStringLiteral(" [missing]");
    static inline const QString ErrorsReported = QStringLiteral("Errors reported");

    // What is checked: the setup window's state as plain data.
    struct Items
    {
        bool holdingShown = false; // the holding slide's box shows a picture
        QString HoldingTimeCode;
        std::array<bool, 10> popUpShown{}; // per slot, 0 to 9
        QString PopUpsTimeCode;
        QString QuickLaunchFile; // the rolling presentation; empty for none
        QString QuickLaunchTimeCode;
        QList<SpeakerRecord> speakers; // in list order

        // As the setup window shows the event.
        static Items of(const Event& event);
    };

    // Where the files are looked for: the webcast server (Webcast and Connect mode), or a
    // folder of this computer (Localhost mode), created when missing.
    struct Place
    {
        bool localhost = false;
        // Localhost mode's "veskCast" folder in the streaming server's; empty when there is no
        // server, and then nothing counts as there.
        QString folder;
    };

    // Everything passed in must outlive the verification.
    ServerVerification(TransferService& transfers, MessageService& messages,
                       PresentationApp& exports, const WebcastServerSettings& settings, Items items,
                       Place place, QObject* parent = nullptr);

    // The first tick runs the check; later ticks do nothing.
    void timVerify_Timer();
    // The next of the eight animation frames.
    void TimDelay_Timer();
    // "Cancel" only disables itself; the check closes at its next step. "Ok" closes.
    void ComCancel_Click();

    const QStringList& lstVerify() const { return m_list; }
    const QString& LabStatus() const { return m_status; }
    const QString& ComCancelCaption() const { return m_caption; }
    bool ComCancelEnabled() const { return m_cancelEnabled; }
    // The list is shown, the animation hidden.
    bool reported() const { return m_reported; }
    int animationFrame() const { return m_frame; }
    bool running() const { return m_started && !m_ended; }

signals:
    void changed();
    void frameChanged(int frame);
    void closeRequested();

private:
    using Listing = std::function<void(const QString& listing)>;

    bool cancelled() const;
    // Closes when cancelled; true then.
    bool closedOnCancel();
    QString eventPath() const;
    // Whether name is in the listing (server) or in folder (Localhost mode).
    bool exists(const QString& listing, const QString& folder, const QString& name) const;
    void checkAdminFiles();
    void checkRolling();
    void checkSpeaker(int index);
    // The slide count of a presentation, -1 when the program cannot tell.
    void countSlides(const QString& path, std::function<void(int)> then);
    void finish();
    void end();
    void setStatus(const QString& status);

    PresentationApp& m_exports;
    const WebcastServerSettings& m_settings;
    const Items m_items;
    const Place m_place;
    FtpSteps m_ftp;
    // A count still running when the window goes is left to end by itself: it touches nothing
    // but the presentation program, which outlives the check.
    JobRunner m_jobs{nullptr, 0};
    QString m_listing; // the event folder's
    QStringList m_list;
    QString m_status;
    QString m_caption = QStringLiteral("Cancel");
    bool m_cancelEnabled = true;
    bool m_reported = false;
    bool m_started = false;
    bool m_ended = false;
    int m_frame = 0;
};
