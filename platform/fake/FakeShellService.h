#pragma once

#include "platform/ShellService.h"

#include <QStringList>

// Records the files the desktop was asked to open.
class FakeShellService : public ShellService
{
public:
    bool openFile(const QString& path) override
    {
        opened << path;
        return true;
    }
    bool showProperties(const QString&) override { return true; }

    QStringList opened;
};
