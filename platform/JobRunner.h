#pragma once

#include <QObject>

#include <atomic>
#include <functional>
#include <memory>

// Runs work that blocks (copying hundreds of megabytes, waiting on the presentation program) off
// the interface thread, one job after the other in the order started, and hands each result back
// on the thread that owns the runner through its event loop. That thread never waits for a job,
// except in the destructor, and there for a bounded time only.
//
// A job gets a Control: it tells the job that it is to stop (cancel(), or the runner going away)
// and carries its reports back to the owner's thread, in order and before the job's result.
// Whatever a job touches besides its own copies must stay alive and untouched by other threads
// until its result has come back.
class JobRunner : public QObject
{
    Q_OBJECT

public:
    class Control
    {
    public:
        bool stopRequested() const { return m_stop->load(); }
        // For code that polls a flag of its own kind.
        const std::atomic<bool>* stopFlag() const { return m_stop.get(); }
        // Runs report on the runner's thread; dropped once the runner is gone.
        void post(std::function<void()> report) const;
        // The same for reports of which only the newest counts (progress): while one of this
        // job's is still waiting to run, a newer one takes its place instead of queueing behind
        // it, so that a job faster than the owner's thread cannot flood its event loop.
        void postLatest(std::function<void()> report) const;

    private:
        friend class JobRunner;
        struct Shared;
        struct Latest;
        std::shared_ptr<Shared> m_shared;
        std::shared_ptr<std::atomic<bool>> m_stop;
        std::shared_ptr<Latest> m_latest;
    };

    static constexpr int DefaultDestroyWaitMs = 5000;

    explicit JobRunner(QObject* parent = nullptr, int destroyWaitMs = DefaultDestroyWaitMs);
    // Asks every job to stop and waits at most destroyWaitMs for them. A job still running after
    // that is left to end on its own thread; nothing of it comes back.
    ~JobRunner() override;

    JobRunner(const JobRunner&) = delete;
    JobRunner& operator=(const JobRunner&) = delete;

    // done(result) runs on this runner's thread once work has returned, unless the runner is
    // destroyed first.
    template <typename T>
    void start(std::function<T(const Control&)> work, std::function<void(T)> done)
    {
        enqueue([work = std::move(work),
                 done = std::move(done)](const Control& control) -> std::function<void()> {
            T result = work(control);
            return [done, result = std::move(result)] {
                if (done)
                    done(result);
            };
        });
    }
    void start(std::function<void(const Control&)> work, std::function<void()> done = {});

    // Tells the running job and those waiting behind it to stop; each still ends with its done.
    void cancel();
    // From start() until the last done has run.
    bool isBusy() const { return m_pending > 0; }

signals:
    void busyChanged(bool busy);

private:
    using Job = std::function<std::function<void()>(const Control&)>;

    void enqueue(Job job);
    void finishOne(const std::function<void()>& done);

    std::shared_ptr<Control::Shared> m_shared;
    int m_destroyWaitMs;
    int m_pending = 0;
};
