#pragma once

#include <QString>

// The AC line status as the kernel reports it under /sys/class/power_supply: 1 on mains, 0 on
// battery, 255 when the machine tells nothing (no supply listed, or none readable).
class PowerSupplyStatus
{
public:
    static constexpr int Battery = 0;
    static constexpr int Online = 1;
    static constexpr int Unknown = 255;

    static int read(const QString& powerSupplyFolder = QStringLiteral("/sys/class/power_supply"));
};
