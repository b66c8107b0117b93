#include "platform/fake/FakePresentationApp.h"

#include "platform/fake/FakePresentationDocument.h"

#include <QFileInfo>
#include <QTest>
#include <QTimer>

void FakePresentationApp::addPresentation(const QString& path, int slideCount)
{
    Program::File file{slideCount, {}};
    file.options.advanceMode = SlideShowOptions::AdvanceMode::Manual;
    file.options.slides.resize(slideCount);
    m_program->files.insert(path, file);
}

QList<std::shared_ptr<FakePresentationDocument>> FakePresentationApp::openDocuments() const
{
    QList<std::shared_ptr<FakePresentationDocument>> documents;
    for (const auto& weak : m_program->open) {
        if (auto doc = weak.lock(); doc && doc->isOpen())
            documents << doc;
    }
    return documents;
}

std::shared_ptr<FakePresentationDocument> FakePresentationApp::lastOpened() const
{
    const auto documents = openDocuments();
    return documents.isEmpty() ? nullptr : documents.last();
}

void FakePresentationApp::startInBackground()
{
    if (m_available && !m_program->running) {
        m_program->running = true;
        ++m_program->starts;
    }
}

std::shared_ptr<FakePresentationDocument>
FakePresentationApp::adopt(const QString& path, int slideCount, const SlideShowOptions& options)
{
    auto doc = std::make_shared<FakePresentationDocument>(m_program, path, slideCount, options);
    m_program->open.append(doc);
    return doc;
}

FakePresentationApp::DocumentResult FakePresentationApp::open(const QString& path, Visibility)
{
    {
        std::unique_lock<std::mutex> lock(m_hold->mutex);
        ++m_hold->waiting;
        m_hold->released.wait(lock, [this] { return !m_hold->held; });
        --m_hold->waiting;
    }
    if (!m_available)
        return DocumentResult::failure(QStringLiteral("The presentation program is not installed"));
    startInBackground();
    if (!QFileInfo::exists(path) && !m_program->files.contains(path))
        return DocumentResult::failure(QStringLiteral("File not found: ") + path);
    if (m_program->fatal.contains(path)) {
        quit();
        return DocumentResult::failure(QStringLiteral("The presentation program stopped"));
    }
    if (!m_program->files.contains(path) || m_program->unopenable.contains(path))
        return DocumentResult::failure("The presentation program could not open " + path);
    const Program::File& file = m_program->files[path];
    return std::shared_ptr<PresentationDocument>(adopt(path, file.slideCount, file.options));
}

FakePresentationApp::DocumentResult
FakePresentationApp::buildFromPictures(const QStringList& picturePaths, Visibility, PictureFit)
{
    if (!m_available || picturePaths.isEmpty())
        return DocumentResult::failure(QStringLiteral("No presentation built"));
    startInBackground();
    SlideShowOptions options;
    options.slides.resize(picturePaths.size());
    return std::shared_ptr<PresentationDocument>(
        adopt(QString(), int(picturePaths.size()), options));
}

FakePresentationApp::DocumentResult FakePresentationApp::showInOwnProcess(const QString& path)
{
    m_program->shownInOwnProcess << path;
    // A process of its own: it runs whatever became of ours.
    auto own = std::make_shared<Program>();
    own->running = true;
    m_ownProcessShow = std::make_shared<FakePresentationDocument>(own, path, 1, SlideShowOptions());
    m_ownProcessShow->runShow();
    return std::shared_ptr<PresentationDocument>(m_ownProcessShow);
}

PresentationResult<int> FakePresentationApp::openPresentationCount()
{
    return int(openDocuments().size());
}

PresentationStatus FakePresentationApp::saveOrClose(bool save)
{
    QStringList unsaved;
    for (const auto& doc : openDocuments()) {
        if (save && m_program->unsavable.contains(doc->path())) {
            unsaved << doc->path();
            continue;
        }
        if (save)
            m_program->savedOnClose << doc->path();
        doc->close();
    }
    if (!save)
        m_program->open.clear();
    if (!unsaved.isEmpty())
        return presentationFailure(QStringLiteral("Could not save ") + unsaved.join(", "));
    return presentationOk();
}

PresentationStatus FakePresentationApp::quit()
{
    closeAll();
    m_program->running = false;
    return presentationOk();
}

void FakePresentationApp::holdOpens()
{
    const std::lock_guard<std::mutex> lock(m_hold->mutex);
    m_hold->held = true;
}

void FakePresentationApp::releaseOpens()
{
    const std::lock_guard<std::mutex> lock(m_hold->mutex);
    m_hold->held = false;
    m_hold->released.notify_all();
}

bool FakePresentationApp::openHeldWhileEventsRun()
{
    const auto waiting = [this] {
        const std::lock_guard<std::mutex> lock(m_hold->mutex);
        return m_hold->waiting;
    };
    bool ticked = false;
    QTimer::singleShot(0, [&] { ticked = true; });
    return QTest::qWaitFor([&] { return waiting() == 1 && ticked; }, 2000);
}
