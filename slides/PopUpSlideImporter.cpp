#include "slides/PopUpSlideImporter.h"

#include "slides/SlideExtractor.h"

#include <QDir>
#include <QImage>

PopUpSlideImporter::PopUpSlideImporter(PresentationApp& app) : m_app(app) {}

QString PopUpSlideImporter::progressText(int slot)
{
    return QStringLiteral("Importing PopUp - %1").arg(slot);
}

PopUpSlideImporter::Result PopUpSlideImporter::importSlides(const Request& request,
                                                            const Progress& progress)
{
    Result result;
    PresentationDocument::ImageFormat format =
        SlideExtractor::imageFormatOf(request.slideImageFormat);
    QString fullSuffix = slideFormatCode(request.slideImageFormat);
    // A metafile cannot be shown as a picture here; the full-screen image is taken as a
    // lossless raster of the same size instead.
    if (isMetafile(request.slideImageFormat)) {
        format = PresentationDocument::ImageFormat::Png;
        fullSuffix = QStringLiteral("png");
    }
    if (request.thumbnailPx.isEmpty() || request.fullScreenPx.isEmpty()) {
        result.error = QStringLiteral("The image sizes must be positive");
        return result;
    }
    if (!QDir().mkpath(request.runFolder)) {
        result.error = QStringLiteral("Could not create the folder %1").arg(request.runFolder);
        return result;
    }

    const auto opened = m_app.open(request.presentationPath, PresentationApp::Visibility::Hidden);
    if (!opened.ok()) {
        result.error =
            QStringLiteral("Could not open %1: %2").arg(request.presentationPath, opened.error());
        return result;
    }
    const std::shared_ptr<PresentationDocument> document = opened.value();
    const PresentationResult<int> count = document->slideCount();
    if (!count.ok()) {
        document->close();
        result.error = QStringLiteral("%1 is not a presentation: %2")
                           .arg(request.presentationPath, count.error());
        return result;
    }

    const QString thumbnailPath = request.runFolder + QStringLiteral("/slide1.bmp");
    const QString fullPath = request.runFolder + QStringLiteral("/slide1.") + fullSuffix;
    const int slides = qMin(count.value(), int(result.popUps.size()));
    for (int slot = 0; slot < slides; ++slot) {
        if (progress)
            progress(slot);
        PresentationStatus exported =
            document->exportSlide(slot + 1, thumbnailPath, PresentationDocument::ImageFormat::Bmp,
                                  request.thumbnailPx.width(), request.thumbnailPx.height());
        const QImage thumbnail = exported.ok() ? QImage(thumbnailPath) : QImage();
        if (exported.ok())
            exported =
                document->exportSlide(slot + 1, fullPath, format, request.fullScreenPx.width(),
                                      request.fullScreenPx.height());
        const QImage full = exported.ok() ? QImage(fullPath) : QImage();
        if (!exported.ok() || thumbnail.isNull() || full.isNull()) {
            result.error = exported.ok()
                               ? QStringLiteral("Slide %1 could not be read back").arg(slot + 1)
                               : exported.error();
            break;
        }
        PopUpSlot& target = result.popUps[size_t(slot)];
        target.Name = SlotName;
        target.Thumb = thumbnail;
        target.Full = full;
        result.imported = slot + 1;
    }
    document->close();
    return result;
}
