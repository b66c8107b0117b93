#include "document/ByteCountingDevice.h"

ByteCountingDevice::ByteCountingDevice()
{
    open(QIODevice::WriteOnly | QIODevice::Unbuffered);
}

qint64 ByteCountingDevice::readData(char*, qint64)
{
    return -1;
}

qint64 ByteCountingDevice::writeData(const char*, qint64 size)
{
    m_count += size;
    return size;
}
