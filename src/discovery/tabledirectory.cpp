// SPDX-License-Identifier: MIT
#include "tabledirectory.h"

#include "commands.h"

#include <algorithm>

namespace quibo {

QString FoundTable::joinAddress() const {
    const bool ipv6 = address.contains(u':');
    if (port == defaultGamePort && !ipv6) return address;
    return (ipv6 ? u'[' + address + u']' : address) + u':' + QString::number(port);
}

QString FoundTable::shownHostName() const {
    return record.hostName.isEmpty() ? listableText(serviceName, maxHostNameCharacters) : record.hostName;
}

TableDirectory::Table* TableDirectory::tableOf(const TableInstanceKey& key) {
    const auto it = std::find_if(m_tables.begin(), m_tables.end(), [&](const Table& table) {
        return table.serviceName == key.serviceName && table.domain == key.domain;
    });
    return it == m_tables.end() ? nullptr : &*it;
}

bool TableDirectory::addInstance(const TableInstanceKey& key) {
    Table* table = tableOf(key);
    if (!table) {
        if (int(m_tables.size()) >= maxTables) return false;
        table = &m_tables.emplace_back(Table{key.serviceName, key.domain, {}});
    }
    const bool known = std::any_of(table->instances.begin(), table->instances.end(),
                                   [&](const Instance& instance) { return instance.key == key; });
    if (known || int(table->instances.size()) >= maxInstancesPerTable) return false;
    table->instances.push_back(Instance{key, std::nullopt});
    return true;
}

void TableDirectory::resolveInstance(const TableInstanceKey& key, const QString& address, quint16 port,
                                     const TableRecord& record) {
    Table* table = tableOf(key);
    if (!table) return;
    for (Instance& instance : table->instances) {
        if (instance.key == key)
            instance.found = FoundTable{key.serviceName, key.domain, address, port, record};
    }
}

void TableDirectory::removeInstance(const TableInstanceKey& key) {
    Table* table = tableOf(key);
    if (!table) return;
    std::erase_if(table->instances, [&](const Instance& instance) { return instance.key == key; });
    if (table->instances.empty())
        std::erase_if(m_tables, [&](const Table& t) { return t.instances.empty(); });
}

QList<FoundTable> TableDirectory::tables() const {
    QList<FoundTable> listed;
    for (const Table& table : m_tables) {
        const FoundTable* best = nullptr;
        for (const Instance& instance : table.instances) {
            if (!instance.found) continue;
            const bool ipv4 = !instance.found->address.contains(u':');
            if (!best || (ipv4 && best->address.contains(u':'))) best = &*instance.found;
        }
        if (best) listed.append(*best);
    }
    std::stable_sort(listed.begin(), listed.end(), [](const FoundTable& a, const FoundTable& b) {
        return a.shownHostName().compare(b.shownHostName(), Qt::CaseInsensitive) < 0;
    });
    return listed;
}

} // namespace quibo
