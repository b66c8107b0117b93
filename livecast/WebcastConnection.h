#pragma once

#include "livecast/WebServiceSettings.h"
#include "platform/TransferService.h"

#include <QObject>
#include <QString>

class LiveCastModes;
class MessageService;
class WebcastServerSettings;

// The webcast window's work without the window: on its first tick it asks the vendor's web
// service which server serves this installation, shows what came of it and has the window
// closed a moment later. Webcast mode is on afterwards only if the answer named a server.
// The window starts Timer1 when it shows and TimDelay on delayStarted(), calls the handlers
// from them and closes on closeRequested().
class WebcastConnection : public QObject
{
    Q_OBJECT

public:
    static constexpr int Timer1IntervalMs = 500;
    static constexpr int TimDelayIntervalMs = 1500;

    // Everything passed in must outlive the connection.
    WebcastConnection(TransferService& transfers, MessageService& messages, LiveCastModes& modes,
                      WebcastServerSettings& settings, const WebServiceSettings& service,
                      QObject* parent = nullptr);
    // A query still on its way is cancelled.
    ~WebcastConnection() override;

    // The first tick switches Webcast mode off and sends the query; later ticks do nothing.
    void Timer1_Timer();
    void TimDelay_Timer();
    // While the query runs: Webcast mode stays off and the window closes.
    void ComCancel_Click();

    const QString& LabStatus() const { return m_status; }
    bool ComCancelEnabled() const { return m_cancelEnabled; }
    bool querying() const { return m_querying; }

signals:
    // The status or the Cancel button changed.
    void changed();
    void delayStarted();
    void closeRequested();

private:
    void answered(const TransferResult& result);
    void setStatus(const QString& status);

    TransferService& m_transfers;
    MessageService& m_messages;
    LiveCastModes& m_modes;
    WebcastServerSettings& m_settings;
    const WebServiceSettings m_service;

    bool m_started = false;
    bool m_querying = false;
    bool m_closing = false;
    TransferService::RequestId m_request = 0;
    QString m_status;
    bool m_cancelEnabled = true;
};
