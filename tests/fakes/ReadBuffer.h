#pragma once

#include <QBuffer>

// Bytes to read from, as a device open for reading.
class ReadBuffer : public QBuffer
{
public:
    explicit ReadBuffer(const QByteArray& bytes)
    {
        setData(bytes);
        open(QIODevice::ReadOnly);
    }
};
