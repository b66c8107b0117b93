#pragma once

#include <QImage>
#include <QStringList>

// The desktop's clipboard as the setup window uses it: file lists (presentations copied to and
// from file managers) and pictures (holding slide and pop-ups). Each call does its whole work at
// once; nothing is held open between calls.
class ClipboardService
{
public:
    virtual ~ClipboardService() = default;

    // True when the clipboard holds a list of files (what "Paste" of files needs).
    virtual bool hasFileList() const = 0;
    // Full paths in the order given; empty when there is no file list.
    virtual QStringList fileList() const = 0;
    // Replaces the clipboard's content with the files; false when the clipboard refused it.
    virtual bool PutFileListOnClipboard(const QStringList& paths) = 0;

    virtual bool hasPicture() const = 0;
    // A null image when the clipboard holds no picture.
    virtual QImage picture() const = 0;
    // Clears the clipboard, then puts the one picture on it.
    virtual void putPicture(const QImage& picture) = 0;
};
