#include "tests/fakes/FakeClipboardService.h"

bool FakeClipboardService::PutFileListOnClipboard(const QStringList& paths)
{
    m_picture = QImage();
    m_files = paths;
    return true;
}

void FakeClipboardService::putPicture(const QImage& picture)
{
    m_files.clear();
    m_picture = picture;
}

void FakeClipboardService::putOther()
{
    m_files.clear();
    m_picture = QImage();
}
