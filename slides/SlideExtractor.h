#pragma once

#include "document/SlideFormat.h"
#include "platform/JobRunner.h"
#include "platform/PresentationApp.h"

#include <QObject>
#include <QSize>
#include <QString>
#include <QStringList>

#include <functional>
#include <memory>
#include <optional>

// Turns a presentation into the image files the setup window shows: slide 1 as thumbnail and
// full-screen image, and for a presentation of several slides a thumbnail of every slide for
// the preview. The presentation program's calls block for as long as it renders, so every job
// runs off this thread, one at a time, and reports through signals on the extractor's thread.
//
// The presentation of several slides stays open (the work presentation) until the operator has
// picked a slide in the preview, or the next extraction replaces it.
class SlideExtractor : public QObject
{
    Q_OBJECT

public:
    struct Request
    {
        QString presentationPath;
        QString runFolder; // no trailing "/"; made with its "Preview" subfolder when missing
        SlideFormat slideImageFormat = SlideFormat::Emf;
        QSize thumbnailPx;
        QSize fullScreenPx;
    };

    enum class SlideSpan
    {
        One,
        Several,
    };

    struct Result
    {
        QString error; // empty on success; what was written before a failure stays
        int slideCount = 0;
        SlideSpan span = SlideSpan::One;
        QString thumbnailPath;    // run folder + "/slide1.bmp"
        QString fullImagePath;    // run folder + "/slide1." + format code
        QStringList previewPaths; // run folder + "/Preview/Slide<i>.bmp", several slides only

        bool ok() const { return error.isEmpty(); }
    };

    // The app must outlive the extractor.
    explicit SlideExtractor(PresentationApp& app, QObject* parent = nullptr);
    // Closes the work presentation, waiting a bounded time for that and for a running job.
    ~SlideExtractor() override;

    static PresentationDocument::ImageFormat imageFormatOf(SlideFormat format);
    // "Extracting - " + the whole percentage of done slides + "%".
    static QString progressText(int done, int count);

    // False, with nothing started, while another job runs.
    bool start(const Request& request);
    // Exports slide `slide` of the work presentation as the full-screen image of the last request
    // (the operator's pick in the preview). The work presentation stays open for further picks.
    // False, with nothing started, while a job runs or when no presentation is kept open.
    bool startChosenSlideExport(int slide);
    // Closes the work presentation (the preview was closed). Nothing when none is open.
    void releaseWorkPresentation();

    bool isBusy() const { return m_jobs.isBusy(); }
    bool hasWorkPresentation() const { return m_workPresentation != nullptr; }

signals:
    // Slide 1 is on disk as thumbnail and full-screen image, before any other slide is exported.
    void firstSlideReady(const QString& thumbnailPath, const QString& fullImagePath);
    // The progress panel's text; the panel shows from the first text until finished().
    void progressChanged(const QString& text);
    void finished(const SlideExtractor::Result& result);
    void chosenSlideExported(const QString& fullImagePath, const QString& error);

private:
    using DocumentPtr = std::shared_ptr<PresentationDocument>;

    struct Extraction
    {
        Result result;
        DocumentPtr kept; // the work presentation when it stays open
    };

    // The job itself, off this thread: it touches nothing of the extractor but its reports.
    Extraction extract(PresentationApp& app, const Request& request, DocumentPtr previous,
                       const JobRunner::Control& control);

    PresentationApp& m_app;
    Request m_request;
    DocumentPtr m_workPresentation;
    JobRunner m_jobs;
};
