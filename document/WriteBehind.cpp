#include "document/WriteBehind.h"

#include <QFileDevice>

#include <fcntl.h>

void WriteBehind::written()
{
    const int fd = m_file.handle();
    if (fd < 0 || !m_file.flush())
        return;
    const qint64 end = m_file.pos();
    if (end - m_sent >= BatchBytes) {
        ::sync_file_range(fd, m_sent, end - m_sent, SYNC_FILE_RANGE_WRITE);
        m_sent = end;
    }
    if (end - m_settled > WindowBytes) {
        const qint64 upTo = end - WindowBytes;
        ::sync_file_range(fd, m_settled, upTo - m_settled,
                          SYNC_FILE_RANGE_WAIT_BEFORE | SYNC_FILE_RANGE_WRITE |
                              SYNC_FILE_RANGE_WAIT_AFTER);
        m_settled = upTo;
    }
}
