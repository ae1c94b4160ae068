// SPDX-License-Identifier: MIT
#include "hostaddress.h"

#include <QCoreApplication>

namespace quibo {

namespace {

// A DNS name is at most 253 characters; an IPv6 address with a zone and a port stays far below.
constexpr qsizetype maxAddressLength = 300;

QString say(const char* text) {
    return QCoreApplication::translate("quibo::HostAddress", text);
}

std::optional<HostAndPort> refuse(QString* problem, const QString& why) {
    if (problem) *problem = why;
    return std::nullopt;
}

bool isNameCharacter(QChar c) {
    return c.isLetterOrNumber() || c == u'-' || c == u'.' || c == u'_';
}

bool isName(QStringView text) {
    for (QChar c : text) {
        if (!isNameCharacter(c)) return false;
    }
    return !text.isEmpty();
}

// Hexadecimal groups, colons and a dotted IPv4 tail, then an optional zone ("%eth0"). The socket
// reads the address itself; this keeps anything else out of it.
bool isIPv6Text(QStringView text) {
    const qsizetype zone = text.indexOf(u'%');
    const QStringView address = zone < 0 ? text : text.first(zone);
    if (zone >= 0 && !isName(text.sliced(zone + 1))) return false;
    if (address.count(u':') < 2) return false;
    for (QChar c : address) {
        const bool hex = (c >= u'0' && c <= u'9') || (c >= u'a' && c <= u'f') || (c >= u'A' && c <= u'F');
        if (!hex && c != u':' && c != u'.') return false;
    }
    return true;
}

bool readPort(QStringView text, quint16& port) {
    if (text.isEmpty() || text.size() > 5) return false;
    uint value = 0;
    for (QChar c : text) {
        if (c < u'0' || c > u'9') return false;
        value = value * 10 + uint(c.unicode() - u'0');
    }
    if (value == 0 || value > 65535) return false;
    port = quint16(value);
    return true;
}

QString badPort(QStringView text) {
    return say(QT_TRANSLATE_NOOP("quibo::HostAddress",
                                 "\"%1\" is not a port: a port is a number from 1 to 65535."))
        .arg(text);
}

// "[v6]" or "[v6]:port".
std::optional<HostAndPort> parseBracketed(const QString& text, QString* problem) {
    const qsizetype close = text.indexOf(u']');
    if (close < 0 || text.indexOf(u'[', 1) >= 0)
        return refuse(problem, say(QT_TRANSLATE_NOOP("quibo::HostAddress",
                                                     "The brackets around the IPv6 address do not match.")));
    const QString host = text.sliced(1, close - 1);
    if (!isIPv6Text(host))
        return refuse(problem, say(QT_TRANSLATE_NOOP("quibo::HostAddress",
                                                     "\"%1\" in brackets is not an IPv6 address."))
                                   .arg(host));
    const QStringView after = QStringView(text).sliced(close + 1);
    if (after.isEmpty()) return HostAndPort{host, std::nullopt};
    if (after.indexOf(u']') >= 0)
        return refuse(problem, say(QT_TRANSLATE_NOOP("quibo::HostAddress",
                                                     "The brackets around the IPv6 address do not match.")));
    quint16 port = 0;
    if (!after.startsWith(u':'))
        return refuse(
            problem,
            say(QT_TRANSLATE_NOOP("quibo::HostAddress",
                                  "After the IPv6 address in brackets only a colon and a port may follow.")));
    if (!readPort(after.sliced(1), port)) return refuse(problem, badPort(after.sliced(1)));
    return HostAndPort{host, port};
}

} // namespace

std::optional<HostAndPort> parseHostAddress(const QString& typed, QString* problem) {
    const QString text = typed.trimmed();
    if (text.isEmpty())
        return refuse(problem,
                      say(QT_TRANSLATE_NOOP("quibo::HostAddress",
                                            "The address is empty: type the host's name or address.")));
    if (text.startsWith(u'-'))
        return refuse(problem,
                      say(QT_TRANSLATE_NOOP("quibo::HostAddress", "An address may not begin with \"-\".")));
    if (text.size() > maxAddressLength)
        return refuse(problem, say(QT_TRANSLATE_NOOP("quibo::HostAddress", "The address is too long.")));
    if (text.startsWith(u'[')) return parseBracketed(text, problem);
    if (text.contains(u'[') || text.contains(u']'))
        return refuse(problem, say(QT_TRANSLATE_NOOP("quibo::HostAddress",
                                                     "The brackets around the IPv6 address do not match.")));
    const qsizetype colons = text.count(u':');
    // Two colons or more: an IPv6 address without a port.
    if (colons >= 2) {
        if (!isIPv6Text(text))
            return refuse(problem, say(QT_TRANSLATE_NOOP(
                                           "quibo::HostAddress",
                                           "\"%1\" is not an IPv6 address; write an IPv6 address with a port "
                                           "in brackets: [2001:db8::1]:7800."))
                                       .arg(text));
        return HostAndPort{text, std::nullopt};
    }
    const qsizetype colon = text.indexOf(u':');
    const QString host = colon < 0 ? text : text.first(colon);
    if (host.isEmpty())
        return refuse(problem,
                      say(QT_TRANSLATE_NOOP("quibo::HostAddress",
                                            "The host's name or address is missing before the port.")));
    if (!isName(host))
        return refuse(
            problem,
            say(QT_TRANSLATE_NOOP("quibo::HostAddress",
                                  "\"%1\" is not a host name or address: it may hold only letters, digits, "
                                  "\"-\", \".\" and \"_\"."))
                .arg(host));
    if (colon < 0) return HostAndPort{host, std::nullopt};
    quint16 port = 0;
    if (!readPort(QStringView(text).sliced(colon + 1), port))
        return refuse(problem, badPort(QStringView(text).sliced(colon + 1)));
    return HostAndPort{host, port};
}

bool looksLikeTableLink(const QString& text) {
    return text.trimmed().startsWith(QLatin1String(tableLinkPrefix), Qt::CaseInsensitive);
}

std::optional<HostAndPort> parseTableLink(const QString& typed, QString* problem) {
    const QString text = typed.trimmed();
    const QString invalid = say(QT_TRANSLATE_NOOP(
        "quibo::HostAddress", "This is not a Quibo table link: a link reads quibo://HOST:PORT."));
    if (!looksLikeTableLink(text)) return refuse(problem, invalid);
    QString authority = text.sliced(qsizetype(sizeof tableLinkPrefix) - 1);
    if (authority.endsWith(u'/')) authority.chop(1);
    // No path, query, fragment, user or escapes: a link names a table and nothing else.
    for (QChar c : {u'/', u'?', u'#', u'@', u'%', u'\\'}) {
        if (authority.contains(c)) return refuse(problem, invalid);
    }
    // In a link an IPv6 address is always in brackets, as in every URL.
    if (!authority.startsWith(u'[') && authority.count(u':') > 1) return refuse(problem, invalid);
    QString why;
    const std::optional<HostAndPort> address = parseHostAddress(authority, &why);
    if (!address || authority != authority.trimmed()) return refuse(problem, invalid + u' ' + why);
    return address;
}

QString addressWithPort(const QString& host, quint16 port) {
    const QString shown = host.contains(u':') ? u'[' + host + u']' : host;
    return shown + u':' + QString::number(port);
}

QString tableLink(const QString& host, quint16 port) {
    return QLatin1String(tableLinkPrefix) + addressWithPort(host, port);
}

} // namespace quibo
