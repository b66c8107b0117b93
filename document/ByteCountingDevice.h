#pragma once

#include <QIODevice>

// A write-only device that keeps nothing and counts what passes through it, so that a file's
// size can be known by going through the steps of writing it.
class ByteCountingDevice : public QIODevice
{
public:
    ByteCountingDevice();

    qint64 count() const { return m_count; }
    // For content whose length is known without reading it (a file to be copied as it is).
    void addUnwritten(qint64 bytes) { m_count += bytes; }

    bool isSequential() const override { return true; }

protected:
    qint64 readData(char* data, qint64 maxSize) override;
    qint64 writeData(const char* data, qint64 size) override;

private:
    qint64 m_count = 0;
};
