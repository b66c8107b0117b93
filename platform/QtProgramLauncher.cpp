#include "platform/QtProgramLauncher.h"

#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>

QString QtProgramLauncher::findInstalled(const QString& name) const
{
    return QStandardPaths::findExecutable(name);
}

bool QtProgramLauncher::isExecutable(const QString& path) const
{
    const QFileInfo info(path);
    return info.isFile() && info.isExecutable();
}

bool QtProgramLauncher::start(const QString& program, const QStringList& arguments)
{
    QProcess process;
    process.setProgram(program);
    process.setArguments(arguments);
    // Output of a companion program is not ours to show.
    process.setStandardOutputFile(QProcess::nullDevice());
    process.setStandardErrorFile(QProcess::nullDevice());
    return process.startDetached();
}
