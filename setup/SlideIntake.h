#pragma once

#include <QImage>
#include <QObject>
#include <QSize>
#include <QStringList>

#include "slides/SlideExtractor.h"

#include <functional>
#include <optional>

class EventDocument;
class QMimeData;

// What the holding slide and the pop-up slots do with what the operator hands them: a picture
// file, picture data, or a presentation whose slide 1 is taken at once and whose other slides
// go to the preview. The receiver gets the thumbnail and the full picture together.
class SlideIntake : public QObject
{
    Q_OBJECT

public:
    using Receiver = std::function<void(const QImage& thumbnail, const QImage& full)>;

    // thumbnailBox and screen in pixels; the extractor must outlive the intake.
    SlideIntake(EventDocument& doc, SlideExtractor& extractor, QSize thumbnailBox, QSize screen,
                QObject* parent = nullptr);

    QSize thumbnailBox() const { return m_thumbnailBox; }
    QSize screen() const { return m_screen; }
    // Full-size pictures from now on are made for a screen of this size.
    void setScreen(const QSize& screen) { m_screen = screen; }

    // The picture at source, scaled to the box's width (landscape or square) or height
    // (portrait), keeping its proportions; written as a bitmap at target and read back. A null
    // image when source is no picture or target cannot be written.
    static QImage ScalePictureFile(const QString& source, const QString& target, QSize box);

    // A presentation by its ending, a picture otherwise. False when nothing could be taken (no
    // picture). A presentation handed over while another is being extracted follows it.
    bool takeFile(const QString& path, const Receiver& receiver);
    // Picture data: saved as the run folder's "slide1" and scaled from there.
    bool takePicture(const QImage& full, const Receiver& receiver);
    // A drop or a paste: the first file of a file list, else picture data.
    bool takeMime(const QMimeData* data, const Receiver& receiver);

    // The preview's pick: thumbnail now, the slide at screen size once exported.
    bool takePreviewSlide(int slide, const QImage& thumbnail, const Receiver& receiver);

signals:
    // The status-bar text while slides are extracted; empty when done.
    void progressChanged(const QString& text);
    // A presentation of several slides is ready for the preview, slide 1 already taken.
    void previewReady(const QStringList& thumbnailPaths);
    // Slide 1 or a picked slide has arrived (or failed): the busy pointer can go.
    void slideTaken();

private:
    bool takePresentation(const QString& path, const Receiver& receiver);
    // Gives the pending receiver both pictures, when both are there.
    void handOver(const QImage& thumbnail, const QImage& full);
    // Starts the presentation handed over during the last extraction; false when there is none.
    bool startQueued();
    QString run(const QString& name) const;

    EventDocument& m_doc;
    SlideExtractor& m_extractor;
    QSize m_thumbnailBox;
    QSize m_screen;
    Receiver m_pending;
    // A presentation handed over while another was being extracted.
    std::optional<SlideExtractor::Request> m_queued;
    Receiver m_queuedReceiver;
    QImage m_pendingThumbnail;
};
