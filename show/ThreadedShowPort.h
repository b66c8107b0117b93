#pragma once

#include "DirectShowPort.h"

#include <QObject>
#include <QThread>

class PresentationApp;

// Runs every call to the presentation program on a thread of its own, one after the other, and
// hands the results back to the thread that owns the port through its event loop. The launch
// screen thus keeps painting and taking keys while a presentation opens or the program hangs.
class ThreadedShowPort : public QObject, public ShowPort
{
    Q_OBJECT

public:
    explicit ThreadedShowPort(PresentationApp& program, QObject* parent = nullptr);
    // Waits for the call in progress (bounded by the program's own time limits).
    ~ThreadedShowPort() override;

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
    void runOnly(std::function<void()> work);

    DirectShowPort m_direct;
    QThread m_thread;
    QObject* m_worker;
};
