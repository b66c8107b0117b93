#include "slides/SlideExtractor.h"

#include "document/WholePercent.h"

#include <QDir>
#include <QFileInfo>

namespace {

QString thumbnailPathOf(const SlideExtractor::Request& request)
{
    return request.runFolder + QStringLiteral("/slide1.bmp");
}

QString fullImagePathOf(const SlideExtractor::Request& request)
{
    return request.runFolder + QStringLiteral("/slide1.") +
           slideFormatCode(request.slideImageFormat);
}

} // namespace

SlideExtractor::SlideExtractor(PresentationApp& app, QObject* parent) : QObject(parent), m_app(app)
{}

SlideExtractor::~SlideExtractor()
{
    // The runner, destroyed after this, waits its bounded time for the close too.
    if (m_workPresentation)
        m_jobs.start([document = std::move(m_workPresentation)](const JobRunner::Control&) {
            document->close();
        });
}

PresentationDocument::ImageFormat SlideExtractor::imageFormatOf(SlideFormat format)
{
    using Format = PresentationDocument::ImageFormat;
    switch (format) {
    case SlideFormat::Bmp:
        return Format::Bmp;
    case SlideFormat::Emf:
        return Format::Emf;
    case SlideFormat::Gif:
        return Format::Gif;
    case SlideFormat::Jpg:
        return Format::Jpeg;
    case SlideFormat::Wmf:
        break;
    }
    return Format::Wmf;
}

QString SlideExtractor::progressText(int done, int count)
{
    return QStringLiteral("Extracting - %1%").arg(WholePercent::of(done, count));
}

bool SlideExtractor::start(const Request& request)
{
    if (isBusy())
        return false;
    m_request = request;
    // The previous work presentation is replaced; closing it is a blocking call too.
    DocumentPtr previous = std::move(m_workPresentation);
    m_jobs.start<Extraction>(
        [this, &app = m_app, request, previous](const JobRunner::Control& control) {
            return extract(app, request, previous, control);
        },
        [this](Extraction extraction) {
            m_workPresentation = std::move(extraction.kept);
            emit finished(extraction.result);
        });
    return true;
}

bool SlideExtractor::startChosenSlideExport(int slide)
{
    if (isBusy() || !m_workPresentation)
        return false;
    // The preview stays open for more picks: the document stays with it.
    DocumentPtr document = m_workPresentation;
    // start() kept the document only after the format code was accepted.
    const PresentationDocument::ImageFormat format = imageFormatOf(m_request.slideImageFormat);
    const QString path = fullImagePathOf(m_request);
    const QSize size = m_request.fullScreenPx;
    m_jobs.start<QString>(
        [document, slide, format, path, size](const JobRunner::Control&) {
            const PresentationStatus exported =
                document->exportSlide(slide, path, format, size.width(), size.height());
            return exported.ok() ? QString() : exported.error();
        },
        [this, path](QString error) { emit chosenSlideExported(path, error); });
    return true;
}

void SlideExtractor::releaseWorkPresentation()
{
    if (!m_workPresentation)
        return;
    // Closing waits its turn behind a running job, off this thread.
    m_jobs.start([document = std::move(m_workPresentation)](const JobRunner::Control&) {
        document->close();
    });
}

SlideExtractor::Extraction SlideExtractor::extract(PresentationApp& app, const Request& request,
                                                   DocumentPtr previous,
                                                   const JobRunner::Control& control)
{
    Extraction extraction;
    Result& result = extraction.result;
    if (previous)
        previous->close();

    const PresentationDocument::ImageFormat format = imageFormatOf(request.slideImageFormat);
    if (request.thumbnailPx.isEmpty() || request.fullScreenPx.isEmpty()) {
        result.error = QStringLiteral("The image sizes must be positive");
        return extraction;
    }
    if (!QFileInfo(request.presentationPath).isFile()) {
        result.error = QStringLiteral("The file %1 does not exist").arg(request.presentationPath);
        return extraction;
    }

    const auto opened = app.open(request.presentationPath, PresentationApp::Visibility::Hidden);
    if (!opened.ok()) {
        result.error =
            QStringLiteral("Could not open %1: %2").arg(request.presentationPath, opened.error());
        return extraction;
    }
    const DocumentPtr document = opened.value();
    auto fail = [&](const QString& error) {
        document->close();
        result.error = error;
        return extraction;
    };

    const PresentationResult<int> count = document->slideCount();
    if (!count.ok())
        return fail(QStringLiteral("%1 is not a presentation: %2")
                        .arg(request.presentationPath, count.error()));
    if (count.value() < 1)
        return fail(QStringLiteral("%1 has no slides").arg(request.presentationPath));
    result.slideCount = count.value();

    const QString previewFolder = request.runFolder + QStringLiteral("/Preview");
    if (!QDir().mkpath(previewFolder))
        return fail(QStringLiteral("Could not create the folder %1").arg(previewFolder));

    const QString thumbnail = thumbnailPathOf(request);
    const QString full = fullImagePathOf(request);
    PresentationStatus exported =
        document->exportSlide(1, thumbnail, PresentationDocument::ImageFormat::Bmp,
                              request.thumbnailPx.width(), request.thumbnailPx.height());
    if (!exported.ok())
        return fail(exported.error());
    result.thumbnailPath = thumbnail;
    exported = document->exportSlide(1, full, format, request.fullScreenPx.width(),
                                     request.fullScreenPx.height());
    if (!exported.ok())
        return fail(exported.error());
    result.fullImagePath = full;
    control.post([this, thumbnail, full] { emit firstSlideReady(thumbnail, full); });

    if (result.slideCount == 1) {
        document->close();
        return extraction;
    }

    result.span = SlideSpan::Several;
    control.post([this] { emit progressChanged(progressText(0, 1)); });
    for (int slide = 1; slide <= result.slideCount; ++slide) {
        const QString path = previewFolder + QStringLiteral("/Slide%1.bmp").arg(slide);
        exported = document->exportSlide(slide, path, PresentationDocument::ImageFormat::Bmp,
                                         request.thumbnailPx.width(), request.thumbnailPx.height());
        if (!exported.ok())
            return fail(exported.error());
        result.previewPaths << path;
        control.post(
            [this, text = progressText(slide, result.slideCount)] { emit progressChanged(text); });
    }
    extraction.kept = document;
    return extraction;
}
