// SPDX-License-Identifier: MIT
#include "joinaddresses.h"

#include "hostaddress.h"

#include <QCoreApplication>
#include <QNetworkInterface>

namespace quibo {

namespace {

// Global and unique-local IPv6 addresses reach the table from elsewhere; a link-local one only
// from the same link, and only with the interface named, so it is listed only when there is no
// other.
bool isLinkLocal(const QHostAddress& address) {
    return address.isLinkLocal();
}

} // namespace

QStringList joinAddresses() {
    QStringList v4;
    QStringList v6;
    QStringList linkLocal;
    for (const QNetworkInterface& interface : QNetworkInterface::allInterfaces()) {
        const auto flags = interface.flags();
        if (!flags.testFlag(QNetworkInterface::IsUp) || !flags.testFlag(QNetworkInterface::IsRunning) ||
            flags.testFlag(QNetworkInterface::IsLoopBack))
            continue;
        for (const QNetworkAddressEntry& entry : interface.addressEntries()) {
            const QHostAddress address = entry.ip();
            if (address.isLoopback()) continue;
            if (address.protocol() == QAbstractSocket::IPv4Protocol)
                v4 << address.toString();
            else if (address.protocol() == QAbstractSocket::IPv6Protocol && isLinkLocal(address))
                linkLocal << address.toString(); // carries its zone ("fe80::1%eth0")
            else if (address.protocol() == QAbstractSocket::IPv6Protocol)
                v6 << address.toString();
        }
    }
    QStringList addresses = v4 + (v6.isEmpty() ? linkLocal : v6);
    addresses.removeDuplicates();
    if (addresses.isEmpty()) addresses << QStringLiteral("127.0.0.1");
    return addresses;
}

QString joinAddressesText(const QStringList& addresses, quint16 port) {
    QStringList withPorts;
    for (const QString& address : addresses)
        withPorts << addressWithPort(address, port);
    return withPorts.join(QStringLiteral(", "));
}

} // namespace quibo
