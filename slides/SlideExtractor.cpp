#include "SlideExtractor.h"

#include <QDir>
#include <QFileInfo>
#include <QThread>

namespace {

QString thumbnailPathOf(const SlideExtractor::Request& request)
{
    return request.runFolder + QStringLiteral("/slide1.bmp");
}

QString fullImagePathOf(const SlideExtractor::Request& request)
{
    return request.runFolder + QStringLiteral("/slide1.") + request.slideImageFormat;
}

} // namespace

SlideExtractor::SlideExtractor(PresentationApp& app, QObject* parent) : QObject(parent), m_app(app)
{}

SlideExtractor::~SlideExtractor()
{
    if (m_thread) {
        m_thread->wait();
        delete m_thread;
    }
    if (m_workPresentation)
        m_workPresentation->close();
}

std::optional<PresentationDocument::ImageFormat> SlideExtractor::imageFormatOf(const QString& code)
{
    using Format = PresentationDocument::ImageFormat;
    if (code == QLatin1String("BMP"))
        return Format::Bmp;
    if (code == QLatin1String("EMF"))
        return Format::Emf;
    if (code == QLatin1String("GIF"))
        return Format::Gif;
    if (code == QLatin1String("JPG"))
        return Format::Jpeg;
    if (code == QLatin1String("WMF"))
        return Format::Wmf;
    return std::nullopt;
}

QString SlideExtractor::progressText(int done, int count)
{
    // Integer arithmetic: the floating-point quotient times 100 can land just below a whole
    // number (29 / 100 * 100 = 28.999...).
    const qint64 percent = count > 0 ? qint64(done) * 100 / count : 0;
    return QStringLiteral("Extracting - %1%").arg(percent);
}

bool SlideExtractor::start(const Request& request)
{
    if (isBusy())
        return false;
    m_request = request;
    // The previous work presentation is replaced; closing it is a blocking call too.
    DocumentPtr previous = std::move(m_workPresentation);
    runJob(
        [this, request, previous] {
            m_jobDocument.reset();
            m_jobResult = extract(request, previous);
        },
        [this] {
            m_workPresentation = std::move(m_jobDocument);
            emit finished(m_jobResult);
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
    const PresentationDocument::ImageFormat format = *imageFormatOf(m_request.slideImageFormat);
    const QString path = fullImagePathOf(m_request);
    const QSize size = m_request.fullScreenPx;
    runJob(
        [this, document, slide, format, path, size] {
            const PresentationStatus exported =
                document->exportSlide(slide, path, format, size.width(), size.height());
            m_jobError = exported.ok() ? QString() : exported.error();
        },
        [this, path] { emit chosenSlideExported(path, m_jobError); });
    return true;
}

void SlideExtractor::releaseWorkPresentation()
{
    if (!m_workPresentation)
        return;
    DocumentPtr document = std::move(m_workPresentation);
    // A running job holds the office: closing waits its turn there, off this thread.
    if (isBusy()) {
        connect(
            m_thread, &QThread::finished, this, [document] { document->close(); },
            Qt::QueuedConnection);
        return;
    }
    runJob([document] { document->close(); }, [] {});
}

void SlideExtractor::runJob(std::function<void()> job, std::function<void()> whenDone)
{
    m_thread = QThread::create(std::move(job));
    // Queued: finished comes from the job's thread, the handler runs on ours, after every
    // report the job queued before it.
    connect(m_thread, &QThread::finished, this, [this, whenDone = std::move(whenDone)] {
        m_thread->wait();
        m_thread->deleteLater();
        m_thread = nullptr;
        whenDone();
    });
    m_thread->start();
}

void SlideExtractor::report(std::function<void()> emitter)
{
    QMetaObject::invokeMethod(this, std::move(emitter), Qt::QueuedConnection);
}

SlideExtractor::Result SlideExtractor::extract(const Request& request, DocumentPtr previous)
{
    Result result;
    if (previous)
        previous->close();

    const std::optional<PresentationDocument::ImageFormat> format =
        imageFormatOf(request.slideImageFormat);
    if (!format) {
        result.error =
            QStringLiteral("Unknown slide image format \"%1\"").arg(request.slideImageFormat);
        return result;
    }
    if (request.thumbnailPx.isEmpty() || request.fullScreenPx.isEmpty()) {
        result.error = QStringLiteral("The image sizes must be positive");
        return result;
    }
    if (!QFileInfo(request.presentationPath).isFile()) {
        result.error = QStringLiteral("The file %1 does not exist").arg(request.presentationPath);
        return result;
    }

    const auto opened = m_app.open(request.presentationPath, PresentationApp::Visibility::Hidden);
    if (!opened.ok()) {
        result.error =
            QStringLiteral("Could not open %1: %2").arg(request.presentationPath, opened.error());
        return result;
    }
    const DocumentPtr document = opened.value();
    auto fail = [&](const QString& error) {
        document->close();
        result.error = error;
        return result;
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
    exported = document->exportSlide(1, full, *format, request.fullScreenPx.width(),
                                     request.fullScreenPx.height());
    if (!exported.ok())
        return fail(exported.error());
    result.fullImagePath = full;
    report([this, thumbnail, full] { emit firstSlideReady(thumbnail, full); });

    if (result.slideCount == 1) {
        document->close();
        return result;
    }

    result.span = SlideSpan::Several;
    report([this] { emit progressChanged(progressText(0, 1)); });
    for (int slide = 1; slide <= result.slideCount; ++slide) {
        const QString path = previewFolder + QStringLiteral("/Slide%1.bmp").arg(slide);
        exported = document->exportSlide(slide, path, PresentationDocument::ImageFormat::Bmp,
                                         request.thumbnailPx.width(), request.thumbnailPx.height());
        if (!exported.ok())
            return fail(exported.error());
        result.previewPaths << path;
        report(
            [this, text = progressText(slide, result.slideCount)] { emit progressChanged(text); });
    }
    m_jobDocument = document;
    return result;
}
