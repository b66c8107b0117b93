#include "slides/SwfWriter.h"

#include <QFile>
#include <QFileInfo>

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <cstdint>
#include <fcntl.h>
#include <system_error>
#include <unistd.h>

namespace {

// Flash 6: the oldest player that takes everything written here, so every player does. No
// FileAttributes tag is needed below version 8.
constexpr quint8 MovieVersion = 6;
// 8.8 fixed point: 12 frames a second, the players' usual rate; a still has no other use for it.
constexpr quint16 FrameRate = 12 << 8;

constexpr quint16 BitmapId = 1;
constexpr quint16 ShapeId = 2;
constexpr quint16 PlacedDepth = 1;

// Tag codes.
constexpr int TagEnd = 0;
constexpr int TagShowFrame = 1;
constexpr int TagDefineShape = 2;
constexpr int TagDefineBitsJpeg2 = 21;
constexpr int TagPlaceObject2 = 26;

// Fill style: bitmap stretched by its matrix, edge pixels repeated outside it.
constexpr quint8 ClippedBitmapFill = 0x41;
// PlaceObject2 flags: a matrix follows, and the character to place.
constexpr quint8 PlaceHasMatrix = 0x04;
constexpr quint8 PlaceHasCharacter = 0x02;

// Fields of a Flash file are little-endian bytes and big-endian bit fields packed without gaps;
// each bit-packed record starts on a byte.
struct BitPacker
{
    QByteArray bytes;
    int freeBits = 0; // unused low bits of the last byte

