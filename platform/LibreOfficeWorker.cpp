#include "LibreOfficeWorker.h"

LibreOfficeWorker::LibreOfficeWorker(std::function<void()> onTimeout)
    : m_onTimeout(std::move(onTimeout)), m_thread([this] { loop(); })
{}

LibreOfficeWorker::~LibreOfficeWorker()
{
    {
        std::lock_guard lock(m_mutex);
        m_stopping = true;
    }
    m_wake.notify_one();
    m_thread.join();
}

void LibreOfficeWorker::post(std::function<void()> task)
{
    {
        std::lock_guard lock(m_mutex);
        m_queue.push_back(std::move(task));
    }
    m_wake.notify_one();
}

void LibreOfficeWorker::loop()
{
    for (;;) {
        std::function<void()> task;
        {
            std::unique_lock lock(m_mutex);
            m_wake.wait(lock, [this] { return m_stopping || !m_queue.empty(); });
            if (m_queue.empty())
                return;
            task = std::move(m_queue.front());
            m_queue.pop_front();
        }
        task();
    }
}
