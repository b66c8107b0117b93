#include "platform/libreoffice/LibreOfficeDocument.h"

#include "platform/X11ShowWindows.h"
#include "platform/libreoffice/LibreOfficeConnection.h"
#include "platform/libreoffice/LibreOfficeFiles.h"
#include "platform/libreoffice/LibreOfficeSession.h"
#include "platform/libreoffice/LibreOfficeShowStarter.h"
#include "platform/libreoffice/LibreOfficeUno.h"
#include "platform/libreoffice/PdfSlideRenderer.h"

#include <com/sun/star/drawing/GraphicExportFilter.hpp>
#include <com/sun/star/drawing/XGraphicExportFilter.hpp>
#include <com/sun/star/frame/XStorable.hpp>
#include <com/sun/star/presentation/XSlideShowController.hpp>

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <utility>

using namespace css;
using namespace LibreOfficeUno;
using css::uno::Any;
using css::uno::UNO_QUERY_THROW;
using rtl::OUString;
using Document = LibreOfficeOpenDocument;
using Session = LibreOfficeSession;

namespace {

// Quick questions get a short bound so that a show watcher polling every few hundred
// milliseconds never stalls for long; work on whole files gets more.
constexpr int kQueryBoundMs = 5000;
constexpr int kShowBoundMs = 20000;
constexpr int kFileBoundMs = 60000;
constexpr int kBringToFrontBoundMs = 300;
// A whole deck into one PDF: the office copies each picture as it is, some 60 ms a slide here.
constexpr int kPdfBoundMsPerSlide = 1000;

const QString kNoShow = QStringLiteral("No show is running");

} // namespace

LibreOfficeDocument::LibreOfficeDocument(std::shared_ptr<LibreOfficeSession> session, int id,
                                         QString path, int openedInGeneration)
    : m_session(std::move(session)), m_id(id), m_path(std::move(path)),
      m_openedInGeneration(openedInGeneration)
{}

template <typename T> PresentationResult<T> LibreOfficeDocument::run(int boundMs, Work<T> work)
{
    return m_session->runOnDocument<T>(m_id, m_openedInGeneration, boundMs, std::move(work));
}

PresentationResult<int> LibreOfficeDocument::slideCount()
{
    return run<int>(kQueryBoundMs, [](Session&, Document& doc) -> PresentationResult<int> {
        return int(pagesOf(doc.model)->getCount());
    });
}

PresentationStatus LibreOfficeDocument::runShow()
{
    return run<std::monostate>(kShowBoundMs, [](Session& session, Document& doc) {
        if (session.isHeadless())
            return presentationFailure(
                QStringLiteral("This presentation program runs without a display: no shows"));
        const bool startedAhead = std::exchange(doc.showStartedAhead, false);
        if (pagesOf(doc.model)->getCount() == 0)
            return presentationFailure(QStringLiteral("The presentation has no slides"));
        const Reference<presentation::XPresentation2> show = presentationOf(doc.model);
        const LibreOfficeShowStarter starter(session.showScreen(), session.officePid());
        QElapsedTimer timer;
        timer.start();
        const Reference<presentation::XSlideShowController> ahead =
            startedAhead && show->isRunning() ? show->getController()
                                              : Reference<presentation::XSlideShowController>();
        if (ahead.is()) {
            // Waiting behind the launch screen for its cue, painted or not.
            if (ahead->getCurrentSlideIndex() != 0)
                ahead->gotoFirstSlide();
            ahead->resume();
        } else {
            LibreOfficeShowStarter::readyForShow(doc.model);
            switch (starter.start(doc.model, show)) {
            case LibreOfficeShowStarter::Start::Up:
                break;
            case LibreOfficeShowStarter::Start::EndedAtOnce:
                qCInfo(lcLibreOffice, "show ended before it was seen, after %lld ms",
                       timer.elapsed());
                return presentationOk();
            case LibreOfficeShowStarter::Start::TimedOut:
                return presentationFailure(QStringLiteral("The show did not start"));
            }
        }
        starter.bringInFront();
        qCInfo(lcLibreOffice, "show %s in front after %lld ms",
               ahead.is() ? "started ahead" : "started now", timer.elapsed());
        return presentationOk();
    });
}

