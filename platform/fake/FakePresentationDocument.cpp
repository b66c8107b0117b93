#include "platform/fake/FakePresentationDocument.h"

#include <QFile>
#include <QImage>

FakePresentationDocument::FakePresentationDocument(
    std::shared_ptr<FakePresentationApp::Program> program, QString path, int slideCount,
    SlideShowOptions options)
    : m_program(std::move(program)), m_path(std::move(path)), m_slideCount(slideCount),
      m_options(std::move(options))
{
    m_options.slides.resize(slideCount);
}

QString FakePresentationDocument::unusable() const
{
    if (m_closed)
        return QStringLiteral("The presentation is not open");
    return m_program->running ? QString() : QStringLiteral("The presentation program stopped");
}

PresentationStatus FakePresentationDocument::runShow()
{
    return usable([this] {
        if (m_slideCount == 0)
            return presentationFailure(QStringLiteral("The presentation has no slides"));
        m_showRunning = true;
        m_currentSlide = 1;
        ++m_showsStarted;
        return presentationOk();
    });
}

PresentationStatus FakePresentationDocument::goToSlide(int slide)
{
    return showing([&] {
        if (slide < 1 || slide > m_slideCount)
            return presentationFailure(QStringLiteral("The show has no slide %1").arg(slide));
        m_currentSlide = slide;
        return presentationOk();
    });
}

PresentationStatus FakePresentationDocument::exportSlide(int slide, const QString& imagePath,
                                                         ImageFormat format, int widthPx,
                                                         int heightPx)
{
    return usable([&] {
        if (slide < 1 || slide > m_slideCount)
            return presentationFailure(QStringLiteral("There is no slide %1").arg(slide));
        if (widthPx <= 0 || heightPx <= 0)
            return presentationFailure(QStringLiteral("Image size must be positive"));
        QFile metafile(imagePath); // a metafile, which no picture reader here can draw
        QImage image(widthPx, heightPx, QImage::Format_RGB32);
        image.fill(colourOf(slide));
        const bool written =
            format == ImageFormat::Emf || format == ImageFormat::Wmf
                ? metafile.open(QIODevice::WriteOnly) && metafile.write("metafile") == 8
                : image.save(imagePath, format == ImageFormat::Png    ? "PNG"
                                        : format == ImageFormat::Jpeg ? "JPEG"
                                                                      : "BMP");
        return written ? presentationOk() : presentationFailure("Could not write " + imagePath);
    });
}

PresentationStatus FakePresentationDocument::saveCopyAs(const QString& path, FileFormat format)
{
    return usable([&] {
        QFile file(path);
        if (!file.open(QIODevice::WriteOnly))
            return presentationFailure(QStringLiteral("Could not write ") + path);
        // Enough for a consumer to see which document and format it got.
        file.write(QStringLiteral("fake presentation, %1 slides, format %2\n")
                       .arg(m_slideCount)
                       .arg(int(format))
                       .toUtf8());
        if (format != FileFormat::Pdf)
            m_program->files.insert(path, {m_slideCount, m_options});
        return presentationOk();
    });
}

PresentationStatus FakePresentationDocument::save()
{
    return usable([this] {
        if (m_path.isEmpty())
            return presentationFailure(QStringLiteral("The presentation has no file yet"));
        m_program->files[m_path].options = m_options;
        return presentationOk();
    });
}

PresentationStatus FakePresentationDocument::setShowOptions(const SlideShowOptions& options)
{
    return usable([&] {
        m_options.loopUntilStopped = options.loopUntilStopped;
        m_options.advanceMode = options.advanceMode;
        for (int i = 0; i < std::min(int(options.slides.size()), m_slideCount); ++i)
            m_options.slides[i] = options.slides[i];
        return presentationOk();
    });
}
