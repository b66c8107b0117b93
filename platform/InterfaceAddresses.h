#pragma once

#include <QStringList>

// This computer's IPv4 addresses, from the network interface table, as dotted-decimal texts,
// loopback included.
class InterfaceAddresses
{
public:
    static QStringList ipv4();
};
