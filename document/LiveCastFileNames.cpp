#include "document/LiveCastFileNames.h"

#include "document/Event.h"

#include <QDir>
#include <QFile>

QString LiveCastFileNames::timeCode(const QTime& time)
{
    return time.toString(QStringLiteral("HHmmss"));
}

QString LiveCastFileNames::speakerFolder(const QString& speakerName)
{
    QString folder = speakerName;
    return folder.replace(QLatin1Char(' '), QLatin1Char('_'));
}

QString LiveCastFileNames::popUp(int slot, const QString& timeCode)
{
    return QStringLiteral("p") + Event::popUpNumber(slot) + timeCode;
}

QString LiveCastFileNames::rolling(int slide, const QString& timeCode)
{
    return QStringLiteral("r") + QString::number(slide) + timeCode;
}

QString LiveCastFileNames::speakerSlide(int slide, const QString& timeCode)
{
    return QString::number(slide) + timeCode;
}

QString LiveCastFileNames::localCopyFolder(const QString& appFolder)
{
    QFile ini(appFolder + QStringLiteral("FMS.ini"));
    if (!ini.open(QIODevice::ReadOnly | QIODevice::Text))
        return {};
    const QString folder = QString::fromLocal8Bit(ini.readLine()).trimmed();
    if (folder.isEmpty() || !QDir(folder).exists())
        return {};
    return QDir::cleanPath(folder + QStringLiteral("/veskCast"));
}
