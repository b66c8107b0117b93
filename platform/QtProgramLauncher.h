#pragma once

#include "platform/ProgramLauncher.h"

// Outside programs through QProcess, detached so that they outlive the setup window's command.
class QtProgramLauncher : public ProgramLauncher
{
public:
    QString findInstalled(const QString& name) const override;
    bool isExecutable(const QString& path) const override;
    bool start(const QString& program, const QStringList& arguments) override;
};
