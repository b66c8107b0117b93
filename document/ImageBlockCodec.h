#pragma once

#include <QByteArray>
#include <QImage>

#include <list>
#include <optional>
#include <unordered_map>

// Turns pictures into the compressed blocks stored in event and pop-ups files and back.
//
// Unsaved changes are found by saving the whole event again and comparing files, so the same
// pictures are written over and over. Encoded blocks are therefore remembered by
// QImage::cacheKey(), which changes whenever an image is modified and is never reused for
// another image: an unchanged picture is written from memory, and one that came out of a file is
// written back with exactly the bytes it was read from.
class ImageBlockCodec
{
public:
    // A picture as stored: the size token (picture file length minus one) and the packed bytes.
    struct Block
    {
        qint64 sizeValue = -1;
        QByteArray compressed;
    };

    static constexpr int DefaultMaxEntries = 64;
    static constexpr qint64 DefaultMaxCachedBytes = 256LL * 1024 * 1024;

    explicit ImageBlockCodec(int maxEntries = DefaultMaxEntries,
                             qint64 maxCachedBytes = DefaultMaxCachedBytes);

    // Nothing for a null image or one the picture writer refuses.
    std::optional<Block> encode(const QImage& image);
    // Nothing unless the block unpacks to a picture file that decodes to an image.
    std::optional<QImage> decode(const Block& block);

    // The lossless picture file format used inside blocks (PNG).
    static QByteArray pictureFileBytes(const QImage& image);
    static QImage imageFromPictureFile(const QByteArray& bytes);

    int cachedEntries() const { return static_cast<int>(m_entries.size()); }
    void clearCache();

private:
    struct Entry
    {
        qint64 key;
        Block block;
    };

    void remember(qint64 key, const Block& block);

    int m_maxEntries;
    qint64 m_maxCachedBytes;
    qint64 m_cachedBytes = 0;
    std::list<Entry> m_entries; // most recently used first
    std::unordered_map<qint64, std::list<Entry>::iterator> m_index;
};
