#include "livecast/LiveStatusPublisher.h"

#include "livecast/LiveStatusRecord.h"
#include "livecast/WebcastServerSettings.h"
#include "platform/FtpSession.h"
#include "platform/TransferService.h"

LiveStatusPublisher::LiveStatusPublisher(TransferService& transfers,
                                         const WebcastServerSettings& settings,
                                         const QString& localFile, QObject* parent)
    : QObject(parent), m_transfers(transfers), m_settings(settings), m_localFile(localFile)
{}

LiveStatusPublisher::~LiveStatusPublisher()
{
    if (m_session)
        m_session->cancel();
}

void LiveStatusPublisher::publish()
{
    m_newerWaiting = true;
    if (!m_busy)
        sendNewest();
}

void LiveStatusPublisher::sendNewest()
{
    m_newerWaiting = false;
    m_busy = true;
    const FtpAccount account = m_settings.ftpAccount();
    if (!m_session || account != m_account) {
        // This may run inside the old session's report: it goes once that has returned.
        if (m_session)
            m_session.release()->deleteLater();
        m_session = m_transfers.openFtpSession(account);
        m_account = account;
    }
    FtpCommand send;
    send.verb = FtpCommand::Verb::Send;
    send.localPath = m_localFile;
    send.remotePath = m_settings.remotePath(LiveStatusRecord::FileName);
    m_session->execute(send, [this](const TransferResult& result) { sent(result); });
}

void LiveStatusPublisher::sent(const TransferResult& result)
{
    if (result.completed())
        emit published();
    else if (result.failed())
        emit failed(result.error());
    if (m_newerWaiting) {
        sendNewest();
        return;
    }
    FtpCommand close;
    close.verb = FtpCommand::Verb::Close;
    m_session->execute(close, [this](const TransferResult& result) { closed(result); });
}

void LiveStatusPublisher::closed(const TransferResult& result)
{
    m_busy = false;
    if (result.failed())
        emit failed(result.error());
    if (m_newerWaiting)
        sendNewest();
}
