#include "document/ImageBlockCodec.h"

#include "platform/ZlibCompressor.h"

#include <QBuffer>
#include <QImageReader>
#include <QImageWriter>

namespace {

const char* const PictureFormat = "PNG";

// The block is deflated again as a whole, so the PNG is written stored (filtered, not packed):
// packing twice costs time and gains nothing.
constexpr int StoredPngQuality = 100;

} // namespace

ImageBlockCodec::ImageBlockCodec(int maxEntries, qint64 maxCachedBytes)
    : m_maxEntries(qMax(1, maxEntries)), m_maxCachedBytes(maxCachedBytes)
{}

QByteArray ImageBlockCodec::pictureFileBytes(const QImage& image)
{
    QByteArray bytes;
    if (image.isNull())
        return bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    QImageWriter writer(&buffer, PictureFormat);
    writer.setQuality(StoredPngQuality);
    if (!writer.write(image))
        return QByteArray();
    return bytes;
}

QImage ImageBlockCodec::imageFromPictureFile(const QByteArray& bytes)
{
    // The format is fixed so that damaged data never reaches the other image plug-ins.
    QBuffer buffer;
    buffer.setData(bytes);
    buffer.open(QIODevice::ReadOnly);
    QImageReader reader(&buffer, PictureFormat);
    reader.setDecideFormatFromContent(false);
    return reader.read();
}

std::optional<ImageBlockCodec::Block> ImageBlockCodec::encode(const QImage& image)
{
    if (image.isNull())
        return std::nullopt;
    const qint64 key = image.cacheKey();
    if (const auto found = m_index.find(key); found != m_index.end()) {
        m_entries.splice(m_entries.begin(), m_entries, found->second);
        return found->second->block;
    }

    const QByteArray file = pictureFileBytes(image);
    if (file.isEmpty())
        return std::nullopt;
    Block block{file.size() - 1, ZlibCompressor::compress(file)};
    if (block.compressed.isEmpty())
        return std::nullopt;
    remember(key, block);
    return block;
}

std::optional<QImage> ImageBlockCodec::decode(const Block& block)
{
    const std::optional<QByteArray> file =
        ZlibCompressor::decompress(block.compressed, block.sizeValue);
    if (!file)
        return std::nullopt;
    QImage image = imageFromPictureFile(*file);
    if (image.isNull())
        return std::nullopt;
    remember(image.cacheKey(), block);
    return image;
}

void ImageBlockCodec::clearCache()
{
    m_entries.clear();
    m_index.clear();
    m_cachedBytes = 0;
}

void ImageBlockCodec::remember(qint64 key, const Block& block)
{
    if (const auto found = m_index.find(key); found != m_index.end()) {
        m_cachedBytes -= found->second->block.compressed.size();
        m_entries.erase(found->second);
        m_index.erase(found);
    }
    m_entries.push_front(Entry{key, block});
    m_index.emplace(key, m_entries.begin());
    m_cachedBytes += block.compressed.size();

    // Pictures of events no longer open are never asked for again; dropping the least recently
    // used entries keeps a long session from holding every picture it ever saw.
    while (m_entries.size() > 1 && (static_cast<int>(m_entries.size()) > m_maxEntries ||
                                    m_cachedBytes > m_maxCachedBytes)) {
        const Entry& oldest = m_entries.back();
        m_cachedBytes -= oldest.block.compressed.size();
        m_index.erase(oldest.key);
        m_entries.pop_back();
    }
}
