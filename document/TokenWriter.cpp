#include "document/TokenWriter.h"

#include <QIODevice>

TokenWriter::TokenWriter(QIODevice& device) : m_device(device) {}

void TokenWriter::fail(const QString& message)
{
    if (m_error.isEmpty())
        m_error = message;
}

void TokenWriter::writeBytes(const QByteArray& bytes)
{
    if (hasError() || bytes.isEmpty())
        return;
    if (m_device.write(bytes) != bytes.size())
        fail(m_device.errorString());
}

void TokenWriter::WriteChars(const QString& text)
{
    writeBytes(text.toUtf8());
}

void TokenWriter::writeToken(const QString& text)
{
    writeBytes('[' + text.toUtf8() + ']');
}

void TokenWriter::writeNumber(qint64 value)
{
    writeBytes('[' + QByteArray::number(value) + ']');
}

void TokenWriter::writeCountedString(const QString& text)
{
    const QByteArray bytes = text.toUtf8();
    writeNumber(bytes.size());
    writeBytes(bytes);
}

void TokenWriter::writeImageBlock(const ImageBlockCodec::Block& block)
{
    writeNumber(block.sizeValue);
    writeNumber(block.compressed.size() - 1);
    writeBytes(block.compressed);
}

void TokenWriter::writeImage(const QImage& image, ImageBlockCodec& codec)
{
    if (hasError())
        return;
    const std::optional<ImageBlockCodec::Block> block = codec.encode(image);
    if (!block) {
        fail(image.isNull() ? QStringLiteral("a picture to be stored is missing")
                            : QStringLiteral("a picture could not be encoded"));
        return;
    }
    writeImageBlock(*block);
}
