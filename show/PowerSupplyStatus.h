#pragma once

#include <QString>

// The AC line status as the kernel reports it under /sys/class/power_supply: 1 on mains, 0 on
// battery, 255 when a battery is there but whether the mains adapter feeds the machine cannot
// be told. A machine without a battery of its own (a desktop PC) is on mains, whatever else is
// listed.
class PowerSupplyStatus
{
public:
    static constexpr int Battery = 0;
    static constexpr int Online = 1;
    static constexpr int Unknown = 255;

    static int read(const QString& powerSupplyFolder = QStringLiteral("/sys/class/power_supply"));
};
