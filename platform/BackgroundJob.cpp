#include "BackgroundJob.h"

#include <QEventLoop>
#include <QThread>

#include <memory>

void BackgroundJob::run(const std::function<void()>& job, const std::function<void()>& stop)
{
    std::unique_ptr<QThread> thread(QThread::create(job));
    QEventLoop loop;
    // Queued to this thread: the quit arrives after every report the job queued before it ended.
    QObject::connect(thread.get(), &QThread::finished, &loop, &QEventLoop::quit,
                     Qt::QueuedConnection);
    thread->start();
    loop.exec();
    if (!thread->isFinished() && stop)
        stop();
    thread->wait();
}
