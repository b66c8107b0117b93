#include "platform/curl/CurlTransferService.h"

#include "platform/curl/CurlDelivery.h"
#include "platform/curl/CurlFtpSession.h"

CurlTransferService::CurlTransferService(const Bounds& bounds, QObject* parent)
    : QObject(parent), m_bounds(bounds), m_delivery(std::make_shared<CurlDelivery>(this)),
      m_worker(CurlWorker::Order::Parallel, bounds)
{}

CurlTransferService::~CurlTransferService()
{
    m_delivery->ownerGone();
}

TransferService::RequestId CurlTransferService::get(const QString& url, QObject* receiver,
                                                    Done done)
{
    const QByteArray address = url.toUtf8();
    CurlWorker::Transfer transfer;
    transfer.setUp = [address](CurlWorker::Context& context) -> std::optional<TransferResult> {
        curl_easy_setopt(context.easy, CURLOPT_URL, address.constData());
        curl_easy_setopt(context.easy, CURLOPT_FOLLOWLOCATION, 1L);
        curl_easy_setopt(context.easy, CURLOPT_MAXREDIRS, 5L);
        // An error page is no answer.
        curl_easy_setopt(context.easy, CURLOPT_FAILONERROR, 1L);
        return std::nullopt;
    };
    transfer.finish = [](CurlWorker::Context& context,
                         CURLcode code) -> std::optional<TransferResult> {
        if (code != CURLE_OK)
            return TransferResult::failure(code, context.curlError(code));
        return TransferResult::completedWith(QString::fromUtf8(context.body));
    };
    transfer.done = [delivery = m_delivery, this](CurlWorker::Id id, const TransferResult& result) {
        delivery->post([this, id, result] { deliver(id, result); });
    };
    const RequestId requestId = m_worker.submit(std::move(transfer));
    m_pending[requestId] = {receiver, std::move(done)};
    return requestId;
}

void CurlTransferService::cancel(RequestId id)
{
    if (m_pending.count(id))
        m_worker.cancel(id);
}

void CurlTransferService::deliver(RequestId id, const TransferResult& result)
{
    const auto it = m_pending.find(id);
    if (it == m_pending.end())
        return;
    const Pending pending = std::move(it->second);
    m_pending.erase(it);
    if (pending.receiver && pending.done)
        pending.done(result);
}

std::unique_ptr<FtpSession> CurlTransferService::openFtpSession(const FtpAccount& account)
{
    return std::make_unique<CurlFtpSession>(account, m_bounds);
}
