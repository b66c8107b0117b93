#include "tests/fakes/FakePresentationApp.h"

#include "tests/fakes/FakePresentationDocument.h"

#include <QFileInfo>
#include <QTest>
#include <QTimer>

FakePresentationApp::FakePresentationApp() : m_program(std::make_shared<Program>()) {}

void FakePresentationApp::addPresentation(const QString& path, int slideCount)
{
    Program::File file;
    file.slideCount = slideCount;
    file.options.advanceMode = SlideShowOptions::AdvanceMode::Manual;
    file.options.slides.resize(slideCount);
    m_program->files.insert(path, file);
}

void FakePresentationApp::addPresentation(const QString& path, const SlideShowOptions& options)
{
    m_program->files.insert(path, {int(options.slides.size()), options});
}

std::shared_ptr<FakePresentationDocument> FakePresentationApp::lastOpened() const
{
    for (auto it = m_program->open.crbegin(); it != m_program->open.crend(); ++it) {
        if (auto doc = it->lock(); doc && doc->isOpen())
            return doc;
    }
    return nullptr;
}

SlideShowOptions FakePresentationApp::storedOptions(const QString& path) const
{
    return m_program->files.value(path).options;
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

PresentationResult<std::shared_ptr<PresentationDocument>>
FakePresentationApp::open(const QString& path, Visibility)
{
    using Result = PresentationResult<std::shared_ptr<PresentationDocument>>;
    {
        std::unique_lock<std::mutex> lock(m_hold->mutex);
        ++m_hold->waiting;
        m_hold->released.wait(lock, [this] { return !m_hold->held; });
        --m_hold->waiting;
    }
    if (!m_available)
        return Result::failure(QStringLiteral("The presentation program is not installed"));
    startInBackground();
    if (!QFileInfo::exists(path) && !m_program->files.contains(path))
        return Result::failure(QStringLiteral("File not found: ") + path);
    if (m_program->fatal.contains(path)) {
        quit();
        return Result::failure(QStringLiteral("The presentation program stopped"));
    }
    if (!m_program->files.contains(path) || m_program->unopenable.contains(path))
        return Result::failure(QStringLiteral("The presentation program could not open ") + path);
    const Program::File& file = m_program->files[path];
    return std::shared_ptr<PresentationDocument>(adopt(path, file.slideCount, file.options));
}

PresentationResult<std::shared_ptr<PresentationDocument>>
FakePresentationApp::buildFromPictures(const QStringList& picturePaths, Visibility)
{
    using Result = PresentationResult<std::shared_ptr<PresentationDocument>>;
    if (!m_available)
        return Result::failure(QStringLiteral("The presentation program is not installed"));
    if (picturePaths.isEmpty())
        return Result::failure(QStringLiteral("No pictures to build a presentation from"));
    startInBackground();
    SlideShowOptions options;
    options.slides.resize(picturePaths.size());
    return std::shared_ptr<PresentationDocument>(
        adopt(QString(), int(picturePaths.size()), options));
}

PresentationResult<std::shared_ptr<PresentationDocument>>
FakePresentationApp::showInOwnProcess(const QString& path)
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
    int count = 0;
    for (const auto& weak : m_program->open) {
        if (auto doc = weak.lock(); doc && doc->isOpen())
            ++count;
    }
    return count;
}

PresentationStatus FakePresentationApp::closeAll()
{
    for (const auto& weak : m_program->open) {
        if (auto doc = weak.lock(); doc && doc->isOpen())
            doc->close();
    }
    m_program->open.clear();
    return presentationOk();
}

PresentationStatus FakePresentationApp::saveAndCloseAll(const QString& untitledFolder)
{
    m_program->untitledFolder = untitledFolder;
    QStringList unsaved;
    for (const auto& weak : m_program->open) {
        auto doc = weak.lock();
        if (!doc || !doc->isOpen())
            continue;
        if (m_program->unsavable.contains(doc->path())) {
            unsaved << doc->path();
            continue;
        }
        m_program->savedOnClose << doc->path();
        doc->close();
    }
    if (!unsaved.isEmpty())
        return PresentationStatus::failure(QStringLiteral("Could not save ") + unsaved.join(", "));
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
