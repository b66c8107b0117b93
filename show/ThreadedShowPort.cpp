#include "ThreadedShowPort.h"

#include "PresentationDocument.h"

#include <QMetaObject>

ThreadedShowPort::ThreadedShowPort(PresentationApp& program, QObject* parent)
    : QObject(parent), m_direct(program), m_worker(new QObject)
{
    m_thread.setObjectName(QStringLiteral("show port"));
    m_worker->moveToThread(&m_thread);
    connect(&m_thread, &QThread::finished, m_worker, &QObject::deleteLater);
    m_thread.start();
}

ThreadedShowPort::~ThreadedShowPort()
{
    m_thread.quit();
    m_thread.wait();
}

template <typename T>
void ThreadedShowPort::run(std::function<T()> work, std::function<void(T)> done)
{
    QMetaObject::invokeMethod(
        m_worker,
        [this, work = std::move(work), done = std::move(done)] {
            T result = work();
            // Queued to this port: a port destroyed meanwhile drops the answer.
            QMetaObject::invokeMethod(
                this, [done, result = std::move(result)] { done(result); }, Qt::QueuedConnection);
        },
        Qt::QueuedConnection);
}

void ThreadedShowPort::runOnly(std::function<void()> work)
{
    QMetaObject::invokeMethod(m_worker, std::move(work), Qt::QueuedConnection);
}

void ThreadedShowPort::launch(const QString& path, StartAt startAt,
                              std::function<void(Launch)> done)
{
    run<Launch>([this, path, startAt] { return m_direct.launchNow(path, startAt); },
                std::move(done));
}

void ThreadedShowPort::prepare(const QString& path, std::function<void(bool)> done)
{
    run<bool>([this, path] { return m_direct.prepareNow(path); }, std::move(done));
}

void ThreadedShowPort::poll(std::shared_ptr<PresentationDocument> document, Front front,
                            std::function<void(Poll)> done)
{
    run<Poll>(
        [document, front] { return document ? DirectShowPort::pollNow(*document, front) : Poll(); },
        std::move(done));
}

void ThreadedShowPort::bringToFront(std::shared_ptr<PresentationDocument> document)
{
    runOnly([this, document] { m_direct.bringToFront(document); });
}

void ThreadedShowPort::close(std::shared_ptr<PresentationDocument> document)
{
    runOnly([this, document] { m_direct.close(document); });
}

void ThreadedShowPort::showUntracked(const QString& path)
{
    runOnly([this, path] { m_direct.showUntracked(path); });
}
