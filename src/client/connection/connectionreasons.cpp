// SPDX-License-Identifier: MIT
#include "connectionreasons.h"

#include "socketerrors.h"

#include <QCoreApplication>
#include <QRegularExpression>

namespace quibo {

namespace {

// The texts are marked with their context so the translation tools file them where this reads them.
QString say(const char* text) {
    return QCoreApplication::translate("quibo::ConnectionReasons", text);
}

QString plainWords(int number, const QString& host, quint16 port) {
    switch (number) {
    case wsaConnReset:
        return say(QT_TRANSLATE_NOOP("quibo::ConnectionReasons", "the host reset the connection."));
    case 10053:
        return say(
            QT_TRANSLATE_NOOP("quibo::ConnectionReasons", "the connection was broken off on this computer."));
    case wsaConnRefused:
        return say(QT_TRANSLATE_NOOP("quibo::ConnectionReasons",
                                     "nobody is listening at %1 port %2: is the table open?"))
            .arg(host)
            .arg(port);
    case wsaTimedOut:
        return say(QT_TRANSLATE_NOOP(
                       "quibo::ConnectionReasons",
                       "%1 did not answer in time: is the address right and the host's computer on?"))
            .arg(host);
    case wsaHostUnreach:
    case 10064:
        return say(QT_TRANSLATE_NOOP("quibo::ConnectionReasons", "%1 cannot be reached from this computer."))
            .arg(host);
    case wsaNetUnreach:
    case wsaNetDown:
        return say(QT_TRANSLATE_NOOP("quibo::ConnectionReasons",
                                     "this computer has no network that reaches %1."))
            .arg(host);
    case wsaHostNotFound:
    case 11002:
    case 11004:
        return say(QT_TRANSLATE_NOOP("quibo::ConnectionReasons",
                                     "no computer called %1 was found: check the address."))
            .arg(host);
    case wsaAddrInUse:
        return say(QT_TRANSLATE_NOOP("quibo::ConnectionReasons",
                                     "port %1 is already in use on this computer."))
            .arg(port);
    default:
        return {};
    }
}

} // namespace

QString plainConnectionReason(const QString& socketReport, const QString& host, quint16 port) {
    static const QRegularExpression code(QStringLiteral("^Error #(\\d+) \\("));
    const QRegularExpressionMatch match = code.match(socketReport);
    if (!match.hasMatch()) return socketReport;
    const QString plain = plainWords(match.captured(1).toInt(), host, port);
    if (plain.isEmpty()) return socketReport;
    return plain + QLatin1Char(' ') + socketReport;
}

} // namespace quibo
