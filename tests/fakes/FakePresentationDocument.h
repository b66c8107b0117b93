#pragma once

#include "platform/PresentationDocument.h"
#include "tests/fakes/FakePresentationApp.h"

#include <QColor>

#include <memory>

// A document of FakePresentationApp. Its show is driven by the test: move the slide, let the
// presenter end it, or have it die. Exports write real images of the asked size and format,
// one colour per slide, so that consumers can check what they got; metafiles, as from the real
// office, cannot be read back as pictures.
class FakePresentationDocument : public PresentationDocument
{
public:
    FakePresentationDocument(std::shared_ptr<FakePresentationApp::Program> program, QString path,
                             int slideCount, SlideShowOptions options);

    // The presenter's side of a running show.
    void presenterMovesTo(int slide);
    void presenterEndsShow();

    bool isOpen() const;
    int showsStarted() const { return m_showsStarted; }
    // The colour exported for a slide, so tests can tell slides apart in images.
    static QRgb colourOf(int slide);

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
    // Empty when the document can be used.
    QString unusable() const;

    std::shared_ptr<FakePresentationApp::Program> m_program;
    QString m_path;
    int m_slideCount;
    SlideShowOptions m_options;
    bool m_closed = false;
    bool m_showRunning = false;
    int m_currentSlide = 0;
    int m_showsStarted = 0;
};
