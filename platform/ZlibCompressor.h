#pragma once

#include <QByteArray>

#include <optional>

// The lossless compressor behind the image blocks of the event, pop-ups and help files. Its output
// is a zlib stream; files packed by any other compressor are not readable, by design.
class ZlibCompressor
{
public:
    // Largest uncompressed size decompress() will allocate for, whatever the file claims.
    static constexpr qint64 MaxUncompressedBytes = 512LL * 1024 * 1024;

    // Empty only when zlib itself fails (out of memory); a real stream is never empty.
    static QByteArray compress(const QByteArray& data);

    // sizeValue is the size token stored in front of the block: the uncompressed length minus one.
    // Returns nothing unless the data inflates to exactly sizeValue + 1 bytes and uses up all of
    // compressed. A sizeValue that deflate could not reach from this much input is refused before
    // anything is allocated, so a damaged size token cannot exhaust memory.
    static std::optional<QByteArray> decompress(const QByteArray& compressed, qint64 sizeValue);
};
