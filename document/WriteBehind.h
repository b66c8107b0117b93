#pragma once

#include <QtGlobal>

class QFileDevice;

// Keeps a file that must end up on its disk from running far ahead of it. What is written is
// sent to the disk every few megabytes, and the writer waits whenever more than WindowBytes are
// still on their way. Progress then shows what a stick really holds, a Cancel is taken within
// moments even on a slow one, and the wait for the disk at the end stays short, instead of the
// whole file being held in memory and flushed in one long wait after "100%".
class WriteBehind
{
public:
    static constexpr qint64 BatchBytes = 8 * 1000 * 1000;
    static constexpr qint64 WindowBytes = 32 * 1000 * 1000;

    explicit WriteBehind(QFileDevice& file) : m_file(file) {}

    // After each write. Errors are left to the flush at the end of the file, which reports them.
    void written();

private:
    QFileDevice& m_file;
    qint64 m_sent = 0;    // everything before this offset is on its way to the disk
    qint64 m_settled = 0; // and everything before this one is on it
};
