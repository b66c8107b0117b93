#pragma once

#include "platform/FtpCommand.h"
#include "platform/TransferResult.h"

#include <QObject>

#include <functional>

// The FTP commands of one job (an upload, a status publication) on one control connection to
// one account. Commands run one after the other in the order given; the first one logs in,
// CLOSE logs out, and a command after CLOSE logs in again.
class FtpSession : public QObject
{
    Q_OBJECT

public:
    using Done = std::function<void(const TransferResult&)>;

    explicit FtpSession(QObject* parent = nullptr) : QObject(parent) {}

    // Queues the command and returns at once. done(result) runs on this session's thread once
    // the command has ended, never inside this call, and never after the session is gone. A
    // failed command does not stop the ones queued behind it.
    virtual void execute(const FtpCommand& command, Done done) = 0;
    // The same for a command line; a line that is no command fails with reply code 500.
    void execute(const QString& line, Done done);
    // Ends the running command and drops the queued ones; each done runs with a cancelled
    // result. Commands queued afterwards run as usual.
    virtual void cancel() = 0;

protected:
    // Reports a command that could not be run, in its turn behind those queued before it.
    virtual void refuse(const TransferResult& result, Done done);
};
