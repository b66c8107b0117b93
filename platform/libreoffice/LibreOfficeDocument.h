#pragma once

#include "platform/PresentationDocument.h"

#include <QDir>
#include <QTemporaryDir>

#include <functional>
#include <memory>

class LibreOfficeSession;
struct LibreOfficeOpenDocument;

// A document open in our soffice. Each operation is its own piece of work on the document,
// run through the session, which names the document by its id: on the session's worker
// thread, waited for with a bound. Once the office it was opened in is being ended, every call
// fails at once.
class LibreOfficeDocument : public PresentationDocument
{
public:
    LibreOfficeDocument(std::shared_ptr<LibreOfficeSession> session, int id, QString path,
                        int openedInGeneration);

    QString path() const override { return m_path; }
    PresentationResult<int> slideCount() override;
    PresentationStatus runShow() override;
    PresentationStatus prepareShow() override;
    PresentationResult<bool> isShowRunning() override;
    PresentationResult<int> currentSlide() override;
    PresentationStatus goToSlide(int slide) override;
    PresentationStatus endShow() override;
    PresentationStatus bringShowToFront() override;
    PresentationStatus exportSlide(int slide, const QString& imagePath, ImageFormat format,
                                   int widthPx, int heightPx) override;
    // The office writes a PDF of the whole deck in one call, with the pictures as they are in
    // the deck; its pages are then drawn on every core (PdfSlideRenderer). Slide by slide, as
    // exportSlide(), for the other formats or when that way fails before any slide is written.
    // prepareSlideExport() has the office write that PDF ahead.
    PresentationStatus prepareSlideExport() override;
    PresentationStatus exportAllSlides(const std::function<QString(int slide)>& imagePath,
                                       ImageFormat format, int widthPx, int heightPx,
                                       const SlideWritten& written) override;
    PresentationStatus saveCopyAs(const QString& path, FileFormat format) override;
    PresentationStatus save() override;
    PresentationResult<SlideShowOptions> showOptions() override;
    PresentationStatus setShowOptions(const SlideShowOptions& options) override;
    PresentationStatus close() override;

private:
    struct SlidesPdf
    {
        QTemporaryDir folder{QDir::tempPath() + QStringLiteral("/stagor-slides-XXXXXX")};
        int pages = 0;
        QString path() const { return folder.filePath(QStringLiteral("slides.pdf")); }
    };
    // Null when the office could not write it.
    std::shared_ptr<SlidesPdf> writeSlidesPdf();

    template <typename T>
    using Work =
        std::function<PresentationResult<T>(LibreOfficeSession&, LibreOfficeOpenDocument&)>;
    // Work may outlive this object (its caller gave up waiting): it captures by value.
    template <typename T> PresentationResult<T> run(int boundMs, Work<T> work);

    std::shared_ptr<LibreOfficeSession> m_session;
    int m_id;
    QString m_path;
    int m_openedInGeneration;
    std::shared_ptr<SlidesPdf> m_slidesPdf; // written ahead for the next exportAllSlides()
};
