#include "LibreOfficeDocument.h"

#include "LibreOfficeSession.h"
#include "LibreOfficeWorker.h"

namespace {

// Quick questions get a short bound so that a show watcher polling every few hundred
// milliseconds never stalls for long; work on whole files gets more.
constexpr int kQueryBoundMs = 5000;
constexpr int kShowBoundMs = 20000;
constexpr int kFileBoundMs = 60000;

} // namespace

LibreOfficeDocument::LibreOfficeDocument(std::shared_ptr<LibreOfficeWorker> worker,
                                         std::shared_ptr<LibreOfficeSession> session, int id,
                                         QString path)
    : m_worker(std::move(worker)), m_session(std::move(session)), m_id(id), m_path(std::move(path))
{}

PresentationResult<int> LibreOfficeDocument::slideCount()
{
    return m_worker->call<int>(kQueryBoundMs,
                               [s = m_session, id = m_id] { return s->slideCount(id); });
}

PresentationStatus LibreOfficeDocument::runShow()
{
    return m_worker->call<std::monostate>(kShowBoundMs,
                                          [s = m_session, id = m_id] { return s->runShow(id); });
}

PresentationResult<bool> LibreOfficeDocument::isShowRunning()
{
    return m_worker->call<bool>(kQueryBoundMs,
                                [s = m_session, id = m_id] { return s->isShowRunning(id); });
}

PresentationResult<int> LibreOfficeDocument::currentSlide()
{
    return m_worker->call<int>(kQueryBoundMs,
                               [s = m_session, id = m_id] { return s->currentSlide(id); });
}

PresentationStatus LibreOfficeDocument::goToSlide(int slide)
{
    return m_worker->call<std::monostate>(
        kQueryBoundMs, [s = m_session, id = m_id, slide] { return s->goToSlide(id, slide); });
}

PresentationStatus LibreOfficeDocument::endShow()
{
    return m_worker->call<std::monostate>(kShowBoundMs,
                                          [s = m_session, id = m_id] { return s->endShow(id); });
}

PresentationStatus LibreOfficeDocument::bringShowToFront()
{
    return m_worker->call<std::monostate>(
        kQueryBoundMs, [s = m_session, id = m_id] { return s->bringShowToFront(id); });
}

PresentationStatus LibreOfficeDocument::exportSlide(int slide, const QString& imagePath,
                                                    ImageFormat format, int widthPx, int heightPx)
{
    return m_worker->call<std::monostate>(
        kFileBoundMs, [s = m_session, id = m_id, slide, imagePath, format, widthPx, heightPx] {
            return s->exportSlide(id, slide, imagePath, format, widthPx, heightPx);
        });
}

PresentationStatus LibreOfficeDocument::saveCopyAs(const QString& path, FileFormat format)
{
    return m_worker->call<std::monostate>(kFileBoundMs, [s = m_session, id = m_id, path, format] {
        return s->saveCopyAs(id, path, format);
    });
}

PresentationStatus LibreOfficeDocument::save()
{
    return m_worker->call<std::monostate>(kFileBoundMs,
                                          [s = m_session, id = m_id] { return s->save(id); });
}

PresentationResult<SlideShowOptions> LibreOfficeDocument::showOptions()
{
    return m_worker->call<SlideShowOptions>(
        kQueryBoundMs, [s = m_session, id = m_id] { return s->showOptions(id); });
}

PresentationStatus LibreOfficeDocument::setShowOptions(const SlideShowOptions& options)
{
    return m_worker->call<std::monostate>(kQueryBoundMs, [s = m_session, id = m_id, options] {
        return s->setShowOptions(id, options);
    });
}

PresentationStatus LibreOfficeDocument::close()
{
    return m_worker->call<std::monostate>(kShowBoundMs,
                                          [s = m_session, id = m_id] { return s->close(id); });
}
