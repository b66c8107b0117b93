#pragma once

#include "platform/PresentationDocument.h"
#include "platform/fake/FakePresentationApp.h"

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
    void presenterMovesTo(int slide)
    {
        if (m_showRunning && slide >= 1 && slide <= m_slideCount)
            m_currentSlide = slide;
    }
    void presenterEndsShow() { m_showRunning = false; }

    bool isOpen() const { return unusable().isEmpty(); }
    int showsStarted() const { return m_showsStarted; }
    // The colour exported for a slide, so tests can tell slides apart in images.
    static QRgb colourOf(int slide)
    {
        return qRgb((slide * 67) % 256, (slide * 131) % 256, (slide * 29 + 64) % 256);
    }

    QString path() const override { return m_path; }
    PresentationResult<int> slideCount() override
    {
        return usable<int>([this] { return m_slideCount; });
    }
    PresentationStatus runShow() override;
    PresentationResult<bool> isShowRunning() override
    {
        return usable<bool>([this] { return m_showRunning; });
    }
    PresentationResult<int> currentSlide() override
    {
        return showing<int>([this] { return m_currentSlide; });
    }
    PresentationStatus goToSlide(int slide) override;
    PresentationStatus endShow() override
    {
        return usable([this] {
            presenterEndsShow();
            return presentationOk();
        });
    }
    PresentationStatus bringShowToFront() override
    {
        return showing([] { return presentationOk(); });
    }
    PresentationStatus exportSlide(int slide, const QString& imagePath, ImageFormat format,
                                   int widthPx, int heightPx) override;
    PresentationStatus saveCopyAs(const QString& path, FileFormat format) override;
    PresentationStatus save() override;
    PresentationResult<SlideShowOptions> showOptions() override
    {
        return usable<SlideShowOptions>([this] { return m_options; });
    }
    PresentationStatus setShowOptions(const SlideShowOptions& options) override;
    PresentationStatus close() override
    {
        return usable([this] {
            m_closed = true;
            m_showRunning = false;
            return presentationOk();
        });
    }

private:
    // Empty when the document can be used.
    QString unusable() const;
    // What body gives, unless the document cannot be used.
    template <typename T = std::monostate, typename Body> PresentationResult<T> usable(Body body)
    {
        const QString error = unusable();
        return error.isEmpty() ? PresentationResult<T>(body()) : presentationFailure<T>(error);
    }
    // The same, only while the show runs.
    template <typename T = std::monostate, typename Body> PresentationResult<T> showing(Body body)
    {
        return usable<T>([&]() -> PresentationResult<T> {
            return m_showRunning ? PresentationResult<T>(body())
                                 : presentationFailure<T>(QStringLiteral("No show is running"));
        });
    }

    std::shared_ptr<FakePresentationApp::Program> m_program;
    QString m_path;
    int m_slideCount;
    SlideShowOptions m_options;
    bool m_closed = false;
    bool m_showRunning = false;
    int m_currentSlide = 0;
    int m_showsStarted = 0;
};
