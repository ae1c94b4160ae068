// SPDX-License-Identifier: MIT
// TableDirectory: the tables found on the local network, as the responder reports them, kept within
// bounds. Owned by a TableBrowser, which feeds it; widget-free and responder-free, so its bounds are
// tested without a network.
//
// A table is one service name in one domain. The responder reports it once per network interface and
// IP protocol it is seen on (an instance); each instance is resolved to an address, a port and the
// TXT record, and the table is listed once one of its instances is resolved, at the IPv4 address
// where there is one. Anyone on the local network can announce as many services as they like, so
// the directory keeps at most maxTables tables and maxInstancesPerTable instances of each: what
// comes beyond is not taken (so not resolved either) until the responder reports it again, at the
// next browse.
#pragma once

#include "tablerecord.h"

#include <QList>
#include <QString>
#include <optional>
#include <vector>

namespace quibo {

// One report of a table: on which interface and protocol the responder saw which service.
struct TableInstanceKey {
    int interfaceIndex = 0;
    int protocol = 0;
    QString serviceName;
    QString domain;

    bool operator==(const TableInstanceKey&) const = default;
};

// A listed table: where to join it and what it says about itself.
struct FoundTable {
    QString serviceName;
    QString domain;
    QString address; // the IP address, IPv6 ones with their scope ("fe80::1%eth0")
    quint16 port = 0;
    TableRecord record;

    // The address as the join field takes it: "192.0.2.7", "192.0.2.7:7800", "[2001:db8::1]:7800";
    // the port is left out when it is the game's usual one.
    QString joinAddress() const;
    // The hosting player's name, or the service's name while the table says none.
    QString shownHostName() const;
};

class TableDirectory {
public:
    static constexpr int maxTables = 50;
    static constexpr int maxInstancesPerTable = 4;

    // Takes a newly reported instance; false when it is not taken (a bound is reached, or it is known).
    bool addInstance(const TableInstanceKey& key);
    // What an instance resolved to; ignored for an instance that was not taken.
    void resolveInstance(const TableInstanceKey& key, const QString& address, quint16 port,
                         const TableRecord& record);
    // Forgets an instance, and the table with its last instance.
    void removeInstance(const TableInstanceKey& key);
    void clear() { m_tables.clear(); }

    // The tables with at least one resolved instance, ordered by host name.
    QList<FoundTable> tables() const;
    int tableCount() const { return int(m_tables.size()); }

private:
    struct Instance {
        TableInstanceKey key;
        std::optional<FoundTable> found;
    };
    struct Table {
        QString serviceName;
        QString domain;
        std::vector<Instance> instances;
    };
    Table* tableOf(const TableInstanceKey& key);

    std::vector<Table> m_tables;
};

} // namespace quibo
