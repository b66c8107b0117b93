#pragma once

#include "platform/FtpAccount.h"
#include "platform/FtpCommand.h"

#include <QObject>
#include <QString>

#include <functional>
#include <memory>

class FtpSession;
class MessageService;
class TransferService;

// The FTP commands of one window's job, one after the other on one control connection, each
// awaited before the job goes on. The first command that fails shows the operator its error
// ("ErrorCode: " code " : " text); the job ends there: nothing queued runs, and failed() tells
// the window to close once the message has been read.
class FtpSteps : public QObject
{
    Q_OBJECT

public:
    using Then = std::function<void(const QString& body)>;

    // Both services must outlive the steps. The session opens with the first command.
    FtpSteps(TransferService& transfers, MessageService& messages, const FtpAccount& account,
             QObject* parent = nullptr);
    // A command still on its way is dropped.
    ~FtpSteps() override;

    // then(body) runs later, once the command has completed: the listing of a DIR, nothing for
    // the others. After a failure nothing runs any more.
    void run(const FtpCommand& command, Then then);
    void dir(const QString& folder, Then then);
    void makeDir(const QString& path, Then then);
    void removeDir(const QString& path, Then then);
    void remove(const QString& path, Then then);
    void send(const QString& localFile, const QString& remotePath, Then then);
    void close(Then then);

    bool hasFailed() const { return m_failed; }

signals:
    // A command failed and the operator has read why.
    void failed();

private:
    TransferService& m_transfers;
    MessageService& m_messages;
    const FtpAccount m_account;
    std::unique_ptr<FtpSession> m_session;
    bool m_failed = false;
};
