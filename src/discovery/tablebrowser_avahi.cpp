// SPDX-License-Identifier: MIT
// TableBrowser through Avahi: one service browser, and one resolver for each instance the
// directory takes (so never more than the directory's bounds). A resolver stays while its instance
// is announced and reports the instance's record again when it changes.
#include "avahiconnection.h"
#include "tablebrowser.h"

#include <avahi-client/lookup.h>
#include <avahi-common/address.h>
#include <avahi-common/error.h>
#include <avahi-common/strlst.h>
#include <net/if.h>
#include <vector>

namespace quibo {

namespace {

QList<QByteArray> txtEntriesOf(AvahiStringList* txt) {
    QList<QByteArray> entries;
    for (AvahiStringList* entry = txt; entry && entries.size() < maxTxtEntries;
         entry = avahi_string_list_get_next(entry))
        entries.append(QByteArray(reinterpret_cast<const char*>(avahi_string_list_get_text(entry)),
                                  qsizetype(avahi_string_list_get_size(entry))));
    return entries;
}

// The address as text; an IPv6 link-local one carries its interface, without which it cannot be
// reached.
QString addressText(const AvahiAddress* address, AvahiIfIndex interfaceIndex) {
    char text[AVAHI_ADDRESS_STR_MAX] = {};
    avahi_address_snprint(text, sizeof text, address);
    QString shown = QString::fromLatin1(text);
    if (address->proto == AVAHI_PROTO_INET6 &&
        shown.startsWith(QLatin1String("fe80:"), Qt::CaseInsensitive)) {
        char name[IF_NAMESIZE] = {};
        if (interfaceIndex > 0 && if_indextoname(unsigned(interfaceIndex), name))
            shown += u'%' + QString::fromLatin1(name);
    }
    return shown;
}

} // namespace

struct TableBrowser::Private {
    struct Resolver {
        TableInstanceKey key;
        AvahiServiceResolver* resolver = nullptr;
    };

    TableBrowser* self = nullptr;
    std::unique_ptr<AvahiConnection> connection; // while browsing
    AvahiServiceBrowser* browser = nullptr;
    std::vector<Resolver> resolvers;
    TableDirectory directory;

