// SPDX-License-Identifier: MIT
// The TCP listeners a process holds, as the system shows them (Linux: the process's socket
// descriptors matched by inode against /proc/net/tcp and tcp6). For tests that check where a real
// program listens; empty where the system does not tell.
#pragma once

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QList>
#include <QPair>
#include <QSet>
#include <QString>

#ifdef Q_OS_LINUX
#include <unistd.h>
#endif

namespace quibo::test {

struct Listener {
    bool ipv6 = false;
    QByteArray address; // as the kernel writes it: hexadecimal, in the system's byte order
    quint16 port = 0;

    // 127.0.0.1 or ::1, in either byte order.
    bool isLoopback() const {
        if (ipv6) return address == "00000000000000000000000001000000";
        return address == "0100007F" || address == "7F000001";
    }
};

// Every row of the system's TCP tables (/proc/net/tcp, then tcp6), split into its fields, with
// whether it came from the IPv6 table; empty where the system does not tell.
inline QList<QPair<bool, QList<QByteArray>>> tcpTableRows() {
    QList<QPair<bool, QList<QByteArray>>> rows;
    for (const char* table : {"/proc/net/tcp", "/proc/net/tcp6"}) {
        QFile file(QString::fromLatin1(table));
        if (!file.open(QIODevice::ReadOnly)) continue;
        for (const QByteArray& line : file.readAll().split('\n'))
            rows.append({table[13] == '6', line.simplified().split(' ')});
    }
    return rows;
}

inline QList<Listener> listenersOf(qint64 pid) {
    QList<Listener> found;
#ifdef Q_OS_LINUX
    QSet<QByteArray> inodes;
    const QDir fds(QStringLiteral("/proc/%1/fd").arg(pid));
    for (const QString& fd : fds.entryList(QDir::System | QDir::NoDotAndDotDot)) {
        char target[128] = {};
        const ssize_t length =
            ::readlink(QFile::encodeName(fds.filePath(fd)).constData(), target, sizeof target - 1);
        const QByteArray text(target, length > 0 ? int(length) : 0);
        if (text.startsWith("socket:[")) inodes.insert(text.mid(8, text.size() - 9));
    }
    for (const auto& [ipv6, fields] : tcpTableRows()) {
        // sl, local address, remote address, state ("0A" is listening), ..., inode (field 9)
        if (fields.size() < 10 || fields.at(3) != "0A" || !inodes.contains(fields.at(9))) continue;
        const QList<QByteArray> local = fields.at(1).split(':');
        found.append({ipv6, local.at(0), quint16(local.at(1).toUInt(nullptr, 16))});
    }
#else
    Q_UNUSED(pid);
#endif
    return found;
}

} // namespace quibo::test
