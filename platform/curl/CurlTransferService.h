#pragma once

#include "platform/TransferService.h"
#include "platform/curl/CurlWorker.h"

#include <QObject>
#include <QPointer>

#include <map>

class CurlDelivery;

// The transfer service through libcurl: HTTP queries side by side on one worker thread, and
// each FTP session on a worker of its own, so that its connection is its alone.
class CurlTransferService : public QObject, public TransferService
{
    Q_OBJECT

public:
    explicit CurlTransferService(const Bounds& bounds = Bounds(), QObject* parent = nullptr);
    ~CurlTransferService() override;

    RequestId get(const QString& url, QObject* receiver, Done done) override;
    void cancel(RequestId id) override;
    std::unique_ptr<FtpSession> openFtpSession(const FtpAccount& account) override;

private:
    struct Pending
    {
        QPointer<QObject> receiver;
        Done done;
    };

    void deliver(RequestId id, const TransferResult& result);

    const Bounds m_bounds;
    std::shared_ptr<CurlDelivery> m_delivery;
    CurlWorker m_worker;
    std::map<RequestId, Pending> m_pending;
};
