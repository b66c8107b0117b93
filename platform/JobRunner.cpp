#include "platform/JobRunner.h"

#include <QMetaObject>

#include <chrono>
#include <condition_variable>
#include <deque>
#include <mutex>
#include <thread>

struct JobRunner::Control::Shared
{
    struct Queued
    {
        Job job;
        std::shared_ptr<std::atomic<bool>> stop;
    };

    std::mutex mutex;
    std::condition_variable changed;
    std::deque<Queued> queue;
    std::shared_ptr<std::atomic<bool>> running; // the stop flag of the job under way
    QObject* owner = nullptr;                   // null once the runner is gone
    bool closing = false;
    bool workerExited = true;
    std::thread worker;

    // Under the lock, so that the runner cannot go away between the check and the post.
    void post(std::function<void()> report)
    {
        const std::lock_guard<std::mutex> lock(mutex);
        if (owner)
            QMetaObject::invokeMethod(owner, std::move(report), Qt::QueuedConnection);
    }

    void work(const std::shared_ptr<Shared>& self)
    {
        std::unique_lock<std::mutex> lock(mutex);
        for (;;) {
            changed.wait(lock, [this] { return closing || !queue.empty(); });
            if (queue.empty())
                break;
            Queued next = std::move(queue.front());
            queue.pop_front();
            running = next.stop;
            lock.unlock();
            Control control;
            control.m_shared = self;
            control.m_stop = next.stop;
            control.m_latest = std::make_shared<Control::Latest>();
            const std::function<void()> done = next.job(control);
            lock.lock();
            running.reset();
            if (owner) {
                QMetaObject::invokeMethod(
                    owner,
                    [owner = owner, done] { static_cast<JobRunner*>(owner)->finishOne(done); },
                    Qt::QueuedConnection);
            }
        }
        workerExited = true;
        changed.notify_all();
    }
};

struct JobRunner::Control::Latest
{
    std::mutex mutex;
    std::function<void()> waiting; // set while a report is queued and has not run
};

void JobRunner::Control::post(std::function<void()> report) const
{
    m_shared->post(std::move(report));
}

void JobRunner::Control::postLatest(std::function<void()> report) const
{
    {
        const std::lock_guard<std::mutex> lock(m_latest->mutex);
        const bool queued = bool(m_latest->waiting);
        m_latest->waiting = std::move(report);
        if (queued)
            return;
    }
    m_shared->post([latest = m_latest] {
        std::function<void()> newest;
        {
            const std::lock_guard<std::mutex> lock(latest->mutex);
            newest.swap(latest->waiting);
        }
        newest();
    });
}

JobRunner::JobRunner(QObject* parent, int destroyWaitMs)
    : QObject(parent), m_shared(std::make_shared<Control::Shared>()), m_destroyWaitMs(destroyWaitMs)
{
    m_shared->owner = this;
}

JobRunner::~JobRunner()
{
    std::unique_lock<std::mutex> lock(m_shared->mutex);
    m_shared->closing = true;
    if (m_shared->running)
        *m_shared->running = true;
    for (const Control::Shared::Queued& queued : m_shared->queue)
        *queued.stop = true;
    m_shared->changed.notify_all();
    const bool ended = m_shared->changed.wait_for(lock, std::chrono::milliseconds(m_destroyWaitMs),
                                                  [this] { return m_shared->workerExited; });
    m_shared->owner = nullptr;
    std::thread worker = std::move(m_shared->worker);
    lock.unlock();
    if (!worker.joinable())
        return;
    // A job stuck past the bound keeps the shared state alive through its own reference.
    if (ended)
        worker.join();
    else
        worker.detach();
}

void JobRunner::start(std::function<void(const Control&)> work, std::function<void()> done)
{
    enqueue([work = std::move(work), done = std::move(done)](const Control& control) {
        work(control);
        return done ? done : std::function<void()>([] {});
    });
}

void JobRunner::enqueue(Job job)
{
    if (m_pending++ == 0)
        emit busyChanged(true);
    std::lock_guard<std::mutex> lock(m_shared->mutex);
    m_shared->queue.push_back({std::move(job), std::make_shared<std::atomic<bool>>(false)});
    if (m_shared->workerExited) {
        // The previous worker has ended its loop; it is joined before a new one starts.
        if (m_shared->worker.joinable())
            m_shared->worker.join();
        m_shared->workerExited = false;
        m_shared->worker = std::thread([shared = m_shared] { shared->work(shared); });
    }
    m_shared->changed.notify_all();
}

void JobRunner::cancel()
{
    std::lock_guard<std::mutex> lock(m_shared->mutex);
    if (m_shared->running)
        *m_shared->running = true;
    for (const Control::Shared::Queued& queued : m_shared->queue)
        *queued.stop = true;
}

void JobRunner::finishOne(const std::function<void()>& done)
{
    // Counted down first: done may start the next job and see the runner idle.
    const bool last = --m_pending == 0;
    done();
    if (last && m_pending == 0)
        emit busyChanged(false);
}
