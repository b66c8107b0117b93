#pragma once

#include "platform/PresentationDocument.h"

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
    PresentationStatus saveCopyAs(const QString& path, FileFormat format) override;
    PresentationStatus save() override;
    PresentationResult<SlideShowOptions> showOptions() override;
    PresentationStatus setShowOptions(const SlideShowOptions& options) override;
    PresentationStatus close() override;

private:
    template <typename T>
    using Work =
        std::function<PresentationResult<T>(LibreOfficeSession&, LibreOfficeOpenDocument&)>;
    // Work may outlive this object (its caller gave up waiting): it captures by value.
    template <typename T> PresentationResult<T> run(int boundMs, Work<T> work);

    std::shared_ptr<LibreOfficeSession> m_session;
    int m_id;
    QString m_path;
    int m_openedInGeneration;
};
