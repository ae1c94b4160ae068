// SPDX-License-Identifier: MIT
// The outside address a router reports for a port mapping, checked before anybody is shown it.
//
// Whatever answers the router discovery on the local network may be any device, also a hostile
// one, and may answer with any text. Only a plain address written the usual way is taken, and it
// is "public" only when others on the internet can reach it: not a private, shared (carrier NAT),
// loopback, link-local, documentation, multicast or otherwise reserved address.
#pragma once

#include <QByteArrayView>
#include <QHostAddress>

namespace quibo {

struct RouterAddress {
    enum class Kind { Public, NotPublic, Invalid };
    Kind kind = Kind::Invalid;
    // Set for Public and NotPublic; its text form is the one shown.
    QHostAddress address;
};

// Classifies the text a router sent as its outside address.
RouterAddress checkRouterAddress(QByteArrayView text);

// "198.51.100.4:7772", or "[2001:db8::1]:7772" for an IPv6 address.
QString addressWithPort(const QHostAddress& address, quint16 port);

} // namespace quibo
