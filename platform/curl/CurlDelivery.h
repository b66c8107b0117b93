#pragma once

#include <QObject>

#include <functional>
#include <memory>
#include <mutex>

// Carries results from the curl worker's thread to an object on its own thread, and drops them
// once that object is gone.
class CurlDelivery
{
public:
    explicit CurlDelivery(QObject* owner) : m_owner(owner) {}

    // From any thread: call runs on the owner's thread, unless the owner goes first.
    void post(std::function<void()> call);
    // From the owner's destructor.
    void ownerGone();

private:
    std::mutex m_mutex;
    QObject* m_owner;
};
