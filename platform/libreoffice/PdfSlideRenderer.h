#pragma once

#include "platform/PresentationDocument.h"

#include <QString>

#include <functional>

// The pictures of a presentation's slides drawn from the office's PDF of it: poppler draws the
// pages side by side, one thread per core, each page stretched to exactly the size asked for,
// while the calling thread writes the files in page order as they come and tells its caller
// about each. A page stays in memory until its turn, so that nothing is written past the page
// at which the caller says stop; threads draw at most a few pages ahead of it.
class PdfSlideRenderer
{
public:
    // The longest any one page is waited for before it and the rest count as failed.
    static constexpr int PageBoundMs = 60000;

    // JPEG (quality 90, as the office writes them) and PNG.
    static bool writes(PresentationDocument::ImageFormat format);

    // Pages 1 to pageCount of pdfPath, page n to imagePath(n). Fails, with nothing written,
    // when the file is no PDF of that many pages that poppler can read.
    static PresentationStatus
    render(const QString& pdfPath, int pageCount, const std::function<QString(int page)>& imagePath,
           PresentationDocument::ImageFormat format, int widthPx, int heightPx,
           const PresentationDocument::SlideWritten& written, int threads = 0);
};