    void put(quint32 value, int count)
    {
        for (int i = count - 1; i >= 0; --i) {
            if (freeBits == 0) {
                bytes.append('\0');
                freeBits = 8;
            }
            --freeBits;
            if ((value >> i) & 1u)
                bytes[bytes.size() - 1] = char(quint8(bytes.back()) | (1u << freeBits));
        }
    }
    void align() { freeBits = 0; }
    void u8(quint8 value)
    {
        align();
        bytes.append(char(value));
    }
    void u16(quint16 value)
    {
        u8(quint8(value & 0xff));
        u8(quint8(value >> 8));
    }
};

// Bits needed for a two's complement field holding value; at least one.
int signedBits(qint64 value)
{
    int bits = 1;
    while (value < -(qint64(1) << (bits - 1)) || value >= (qint64(1) << (bits - 1)))
        ++bits;
    return bits;
}

// A rectangle from 0,0 to width,height twips.
void putRect(BitPacker& out, qint32 width, qint32 height)
{
    const int bits = std::max(signedBits(width), signedBits(height));
    out.align();
    out.put(quint32(bits), 5);
    out.put(0, bits);
    out.put(quint32(width), bits);
    out.put(0, bits);
    out.put(quint32(height), bits);
    out.align();
}

// A matrix of scale factors (16.16 fixed point, 0 meaning none), no rotation, no translation.
void putMatrix(BitPacker& out, qint32 scaleX, qint32 scaleY)
{
    out.align();
    const bool scaled = scaleX != 0 || scaleY != 0;
    out.put(scaled ? 1 : 0, 1);
    if (scaled) {
        const int bits = std::max(signedBits(scaleX), signedBits(scaleY));
        out.put(quint32(bits), 5);
        out.put(quint32(scaleX), bits);
        out.put(quint32(scaleY), bits);
    }
    out.put(0, 1); // no rotation
    out.put(0, 5); // translation fields of no bits: none
    out.align();
}

// One straight edge along an axis.
void putAxisEdge(BitPacker& out, qint32 delta, bool vertical)
{
    const int bits = std::max(signedBits(delta), 2);
    out.put(1, 1); // edge record
    out.put(1, 1); // straight
    out.put(quint32(bits - 2), 4);
    out.put(0, 1); // along one axis only
    out.put(vertical ? 1 : 0, 1);
    out.put(quint32(delta), bits);
}

void appendTag(QByteArray& movie, int code, const QByteArray& body, bool longHeader = false)
{
    BitPacker header;
    if (!longHeader && body.size() < 0x3f) {
        header.u16(quint16(code << 6 | body.size()));
    } else {
        header.u16(quint16(code << 6 | 0x3f));
        const quint32 length = quint32(body.size());
        for (int shift = 0; shift < 32; shift += 8)
            header.u8(quint8(length >> shift));
    }
    movie += header.bytes;
    movie += body;
}

// A rectangle covering the frame, filled with the bitmap scaled from its pixels to the frame.
QByteArray shapeBody(QSize picture, QString* error)
{
    const qint32 width = SwfWriter::FrameWidth * SwfWriter::TwipsPerPixel;
    const qint32 height = SwfWriter::FrameHeight * SwfWriter::TwipsPerPixel;
    // A bitmap's pixel is one twip before its matrix: twips per picture pixel, 16.16 fixed.
    const qint64 scaleX = (qint64(width) * 65536 + picture.width() / 2) / picture.width();
    const qint64 scaleY = (qint64(height) * 65536 + picture.height() / 2) / picture.height();
    if (signedBits(scaleX) > 31 || signedBits(scaleY) > 31) {
        if (error)
            *error = QStringLiteral("the picture (%1x%2 pixels) is too small to fill the frame")
                         .arg(picture.width())
                         .arg(picture.height());
        return {};
    }

    BitPacker out;
    out.u16(ShapeId);
    putRect(out, width, height);
    out.u8(1); // one fill style
    out.u8(ClippedBitmapFill);
    out.u16(BitmapId);
    putMatrix(out, qint32(scaleX), qint32(scaleY));
    out.u8(0);     // no line styles
    out.put(1, 4); // fill style index bits
    out.put(0, 4); // line style index bits
    // Style change: fill style 1 (right of the edges) is the bitmap; the pen starts at 0,0.
    out.put(0, 1);
    out.put(0b00101, 5); // new styles, line style, fill style 1, fill style 0, move to
    out.put(1, 5);
    out.put(0, 1);
    out.put(0, 1);
    out.put(1, 1);
    // Clockwise on screen, so that the inside is on the right of every edge.
    putAxisEdge(out, width, false);
    putAxisEdge(out, height, true);
    putAxisEdge(out, -width, false);
    putAxisEdge(out, -height, true);
    out.put(0, 6); // end of shape
    out.align();
    return out.bytes;
}

quint16 bigEndian16(const QByteArray& bytes, qsizetype at)
{
    return quint16(quint8(bytes[at]) << 8 | quint8(bytes[at + 1]));
}

void setError(QString* error, const QString& text)
{
    if (error)
        *error = text;
}

QString systemError(int code)
{
    return QString::fromStdString(std::generic_category().message(code));
}

// Writes bytes to a temporary file beside path and renames it over path once all is written.
QString writeAtomically(const QByteArray& bytes, const QString& path)
{
    static std::atomic<unsigned> counter{0};
    const QFileInfo target(path);
    if (target.fileName().isEmpty())
        return QStringLiteral("no file name to write the Flash file to");
    const QByteArray finalName = QFile::encodeName(path);
    QByteArray temporary;
    int fd = -1;
    for (int attempt = 0; attempt < 16 && fd < 0; ++attempt) {
        temporary = QFile::encodeName(
            target.path() + QStringLiteral("/.") + target.fileName() +
            QStringLiteral(".part-%1-%2").arg(::getpid()).arg(counter.fetch_add(1)));
        fd = ::open(temporary.constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd < 0 && errno != EEXIST)
            return QStringLiteral("cannot write in the folder of \"%1\": %2")
                .arg(path, systemError(errno));
    }
    if (fd < 0)
        return QStringLiteral("cannot make a temporary file beside \"%1\"").arg(path);

    int failure = 0;
    for (qsizetype done = 0; done < bytes.size() && failure == 0;) {
        const ssize_t n = ::write(fd, bytes.constData() + done, size_t(bytes.size() - done));
        if (n > 0)
            done += n;
        else if (n < 0 && errno != EINTR)
            failure = errno;
        else if (n == 0)
            failure = EIO;
    }
    if (::close(fd) != 0 && failure == 0)
        failure = errno;
    if (failure == 0 && ::rename(temporary.constData(), finalName.constData()) != 0)
        failure = errno;
    if (failure != 0) {
        ::unlink(temporary.constData());
        return QStringLiteral("cannot write \"%1\": %2").arg(path, systemError(failure));
    }
    return {};
}

} // namespace

