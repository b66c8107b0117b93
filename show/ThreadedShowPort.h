#pragma once

#include "platform/JobRunner.h"
#include "show/DirectShowPort.h"

#include <QObject>

#include <memory>

class PresentationApp;

// Runs every call to the presentation program off the interface thread, one after the other, and
// hands the results back to the thread that owns the port through its event loop. The launch
// screen thus keeps painting and taking keys while a presentation opens or the program hangs.
class ThreadedShowPort : public QObject, public ShowPort
{
    Q_OBJECT

public:
    explicit ThreadedShowPort(PresentationApp& program, QObject* parent = nullptr);
    // Waits a bounded time for the call in progress; one still stuck then is left to end alone.
    ~ThreadedShowPort() override = default;

    void launch(const QString& path, StartAt startAt, std::function<void(Launch)> done) override;
    void prepare(const QString& path, std::function<void(bool)> done) override;
    void poll(std::shared_ptr<PresentationDocument> document, Front front,
              std::function<void(Poll)> done) override;
    void bringToFront(std::shared_ptr<PresentationDocument> document) override;
    void close(std::shared_ptr<PresentationDocument> document) override;
    void showUntracked(const QString& path) override;

private:
    // Runs work on the worker thread, then done(result) on this port's thread.
    template <typename T> void run(std::function<T()> work, std::function<void(T)> done);
    void runOnly(std::function<void(DirectShowPort&)> work);

    // Shared with the jobs, so that one left running past the destructor still has it.
    std::shared_ptr<DirectShowPort> m_direct;
    JobRunner m_jobs;
};
