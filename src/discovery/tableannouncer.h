// SPDX-License-Identifier: MIT
// TableAnnouncer: announces one open table on the local network as a DNS-SD service of type
// "_quibo._tcp" on the table's port, with the TableRecord as its TXT record, through the system's
// mDNS responder. Owned by the host's TableListing for as long as the table is listed; the
// announcement goes with it.
//
// The service name is the one asked for; when another service on the network has it, the responder's
// usual alternative ("Quibo on vm #2") is taken. Without a responder (none built in, none running,
// or one that goes away) nothing is announced and nothing else changes; one that comes back gets
// the announcement again.
#pragma once

#include "tablerecord.h"

#include <QObject>
#include <QString>
#include <memory>

namespace quibo {

class TableAnnouncer : public QObject {
    Q_OBJECT
public:
    TableAnnouncer(const QString& serviceName, quint16 port, const TableRecord& record,
                   QObject* parent = nullptr);
    ~TableAnnouncer() override;

    // Replaces the TXT record the table is announced with.
    void setRecord(const TableRecord& record);
    // The name the responder has established the table under; empty while it is not announced.
    QString announcedName() const;

    // Whether this build can announce at all (it was built with the responder's library).
    static bool isBuiltIn();

Q_SIGNALS:
    // The responder has established the announcement under this name.
    void announced(const QString& name);

private:
    struct Private;
    std::unique_ptr<Private> d;
};

} // namespace quibo
