#include "livecast/WebcastConnection.h"

#include "livecast/LiveCastModes.h"
#include "livecast/WebcastQuery.h"
#include "livecast/WebcastServerSettings.h"
#include "platform/MessageService.h"

#include <QPointer>

WebcastConnection::WebcastConnection(TransferService& transfers, MessageService& messages,
                                     LiveCastModes& modes, WebcastServerSettings& settings,
                                     const WebServiceSettings& service, QObject* parent)
    : QObject(parent), m_transfers(transfers), m_messages(messages), m_modes(modes),
      m_settings(settings), m_service(service)
{}

WebcastConnection::~WebcastConnection()
{
    if (m_querying)
        m_transfers.cancel(m_request);
}

void WebcastConnection::Timer1_Timer()
{
    if (m_started)
        return;
    m_started = true;
    m_modes.uncheck(LiveCastModes::Mode::Webcast);
    if (!m_service.hasService()) {
        answered(TransferResult::failure(0, QStringLiteral("No web service address")));
        return;
    }
    m_querying = true;
    m_request = m_transfers.get(WebcastQuery::url(m_service.WebService, m_service.ProductID), this,
                                [this](const TransferResult& result) {
                                    m_querying = false;
                                    answered(result);
                                });
}

void WebcastConnection::answered(const TransferResult& result)
{
    if (result.cancelled() || m_closing)
        return;
    const WebcastQuery::Reading reading = WebcastQuery::read(
        result.completed() ? result.body : QString(), m_service.ProductID, m_settings);
    if (reading.outcome == WebcastQuery::Outcome::NoConnection) {
        setStatus(reading.status);
        m_messages.ask(WebcastQuery::NoConnectionMessage, MsgButtons::Ok, MsgIcon::Exclamation,
                       [self = QPointer<WebcastConnection>(this)](MsgAnswer) {
                           if (self && !self->m_closing)
                               emit self->delayStarted();
                       });
        return;
    }
    m_cancelEnabled = false;
    setStatus(reading.status);
    if (reading.outcome == WebcastQuery::Outcome::Connected)
        m_modes.setMode(LiveCastModes::Mode::Webcast);
    emit delayStarted();
}

void WebcastConnection::TimDelay_Timer()
{
    m_closing = true;
    emit closeRequested();
}

void WebcastConnection::ComCancel_Click()
{
    if (!m_cancelEnabled || m_closing)
        return;
    m_closing = true;
    if (m_querying) {
        m_querying = false;
        m_transfers.cancel(m_request);
    }
    m_modes.uncheck(LiveCastModes::Mode::Webcast);
    emit closeRequested();
}

void WebcastConnection::setStatus(const QString& status)
{
    m_status = status;
    emit changed();
}
