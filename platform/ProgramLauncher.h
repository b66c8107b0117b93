#pragma once

#include <QString>
#include <QStringList>

// Starts outside programs (the desktop's sound settings, companion tools) without waiting for
// them.
class ProgramLauncher
{
public:
    virtual ~ProgramLauncher() = default;

    // Full path of an executable named name on the search path; empty when there is none.
    virtual QString findInstalled(const QString& name) const = 0;
    // True when path is an executable file.
    virtual bool isExecutable(const QString& path) const = 0;
    // Starts the program detached; false when it could not be started.
    virtual bool start(const QString& program, const QStringList& arguments) = 0;
};
