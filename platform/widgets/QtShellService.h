#pragma once

#include "platform/ShellService.h"

// The desktop's own handling of files: the default program for opening, the file manager's
// properties window (over D-Bus) for properties.
class QtShellService : public ShellService
{
public:
    bool openFile(const QString& path) override;
    // Falls back to showing the file's folder when no file manager answers on D-Bus.
    bool showProperties(const QString& path) override;
};
