#pragma once

#include "platform/ClipboardService.h"

class QClipboard;

// The desktop's clipboard through Qt. File lists go out in every form a file manager or a
// Windows program may read and come in from whichever of them is there.
class QtClipboardService : public ClipboardService
{
public:
    // The clipboard must outlive the service (the application's, usually).
    explicit QtClipboardService(QClipboard& clipboard);

    bool hasFileList() const override;
    QStringList fileList() const override;
    // An empty list is not put on the clipboard (false): it would only wipe what is there.
    bool PutFileListOnClipboard(const QStringList& paths) override;

    bool hasPicture() const override;
    QImage picture() const override;
    void putPicture(const QImage& picture) override;

private:
    QClipboard& m_clipboard;
};
