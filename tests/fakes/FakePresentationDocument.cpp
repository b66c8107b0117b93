#include "tests/fakes/FakePresentationDocument.h"

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

QRgb FakePresentationDocument::colourOf(int slide)
{
    return qRgb((slide * 67) % 256, (slide * 131) % 256, (slide * 29 + 64) % 256);
}

bool FakePresentationDocument::isOpen() const
{
    return unusable().isEmpty();
}

QString FakePresentationDocument::unusable() const
{
    if (m_closed)
        return QStringLiteral("The presentation is not open");
    if (!m_program->running)
        return QStringLiteral("The presentation program stopped");
    return QString();
}

void FakePresentationDocument::presenterMovesTo(int slide)
{
    if (m_showRunning && slide >= 1 && slide <= m_slideCount)
        m_currentSlide = slide;
}

void FakePresentationDocument::presenterEndsShow()
{
    m_showRunning = false;
}

PresentationResult<int> FakePresentationDocument::slideCount()
{
    if (const QString error = unusable(); !error.isEmpty())
        return PresentationResult<int>::failure(error);
    return m_slideCount;
}

PresentationStatus FakePresentationDocument::runShow()
{
    if (const QString error = unusable(); !error.isEmpty())
        return PresentationStatus::failure(error);
    if (m_slideCount == 0)
        return PresentationStatus::failure(QStringLiteral("The presentation has no slides"));
    m_showRunning = true;
    m_currentSlide = 1;
    ++m_showsStarted;
    return presentationOk();
}

PresentationResult<bool> FakePresentationDocument::isShowRunning()
{
    if (const QString error = unusable(); !error.isEmpty())
        return PresentationResult<bool>::failure(error);
    return m_showRunning;
}

PresentationResult<int> FakePresentationDocument::currentSlide()
{
    if (const QString error = unusable(); !error.isEmpty())
        return PresentationResult<int>::failure(error);
    if (!m_showRunning)
        return PresentationResult<int>::failure(QStringLiteral("No show is running"));
    return m_currentSlide;
}

PresentationStatus FakePresentationDocument::goToSlide(int slide)
{
    if (const QString error = unusable(); !error.isEmpty())
        return PresentationStatus::failure(error);
    if (!m_showRunning)
        return PresentationStatus::failure(QStringLiteral("No show is running"));
    if (slide < 1 || slide > m_slideCount)
        return PresentationStatus::failure(QStringLiteral("The show has no slide %1").arg(slide));
    m_currentSlide = slide;
    return presentationOk();
}

PresentationStatus FakePresentationDocument::endShow()
{
    if (const QString error = unusable(); !error.isEmpty())
        return PresentationStatus::failure(error);
    m_showRunning = false;
    return presentationOk();
}

PresentationStatus FakePresentationDocument::bringShowToFront()
{
    if (const QString error = unusable(); !error.isEmpty())
        return PresentationStatus::failure(error);
    if (!m_showRunning)
        return PresentationStatus::failure(QStringLiteral("No show is running"));
    return presentationOk();
}

PresentationStatus FakePresentationDocument::exportSlide(int slide, const QString& imagePath,
                                                         ImageFormat format, int widthPx,
                                                         int heightPx)
{
    if (const QString error = unusable(); !error.isEmpty())
        return PresentationStatus::failure(error);
    if (slide < 1 || slide > m_slideCount)
        return PresentationStatus::failure(QStringLiteral("There is no slide %1").arg(slide));
    if (widthPx <= 0 || heightPx <= 0)
        return PresentationStatus::failure(QStringLiteral("Image size must be positive"));
    if (format == ImageFormat::Emf || format == ImageFormat::Wmf) {
        // A metafile, which no picture reader here can draw.
        QFile metafile(imagePath);
        if (metafile.open(QIODevice::WriteOnly) && metafile.write("metafile") == 8)
            return presentationOk();
        return PresentationStatus::failure(QStringLiteral("Could not write ") + imagePath);
    }
    QImage image(widthPx, heightPx, QImage::Format_RGB32);
    image.fill(colourOf(slide));
    const char* formatName = format == ImageFormat::Png    ? "PNG"
                             : format == ImageFormat::Jpeg ? "JPEG"
                                                           : "BMP";
    if (!image.save(imagePath, formatName))
        return PresentationStatus::failure(QStringLiteral("Could not write ") + imagePath);
    return presentationOk();
}

PresentationStatus FakePresentationDocument::saveCopyAs(const QString& path, FileFormat format)
{
    if (const QString error = unusable(); !error.isEmpty())
        return PresentationStatus::failure(error);
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return PresentationStatus::failure(QStringLiteral("Could not write ") + path);
    // Enough for a consumer to see which document and format it got.
    file.write(QStringLiteral("fake presentation, %1 slides, format %2\n")
                   .arg(m_slideCount)
                   .arg(int(format))
                   .toUtf8());
    if (format != FileFormat::Pdf) {
        FakePresentationApp::Program::File copy;
        copy.slideCount = m_slideCount;
        copy.options = m_options;
        m_program->files.insert(path, copy);
    }
    return presentationOk();
}

PresentationStatus FakePresentationDocument::save()
{
    if (const QString error = unusable(); !error.isEmpty())
        return PresentationStatus::failure(error);
    if (m_path.isEmpty())
        return PresentationStatus::failure(QStringLiteral("The presentation has no file yet"));
    m_program->files[m_path].options = m_options;
    return presentationOk();
}

PresentationResult<SlideShowOptions> FakePresentationDocument::showOptions()
{
    if (const QString error = unusable(); !error.isEmpty())
        return PresentationResult<SlideShowOptions>::failure(error);
    return m_options;
}

PresentationStatus FakePresentationDocument::setShowOptions(const SlideShowOptions& options)
{
    if (const QString error = unusable(); !error.isEmpty())
        return PresentationStatus::failure(error);
    const int count = std::min(int(options.slides.size()), m_slideCount);
    m_options.loopUntilStopped = options.loopUntilStopped;
    m_options.advanceMode = options.advanceMode;
    for (int i = 0; i < count; ++i)
        m_options.slides[i] = options.slides[i];
    return presentationOk();
}

PresentationStatus FakePresentationDocument::close()
{
    if (const QString error = unusable(); !error.isEmpty())
        return PresentationStatus::failure(error);
    m_closed = true;
    m_showRunning = false;
    return presentationOk();
}
