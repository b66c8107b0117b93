#pragma once

#include "livecast/ConnectQuery.h"
#include "platform/TransferService.h"

#include <QObject>
#include <QString>

class LiveCastModes;
class MessageService;
class WebcastServerSettings;

// The connect window's work without the window: on its first tick it asks the server of
// "ServerIP.INI" whether it is there, then joins the session of "Session.INI" and takes the
// webcast server settings from the answer. Connect mode is on afterwards only if both went
// through; every failure shows its message and has the window closed.
// The window starts Timer1 when it shows and TimDelay on delayStarted(), calls the handlers from
// them, hides on hideRequested() and closes on closeRequested().
class ConnectConnection : public QObject
{
    Q_OBJECT

public:
    static constexpr int Timer1IntervalMs = 500;
    static constexpr int TimDelayIntervalMs = 1500;

    static inline const QString SessionRequiredMessage =
        QStringLiteral("A session name is required.");

    // Everything passed in must outlive the connection.
    ConnectConnection(TransferService& transfers, MessageService& messages, LiveCastModes& modes,
                      WebcastServerSettings& settings, const QString& appFolder,
                      const QString& productId, int httpPort = ConnectQuery::DefaultHttpPort,
                      QObject* parent = nullptr);
    // A query still on its way is cancelled.
    ~ConnectConnection() override;

    // The first tick starts the connection; later ticks do nothing.
    void Timer1_Timer();
    void TimDelay_Timer();
    // Before the first tick: Webcast mode goes off and the window closes.
    void ComCancel_Click();

    const QString& LabStatus() const { return m_status; }
    bool ComCancelEnabled() const { return m_cancelEnabled; }
    bool querying() const { return m_querying; }
    // There was no session to join: the session window should follow this one.
    bool sessionWindowWanted() const { return m_sessionWindowWanted; }

signals:
    // The status or the Cancel button changed.
    void changed();
    void delayStarted();
    void hideRequested();
    void closeRequested();

private:
    void send(const QString& url, void (ConnectConnection::*answered)(const TransferResult&));
    void testAnswered(const TransferResult& result);
    void sessionAnswered(const TransferResult& result);
    void failConnection();
    // Shows text, then has the window closed.
    void tellAndClose(const QString& text);
    void close();

    TransferService& m_transfers;
    MessageService& m_messages;
    LiveCastModes& m_modes;
    WebcastServerSettings& m_settings;
    const QString m_appFolder;
    const QString m_productId;
    const int m_httpPort;

    QString m_address;
    bool m_started = false;
    bool m_querying = false;
    bool m_closing = false;
    bool m_sessionWindowWanted = false;
    TransferService::RequestId m_request = 0;
    QString m_status;
    bool m_cancelEnabled = true;
};
