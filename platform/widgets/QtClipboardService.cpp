#include "platform/widgets/QtClipboardService.h"

#include "platform/MimeTransfer.h"

#include <QClipboard>
#include <QMimeData>

QtClipboardService::QtClipboardService(QClipboard& clipboard) : m_clipboard(clipboard) {}

bool QtClipboardService::hasFileList() const
{
    return MimeTransfer::hasFileList(m_clipboard.mimeData());
}

QStringList QtClipboardService::fileList() const
{
    return MimeTransfer::fileList(m_clipboard.mimeData());
}

bool QtClipboardService::PutFileListOnClipboard(const QStringList& paths)
{
    if (paths.isEmpty())
        return false;
    auto* data = new QMimeData;
    MimeTransfer::putFileList(data, paths);
    m_clipboard.setMimeData(data);
    // The platform may refuse the data (no clipboard, another owner holding it): ask it back.
    return MimeTransfer::hasFileList(m_clipboard.mimeData());
}

bool QtClipboardService::hasPicture() const
{
    return MimeTransfer::hasPicture(m_clipboard.mimeData());
}

QImage QtClipboardService::picture() const
{
    return MimeTransfer::picture(m_clipboard.mimeData());
}

void QtClipboardService::putPicture(const QImage& picture)
{
    m_clipboard.clear();
    if (picture.isNull())
        return;
    auto* data = new QMimeData;
    MimeTransfer::putPicture(data, picture);
    m_clipboard.setMimeData(data);
}
