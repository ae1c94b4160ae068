// SPDX-License-Identifier: MIT
// A loopback port kept from everybody for tests that must find nobody listening there.
#pragma once

#include <QtGlobal>
#ifdef Q_OS_UNIX
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>
#endif

namespace quibo::test {

// A socket bound to the loopback port without listening, or -1: a connect to that port is
// refused, and neither another test running beside this one nor the system's choice of a
// connecting port can take it over, which a merely closed port allows.
inline int holdPort(quint16 port) {
#ifdef Q_OS_UNIX
    const int fd = ::socket(AF_INET, SOCK_STREAM, 0);
    if (fd < 0) return -1;
    const int on = 1;
    ::setsockopt(fd, SOL_SOCKET, SO_REUSEADDR, &on, sizeof on);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_port = htons(port);
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    if (::bind(fd, reinterpret_cast<sockaddr*>(&address), sizeof address) == 0) return fd;
    ::close(fd);
#else
    Q_UNUSED(port);
#endif
    return -1;
}

inline void releasePort(int fd) {
#ifdef Q_OS_UNIX
    if (fd >= 0) ::close(fd);
#else
    Q_UNUSED(fd);
#endif
}

} // namespace quibo::test
