#include "show/DirectShowPort.h"

#include "platform/PresentationApp.h"
#include "platform/PresentationDocument.h"

#include <QFileInfo>

ShowPort::Launch DirectShowPort::launchNow(const QString& path, StartAt startAt)
{
    Launch launch;
    std::shared_ptr<PresentationDocument> document = takePrepared(path);
    // A prepared document that died with its program (or was closed) fails here.
    launch.slideCount = document ? document->slideCount().valueOr(0) : 0;
    if (launch.slideCount == 0) {
        if (document)
            document->close();
        // Opened hidden: the show puts it on screen (see PresentationDocument::runShow).
        auto opened = m_program.open(path, PresentationApp::Visibility::Hidden);
        if (!opened.ok()) {
            launch.error = opened.error();
            return showInOwnProcess(path, launch);
        }
        document = opened.value();
        launch.slideCount = document->slideCount().valueOr(0);
    }
    if (const PresentationStatus shown = document->runShow(); !shown.ok()) {
        launch.error = shown.error();
        document->close();
        return showInOwnProcess(path, launch);
    }
    // A show that cannot move to its last slide still runs: the talk goes on from slide 1.
    if (startAt == StartAt::LastSlide && launch.slideCount > 1)
        document->goToSlide(launch.slideCount);
    launch.document = std::move(document);
    return launch;
}

ShowPort::Launch DirectShowPort::showInOwnProcess(const QString& path, Launch failed)
{
    // A file the program refused (a password, damage, not a presentation) would be refused
    // again, or asked about in front of the audience; only a program that died or hung on it
    // makes the talk worth a start of its own.
    if (m_program.isRunning())
        return failed;
    auto own = m_program.showInOwnProcess(path);
    if (!own.ok()) {
        failed.error += QStringLiteral("; ") + own.error();
        return failed;
    }
    Launch launch;
    launch.document = own.value();
    return launch;
}

bool DirectShowPort::preparedIsCurrent() const
{
    const QFileInfo file(m_prepared.path);
    return m_prepared.document && file.lastModified() == m_prepared.modified &&
           file.size() == m_prepared.size;
}

std::shared_ptr<PresentationDocument> DirectShowPort::takePrepared(const QString& path)
{
    if (m_prepared.path != path) {
        // Another show is wanted: one started ahead for the next talk must not stand behind it.
        if (m_prepared.document)
            m_prepared.document->close();
        m_prepared = Prepared();
        return nullptr;
    }
    const bool current = preparedIsCurrent();
    std::shared_ptr<PresentationDocument> document = std::move(m_prepared.document);
    m_prepared = Prepared();
    if (current)
        return document;
    if (document)
        document->close();
    return nullptr;
}

bool DirectShowPort::prepareNow(const QString& path)
{
    if (!path.isEmpty() && m_prepared.path == path && preparedIsCurrent() &&
        m_prepared.document->slideCount().ok())
        return true;
    if (m_prepared.document)
        m_prepared.document->close();
    m_prepared = Prepared();
    if (path.isEmpty())
        return false;
    const QFileInfo file(path);
    auto opened = m_program.open(path, PresentationApp::Visibility::Hidden);
    if (!opened.ok())
        return false;
    m_prepared = Prepared{path, file.lastModified(), file.size(), opened.value()};
    m_prepared.document->prepareShow();
    return true;
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

void DirectShowPort::prepare(const QString& path, std::function<void(bool)> done)
{
    done(prepareNow(path));
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
