#pragma once

#include "ShellService.h"

#include <QStringList>

// Records what the desktop was asked to do.
class FakeShellService : public ShellService
{
public:
    bool openFile(const QString& path) override
    {
        opened << path;
        return true;
    }
    bool showProperties(const QString& path) override
    {
        properties << path;
        return true;
    }

    QStringList opened;
    QStringList properties;
};
