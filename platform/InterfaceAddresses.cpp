#include "platform/InterfaceAddresses.h"

#include <QNetworkInterface>

QStringList InterfaceAddresses::ipv4()
{
    QStringList addresses;
    for (const QHostAddress& address : QNetworkInterface::allAddresses()) {
        if (address.protocol() == QAbstractSocket::IPv4Protocol)
            addresses << address.toString();
    }
    return addresses;
}
