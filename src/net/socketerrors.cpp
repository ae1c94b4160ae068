// SPDX-License-Identifier: MIT
// Error numbers and names of the socket reports. TSock speaks the classic Windows Sockets numbers on
// every platform, so peers, logs and the chat show the same "Error #10054 (WSAECONNRESET)" texts
// whatever system the program runs on.
#include "socketerrors.h"

#include "tsock.h"

#include <QHash>
#include <cerrno>

namespace quibo {

QString socketErrorName(int number) {
    static const QHash<int, const char*> names = {
        {10004, "WSAEINTR"},           {10009, "WSAEBADF"},        {10013, "WSAEACCES"},
        {10014, "WSAEFAULT"},          {10022, "WSAEINVAL"},       {10024, "WSAEMFILE"},
        {10035, "WSAEWOULDBLOCK"},     {10036, "WSAEINPROGRESS"},  {10037, "WSAEALREADY"},
        {10038, "WSAENOTSOCK"},        {10039, "WSAEDESTADDRREQ"}, {10040, "WSAEMSGSIZE"},
        {10041, "WSAEPROTOTYPE"},      {10042, "WSAENOPROTOOPT"},  {10043, "WSAEPROTONOSUPPORT"},
        {10044, "WSAESOCKTNOSUPPORT"}, {10045, "WSAEOPNOTSUPP"},   {10046, "WSAEPFNOSUPPORT"},
        {10047, "WSAEAFNOSUPPORT"},    {10048, "WSAEADDRINUSE"},   {10049, "WSAEADDRNOTAVAIL"},
        {10050, "WSAENETDOWN"},        {10051, "WSAENETUNREACH"},  {10052, "WSAENETRESET"},
        {10053, "WSAECONNABORTED"},    {10054, "WSAECONNRESET"},   {10055, "WSAENOBUFS"},
        {10056, "WSAEISCONN"},         {10057, "WSAENOTCONN"},     {10058, "WSAESHUTDOWN"},
        {10059, "WSAETOOMANYREFS"},    {10060, "WSAETIMEDOUT"},    {10061, "WSAECONNREFUSED"},
        {10062, "WSAELOOP"},           {10063, "WSAENAMETOOLONG"}, {10064, "WSAEHOSTDOWN"},
        {10065, "WSAEHOSTUNREACH"},    {10066, "WSAENOTEMPTY"},    {10067, "WSAEPROCLIM"},
        {10068, "WSAEUSERS"},          {10069, "WSAEDQUOT"},       {10070, "WSAESTALE"},
        {10071, "WSAEREMOTE"},         {10091, "WSASYSNOTREADY"},  {10092, "WSAVERNOTSUPPORTED"},
        {10093, "WSANOTINITIALISED"},  {10101, "WSAEDISCON"},      {11001, "WSAHOST_NOT_FOUND"},
        {11002, "WSATRY_AGAIN"},       {11003, "WSANO_RECOVERY"},  {11004, "WSANO_DATA"},
    };
    const auto it = names.constFind(number);
    return it == names.constEnd() ? QStringLiteral("UNKNOWN ERROR") : QString::fromLatin1(it.value());
}

QString socketErrorText(int number) {
    return QStringLiteral("Error #%1 (%2)").arg(number).arg(socketErrorName(number));
}

int socketErrorFromErrno(int error) {
    switch (error) {
    case ECONNRESET:
        return wsaConnReset;
    case ECONNREFUSED:
        return wsaConnRefused;
    case ETIMEDOUT:
        return wsaTimedOut;
    case EHOSTUNREACH:
        return wsaHostUnreach;
    case ENETUNREACH:
        return wsaNetUnreach;
    case ENETDOWN:
        return wsaNetDown;
    case ENETRESET:
        return 10052;
    case ECONNABORTED:
        return 10053;
    case EPIPE:
        return 10058;
    case EADDRINUSE:
        return wsaAddrInUse;
    case EADDRNOTAVAIL:
        return 10049;
    case EACCES:
        return 10013;
    case ENOBUFS:
        return 10055;
    case EMFILE:
        return 10024;
    case EHOSTDOWN:
        return 10064;
    default:
        return 0;
    }
}

int socketErrorFromQt(QAbstractSocket::SocketError error, int lastErrno) {
    switch (error) {
    case QAbstractSocket::ConnectionRefusedError:
        return wsaConnRefused;
    case QAbstractSocket::RemoteHostClosedError:
        return wsaConnReset;
    case QAbstractSocket::HostNotFoundError:
        return wsaHostNotFound;
    case QAbstractSocket::SocketAccessError:
        return 10013;
    case QAbstractSocket::SocketResourceError:
        return 10055;
    case QAbstractSocket::SocketTimeoutError:
        return wsaTimedOut;
    case QAbstractSocket::DatagramTooLargeError:
        return 10040;
    case QAbstractSocket::AddressInUseError:
        return wsaAddrInUse;
    case QAbstractSocket::SocketAddressNotAvailableError:
        return 10049;
    case QAbstractSocket::UnsupportedSocketOperationError:
        return 10045;
    case QAbstractSocket::UnfinishedSocketOperationError:
        return 10036;
    case QAbstractSocket::TemporaryError:
        return 10035;
    case QAbstractSocket::OperationError:
        return 10022;
    case QAbstractSocket::NetworkError: {
        // Qt folds unreachable hosts and networks, timeouts and the like into one error; the
        // system's own error number still tells them apart.
        const int mapped = socketErrorFromErrno(lastErrno);
        return mapped ? mapped : wsaNetDown;
    }
    default: {
        const int mapped = socketErrorFromErrno(lastErrno);
        return mapped ? mapped : wsaNetDown;
    }
    }
}

} // namespace quibo
