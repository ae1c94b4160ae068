// SPDX-License-Identifier: MIT
// TableAnnouncer through Avahi: one entry group holding the table's service.
#include "avahiconnection.h"
#include "peertext.h"
#include "tableannouncer.h"

#include <avahi-client/client.h>
#include <avahi-client/publish.h>
#include <avahi-common/alternative.h>
#include <avahi-common/error.h>
#include <avahi-common/malloc.h>
#include <avahi-common/strlst.h>

namespace quibo {

namespace {

// The record's entries as the library's string list; the caller frees it.
AvahiStringList* txtList(const TableRecord& record) {
    AvahiStringList* list = nullptr;
    const QList<QByteArray> entries = txtEntries(record);
    // The list is built from its end: avahi_string_list_add puts an entry in front.
    for (auto it = entries.crbegin(); it != entries.crend(); ++it)
        list = avahi_string_list_add_arbitrary(list, reinterpret_cast<const uint8_t*>(it->constData()),
                                               size_t(it->size()));
    return list;
}

} // namespace

struct TableAnnouncer::Private {
    TableAnnouncer* self = nullptr;
    AvahiConnection connection;
    QByteArray name; // the service name, in UTF-8, as the responder knows it
    quint16 port = 0;
    TableRecord record;
    AvahiEntryGroup* group = nullptr;
    bool established = false;

    static void groupChanged(AvahiEntryGroup* group, AvahiEntryGroupState state, void* userdata);
    void onGroupState(AvahiEntryGroup* changed, AvahiEntryGroupState state);
    void addService();
    void takeAlternativeName();
};

void TableAnnouncer::Private::groupChanged(AvahiEntryGroup* group, AvahiEntryGroupState state,
                                           void* userdata) {
    static_cast<Private*>(userdata)->onGroupState(group, state);
}

void TableAnnouncer::Private::takeAlternativeName() {
    char* alternative = avahi_alternative_service_name(name.constData());
    qCInfo(lcDiscovery).noquote() << "table name" << QString::fromUtf8(name) << "is taken on the network, now"
                                  << QString::fromUtf8(alternative);
    name = alternative;
    avahi_free(alternative);
}

void TableAnnouncer::Private::onGroupState(AvahiEntryGroup* changed, AvahiEntryGroupState state) {
    // Called from inside avahi_entry_group_new too, before group is set.
    group = changed;
    switch (state) {
    case AVAHI_ENTRY_GROUP_ESTABLISHED:
        established = true;
        qCInfo(lcDiscovery).noquote() << "table announced on the local network as" << QString::fromUtf8(name);
        Q_EMIT self->announced(QString::fromUtf8(name));
        return;
    case AVAHI_ENTRY_GROUP_COLLISION:
        established = false;
        takeAlternativeName();
        avahi_entry_group_reset(group);
        addService();
        return;
    case AVAHI_ENTRY_GROUP_FAILURE:
        established = false;
        qCWarning(lcDiscovery) << "the responder refused the table's announcement:"
                               << avahi_strerror(avahi_client_errno(avahi_entry_group_get_client(group)));
        return;
    case AVAHI_ENTRY_GROUP_UNCOMMITED:
    case AVAHI_ENTRY_GROUP_REGISTERING:
        return;
    }
}

void TableAnnouncer::Private::addService() {
    AvahiClient* client = connection.client();
    if (!client) return;
    if (!group) {
        group = avahi_entry_group_new(client, &Private::groupChanged, this);
        if (!group) {
            qCWarning(lcDiscovery) << "no announcement:" << avahi_strerror(avahi_client_errno(client));
            return;
        }
    }
    // A name the responder calls a collision at once is replaced, a bounded number of times.
    for (int attempt = 0; attempt < 10; ++attempt) {
        AvahiStringList* txt = txtList(record);
        const int result = avahi_entry_group_add_service_strlst(
            group, AVAHI_IF_UNSPEC, AVAHI_PROTO_UNSPEC, AvahiPublishFlags(0), name.constData(),
            tableServiceType, nullptr, nullptr, port, txt);
        avahi_string_list_free(txt);
        if (result == AVAHI_ERR_COLLISION) {
            takeAlternativeName();
            avahi_entry_group_reset(group);
            continue;
        }
        if (result < 0 || avahi_entry_group_commit(group) < 0) {
            qCWarning(lcDiscovery) << "no announcement:"
                                   << avahi_strerror(result < 0 ? result : avahi_client_errno(client));
            avahi_entry_group_reset(group);
        }
        return;
    }
}

TableAnnouncer::TableAnnouncer(const QString& serviceName, quint16 port, const TableRecord& record,
                               QObject* parent)
    : QObject(parent)
    , d(std::make_unique<Private>()) {
    d->self = this;
    // A DNS label holds at most 63 bytes.
    d->name = cutToBytes(serviceName.toUtf8(), 63);
    d->port = port;
    d->record = record;
    connect(&d->connection, &AvahiConnection::running, this, [this] { d->addService(); });
    connect(&d->connection, &AvahiConnection::paused, this, [this] {
        d->established = false;
        if (d->group) avahi_entry_group_reset(d->group);
    });
    connect(&d->connection, &AvahiConnection::lost, this, [this] {
        d->established = false;
        d->group = nullptr; // freed with the client
    });
    d->addService();
}

TableAnnouncer::~TableAnnouncer() {
    // Freeing the group withdraws the service (the responder says goodbye on the network).
    if (d->group) avahi_entry_group_free(d->group);
}

void TableAnnouncer::setRecord(const TableRecord& record) {
    if (record == d->record) return;
    d->record = record;
    if (!d->group || avahi_entry_group_is_empty(d->group)) return;
    AvahiStringList* txt = txtList(record);
    const int result = avahi_entry_group_update_service_txt_strlst(
        d->group, AVAHI_IF_UNSPEC, AVAHI_PROTO_UNSPEC, AvahiPublishFlags(0), d->name.constData(),
        tableServiceType, nullptr, txt);
    avahi_string_list_free(txt);
    if (result < 0)
        qCInfo(lcDiscovery) << "the table's record was not updated:" << avahi_strerror(result);
    else
        qCDebug(lcDiscovery) << "table record updated:" << txtEntries(record);
}

QString TableAnnouncer::announcedName() const {
    return d->established ? QString::fromUtf8(d->name) : QString();
}

bool TableAnnouncer::isBuiltIn() {
    return true;
}

} // namespace quibo