QSize SwfWriter::jpegSize(const QByteArray& jpeg, QString* error)
{
    const qsizetype n = jpeg.size();
    if (n < 4 || quint8(jpeg[0]) != 0xff || quint8(jpeg[1]) != 0xd8) {
        setError(error, QStringLiteral("not a JPEG picture"));
        return {};
    }
    qsizetype at = 2;
    while (at < n) {
        if (quint8(jpeg[at]) != 0xff) {
            setError(error,
                     QStringLiteral("a damaged JPEG picture (no marker at byte %1)").arg(at));
            return {};
        }
        while (at < n && quint8(jpeg[at]) == 0xff) // fill bytes before a marker
            ++at;
        if (at >= n)
            break;
        const quint8 marker = quint8(jpeg[at++]);
        if (marker == 0x01 || (marker >= 0xd0 && marker <= 0xd8))
            continue; // markers without a segment
        if (marker == 0xd9 || marker == 0xda)
            break; // end of picture or start of scan: no frame header came first
        if (at + 2 > n || bigEndian16(jpeg, at) < 2 || at + bigEndian16(jpeg, at) > n)
            break;
        const quint16 length = bigEndian16(jpeg, at);
        const bool frameHeader =
            marker >= 0xc0 && marker <= 0xcf && marker != 0xc4 && marker != 0xc8 && marker != 0xcc;
        if (frameHeader) {
            // Baseline, extended and progressive Huffman coding are what players decode.
            if (marker > 0xc2) {
                setError(error, QStringLiteral("a JPEG picture in a coding Flash players cannot "
                                               "show (lossless or arithmetic)"));
                return {};
            }
            // Length, precision, height, width, component count, then three bytes a component.
            const int components = length < 8 ? 0 : quint8(jpeg[at + 7]);
            if (length < 8 || length < 8 + 3 * components) {
                setError(error, QStringLiteral("a damaged JPEG picture (short frame header)"));
                return {};
            }
            const int precision = quint8(jpeg[at + 2]);
            const int height = bigEndian16(jpeg, at + 3);
            const int width = bigEndian16(jpeg, at + 5);
            if (precision != 8 || (components != 1 && components != 3)) {
                setError(error, QStringLiteral("a JPEG picture Flash players cannot show (%1 "
                                               "colour channels of %2 bits)")
                                    .arg(components)
                                    .arg(precision));
                return {};
            }
            if (width == 0 || height == 0) {
                setError(error, QStringLiteral("a JPEG picture without a size"));
                return {};
            }
            return QSize(width, height);
        }
        at += length;
    }
    setError(error, QStringLiteral("a damaged JPEG picture (no frame header)"));
    return {};
}

QByteArray SwfWriter::movie(const QByteArray& jpeg, QString* error)
{
    if (jpeg.size() > MaxJpegBytes) {
        setError(error,
                 QStringLiteral("a picture too large for a slide (%1 bytes)").arg(jpeg.size()));
        return {};
    }
    const QSize size = jpegSize(jpeg, error);
    if (!size.isValid())
        return {};
    const QByteArray shape = shapeBody(size, error);
    if (shape.isEmpty())
        return {};

    BitPacker head;
    head.bytes = QByteArrayLiteral("FWS");
    head.u8(MovieVersion);
    head.u16(0); // file length, set at the end
    head.u16(0);
    putRect(head, FrameWidth * TwipsPerPixel, FrameHeight * TwipsPerPixel);
    head.u16(FrameRate);
    head.u16(1); // frame count

    QByteArray out;
    out.reserve(jpeg.size() + 256);
    out += head.bytes;

    // Bitmap tags always take the long header; some players insist on it.
    QByteArray bitmap;
    bitmap.reserve(jpeg.size() + 2);
    bitmap.append(char(BitmapId & 0xff)).append(char(BitmapId >> 8)).append(jpeg);
    appendTag(out, TagDefineBitsJpeg2, bitmap, true);
    appendTag(out, TagDefineShape, shape);

    BitPacker place;
    place.u8(PlaceHasMatrix | PlaceHasCharacter);
    place.u16(PlacedDepth);
    place.u16(ShapeId);
    putMatrix(place, 0, 0);
    appendTag(out, TagPlaceObject2, place.bytes);
    appendTag(out, TagShowFrame, {});
    appendTag(out, TagEnd, {});

    const quint32 length = quint32(out.size());
    for (int i = 0; i < 4; ++i)
        out[4 + i] = char(quint8(length >> (8 * i)));
    return out;
}

QString SwfWriter::writeBytes(const QByteArray& jpeg, const QString& swfPath)
{
    QString error;
    const QByteArray data = movie(jpeg, &error);
    if (data.isEmpty())
        return error;
    return writeAtomically(data, swfPath);
}

QString SwfWriter::writeFile(const QString& jpegPath, const QString& swfPath)
{
    const QFileInfo info(jpegPath);
    if (!info.exists())
        return QStringLiteral("the picture \"%1\" does not exist").arg(jpegPath);
    if (!info.isFile())
        return QStringLiteral("the picture \"%1\" is not a file").arg(jpegPath);
    if (info.size() > MaxJpegBytes)
        return QStringLiteral("the picture \"%1\" is too large for a slide").arg(jpegPath);
    QFile file(jpegPath);
    if (!file.open(QIODevice::ReadOnly))
        return QStringLiteral("cannot read the picture \"%1\": %2")
            .arg(jpegPath, file.errorString());
    // One byte more than allowed tells a file that grew past the limit after the check.
    const QByteArray jpeg = file.read(MaxJpegBytes + 1);
    if (file.error() != QFileDevice::NoError)
        return QStringLiteral("cannot read the picture \"%1\": %2")
            .arg(jpegPath, file.errorString());
    QString error;
    const QByteArray data = movie(jpeg, &error);
    if (data.isEmpty())
        return QStringLiteral("the picture \"%1\" is %2").arg(jpegPath, error);
    return writeAtomically(data, swfPath);
}

QString SwfWriter::convert(const QString& basePath)
{
    return writeFile(basePath + QStringLiteral(".jpg"), basePath + QStringLiteral(".swf"));
}
