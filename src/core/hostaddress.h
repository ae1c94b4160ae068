// SPDX-License-Identifier: MIT
// Host addresses as people write them, and table links. A window joins a table at a name or an
// address with an optional port: "host", "host:7800", "192.0.2.7:7800", "[2001:db8::1]:7800", or a
// bare IPv6 address ("::1", which has no port: its colons are the address's own). A table link is
// "quibo://" and such an address with its port, at most followed by "/".
//
// Both come from people and from strangers (a link arrives in a chat or a mail), so nothing else is
// taken: every form that is not one of these is refused with a message that says what is wrong.
// Nothing here resolves names or opens sockets; the socket validates an address once more when it
// connects.
#pragma once

#include <QString>
#include <optional>

namespace quibo {

struct HostAndPort {
    QString host;                // a name, an IPv4 address or an IPv6 address (without brackets)
    std::optional<quint16> port; // absent: the game's usual port
    bool operator==(const HostAndPort&) const = default;
};

// The scheme of table links, with its separator.
inline constexpr char tableLinkPrefix[] = "quibo://";

// The host and port of an address as typed (blanks around it ignored); nullopt and a message in
// *problem when the text is not one of the forms above. An address may not begin with "-", so that
// it is never read as an option of the program it is passed to.
std::optional<HostAndPort> parseHostAddress(const QString& text, QString* problem = nullptr);

// Whether the text is meant as a table link (it begins with the scheme, in any case); it may still
// be a bad one.
bool looksLikeTableLink(const QString& text);
// The address a table link names; nullopt and a message when it is anything but
// quibo://HOST[:PORT][/], with an IPv6 address in brackets.
std::optional<HostAndPort> parseTableLink(const QString& text, QString* problem = nullptr);

// "host:port", with an IPv6 address in brackets ("[2001:db8::1]:7800").
QString addressWithPort(const QString& host, quint16 port);
// The table link for a host and its port: quibo://host:port.
QString tableLink(const QString& host, quint16 port);

} // namespace quibo