PresentationStatus LibreOfficeDocument::prepareShow()
{
    return run<std::monostate>(kShowBoundMs, [](Session& session, Document& doc) {
        if (session.isHeadless() || pagesOf(doc.model)->getCount() == 0)
            return presentationOk();
        LibreOfficeShowStarter::readyForShow(doc.model);
        const Reference<presentation::XPresentation2> show = presentationOf(doc.model);
        if (doc.showStartedAhead && show->isRunning())
            return presentationOk();
        doc.showStartedAhead = false;
        const LibreOfficeShowStarter starter(session.showScreen(), session.officePid());
        doc.showStartedAhead = starter.startAhead(doc.model, show);
        return presentationOk();
    });
}

PresentationResult<bool> LibreOfficeDocument::isShowRunning()
{
    return run<bool>(kQueryBoundMs, [](Session&, Document& doc) -> PresentationResult<bool> {
        const Reference<presentation::XPresentation2> show = presentationOf(doc.model);
        return show->isRunning() && show->getController().is();
    });
}

PresentationResult<int> LibreOfficeDocument::currentSlide()
{
    return run<int>(kQueryBoundMs, [](Session&, Document& doc) -> PresentationResult<int> {
        const Reference<presentation::XPresentation2> show = presentationOf(doc.model);
        const Reference<presentation::XSlideShowController> controller = show->getController();
        if (!show->isRunning() || !controller.is())
            return presentationFailure<int>(kNoShow);
        // The show's own index skips hidden slides; the page number is the operator's.
        const Reference<drawing::XDrawPage> page = controller->getCurrentSlide();
        if (!page.is())
            return presentationFailure<int>(QStringLiteral("The show is on no slide"));
        return slideNumberOf(page);
    });
}

PresentationStatus LibreOfficeDocument::goToSlide(int slide)
{
    return run<std::monostate>(kQueryBoundMs, [slide](Session&, Document& doc) {
        const Reference<presentation::XSlideShowController> controller =
            presentationOf(doc.model)->getController();
        if (!controller.is())
            return presentationFailure(kNoShow);
        for (sal_Int32 index = 0; index < controller->getSlideCount(); ++index) {
            if (slideNumberOf(controller->getSlideByIndex(index)) == slide) {
                controller->gotoSlideIndex(index);
                return presentationOk();
            }
        }
        return presentationFailure(QStringLiteral("The show has no slide %1").arg(slide));
    });
}

PresentationStatus LibreOfficeDocument::endShow()
{
    return run<std::monostate>(kShowBoundMs, [](Session&, Document& doc) {
        presentationOf(doc.model)->end();
        return presentationOk();
    });
}

PresentationStatus LibreOfficeDocument::bringShowToFront()
{
    return run<std::monostate>(kQueryBoundMs, [](Session& session, Document& doc) {
        const Reference<presentation::XSlideShowController> controller =
            presentationOf(doc.model)->getController();
        if (!controller.is())
            return presentationFailure(kNoShow);
        controller->activate();
        X11ShowWindows::activateShow(session.officePid(), kBringToFrontBoundMs);
        return presentationOk();
    });
}

