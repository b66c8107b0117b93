#include "platform/libreoffice/LibreOfficeWorker.h"

#include <algorithm>

namespace {

// A call timed out is given this long to return once the office was ended, before its caller
// stops waiting anyway.
constexpr std::chrono::milliseconds kAfterTimeoutGrace{5000};

QString seconds(std::chrono::milliseconds duration)
{
    return QString::number(double(duration.count()) / 1000.0);
}

} // namespace

struct LibreOfficeWorker::Job
{
    enum class State
    {
        Queued,
        Running,
        Finished,
        Dropped, // its caller gave up before it started: it never runs
    };

    std::function<void()> task;
    std::chrono::milliseconds bound;
    bool awaited = false;
    Clock::time_point queuedAt = Clock::now();
    Clock::time_point startedAt;
    State state = State::Queued;
    bool timedOut = false;
    // Set when the caller was answered before the task ended.
    QString abandonedFor;
};

LibreOfficeWorker::LibreOfficeWorker(std::function<void()> onTimeout)
    : m_onTimeout(std::move(onTimeout)), m_thread([this] { loop(); }),
      m_watcher([this] { watch(); })
{}

LibreOfficeWorker::~LibreOfficeWorker()
{
    {
        std::lock_guard lock(m_mutex);
        m_stopping = true;
    }
    m_changed.notify_all();
    m_thread.join();
    m_watcher.join();
}

void LibreOfficeWorker::post(int boundMs, std::function<void()> task)
{
    auto job = std::make_shared<Job>();
    job->task = std::move(task);
    job->bound = std::chrono::milliseconds(boundMs);
    std::lock_guard lock(m_mutex);
    enqueue(job);
}

void LibreOfficeWorker::enqueue(const std::shared_ptr<Job>& job)
{
    m_queue.push_back(job);
    m_changed.notify_all();
}

QString LibreOfficeWorker::runAndWait(int boundMs, std::function<void()> task)
{
    auto job = std::make_shared<Job>();
    job->task = std::move(task);
    job->bound = std::chrono::milliseconds(boundMs);
    job->awaited = true;
    std::unique_lock lock(m_mutex);
    enqueue(job);
    for (;;) {
        if (!job->abandonedFor.isEmpty())
            return job->abandonedFor;
        const Clock::time_point now = Clock::now();
        switch (job->state) {
        case Job::State::Finished:
            return job->timedOut ? QStringLiteral("The presentation program did not answer "
                                                  "within %1 s")
                                       .arg(seconds(job->bound))
                                 : QString();
        case Job::State::Queued: {
            // Queued behind a call that hangs: that one is timed out at its own bound, and this
            // one should have run by then.
            const std::chrono::milliseconds ahead =
                m_running ? m_running->bound : std::chrono::milliseconds(0);
            const Clock::time_point giveUp = job->queuedAt + job->bound + ahead;
            if (now >= giveUp) {
                job->state = Job::State::Dropped;
                return QStringLiteral("The presentation program was still busy with an earlier "
                                      "call after %1 s")
                    .arg(seconds(job->bound + ahead));
            }
            m_changed.wait_until(lock, giveUp);
            break;
        }
        case Job::State::Running: {
            const Clock::time_point giveUp = job->startedAt + job->bound + kAfterTimeoutGrace;
            if (now >= giveUp) {
                job->abandonedFor = QStringLiteral("The presentation program did not answer "
                                                   "within %1 s")
                                        .arg(seconds(job->bound));
                return job->abandonedFor;
            }
            m_changed.wait_until(lock, giveUp);
            break;
        }
        case Job::State::Dropped:
            return QStringLiteral("The call was dropped");
        }
    }
}

void LibreOfficeWorker::abandonCalls(const QString& reason)
{
    std::lock_guard lock(m_mutex);
    for (const std::shared_ptr<Job>& job : m_queue) {
        if (job->awaited && job->state == Job::State::Queued) {
            job->state = Job::State::Dropped;
            job->abandonedFor = reason;
        }
    }
    if (m_running && m_running->awaited && m_running->abandonedFor.isEmpty())
        m_running->abandonedFor = reason;
    m_changed.notify_all();
}

void LibreOfficeWorker::loop()
{
    // One call ends and the next starts under the same lock: a caller never sees the worker
    // idle while calls are queued.
    std::unique_lock lock(m_mutex);
    for (;;) {
        m_changed.wait(lock, [this] { return m_stopping || !m_queue.empty(); });
        if (m_queue.empty()) {
            m_finished = true;
            m_changed.notify_all();
            return;
        }
        const std::shared_ptr<Job> job = std::move(m_queue.front());
        m_queue.pop_front();
        if (job->state != Job::State::Queued)
            continue;
        job->state = Job::State::Running;
        job->startedAt = Clock::now();
        m_running = job;
        m_changed.notify_all();
        lock.unlock();
        job->task();
        // Its captures (a session among them) are let go here, not under the lock.
        job->task = nullptr;
        lock.lock();
        job->state = Job::State::Finished;
        m_running.reset();
        m_changed.notify_all();
    }
}

void LibreOfficeWorker::watch()
{
    std::unique_lock lock(m_mutex);
    while (!m_finished) {
        const std::shared_ptr<Job> job = m_running;
        if (!job || job->timedOut) {
            m_changed.wait(lock);
            continue;
        }
        const std::chrono::milliseconds bound =
            m_stopping ? std::min(job->bound, std::chrono::milliseconds(kStopBoundMs)) : job->bound;
        const Clock::time_point deadline = job->startedAt + bound;
        if (Clock::now() < deadline) {
            m_changed.wait_until(lock, deadline);
            continue;
        }
        job->timedOut = true;
        lock.unlock();
        if (m_onTimeout)
            m_onTimeout();
        lock.lock();
    }
}
