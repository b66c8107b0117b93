#include "platform/PresentationDocument.h"

PresentationStatus
PresentationDocument::exportAllSlides(const std::function<QString(int slide)>& imagePath,
                                      ImageFormat format, int widthPx, int heightPx,
                                      const SlideWritten& written)
{
    const PresentationResult<int> count = slideCount();
    if (!count.ok())
        return presentationFailure(count.error());
    for (int slide = 1; slide <= count.value(); ++slide) {
        if (!written(slide, exportSlide(slide, imagePath(slide), format, widthPx, heightPx)))
            break;
    }
    return presentationOk();
}
