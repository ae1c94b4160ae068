// SPDX-License-Identifier: MIT
// The addresses of this machine at which others on the network can reach a table it hosts.
#pragma once

#include <QStringList>

namespace quibo {

// The IPv4 addresses of the network interfaces that are up, loop-back excepted, in interface
// order; "127.0.0.1" alone when there is none (only this machine can join then).
QStringList joinAddresses();

// "192.168.1.5, 10.0.0.2" and the port, as a line for the chat or a label.
QString joinAddressesText(const QStringList& addresses, quint16 port);

} // namespace quibo
