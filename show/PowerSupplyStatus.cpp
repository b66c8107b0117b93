#include "show/PowerSupplyStatus.h"

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
    bool batteryPresent = false;
    bool batteryDischarging = false;
    bool batteryOnMains = false;
    bool mainsOnline = false;
    bool mainsOffline = false;
    const QStringList supplies =
        QDir(powerSupplyFolder).entryList(QDir::Dirs | QDir::NoDotAndDotDot, QDir::Name);
    for (const QString& name : supplies) {
        const QString folder = powerSupplyFolder + QLatin1Char('/') + name;
        const QString type = attribute(folder, "type");
        if (type == QStringLiteral("Mains")) {
            const QString online = attribute(folder, "online");
            mainsOnline = mainsOnline || online == QStringLiteral("1");
            mainsOffline = mainsOffline || online == QStringLiteral("0");
        } else if (type == QStringLiteral("Battery")) {
            // A wireless mouse or keyboard lists its battery here too, scoped to the device:
            // it says nothing about what powers the machine.
            if (attribute(folder, "scope") == QStringLiteral("Device"))
                continue;
            batteryPresent = true;
            const QString status = attribute(folder, "status");
            if (status == QStringLiteral("Discharging"))
                batteryDischarging = true;
            else if (status == QStringLiteral("Charging") || status == QStringLiteral("Full"))
                batteryOnMains = true;
        }
    }
    if (!batteryPresent)
        return Online;
    // A charger too weak for the load still drains the battery: that is battery power.
    if (batteryDischarging)
        return Battery;
    if (mainsOnline)
        return Online;
    if (mainsOffline)
        return Battery;
    return batteryOnMains ? Online : Unknown;
}
