#include "platform/libreoffice/PdfSlideRenderer.h"

#include <poppler/qt6/poppler-qt6.h>

#include <QBuffer>
#include <QImage>
#include <QSaveFile>
#include <QThread>

#include <chrono>
#include <condition_variable>
#include <map>
#include <memory>
#include <mutex>
#include <thread>
#include <vector>

namespace {

using Format = PresentationDocument::ImageFormat;

struct Drawn
{
    QByteArray bytes;
    QString error;
};

// What the drawing threads and the writing one share. The threads keep it alive through their
// own reference, so that one left behind after a page ran out of time ends on its own.
struct Pages
{
    int count = 0;
    int ahead = 0; // pages a thread may draw beyond the last one handed over
    QSize size;
    Format format = Format::Jpeg;
    std::vector<std::unique_ptr<Poppler::Document>> documents; // one per thread

    std::mutex mutex;
    std::condition_variable changed;
    int next = 1;
    int handedOver = 0;
    bool stop = false;
    std::map<int, Drawn> drawn;
};

Drawn draw(const Poppler::Document& document, int page, QSize size, Format format)
{
    const std::unique_ptr<Poppler::Page> source = document.page(page - 1);
    if (!source)
        return {{}, QStringLiteral("The PDF has no page %1").arg(page)};
    const QSizeF points = source->pageSizeF();
    if (points.width() <= 0 || points.height() <= 0)
        return {{}, QStringLiteral("Page %1 has no size").arg(page)};
    QImage image = source->renderToImage(size.width() * 72.0 / points.width(),
                                         size.height() * 72.0 / points.height());
    if (image.isNull())
        return {{}, QStringLiteral("Page %1 could not be drawn").arg(page)};
    // Rounding may leave a pixel more or less than asked for.
    if (image.size() != size)
        image = image.scaled(size, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    image.convertTo(QImage::Format_RGB32);
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    const bool encoded =
        format == Format::Jpeg ? image.save(&buffer, "JPEG", 90) : image.save(&buffer, "PNG");
    if (!encoded)
        return {{}, QStringLiteral("Page %1 could not be encoded").arg(page)};
    return {buffer.data(), {}};
}

void drawPages(const std::shared_ptr<Pages>& pages, std::size_t documentIndex)
{
    const Poppler::Document& document = *pages->documents[documentIndex];
    for (;;) {
        int page = 0;
        {
            std::unique_lock<std::mutex> lock(pages->mutex);
            pages->changed.wait(lock, [&] {
                return pages->stop || pages->next > pages->count ||
                       pages->next <= pages->handedOver + pages->ahead;
            });
            if (pages->stop || pages->next > pages->count)
                return;
            page = pages->next++;
        }
        Drawn result = draw(document, page, pages->size, pages->format);
        {
            const std::lock_guard<std::mutex> lock(pages->mutex);
            pages->drawn[page] = std::move(result);
        }
        pages->changed.notify_all();
    }
}

PresentationStatus writeFile(const QString& path, const QByteArray& bytes)
{
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size() || !file.commit())
        return presentationFailure(QStringLiteral("Could not write ") + path);
    return presentationOk();
}

} // namespace

bool PdfSlideRenderer::writes(PresentationDocument::ImageFormat format)
{
    return format == Format::Jpeg || format == Format::Png;
}

PresentationStatus PdfSlideRenderer::render(const QString& pdfPath, int pageCount,
                                            const std::function<QString(int page)>& imagePath,
                                            PresentationDocument::ImageFormat format, int widthPx,
                                            int heightPx,
                                            const PresentationDocument::SlideWritten& written,
                                            int threads)
{
    if (!writes(format) || widthPx <= 0 || heightPx <= 0)
        return presentationFailure(QStringLiteral("Pages cannot be drawn in that form"));
    auto pages = std::make_shared<Pages>();
    pages->count = pageCount;
    pages->size = QSize(widthPx, heightPx);
    pages->format = format;
    const int threadCount =
        std::clamp(threads > 0 ? threads : QThread::idealThreadCount(), 1, std::max(1, pageCount));
    pages->ahead = 2 * threadCount;
    // Each thread reads a document of its own: poppler's documents are not shared across threads.
    for (int i = 0; i < threadCount; ++i) {
        std::unique_ptr<Poppler::Document> document = Poppler::Document::load(pdfPath);
        if (!document || document->isLocked() || document->numPages() != pageCount)
            return presentationFailure(QStringLiteral("The PDF of the slides cannot be read"));
        document->setRenderHint(Poppler::Document::Antialiasing);
        document->setRenderHint(Poppler::Document::TextAntialiasing);
        pages->documents.push_back(std::move(document));
    }
    std::vector<std::thread> drawing;
    for (int i = 0; i < threadCount; ++i)
        drawing.emplace_back(drawPages, pages, std::size_t(i));

    bool outOfTime = false;
    for (int page = 1; page <= pageCount; ++page) {
        Drawn drawn;
        if (!outOfTime) {
            std::unique_lock<std::mutex> lock(pages->mutex);
            outOfTime = !pages->changed.wait_for(lock, std::chrono::milliseconds(PageBoundMs),
                                                 [&] { return pages->drawn.count(page) > 0; });
            if (outOfTime) {
                pages->stop = true;
            } else {
                drawn = std::move(pages->drawn[page]);
                pages->drawn.erase(page);
                pages->handedOver = page;
            }
        }
        pages->changed.notify_all();
        if (outOfTime)
            drawn.error = QStringLiteral("Page %1 was not drawn in time").arg(page);
        const PresentationStatus status = drawn.error.isEmpty()
                                              ? writeFile(imagePath(page), drawn.bytes)
                                              : presentationFailure(drawn.error);
        if (!written(page, status))
            break;
    }
    {
        const std::lock_guard<std::mutex> lock(pages->mutex);
        pages->stop = true;
    }
    pages->changed.notify_all();
    for (std::thread& thread : drawing) {
        if (outOfTime)
            thread.detach();
        else
            thread.join();
    }
    return presentationOk();
}
