// SPDX-License-Identifier: MIT
// The addresses of this machine at which others on the network can reach a table it hosts.
#pragma once

#include <QStringList>

namespace quibo {

// The addresses of the network interfaces that are up, loop-back excepted: the IPv4 ones in
// interface order, then the global and unique-local IPv6 ones (the link-local ones, with their
// zone, only when there is no other IPv6 address); "127.0.0.1" alone when there is none (only this
// machine can join then).
QStringList joinAddresses();

// Each address with the port, as people type it to join: "192.168.1.5:7772, [fd00::2]:7772".
QString joinAddressesText(const QStringList& addresses, quint16 port);

} // namespace quibo