PresentationStatus LibreOfficeDocument::exportSlide(int slide, const QString& imagePath,
                                                    ImageFormat format, int widthPx, int heightPx)
{
    return run<std::monostate>(kFileBoundMs, [slide, imagePath, format, widthPx,
                                              heightPx](Session& session, Document& doc) {
        if (widthPx <= 0 || heightPx <= 0)
            return presentationFailure(QStringLiteral("Image size must be positive"));
        const Reference<drawing::XDrawPages> pages = pagesOf(doc.model);
        if (slide < 1 || slide > pages->getCount())
            return presentationFailure(QStringLiteral("There is no slide %1").arg(slide));

        std::vector<beans::PropertyValue> filterData = {
            property("PixelWidth", Any(sal_Int32(widthPx))),
            property("PixelHeight", Any(sal_Int32(heightPx))),
        };
        if (format == ImageFormat::Jpeg)
            filterData.push_back(property("Quality", Any(sal_Int32(90))));
        QFile::remove(imagePath);
        const Reference<drawing::XGraphicExportFilter> exporter =
            drawing::GraphicExportFilter::create(session.connection().remote);
        exporter->setSourceDocument(
            Reference<lang::XComponent>(pages->getByIndex(slide - 1), UNO_QUERY_THROW));
        const bool written = exporter->filter(properties({
            property("URL", Any(fileUrl(imagePath))),
            property("MediaType",
                     Any(OUString::createFromAscii(LibreOfficeFiles::mediaTypeOf(format)))),
            property("FilterData", Any(properties(filterData))),
        }));
        if (!written || !QFileInfo(imagePath).isFile())
            return presentationFailure(QStringLiteral("Could not write ") + imagePath);
        return presentationOk();
    });
}

std::shared_ptr<LibreOfficeDocument::SlidesPdf> LibreOfficeDocument::writeSlidesPdf()
{
    const PresentationResult<int> count = slideCount();
    auto pdf = std::make_shared<SlidesPdf>();
    if (!count.ok() || count.value() == 0 || !pdf->folder.isValid())
        return nullptr;
    const QString path = pdf->path();
    QElapsedTimer timer;
    timer.start();
    const PresentationResult<int> pages = run<int>(
        kFileBoundMs + kPdfBoundMsPerSlide * count.value(),
        [path](Session&, Document& doc) -> PresentationResult<int> {
            // Quality 100 and no reduction: the pictures go in as they are, not encoded again,
            // and page N is slide N.
            const std::vector<beans::PropertyValue> filterData = {
                property("ExportHiddenSlides", Any(true)),
                property("Quality", Any(sal_Int32(100))),
                property("ReduceImageResolution", Any(false)),
                property("ExportBookmarks", Any(false)),
                property("ExportNotes", Any(false)),
            };
            Reference<frame::XStorable>(doc.model, UNO_QUERY_THROW)
                ->storeToURL(
                    fileUrl(path),
                    properties(
                        {property("FilterName", Any(OUString::createFromAscii(
                                                    LibreOfficeFiles::filterOf(FileFormat::Pdf)))),
                         property("FilterData", Any(properties(filterData)))}));
            return int(pagesOf(doc.model)->getCount());
        });
    if (!pages.ok()) {
        qCInfo(lcLibreOffice, "no PDF of the slides: %s", qPrintable(pages.error()));
        return nullptr;
    }
    qCInfo(lcLibreOffice, "PDF of %d slides in %lld ms", pages.value(), timer.elapsed());
    pdf->pages = pages.value();
    return pdf;
}

PresentationStatus LibreOfficeDocument::prepareSlideExport()
{
    m_slidesPdf = writeSlidesPdf();
    return presentationOk();
}

PresentationStatus
LibreOfficeDocument::exportAllSlides(const std::function<QString(int slide)>& imagePath,
                                     ImageFormat format, int widthPx, int heightPx,
                                     const SlideWritten& written)
{
    std::shared_ptr<SlidesPdf> pdf = std::exchange(m_slidesPdf, nullptr);
    if (PdfSlideRenderer::writes(format)) {
        if (!pdf)
            pdf = writeSlidesPdf();
        QElapsedTimer timer;
        timer.start();
        const PresentationStatus drawn =
            pdf ? PdfSlideRenderer::render(pdf->path(), pdf->pages, imagePath, format, widthPx,
                                           heightPx, written)
                : presentationFailure(QString());
        if (drawn.ok()) {
            qCInfo(lcLibreOffice, "pictures of %d slides in %lld ms", pdf->pages, timer.elapsed());
            return drawn;
        }
        qCInfo(lcLibreOffice, "slides one by one: %s", qPrintable(drawn.error()));
    }
    return PresentationDocument::exportAllSlides(imagePath, format, widthPx, heightPx, written);
}

