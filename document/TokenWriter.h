#pragma once

#include "document/ImageBlockCodec.h"

#include <QByteArray>
#include <QImage>
#include <QString>

class QIODevice;

// Writes the bracketed-token encoding read by TokenReader. Text is written as UTF-8; counts are
// byte counts. The first failed write is remembered and later writes are skipped, so callers
// can write a whole section and check hasError() once.
class TokenWriter
{
public:
    explicit TokenWriter(QIODevice& device);

    // Raw text, no brackets added.
    void WriteChars(const QString& text);
    void writeBytes(const QByteArray& bytes);
    // "[" + text + "]"; a "]" inside text would end the token early when read back.
    void writeToken(const QString& text);
    void writeNumber(qint64 value);
    // Count token, then the raw bytes: the text may hold any character, brackets included.
    void writeCountedString(const QString& text);
    void writeImageBlock(const ImageBlockCodec::Block& block);
    // Encodes image through codec; a null image or a failed encoding is a write error.
    void writeImage(const QImage& image, ImageBlockCodec& codec);

    // Where the tokens go; bytes written to it directly follow the last token.
    QIODevice& device() { return m_device; }

    bool hasError() const { return !m_error.isEmpty(); }
    QString errorMessage() const { return m_error; }
    void fail(const QString& message);

private:
    QIODevice& m_device;
    QString m_error;
};
