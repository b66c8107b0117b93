#pragma once

#include "document/ImageBlockCodec.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QImage>
#include <QString>

#include <optional>

class QIODevice;

// Reads the bracketed-token encoding shared by the event, pop-ups and help files and
// "Session.INI" from a device of known size (a file or a buffer).
//
// Files come from other machines and may be truncated or damaged, so every read checks what is
// left of the device before it allocates anything. The first fault puts the reader into an error
// state: every later read returns an empty value at once, and errorMessage() says what was wrong
// in words for the operator. Callers check hasError() after each item or group of items.
class TokenReader
{
public:
    static constexpr qint64 MaxTokenBytes = 64 * 1024;

    // The device must stay open, and be positioned at the first item, while the reader is used.
    explicit TokenReader(QIODevice& device);

    // A bracketed token: bytes up to and including the next "]"; the value drops the first byte,
    // whatever it is, and the "]".
    QString ReadToken();
    QByteArray readTokenBytes();

    // A number token read the lenient way: leading blanks skipped, parsing stops at the first
    // character that cannot continue a number, nothing readable counts as 0; the result is
    // rounded to a whole number (halves to even). Only a value beyond 64 bits is an error.
    qint64 readNumber();
    // A number token that must hold a number and nothing else (blanks aside); used where a
    // wrong value would misread the rest of the file (lengths) or is a flag.
    qint64 readStrictNumber();

    // A counted string: a strict count token, then exactly that many raw bytes (UTF-8 text).
    QString ReadChars();
    QByteArray readCountedBytes();
    // Exactly count raw bytes; a count beyond the end of the device is an error.
    QByteArray readBytes(qint64 count);

    // An image block (size token, length token, packed bytes) decoded through codec.
    QImage readImage(ImageBlockCodec& codec);
    ImageBlockCodec::Block readImageBlock();

    bool hasError() const { return !m_error.isEmpty(); }
    // Describes the first fault, e.g. "a text runs past the end of the file".
    QString errorMessage() const { return m_error; }
    // For callers that find a fault in a value that was read correctly (a count out of range).
    void fail(const QString& message);

    qint64 bytesLeft() const;
    bool atEnd() const { return bytesLeft() <= 0; }

    // The lenient parse behind readNumber(), on the token's text, before and after rounding.
    static double leadingNumber(QByteArrayView text);
    static std::optional<qint64> leadingInteger(QByteArrayView text);
    // The strict parse behind readStrictNumber(); nothing when the text is not one number.
    static std::optional<qint64> strictInteger(QByteArrayView text);

private:
    QIODevice& m_device;
    QString m_error;
};
