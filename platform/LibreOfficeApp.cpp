#include "LibreOfficeApp.h"

#include <QFileInfo>
#include <QStringList>

LibreOfficeApp::LibreOfficeApp(const QString& configuredBinary)
{
    QString configured = configuredBinary;
    if (configured.isEmpty())
        configured = qEnvironmentVariable("STAGOR_SOFFICE");
    m_binary = findBinary(configured, qEnvironmentVariable("PATH"));
}

QString LibreOfficeApp::findBinary(const QString& configuredBinary, const QString& pathVariable)
{
    auto executable = [](const QString& path) {
        const QFileInfo info(path);
        return info.isFile() && info.isExecutable();
    };
    // A configured path that does not work is not silently replaced by another LibreOffice:
    // the operator asked for that one.
    if (!configuredBinary.isEmpty())
        return executable(configuredBinary) ? QFileInfo(configuredBinary).absoluteFilePath()
                                            : QString();
    const QStringList dirs = pathVariable.split(QLatin1Char(':'), Qt::SkipEmptyParts);
    for (const QString& dir : dirs) {
        const QString candidate = dir + QStringLiteral("/soffice");
        if (executable(candidate))
            return candidate;
    }
    return QString();
}
