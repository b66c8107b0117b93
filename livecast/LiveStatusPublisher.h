#pragma once

#include "platform/FtpAccount.h"

#include <QObject>
#include <QString>

#include <memory>

class FtpSession;
class TransferService;
class WebcastServerSettings;
struct TransferResult;

// Sends "status.inf" to the webcast server so that the room never waits for it: publish()
// returns at once, whatever the server does. One upload is on its way at a time, on one FTP
// session; a status written meanwhile goes right after it, and of several written meanwhile
// only the newest, read from the file when its upload starts. The server therefore never ends
// up with an older status than the last one published, however slow it is. When nothing newer
// waits the session logs out, as the room's status changes only now and then.
class LiveStatusPublisher : public QObject
{
    Q_OBJECT

public:
    // localFile: the status file; settings name the server, the account and the remote folder
    // at the time of each upload. Both services must outlive the publisher.
    LiveStatusPublisher(TransferService& transfers, const WebcastServerSettings& settings,
                        const QString& localFile, QObject* parent = nullptr);
    // Whatever is on its way is dropped.
    ~LiveStatusPublisher() override;

    void publish();
    // An upload or the logout after it is on its way.
    bool busy() const { return m_busy; }

signals:
    // An upload has ended well: the server holds the status the file held when it started.
    void published();
    // "ErrorCode: " code " : " text, for the error log.
    void failed(const QString& error);

private:
    void sendNewest();
    void sent(const TransferResult& result);
    void closed(const TransferResult& result);

    TransferService& m_transfers;
    const WebcastServerSettings& m_settings;
    const QString m_localFile;
    std::unique_ptr<FtpSession> m_session;
    FtpAccount m_account;
    bool m_busy = false;
    bool m_newerWaiting = false;
};