PresentationStatus LibreOfficeDocument::saveCopyAs(const QString& path, FileFormat format)
{
    return run<std::monostate>(kFileBoundMs, [path, format](Session&, Document& doc) {
        std::vector<beans::PropertyValue> args = {
            property("Overwrite", Any(true)),
            property("FilterName",
                     Any(OUString::createFromAscii(LibreOfficeFiles::filterOf(format))))};
        // Keeps page N = slide N.
        if (format == FileFormat::Pdf)
            args.push_back(property("FilterData",
                                    Any(properties({property("ExportHiddenSlides", Any(true))}))));
        Reference<frame::XStorable>(doc.model, UNO_QUERY_THROW)
            ->storeToURL(fileUrl(path), properties(args));
        return presentationOk();
    });
}

PresentationStatus LibreOfficeDocument::save()
{
    return run<std::monostate>(kFileBoundMs, [](Session&, Document& doc) {
        const Reference<frame::XStorable> storable(doc.model, UNO_QUERY_THROW);
        if (!storable->hasLocation())
            return presentationFailure(QStringLiteral("The presentation has no file yet"));
        storable->store();
        return presentationOk();
    });
}

PresentationResult<SlideShowOptions> LibreOfficeDocument::showOptions()
{
    return run<SlideShowOptions>(
        kQueryBoundMs, [](Session&, Document& doc) -> PresentationResult<SlideShowOptions> {
            const Reference<beans::XPropertySet> settings(presentationOf(doc.model),
                                                          UNO_QUERY_THROW);
            SlideShowOptions options;
            bool endless = false;
            settings->getPropertyValue("IsEndless") >>= endless;
            options.loopUntilStopped = endless;
            // The office names its "manual advance" setting IsAutomatic.
            bool manual = false;
            settings->getPropertyValue("IsAutomatic") >>= manual;
            options.advanceMode = manual ? SlideShowOptions::AdvanceMode::Manual
                                         : SlideShowOptions::AdvanceMode::SlideTimings;
            const Reference<drawing::XDrawPages> pages = pagesOf(doc.model);
            for (sal_Int32 i = 0; i < pages->getCount(); ++i) {
                const Reference<beans::XPropertySet> page = pageProperties(pages, i);
                sal_Int32 change = 0;
                sal_Int32 durationS = 0;
                page->getPropertyValue("Change") >>= change;
                page->getPropertyValue("Duration") >>= durationS;
                options.slides.append({change == 1, int(durationS)});
            }
            return options;
        });
}

PresentationStatus LibreOfficeDocument::setShowOptions(const SlideShowOptions& options)
{
    return run<std::monostate>(kQueryBoundMs, [options](Session&, Document& doc) {
        const Reference<beans::XPropertySet> settings(presentationOf(doc.model), UNO_QUERY_THROW);
        settings->setPropertyValue("IsEndless", Any(options.loopUntilStopped));
        settings->setPropertyValue(
            "IsAutomatic", Any(options.advanceMode == SlideShowOptions::AdvanceMode::Manual));
        const Reference<drawing::XDrawPages> pages = pagesOf(doc.model);
        const int count = std::min(int(options.slides.size()), int(pages->getCount()));
        for (int i = 0; i < count; ++i) {
            const Reference<beans::XPropertySet> page = pageProperties(pages, i);
            const SlideShowOptions::SlideAdvance& advance = options.slides[i];
            page->setPropertyValue("Change", Any(sal_Int32(advance.onTime ? 1 : 0)));
            page->setPropertyValue("Duration", Any(sal_Int32(advance.advanceTimeS)));
            page->setPropertyValue("HighResDuration", Any(double(advance.advanceTimeS)));
        }
        return presentationOk();
    });
}

PresentationStatus LibreOfficeDocument::close()
{
    const int id = m_id;
    return run<std::monostate>(kShowBoundMs, [id](Session& session, Document& doc) {
        // doc goes with its entry.
        const Reference<lang::XComponent> model = doc.model;
        session.connection().documents.erase(id);
        closeDocument(model);
        return presentationOk();
    });
}
