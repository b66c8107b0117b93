#pragma once

#include "platform/FtpAccount.h"
#include "platform/FtpSession.h"
#include "platform/TransferService.h"
#include "platform/curl/CurlWorker.h"

#include <map>
#include <memory>

class CurlDelivery;

// An FTP session through libcurl: one worker thread and one reused handle, so that every
// command goes over the same control connection until CLOSE. Paths are sent as given, without
// changing folders: "/a/b" from the server's root, "a/b" from the login folder.
class CurlFtpSession : public FtpSession
{
    Q_OBJECT

public:
    CurlFtpSession(const FtpAccount& account, const TransferService::Bounds& bounds,
                   QObject* parent = nullptr);
    ~CurlFtpSession() override;

    using FtpSession::execute;
    void execute(const FtpCommand& command, Done done) override;
    void cancel() override;

    // The URL curl is given for a path on the server: the account's address, then the path
    // with a leading "/" kept as one (encoded, so that it is not read as a separator).
    static QByteArray urlFor(const QString& accountUrl, const QString& path);

protected:
    void refuse(const TransferResult& result, Done done) override;

private:
    CurlWorker::Transfer reportedHere();
    void deliver(CurlWorker::Id id, const TransferResult& result);

    const FtpAccount m_account;
    std::shared_ptr<CurlDelivery> m_delivery;
    CurlWorker m_worker;
    std::map<CurlWorker::Id, Done> m_pending;
};
