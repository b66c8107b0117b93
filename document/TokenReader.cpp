#include "document/TokenReader.h"

#include <QIODevice>

#include <cmath>
#include <cstring>

namespace {

struct ScannedNumber
{
    qsizetype end = 0; // index after the last character that belongs to the number
    bool hasDigits = false;
    double value = 0;
};

bool isBlank(char c)
{
    return c == ' ' || c == '\t' || c == '\n' || c == '\r';
}

bool isDigit(char c)
{
    return c >= '0' && c <= '9';
}

// Longest prefix of text from start that reads as a decimal number with an optional sign,
// fraction and exponent ("E" or "D").
ScannedNumber scanNumber(QByteArrayView text, qsizetype start)
{
    ScannedNumber result;
    qsizetype i = start;
    const qsizetype size = text.size();
    QByteArray literal;
    if (i < size && (text[i] == '+' || text[i] == '-'))
        literal += text[i++];
    for (; i < size && isDigit(text[i]); ++i) {
        literal += text[i];
        result.hasDigits = true;
    }
    if (i < size && text[i] == '.') {
        literal += text[i++];
        for (; i < size && isDigit(text[i]); ++i) {
            literal += text[i];
            result.hasDigits = true;
        }
    }
    if (!result.hasDigits)
        return ScannedNumber{start, false, 0};

    if (i < size && (text[i] == 'e' || text[i] == 'E' || text[i] == 'd' || text[i] == 'D')) {
        qsizetype j = i + 1;
        QByteArray exponent("e");
        if (j < size && (text[j] == '+' || text[j] == '-'))
            exponent += text[j++];
        if (j < size && isDigit(text[j])) {
            for (; j < size && isDigit(text[j]); ++j)
                exponent += text[j];
            literal += exponent;
            i = j;
        }
    }
    result.end = i;
    result.value = std::strtod(literal.constData(), nullptr);
    return result;
}

// Whole number the way the event files have always been converted: halves go to the even
// neighbour. Nothing for values a 64-bit integer cannot hold.
std::optional<qint64> toWholeNumber(double value)
{
    const double rounded = std::nearbyint(value);
    if (!(std::fabs(rounded) < 9.2e18))
        return std::nullopt;
    return static_cast<qint64>(rounded);
}

} // namespace

TokenReader::TokenReader(QIODevice& device) : m_device(device) {}

qint64 TokenReader::bytesLeft() const
{
    if (m_device.isSequential())
        return m_device.bytesAvailable();
    return qMax<qint64>(0, m_device.size() - m_device.pos());
}

void TokenReader::fail(const QString& message)
{
    if (m_error.isEmpty())
        m_error = message;
}

QByteArray TokenReader::readTokenBytes()
{
    if (hasError())
        return QByteArray();

    QByteArray collected;
    char chunk[4096];
    for (;;) {
        const qint64 peeked = m_device.peek(chunk, sizeof chunk);
        if (peeked <= 0) {
            fail(collected.isEmpty()
                     ? QStringLiteral("the file ends before all of its content was read")
                     : QStringLiteral("a tag or value is not closed before the end of the file"));
            return QByteArray();
        }
        const void* close = std::memchr(chunk, ']', static_cast<size_t>(peeked));
        const qint64 take = close ? static_cast<const char*>(close) - chunk + 1 : peeked;
        // The opening byte and "]" come on top of the longest value allowed.
        if (collected.size() + take > MaxTokenBytes + 2) {
            fail(QStringLiteral("a tag or value is longer than 64 KiB"));
            return QByteArray();
        }
        collected.append(chunk, static_cast<qsizetype>(take));
        if (m_device.skip(take) != take) {
            fail(QStringLiteral("the file cannot be read: %1").arg(m_device.errorString()));
            return QByteArray();
        }
        if (close)
            break;
    }
    collected.chop(1);
    return collected.mid(1);
}

QString TokenReader::ReadToken()
{
    return QString::fromUtf8(readTokenBytes());
}

qint64 TokenReader::readNumber()
{
    const QByteArray text = readTokenBytes();
    if (hasError())
        return 0;
    const std::optional<qint64> value = leadingInteger(text);
    if (!value) {
        fail(QStringLiteral("a number is too large"));
        return 0;
    }
    return *value;
}

qint64 TokenReader::readStrictNumber()
{
    const QByteArray text = readTokenBytes();
    if (hasError())
        return 0;
    const std::optional<qint64> value = strictInteger(text);
    if (!value) {
        fail(QStringLiteral("a length or flag is not a number"));
        return 0;
    }
    return *value;
}

QByteArray TokenReader::readCountedBytes()
{
    const qint64 count = readStrictNumber();
    if (hasError())
        return QByteArray();
    if (count < 0) {
        fail(QStringLiteral("a text has a negative length"));
        return QByteArray();
    }
    if (count > bytesLeft()) {
        fail(QStringLiteral("a text runs past the end of the file"));
        return QByteArray();
    }
    return readBytes(count);
}

QString TokenReader::ReadChars()
{
    return QString::fromUtf8(readCountedBytes());
}

QByteArray TokenReader::readBytes(qint64 count)
{
    if (hasError())
        return QByteArray();
    if (count < 0 || count > bytesLeft()) {
        fail(QStringLiteral("data runs past the end of the file"));
        return QByteArray();
    }
    QByteArray bytes(static_cast<qsizetype>(count), Qt::Uninitialized);
    if (count > 0 && m_device.read(bytes.data(), count) != count) {
        fail(QStringLiteral("the file cannot be read: %1").arg(m_device.errorString()));
        return QByteArray();
    }
    return bytes;
}

ImageBlockCodec::Block TokenReader::readImageBlock()
{
    ImageBlockCodec::Block block;
    block.sizeValue = readNumber();
    const qint64 lastIndex = readNumber();
    if (hasError())
        return ImageBlockCodec::Block();
    if (lastIndex < 0) {
        fail(QStringLiteral("a picture has a negative length"));
        return ImageBlockCodec::Block();
    }
    // Compared without adding one, so that the largest 64-bit value cannot overflow.
    if (lastIndex >= bytesLeft()) {
        fail(QStringLiteral("a picture runs past the end of the file"));
        return ImageBlockCodec::Block();
    }
    block.compressed = readBytes(lastIndex + 1);
    return block;
}

QImage TokenReader::readImage(ImageBlockCodec& codec)
{
    const ImageBlockCodec::Block block = readImageBlock();
    if (hasError())
        return QImage();
    std::optional<QImage> image = codec.decode(block);
    if (!image) {
        fail(QStringLiteral("a picture is damaged and cannot be shown"));
        return QImage();
    }
    return *image;
}

double TokenReader::leadingNumber(QByteArrayView text)
{
    qsizetype start = 0;
    while (start < text.size() && isBlank(text[start]))
        ++start;
    return scanNumber(text, start).value;
}

std::optional<qint64> TokenReader::leadingInteger(QByteArrayView text)
{
    return toWholeNumber(leadingNumber(text));
}

std::optional<qint64> TokenReader::strictInteger(QByteArrayView text)
{
    qsizetype start = 0;
    qsizetype end = text.size();
    while (start < end && isBlank(text[start]))
        ++start;
    while (end > start && isBlank(text[end - 1]))
        --end;
    const ScannedNumber number = scanNumber(text.first(end), start);
    if (!number.hasDigits || number.end != end)
        return std::nullopt;
    return toWholeNumber(number.value);
}
