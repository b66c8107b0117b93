#include "DirectShowPort.h"

#include "PresentationApp.h"
#include "PresentationDocument.h"

ShowPort::Launch DirectShowPort::launchNow(const QString& path, StartAt startAt)
{
    Launch launch;
    auto opened = m_program.open(path, PresentationApp::Visibility::Visible);
    if (!opened.ok()) {
        launch.error = opened.error();
        return launch;
    }
    std::shared_ptr<PresentationDocument> document = opened.value();
    launch.slideCount = document->slideCount().valueOr(0);
    if (const PresentationStatus shown = document->runShow(); !shown.ok()) {
        launch.error = shown.error();
        document->close();
        return launch;
    }
    // A show that cannot move to its last slide still runs: the talk goes on from slide 1.
    if (startAt == StartAt::LastSlide && launch.slideCount > 1)
        document->goToSlide(launch.slideCount);
    launch.document = std::move(document);
    return launch;
}

ShowPort::Poll DirectShowPort::pollNow(PresentationDocument& document, Front front)
{
    Poll poll;
    const PresentationResult<bool> running = document.isShowRunning();
    poll.running = running.ok() && running.value();
    if (!poll.running)
        return poll;
    poll.slide = std::max(document.currentSlide().valueOr(0), 0);
    if (front == Front::BringShowToFront)
        document.bringShowToFront();
    return poll;
}

void DirectShowPort::launch(const QString& path, StartAt startAt, std::function<void(Launch)> done)
{
    done(launchNow(path, startAt));
}

void DirectShowPort::poll(std::shared_ptr<PresentationDocument> document, Front front,
                          std::function<void(Poll)> done)
{
    done(document ? pollNow(*document, front) : Poll());
}

void DirectShowPort::bringToFront(std::shared_ptr<PresentationDocument> document)
{
    if (document)
        document->bringShowToFront();
}

void DirectShowPort::close(std::shared_ptr<PresentationDocument> document)
{
    if (document)
        document->close();
}

void DirectShowPort::showUntracked(const QString& path)
{
    std::erase_if(m_untracked, [](const std::shared_ptr<PresentationDocument>& document) {
        if (document->isShowRunning().valueOr(false))
            return false;
        document->close();
        return true;
    });
    if (Launch launch = launchNow(path, StartAt::FirstSlide); launch.document)
        m_untracked.push_back(std::move(launch.document));
}
