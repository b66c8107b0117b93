#pragma once

#include "platform/FtpAccount.h"
#include "platform/TransferResult.h"

#include <QString>

#include <functional>
#include <memory>

class FtpSession;
class QObject;

// HTTP queries and FTP sessions without blocking the caller: every request runs elsewhere and
// its result comes back later on the caller's thread, never inside the call that started it.
class TransferService
{
public:
    // A connection not made within connectTimeoutMs fails; so does a request that moves no
    // byte and hears no reply from its server for stallTimeoutMs, however long it ran before.
    struct Bounds
    {
        int connectTimeoutMs = 5000;
        int stallTimeoutMs = 15000;
    };
    using RequestId = quint64;
    using Done = std::function<void(const TransferResult&)>;

    virtual ~TransferService() = default;

    // Starts an HTTP GET of url and returns at once. done(result) runs on receiver's thread with
    // the body as text, unless receiver is gone by then. A server's error status is a failure.
    virtual RequestId get(const QString& url, QObject* receiver, Done done) = 0;
    // Stops a GET: its done runs with a cancelled result. Finished or unknown ids are ignored.
    virtual void cancel(RequestId id) = 0;
    // A session for one job's FTP commands, all on one control connection.
    virtual std::unique_ptr<FtpSession> openFtpSession(const FtpAccount& account) = 0;
};
