#pragma once

#include "PresentationResult.h"

#include <QString>

#include <condition_variable>
#include <deque>
#include <functional>
#include <future>
#include <memory>
#include <mutex>
#include <thread>

// The one thread on which every call into the office program runs. Its calls block for as long
// as the office takes, so callers wait for them with a bound; when the bound passes, the caller
// gives up and onTimeout is told, which is expected to make the stuck call return (by ending
// the office process) so that later calls are not queued behind it for ever.
class LibreOfficeWorker
{
public:
    explicit LibreOfficeWorker(std::function<void()> onTimeout);
    // Runs what is queued, then ends the thread.
    ~LibreOfficeWorker();

    LibreOfficeWorker(const LibreOfficeWorker&) = delete;
    LibreOfficeWorker& operator=(const LibreOfficeWorker&) = delete;

    void post(std::function<void()> task);

    template <typename T>
    PresentationResult<T> call(int timeoutMs, std::function<PresentationResult<T>()> task)
    {
        // Shared with the task: a caller that gave up must not leave it writing into freed memory.
        auto promise = std::make_shared<std::promise<PresentationResult<T>>>();
        std::future<PresentationResult<T>> future = promise->get_future();
        post([promise, task = std::move(task)] { promise->set_value(task()); });
        if (future.wait_for(std::chrono::milliseconds(timeoutMs)) != std::future_status::ready) {
            if (m_onTimeout)
                m_onTimeout();
            return PresentationResult<T>::failure(
                QStringLiteral("The presentation program did not answer within %1 s")
                    .arg(timeoutMs / 1000.0));
        }
        return future.get();
    }

private:
    void loop();

    std::function<void()> m_onTimeout;
    std::mutex m_mutex;
    std::condition_variable m_wake;
    std::deque<std::function<void()>> m_queue;
    bool m_stopping = false;
    std::thread m_thread;
};
