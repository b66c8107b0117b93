#include "platform/ZlibCompressor.h"

#include <zlib.h>

namespace {

// Deflate cannot expand data by more than about 1032:1; the margin keeps tiny blocks legal.
constexpr qint64 MaxRatio = 1100;
constexpr qint64 RatioSlackBytes = 1024;

// The images handed in are already filtered but unpacked picture files, so the fastest level
// keeps nearly all of the gain while saving a large event stays quick.
constexpr int CompressionLevel = Z_BEST_SPEED;

} // namespace

QByteArray ZlibCompressor::compress(const QByteArray& data)
{
    uLongf packedSize = compressBound(static_cast<uLong>(data.size()));
    QByteArray packed(static_cast<qsizetype>(packedSize), Qt::Uninitialized);
    const int status = compress2(reinterpret_cast<Bytef*>(packed.data()), &packedSize,
                                 reinterpret_cast<const Bytef*>(data.constData()),
                                 static_cast<uLong>(data.size()), CompressionLevel);
    // compressBound() guarantees room, so only a memory failure inside zlib lands here.
    if (status != Z_OK)
        return QByteArray();
    packed.resize(static_cast<qsizetype>(packedSize));
    return packed;
}

std::optional<QByteArray> ZlibCompressor::decompress(const QByteArray& compressed, qint64 sizeValue)
{
    if (sizeValue < 0 || sizeValue >= MaxUncompressedBytes)
        return std::nullopt;
    const qint64 expected = sizeValue + 1;
    if (expected > static_cast<qint64>(compressed.size()) * MaxRatio + RatioSlackBytes)
        return std::nullopt;

    QByteArray plain(static_cast<qsizetype>(expected), Qt::Uninitialized);
    uLongf plainSize = static_cast<uLongf>(expected);
    uLong packedSize = static_cast<uLong>(compressed.size());
    const int status =
        uncompress2(reinterpret_cast<Bytef*>(plain.data()), &plainSize,
                    reinterpret_cast<const Bytef*>(compressed.constData()), &packedSize);
    if (status != Z_OK || static_cast<qint64>(plainSize) != expected ||
        static_cast<qint64>(packedSize) != compressed.size())
        return std::nullopt;
    return plain;
}
