#pragma once

#include "platform/PresentationDocument.h"

#include <QRect>

#include <memory>

class LibreOfficeProcess;
class QTemporaryDir;

// The office's own start-as-show of one file, in a process of its own with a profile of its own:
// how a talk still reaches the screen when our office could not open or run it. Nothing inside
// such a show can be asked: it runs while its window is up, names no slide, and ends with its
// process. Everything else fails.
class LibreOfficeSeparateShow : public PresentationDocument
{
public:
    // Starts the show of path and waits up to timeoutMs for it to be on screen, in front (on
    // screen when given). Should the office put up a question or message instead, it is ended
    // at once: nobody in the audience is to answer it.
    static PresentationResult<std::shared_ptr<PresentationDocument>>
    start(const QString& binary, const QString& path, const QRect& screen, int timeoutMs);
    ~LibreOfficeSeparateShow() override;

    QString path() const override { return m_path; }
    PresentationResult<int> slideCount() override;
    PresentationStatus runShow() override;
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
    LibreOfficeSeparateShow(QString path, std::unique_ptr<QTemporaryDir> profile,
                            std::unique_ptr<LibreOfficeProcess> process);
    PresentationStatus unsupported() const;

    QString m_path;
    std::unique_ptr<QTemporaryDir> m_profile;
    std::unique_ptr<LibreOfficeProcess> m_process;
};
