#include "livecast/ConnectConnection.h"

#include "livecast/ConnectQuery.h"
#include "livecast/LiveCastModes.h"
#include "livecast/ServerAddressFile.h"
#include "livecast/SessionRecord.h"
#include "livecast/WebcastServerSettings.h"
#include "platform/MessageService.h"

#include <QPointer>

ConnectConnection::ConnectConnection(TransferService& transfers, MessageService& messages,
                                     LiveCastModes& modes, WebcastServerSettings& settings,
                                     const QString& appFolder, const QString& productId,
                                     int httpPort, QObject* parent)
    : QObject(parent), m_transfers(transfers), m_messages(messages), m_modes(modes),
      m_settings(settings), m_appFolder(appFolder), m_productId(productId), m_httpPort(httpPort)
{}

ConnectConnection::~ConnectConnection()
{
    if (m_querying)
        m_transfers.cancel(m_request);
}

void ConnectConnection::Timer1_Timer()
{
    if (m_started)
        return;
    m_started = true;
    m_cancelEnabled = false;
    emit changed();
    // Connect mode is on only after this connection went through, also when it was on before.
    m_modes.uncheck(LiveCastModes::Mode::Connect);
    const std::optional<ServerAddressFile::Octets> octets = ServerAddressFile::load(m_appFolder);
    if (octets)
        m_address = ServerAddressFile::address(*octets);
    if (!octets || !ServerAddressFile::valid(*octets)) {
        failConnection();
        return;
    }
    send(ConnectQuery::url(m_address, m_productId, m_httpPort), &ConnectConnection::testAnswered);
}

void ConnectConnection::send(const QString& url,
                             void (ConnectConnection::*answered)(const TransferResult&))
{
    m_querying = true;
    m_request = m_transfers.get(url, this, [this, answered](const TransferResult& result) {
        m_querying = false;
        if (!result.cancelled() && !m_closing)
            (this->*answered)(result);
    });
}

void ConnectConnection::testAnswered(const TransferResult& result)
{
    if (!result.completed() || !ConnectQuery::answeredOk(result.body)) {
        failConnection();
        return;
    }
    if (!SessionRecord::exists(m_appFolder)) {
        m_sessionWindowWanted = true;
        emit hideRequested();
        tellAndClose(SessionRequiredMessage);
        return;
    }
    const SessionRecord session = SessionRecord::load(m_appFolder);
    if (session.SessionName.isEmpty()) {
        tellAndClose(SessionRequiredMessage);
        return;
    }
    send(ConnectQuery::url(m_address, m_productId, session, m_httpPort),
         &ConnectConnection::sessionAnswered);
}

void ConnectConnection::sessionAnswered(const TransferResult& result)
{
    // The server went away between the two queries: there is nothing to fill the settings from.
    if (!result.completed()) {
        failConnection();
        return;
    }
    ConnectQuery::fill(result.body, m_address, m_productId, m_settings);
    m_status = QStringLiteral("Connected to ") + m_settings.WebcastServerName;
    emit changed();
    m_modes.setMode(LiveCastModes::Mode::Connect);
    emit delayStarted();
}

void ConnectConnection::failConnection()
{
    tellAndClose(QStringLiteral("A connection to the Server ") + m_address +
                 QStringLiteral(" couldn't be established"));
}

void ConnectConnection::tellAndClose(const QString& text)
{
    m_messages.ask(text, MsgButtons::Ok, MsgIcon::Exclamation,
                   [self = QPointer<ConnectConnection>(this)](MsgAnswer) {
                       if (self)
                           self->close();
                   });
}

void ConnectConnection::TimDelay_Timer()
{
    close();
}

void ConnectConnection::ComCancel_Click()
{
    if (!m_cancelEnabled || m_closing)
        return;
    m_modes.uncheck(LiveCastModes::Mode::Webcast);
    close();
}

void ConnectConnection::close()
{
    if (m_closing)
        return;
    m_closing = true;
    if (m_querying) {
        m_querying = false;
        m_transfers.cancel(m_request);
    }
    emit closeRequested();
}
