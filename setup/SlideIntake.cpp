#include "setup/SlideIntake.h"

#include "document/EventDocument.h"
#include "document/SpeakerTable.h"
#include "platform/MimeTransfer.h"
#include "slides/SlideExtractor.h"

#include <QDir>
#include <QImageReader>
#include <QPainter>

SlideIntake::SlideIntake(EventDocument& doc, SlideExtractor& extractor, QSize thumbnailBox,
                         QSize screen, QObject* parent)
    : QObject(parent), m_doc(doc), m_extractor(extractor), m_thumbnailBox(thumbnailBox),
      m_screen(screen)
{
    connect(&m_extractor, &SlideExtractor::progressChanged, this, &SlideIntake::progressChanged);
    connect(&m_extractor, &SlideExtractor::firstSlideReady, this,
            [this](const QString& thumbnailPath, const QString& fullImagePath) {
                handOver(QImage(thumbnailPath), QImage(fullImagePath));
                emit slideTaken();
            });
    connect(&m_extractor, &SlideExtractor::finished, this,
            [this](const SlideExtractor::Result& result) {
                emit progressChanged(QString());
                if (!result.ok() && m_pending)
                    emit slideTaken();
                m_pending = nullptr;
                // A presentation handed over meanwhile comes next; this one's preview is of no
                // use any more.
                if (startQueued())
                    return;
                if (result.ok() && result.span == SlideExtractor::SlideSpan::Several)
                    emit previewReady(result.previewPaths);
            });
    connect(&m_extractor, &SlideExtractor::chosenSlideExported, this,
            [this](const QString& fullImagePath, const QString& error) {
                // A failed export leaves the slot as it was, thumbnail and all.
                if (error.isEmpty())
                    handOver(m_pendingThumbnail, QImage(fullImagePath));
                m_pending = nullptr;
                emit slideTaken();
                startQueued();
            });
}

void SlideIntake::handOver(const QImage& thumbnail, const QImage& full)
{
    // Both pictures or neither: a slot with a thumbnail but no picture could never be saved.
    if (m_pending && !thumbnail.isNull() && !full.isNull())
        m_pending(thumbnail, full);
}

bool SlideIntake::startQueued()
{
    if (!m_queued)
        return false;
    const SlideExtractor::Request request = *m_queued;
    m_queued.reset();
    Receiver receiver = std::move(m_queuedReceiver);
    m_queuedReceiver = nullptr;
    if (!m_extractor.start(request))
        return false;
    m_pending = std::move(receiver);
    return true;
}

QString SlideIntake::run(const QString& name) const
{
    return m_doc.RunFolder + QLatin1Char('/') + name;
}

QImage SlideIntake::ScalePictureFile(const QString& source, const QString& target, QSize box)
{
    QImageReader reader(source);
    reader.setAutoTransform(true);
    const QImage picture = reader.read();
    if (picture.isNull() || picture.height() == 0 || box.isEmpty())
        return QImage();
    const double ratio = double(picture.width()) / picture.height();
    // Not fitted into the box: a 4:3 picture for a 16:9 box comes out taller than the box.
    const QSize size = ratio >= 1 ? QSize(box.width(), qMax(1, qRound(box.width() / ratio)))
                                  : QSize(qMax(1, qRound(ratio * box.height())), box.height());
    QImage scaled(size, QImage::Format_RGB32);
    scaled.fill(Qt::white);
    QPainter painter(&scaled);
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    painter.drawImage(QRect(QPoint(0, 0), size), picture);
    painter.end();
    if (!scaled.save(target, "BMP"))
        return QImage();
    return QImage(target, "BMP");
}

bool SlideIntake::takeFile(const QString& path, const Receiver& receiver)
{
    if (SpeakerTable::isPresentationFile(path))
        return takePresentation(path, receiver);
    QImageReader reader(path);
    reader.setAutoTransform(true);
    const QImage full = reader.read();
    if (full.isNull())
        return false;
    const QImage thumbnail = ScalePictureFile(path, run(QStringLiteral("slide1")), m_thumbnailBox);
    if (thumbnail.isNull())
        return false;
    receiver(thumbnail, full);
    return true;
}

bool SlideIntake::takePicture(const QImage& full, const Receiver& receiver)
{
    if (full.isNull())
        return false;
    const QString scratch = run(QStringLiteral("slide1"));
    QDir().mkpath(m_doc.RunFolder);
    if (!full.save(scratch, "BMP"))
        return false;
    const QImage thumbnail = ScalePictureFile(scratch, scratch, m_thumbnailBox);
    if (thumbnail.isNull())
        return false;
    receiver(thumbnail, full);
    return true;
}

bool SlideIntake::takeMime(const QMimeData* data, const Receiver& receiver)
{
    const QStringList files = MimeTransfer::fileList(data);
    if (!files.isEmpty())
        return takeFile(files.first(), receiver);
    return takePicture(MimeTransfer::picture(data), receiver);
}

bool SlideIntake::takePresentation(const QString& path, const Receiver& receiver)
{
    SlideExtractor::Request request;
    request.presentationPath = path;
    request.runFolder = m_doc.RunFolder;
    // Metafiles cannot be drawn here: the full picture then comes as a lossless bitmap.
    request.slideImageFormat =
        isMetafile(m_doc.SlideImageFormat) ? SlideFormat::Bmp : m_doc.SlideImageFormat;
    request.thumbnailPx = m_thumbnailBox;
    request.fullScreenPx = m_screen;
    if (m_extractor.isBusy()) {
        // Taken once the extraction in progress is done; a later one replaces it.
        m_queued = request;
        m_queuedReceiver = receiver;
        return true;
    }
    if (!m_extractor.start(request))
        return false;
    m_pending = receiver;
    return true;
}

bool SlideIntake::takePreviewSlide(int slide, const QImage& thumbnail, const Receiver& receiver)
{
    if (!m_extractor.startChosenSlideExport(slide))
        return false;
    m_pending = receiver;
    m_pendingThumbnail = thumbnail;
    return true;
}
