#include "platform/curl/CurlDelivery.h"

#include <QMetaObject>

void CurlDelivery::post(std::function<void()> call)
{
    // Under the lock, so that the owner cannot be destroyed between the check and the post;
    // what is posted to it and not yet run goes with it.
    const std::lock_guard<std::mutex> lock(m_mutex);
    if (m_owner)
        QMetaObject::invokeMethod(m_owner, std::move(call), Qt::QueuedConnection);
}

void CurlDelivery::ownerGone()
{
    const std::lock_guard<std::mutex> lock(m_mutex);
    m_owner = nullptr;
}
