#pragma once

#include "platform/PresentationResult.h"

#include <QString>

#include <chrono>
#include <condition_variable>
#include <deque>
#include <functional>
#include <memory>
#include <mutex>
#include <optional>
#include <thread>

// The one thread on which every call into the office program runs, one call at a time. Calls
// block for as long as the office takes, so each comes with a bound, counted from the moment it
// starts to run: an office busy with a long export is not a hung one, and a quick question
// queued behind that export waits for it. A call that runs past its bound means a hung office:
// onTimeout is told (whether or not anyone waits for that call), and is expected to make the
// call return by ending the office process, so that what is queued behind it gets its turn.
class LibreOfficeWorker
{
public:
    // How long any call may run once the worker is being destroyed.
    static constexpr int kStopBoundMs = 3000;

    explicit LibreOfficeWorker(std::function<void()> onTimeout);
    // Runs what is queued, then ends the thread; a call that runs longer than kStopBoundMs
    // meanwhile is timed out first, so this never waits on a hung office.
    ~LibreOfficeWorker();

    LibreOfficeWorker(const LibreOfficeWorker&) = delete;
    LibreOfficeWorker& operator=(const LibreOfficeWorker&) = delete;

    // Queues task without waiting for it.
    void post(int boundMs, std::function<void()> task);

    // Runs task in turn and waits for its answer. The caller does not wait for ever behind a
    // hung call either: when its task has not started within its own bound plus the bound of
    // the call that runs, it gives up (without timing anything out; its task is dropped).
    template <typename T>
    PresentationResult<T> call(int boundMs, std::function<PresentationResult<T>()> task)
    {
        // Shared with the task: a caller that gave up must not leave it writing into freed memory.
        auto answer = std::make_shared<std::optional<PresentationResult<T>>>();
        const QString error =
            runAndWait(boundMs, [answer, task = std::move(task)] { answer->emplace(task()); });
        if (!error.isEmpty())
            return PresentationResult<T>::failure(error);
        return std::move(**answer);
    }

    // Answers every caller that still waits with reason at once. Their calls that have not
    // started are dropped; the one that runs goes on under its bound. Posted tasks stay queued.
    void abandonCalls(const QString& reason);

private:
    using Clock = std::chrono::steady_clock;
    struct Job;

    // Empty when the task ran to its end, else why its caller stopped waiting.
    QString runAndWait(int boundMs, std::function<void()> task);
    void enqueue(const std::shared_ptr<Job>& job);
    void loop();
    void watch();

    std::function<void()> m_onTimeout;
    std::mutex m_mutex;
    // Every change of the queue or of a job's state, for the worker, the watcher and callers.
    std::condition_variable m_changed;
    std::deque<std::shared_ptr<Job>> m_queue;
    std::shared_ptr<Job> m_running;
    bool m_stopping = false;
    bool m_finished = false;
    std::thread m_thread;
    // Times out the running call when it passes its bound.
    std::thread m_watcher;
};
