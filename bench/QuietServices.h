#pragma once

#include "platform/ClipboardService.h"
#include "platform/MessageService.h"
#include "platform/ShellService.h"

#include <QImage>
#include <QStringList>

// The platform services a benchmark drives the setup side with: nobody answers (every box counts
// as OK), the clipboard holds nothing and the desktop opens nothing.
struct QuietServices
{
    class Messages : public MessageService
    {
    public:
        MsgAnswer show(const QString&, MsgButtons, MsgIcon) override { return MsgAnswer::Ok; }
    };

    class Clipboard : public ClipboardService
    {
    public:
        bool hasFileList() const override { return false; }
        QStringList fileList() const override { return {}; }
        bool PutFileListOnClipboard(const QStringList&) override { return false; }
        bool hasPicture() const override { return false; }
        QImage picture() const override { return {}; }
        void putPicture(const QImage&) override {}
    };

    class Shell : public ShellService
    {
    public:
        bool openFile(const QString&) override { return false; }
        bool showProperties(const QString&) override { return false; }
    };
};
