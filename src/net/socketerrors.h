// SPDX-License-Identifier: MIT
// Translation of platform and Qt socket errors into the error numbers TSock reports.
#pragma once

#include <QAbstractSocket>
#include <QString>

namespace quibo {

inline constexpr int wsaAddrInUse = 10048;
inline constexpr int wsaNetDown = 10050;
inline constexpr int wsaNetUnreach = 10051;
inline constexpr int wsaConnReset = 10054;
inline constexpr int wsaTimedOut = 10060;
inline constexpr int wsaConnRefused = 10061;
inline constexpr int wsaHostUnreach = 10065;
inline constexpr int wsaHostNotFound = 11001;

// The number for a system errno value, or 0 when it has none.
int socketErrorFromErrno(int error);
// The number for a Qt socket error; lastErrno refines Qt's catch-all network error.
int socketErrorFromQt(QAbstractSocket::SocketError error, int lastErrno);

} // namespace quibo
