#pragma once

#include "platform/PresentationResult.h"
#include "platform/SlideShowOptions.h"

#include <QString>

#include <functional>

// One file open in the presentation program. Slide numbers are 1-based, as the operator counts
// them. Every call returns within a bounded time (see PresentationApp) and reports failure as a
// value; once the document is closed, or the program under it has died, every call fails.
class PresentationDocument
{
public:
    enum class ImageFormat
    {
        Png,
        Jpeg,
        Bmp,
        Gif,
        Emf, // metafiles: the size scales the drawing; there are no pixels to count
        Wmf,
    };
    enum class FileFormat
    {
        Pdf, // page N is slide N, hidden slides included
        Pptx,
        Ppt,
        Ppsx, // opens straight into its show
        Pps,
        Odp,
    };

    virtual ~PresentationDocument() = default;

    // The file the document was opened from; empty for one built in memory.
    virtual QString path() const = 0;

    virtual PresentationResult<int> slideCount() = 0;

    // Starts the show at slide 1 and gives it the focus. Succeeds once the show is on screen.
    // Open a presentation meant only for its show hidden: LibreOffice's show of a document
    // opened with its editing window takes no keys but Escape.
    virtual PresentationStatus runShow() = 0;
    // Readies a presentation opened ahead of its show, so that runShow() has less left to do.
    virtual PresentationStatus prepareShow() { return presentationOk(); }
    // False once the show has been ended (by a key, a click or endShow()). A show that reached
    // its black end screen still counts as running until the presenter leaves it.
    virtual PresentationResult<bool> isShowRunning() = 0;
    // The slide now shown; fails when no show runs.
    virtual PresentationResult<int> currentSlide() = 0;
    virtual PresentationStatus goToSlide(int slide) = 0;
    virtual PresentationStatus endShow() = 0;
    virtual PresentationStatus bringShowToFront() = 0;

    // Writes slide `slide` as an image of exactly widthPx by heightPx pixels.
    virtual PresentationStatus exportSlide(int slide, const QString& imagePath, ImageFormat format,
                                           int widthPx, int heightPx) = 0;
    // Hears of each slide of exportAllSlides() once it is written, or why it is not; false
    // stops the export there.
    using SlideWritten = std::function<bool(int slide, const PresentationStatus& status)>;
    // Writes every slide as exportSlide() does, slide n to imagePath(n), telling written about
    // each in slide order on the calling thread as soon as it is there. Once written has said
    // stop, no further slide is written. Fails, with nothing written, only when the slides
    // could not be counted. Back ends may render the slides side by side on every core; this
    // one exports them one by one.
    virtual PresentationStatus exportAllSlides(const std::function<QString(int slide)>& imagePath,
                                               ImageFormat format, int widthPx, int heightPx,
                                               const SlideWritten& written);
    // Does ahead what exportAllSlides() needs of the program itself (a back end that draws
    // the pictures on its own has the program write the slides out first), so that a caller can
    // have it done for the next presentation while this one's pictures are still being drawn.
    // The next exportAllSlides() uses it; the document is not to change in between.
    virtual PresentationStatus prepareSlideExport() { return presentationOk(); }
    // Writes a converted copy; the document stays bound to its own file.
    virtual PresentationStatus saveCopyAs(const QString& path, FileFormat format) = 0;
    // Writes the document back to the file it came from.
    virtual PresentationStatus save() = 0;

    virtual PresentationResult<SlideShowOptions> showOptions() = 0;
    // Changes the document in memory; save() makes it stick.
    virtual PresentationStatus setShowOptions(const SlideShowOptions& options) = 0;

    // Discards unsaved changes. Calls after close() fail.
    virtual PresentationStatus close() = 0;
};
