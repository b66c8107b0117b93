#pragma once

#include "platform/ClipboardService.h"

// An in-memory clipboard: one content at a time, like the real one.
class FakeClipboardService : public ClipboardService
{
public:
    bool hasFileList() const override { return !m_files.isEmpty(); }
    QStringList fileList() const override { return m_files; }
    bool PutFileListOnClipboard(const QStringList& paths) override
    {
        putOther();
        m_files = paths;
        return true;
    }

    bool hasPicture() const override { return !m_picture.isNull(); }
    QImage picture() const override { return m_picture; }
    void putPicture(const QImage& picture) override
    {
        putOther();
        m_picture = picture;
    }

    // Something neither a file list nor a picture (plain text, say).
    void putOther()
    {
        m_files.clear();
        m_picture = QImage();
    }

private:
    QStringList m_files;
    QImage m_picture;
};
