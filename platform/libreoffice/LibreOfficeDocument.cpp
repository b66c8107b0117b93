#include "platform/libreoffice/LibreOfficeDocument.h"

#include "platform/libreoffice/LibreOfficeSession.h"
#include "platform/libreoffice/LibreOfficeWorker.h"

namespace {

// Quick questions get a short bound so that a show watcher polling every few hundred
// milliseconds never stalls for long; work on whole files gets more.
constexpr int kQueryBoundMs = 5000;
constexpr int kShowBoundMs = 20000;
constexpr int kFileBoundMs = 60000;

} // namespace

LibreOfficeDocument::LibreOfficeDocument(std::shared_ptr<LibreOfficeWorker> worker,
                                         std::shared_ptr<LibreOfficeSession> session, int id,
                                         QString path,
                                         std::shared_ptr<const std::atomic<int>> officeGeneration,
                                         int openedInGeneration)
    : m_worker(std::move(worker)), m_session(std::move(session)), m_id(id), m_path(std::move(path)),
      m_officeGeneration(std::move(officeGeneration)), m_openedInGeneration(openedInGeneration)
{}

template <typename T, typename Body>
PresentationResult<T> LibreOfficeDocument::ask(int boundMs, Body body)
{
    // The office this document lives in is on its way out: asking would only queue behind
    // its end, and whoever asks (a show watcher being torn down) must not wait for that.
    if (m_officeGeneration->load() != m_openedInGeneration)
        return PresentationResult<T>::failure(
            QStringLiteral("The presentation was closed with the presentation program"));
    return m_worker->call<T>(boundMs, [s = m_session, id = m_id, body] { return body(*s, id); });
}

PresentationResult<int> LibreOfficeDocument::slideCount()
{
    return ask<int>(kQueryBoundMs, [](LibreOfficeSession& s, int id) { return s.slideCount(id); });
}

PresentationStatus LibreOfficeDocument::runShow()
{
    return ask<std::monostate>(kShowBoundMs,
                               [](LibreOfficeSession& s, int id) { return s.runShow(id); });
}

PresentationStatus LibreOfficeDocument::prepareShow()
{
    return ask<std::monostate>(kShowBoundMs,
                               [](LibreOfficeSession& s, int id) { return s.prepareShow(id); });
}

PresentationResult<bool> LibreOfficeDocument::isShowRunning()
{
    return ask<bool>(kQueryBoundMs,
                     [](LibreOfficeSession& s, int id) { return s.isShowRunning(id); });
}

PresentationResult<int> LibreOfficeDocument::currentSlide()
{
    return ask<int>(kQueryBoundMs,
                    [](LibreOfficeSession& s, int id) { return s.currentSlide(id); });
}

PresentationStatus LibreOfficeDocument::goToSlide(int slide)
{
    return ask<std::monostate>(
        kQueryBoundMs, [slide](LibreOfficeSession& s, int id) { return s.goToSlide(id, slide); });
}

PresentationStatus LibreOfficeDocument::endShow()
{
    return ask<std::monostate>(kShowBoundMs,
                               [](LibreOfficeSession& s, int id) { return s.endShow(id); });
}

PresentationStatus LibreOfficeDocument::bringShowToFront()
{
    return ask<std::monostate>(
        kQueryBoundMs, [](LibreOfficeSession& s, int id) { return s.bringShowToFront(id); });
}

PresentationStatus LibreOfficeDocument::exportSlide(int slide, const QString& imagePath,
                                                    ImageFormat format, int widthPx, int heightPx)
{
    return ask<std::monostate>(kFileBoundMs, [=](LibreOfficeSession& s, int id) {
        return s.exportSlide(id, slide, imagePath, format, widthPx, heightPx);
    });
}

PresentationStatus LibreOfficeDocument::saveCopyAs(const QString& path, FileFormat format)
{
    return ask<std::monostate>(kFileBoundMs, [path, format](LibreOfficeSession& s, int id) {
        return s.saveCopyAs(id, path, format);
    });
}

PresentationStatus LibreOfficeDocument::save()
{
    return ask<std::monostate>(kFileBoundMs,
                               [](LibreOfficeSession& s, int id) { return s.save(id); });
}

PresentationResult<SlideShowOptions> LibreOfficeDocument::showOptions()
{
    return ask<SlideShowOptions>(kQueryBoundMs,
                                 [](LibreOfficeSession& s, int id) { return s.showOptions(id); });
}

PresentationStatus LibreOfficeDocument::setShowOptions(const SlideShowOptions& options)
{
    return ask<std::monostate>(kQueryBoundMs, [options](LibreOfficeSession& s, int id) {
        return s.setShowOptions(id, options);
    });
}

PresentationStatus LibreOfficeDocument::close()
{
    return ask<std::monostate>(kShowBoundMs,
                               [](LibreOfficeSession& s, int id) { return s.close(id); });
}
