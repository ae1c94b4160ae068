// SPDX-License-Identifier: MIT
#include "joinaddresses.h"

#include <QCoreApplication>
#include <QNetworkInterface>

namespace quibo {

QStringList joinAddresses() {
    QStringList addresses;
    for (const QNetworkInterface& interface : QNetworkInterface::allInterfaces()) {
        const auto flags = interface.flags();
        if (!flags.testFlag(QNetworkInterface::IsUp) || !flags.testFlag(QNetworkInterface::IsRunning) ||
            flags.testFlag(QNetworkInterface::IsLoopBack))
            continue;
        for (const QNetworkAddressEntry& entry : interface.addressEntries()) {
            const QHostAddress address = entry.ip();
            if (address.protocol() == QAbstractSocket::IPv4Protocol && !address.isLoopback())
                addresses << address.toString();
        }
    }
    addresses.removeDuplicates();
    if (addresses.isEmpty()) addresses << QStringLiteral("127.0.0.1");
    return addresses;
}

QString joinAddressesText(const QStringList& addresses, quint16 port) {
    return QCoreApplication::translate("quibo::JoinAddresses", "%1 (port %2)")
        .arg(addresses.join(QStringLiteral(", ")))
        .arg(port);
}

} // namespace quibo
