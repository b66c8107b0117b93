#include "show/ThreadedShowPort.h"

#include "platform/PresentationDocument.h"

ThreadedShowPort::ThreadedShowPort(PresentationApp& program, QObject* parent)
    : QObject(parent), m_direct(std::make_shared<DirectShowPort>(program))
{}

template <typename T>
void ThreadedShowPort::run(std::function<T()> work, std::function<void(T)> done)
{
    m_jobs.start<T>([work = std::move(work)](const JobRunner::Control&) { return work(); },
                    std::move(done));
}

void ThreadedShowPort::runOnly(std::function<void(DirectShowPort&)> work)
{
    m_jobs.start(
        [direct = m_direct, work = std::move(work)](const JobRunner::Control&) { work(*direct); });
}

void ThreadedShowPort::launch(const QString& path, StartAt startAt,
                              std::function<void(Launch)> done)
{
    run<Launch>([direct = m_direct, path, startAt] { return direct->launchNow(path, startAt); },
                std::move(done));
}

void ThreadedShowPort::prepare(const QString& path, std::function<void(bool)> done)
{
    run<bool>([direct = m_direct, path] { return direct->prepareNow(path); }, std::move(done));
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
    runOnly([document](DirectShowPort& direct) { direct.bringToFront(document); });
}

void ThreadedShowPort::close(std::shared_ptr<PresentationDocument> document)
{
    runOnly([document](DirectShowPort& direct) { direct.close(document); });
}

void ThreadedShowPort::showUntracked(const QString& path)
{
    runOnly([path](DirectShowPort& direct) { direct.showUntracked(path); });
}
