#include "PowerSupplyStatus.h"

#include <QDir>
#include <QFile>

namespace {

QString attribute(const QString& folder, const char* name)
{
    QFile file(folder + QLatin1Char('/') + QLatin1String(name));
    if (!file.open(QIODevice::ReadOnly))
        return QString();
    return QString::fromLatin1(file.read(64)).trimmed();
}

} // namespace

int PowerSupplyStatus::read(const QString& powerSupplyFolder)
{
    bool mainsOffline = false;
    bool batteryDischarging = false;
    bool batteryOnMains = false;
    const QStringList supplies =
        QDir(powerSupplyFolder).entryList(QDir::Dirs | QDir::NoDotAndDotDot, QDir::Name);
    for (const QString& name : supplies) {
        const QString folder = powerSupplyFolder + QLatin1Char('/') + name;
        const QString type = attribute(folder, "type");
        if (type == QStringLiteral("Mains")) {
            const QString online = attribute(folder, "online");
            if (online == QStringLiteral("1"))
                return Online;
            mainsOffline = mainsOffline || online == QStringLiteral("0");
        } else if (type == QStringLiteral("Battery")) {
            const QString status = attribute(folder, "status");
            if (status == QStringLiteral("Discharging"))
                batteryDischarging = true;
            else if (status == QStringLiteral("Charging") || status == QStringLiteral("Full"))
                batteryOnMains = true;
        }
    }
    if (batteryDischarging || mainsOffline)
        return Battery;
    if (batteryOnMains)
        return Online;
    return Unknown;
}