    static void browsed(AvahiServiceBrowser*, AvahiIfIndex interfaceIndex, AvahiProtocol protocol,
                        AvahiBrowserEvent event, const char* name, const char* type, const char* domain,
                        AvahiLookupResultFlags, void* userdata);
    static void resolved(AvahiServiceResolver* resolver, AvahiIfIndex interfaceIndex, AvahiProtocol protocol,
                         AvahiResolverEvent event, const char* name, const char* type, const char* domain,
                         const char* hostName, const AvahiAddress* address, uint16_t port,
                         AvahiStringList* txt, AvahiLookupResultFlags, void* userdata);
    void startBrowser();
    void forgetAll(bool freeObjects, bool tell = true);
    void onNew(const TableInstanceKey& key, const char* type);
    void onRemove(const TableInstanceKey& key);
};

void TableBrowser::Private::startBrowser() {
    AvahiClient* client = connection ? connection->client() : nullptr;
    if (!client || browser) return;
    browser = avahi_service_browser_new(client, AVAHI_IF_UNSPEC, AVAHI_PROTO_UNSPEC, tableServiceType,
                                        nullptr, AvahiLookupFlags(0), &Private::browsed, this);
    if (!browser) qCWarning(lcDiscovery) << "no table browser:" << avahi_strerror(avahi_client_errno(client));
}

void TableBrowser::Private::forgetAll(bool freeObjects, bool tell) {
    if (freeObjects) {
        for (const Resolver& r : resolvers)
            avahi_service_resolver_free(r.resolver);
        if (browser) avahi_service_browser_free(browser);
    }
    resolvers.clear();
    browser = nullptr;
    const bool hadTables = directory.tableCount() > 0;
    directory.clear();
    if (hadTables && tell) Q_EMIT self->tablesChanged();
}

void TableBrowser::Private::onNew(const TableInstanceKey& key, const char* type) {
    if (!directory.addInstance(key)) return;
    // The address of the instance's own protocol: an instance seen over IPv4 is joined over IPv4.
    AvahiServiceResolver* resolver = avahi_service_resolver_new(
        connection->client(), key.interfaceIndex, key.protocol, key.serviceName.toUtf8().constData(), type,
        key.domain.toUtf8().constData(), key.protocol, AvahiLookupFlags(0), &Private::resolved, this);
    if (!resolver) {
        directory.removeInstance(key);
        return;
    }
    resolvers.push_back(Resolver{key, resolver});
}

void TableBrowser::Private::onRemove(const TableInstanceKey& key) {
    for (auto it = resolvers.begin(); it != resolvers.end(); ++it) {
        if (it->key == key) {
            avahi_service_resolver_free(it->resolver);
            resolvers.erase(it);
            break;
        }
    }
    directory.removeInstance(key);
    Q_EMIT self->tablesChanged();
}

void TableBrowser::Private::browsed(AvahiServiceBrowser*, AvahiIfIndex interfaceIndex, AvahiProtocol protocol,
                                    AvahiBrowserEvent event, const char* name, const char* type,
                                    const char* domain, AvahiLookupResultFlags, void* userdata) {
    auto* d = static_cast<Private*>(userdata);
    switch (event) {
    case AVAHI_BROWSER_NEW:
        d->onNew({interfaceIndex, protocol, QString::fromUtf8(name), QString::fromUtf8(domain)}, type);
        return;
    case AVAHI_BROWSER_REMOVE:
        d->onRemove({interfaceIndex, protocol, QString::fromUtf8(name), QString::fromUtf8(domain)});
        return;
    case AVAHI_BROWSER_FAILURE:
        qCInfo(lcDiscovery) << "browsing for tables failed";
        d->forgetAll(true);
        return;
    case AVAHI_BROWSER_ALL_FOR_NOW:
    case AVAHI_BROWSER_CACHE_EXHAUSTED:
        return;
    }
}

void TableBrowser::Private::resolved(AvahiServiceResolver*, AvahiIfIndex interfaceIndex,
                                     AvahiProtocol protocol, AvahiResolverEvent event, const char* name,
                                     const char*, const char* domain, const char*,
                                     const AvahiAddress* address, uint16_t port, AvahiStringList* txt,
                                     AvahiLookupResultFlags, void* userdata) {
    // A failed resolver (no answer in time) stays until its instance goes; the table stays unlisted.
    if (event != AVAHI_RESOLVER_FOUND || !address) return;
    auto* d = static_cast<Private*>(userdata);
    const TableInstanceKey key{interfaceIndex, protocol, QString::fromUtf8(name), QString::fromUtf8(domain)};
    d->directory.resolveInstance(key, addressText(address, interfaceIndex), port,
                                 tableRecordFromTxt(txtEntriesOf(txt)));
    Q_EMIT d->self->tablesChanged();
}

TableBrowser::TableBrowser(QObject* parent)
    : QObject(parent)
    , d(std::make_unique<Private>()) {
    d->self = this;
}

TableBrowser::~TableBrowser() {
    // Nobody is told: the receivers may be going already.
    d->forgetAll(true, false);
}

void TableBrowser::start() {
    if (d->connection) return;
    d->connection = std::make_unique<AvahiConnection>();
    connect(d->connection.get(), &AvahiConnection::running, this, [this] {
        d->startBrowser();
        Q_EMIT responderChanged(true);
    });
    connect(d->connection.get(), &AvahiConnection::lost, this, [this] {
        d->forgetAll(false); // freed with the client
        Q_EMIT responderChanged(false);
    });
    d->startBrowser();
}

void TableBrowser::stop() {
    if (!d->connection) return;
    const bool wasRunning = d->connection->client() != nullptr;
    d->forgetAll(true);
    d->connection.reset();
    if (wasRunning) Q_EMIT responderChanged(false);
}

bool TableBrowser::isBrowsing() const {
    return d->connection != nullptr;
}

QList<FoundTable> TableBrowser::tables() const {
    return d->directory.tables();
}

bool TableBrowser::isResponderRunning() const {
    return d->connection && d->connection->client() != nullptr;
}

bool TableBrowser::isBuiltIn() {
    return true;
}

} // namespace quibo
