#pragma once

#include <QString>

// What the desktop does with a file when asked: open it in its own program, or show its
// properties. Failures are the desktop's to report; callers ignore them.
class ShellService
{
public:
    virtual ~ShellService() = default;

    virtual bool openFile(const QString& path) = 0;
    virtual bool showProperties(const QString& path) = 0;
};
