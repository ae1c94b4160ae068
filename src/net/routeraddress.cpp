// SPDX-License-Identifier: MIT
#include "routeraddress.h"

#include <array>

namespace quibo {
namespace {

struct Range {
    quint32 network;
    int prefix;
};

// IPv4 blocks that are not reachable from the internet or not handed out to anyone.
constexpr std::array<Range, 17> reservedIPv4{{
    {0x00000000, 8},  // "this network"
    {0x0A000000, 8},  // private
    {0x64400000, 10}, // shared address space of carrier NAT
    {0x7F000000, 8},  // loopback
    {0xA9FE0000, 16}, // link-local
    {0xAC100000, 12}, // private
    {0xC0000000, 24}, // protocol assignments
    {0xC0000200, 24}, // documentation
    {0xC0586300, 24}, // 6to4 relay anycast
    {0xC0A80000, 16}, // private
    {0xC6120000, 15}, // benchmarking
    {0xC6336400, 24}, // documentation
    {0xCB007100, 24}, // documentation
    {0xE0000000, 4},  // multicast
    {0xF0000000, 4},  // reserved and broadcast
    {0xC01FC400, 24}, // AS112
    {0xC034C100, 24}, // AMT
}};

bool inRange(quint32 address, const Range& range) {
    const quint32 mask = range.prefix == 0 ? 0 : ~quint32(0) << (32 - range.prefix);
    return (address & mask) == (range.network & mask);
}

bool isPublic(const QHostAddress& address) {
    if (address.protocol() == QAbstractSocket::IPv4Protocol) {
        const quint32 value = address.toIPv4Address();
        for (const Range& range : reservedIPv4)
            if (inRange(value, range)) return false;
        return true;
    }
    // IPv6: global unicast (2000::/3) only, without the documentation block 2001:db8::/32 and
    // without the blocks that carry IPv4 addresses (6to4 2002::/16, Teredo 2001::/32).
    const Q_IPV6ADDR bytes = address.toIPv6Address();
    if ((bytes[0] & 0xE0) != 0x20) return false;
    if (bytes[0] == 0x20 && bytes[1] == 0x01 && bytes[2] == 0x0D && bytes[3] == 0xB8) return false;
    if (bytes[0] == 0x20 && bytes[1] == 0x02) return false;
    if (bytes[0] == 0x20 && bytes[1] == 0x01 && bytes[2] == 0x00 && bytes[3] == 0x00) return false;
    return true;
}

} // namespace

RouterAddress checkRouterAddress(QByteArrayView text) {
    // An address is at most 45 characters (IPv6 with an IPv4 tail); anything longer is not one.
    if (text.isEmpty() || text.size() > 45) return {};
    const QString written = QString::fromLatin1(text.data(), text.size());
    QHostAddress address;
    // Only the usual written form: no scope, no short forms such as "1.2.3", no blanks.
    if (!address.setAddress(written) || !address.scopeId().isEmpty() || address.toString() != written)
        return {};
    if (address.protocol() == QAbstractSocket::IPv6Protocol) {
        bool mapped = false;
        address.toIPv4Address(&mapped);
        if (mapped) return {RouterAddress::Kind::NotPublic, address};
    }
    return {isPublic(address) ? RouterAddress::Kind::Public : RouterAddress::Kind::NotPublic, address};
}

QString addressWithPort(const QHostAddress& address, quint16 port) {
    const QString host = address.protocol() == QAbstractSocket::IPv6Protocol
                             ? QStringLiteral("[%1]").arg(address.toString())
                             : address.toString();
    return QStringLiteral("%1:%2").arg(host).arg(port);
}

} // namespace quibo
