#pragma once

#include "platform/PresentationDocument.h"

#include <atomic>
#include <memory>

class LibreOfficeSession;
class LibreOfficeWorker;

// A document open in our soffice. It only names the document by its id in the session; the
// calls themselves run on the back end's worker thread and are waited for with a bound. Once the
// office it was opened in is being ended (the generation moved on), every call fails at once.
class LibreOfficeDocument : public PresentationDocument
{
public:
    LibreOfficeDocument(std::shared_ptr<LibreOfficeWorker> worker,
                        std::shared_ptr<LibreOfficeSession> session, int id, QString path,
                        std::shared_ptr<const std::atomic<int>> officeGeneration,
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
    template <typename T, typename Body> PresentationResult<T> ask(int boundMs, Body body);

    std::shared_ptr<LibreOfficeWorker> m_worker;
    std::shared_ptr<LibreOfficeSession> m_session;
    int m_id;
    QString m_path;
    std::shared_ptr<const std::atomic<int>> m_officeGeneration;
    int m_openedInGeneration;
};
