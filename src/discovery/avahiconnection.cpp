// SPDX-License-Identifier: MIT
#include "avahiconnection.h"

#include "avahipoll.h"

#include <avahi-client/client.h>
#include <avahi-common/error.h>

namespace quibo {

Q_LOGGING_CATEGORY(lcDiscovery, "quibo.discovery")

AvahiConnection::AvahiConnection(QObject* parent)
    : QObject(parent)
    , m_poll(new AvahiQtPoll(this)) {
    m_retry.setSingleShot(true);
    connect(&m_retry, &QTimer::timeout, this, &AvahiConnection::connectClient);
    connectClient();
}

AvahiConnection::~AvahiConnection() {
    // The client's watches belong to the poll adapter: the client goes first.
    if (m_client) avahi_client_free(m_client);
}

void AvahiConnection::stateChanged(AvahiClient* client, int state, void* userdata) {
    static_cast<AvahiConnection*>(userdata)->onState(client, state);
}

void AvahiConnection::connectClient() {
    int error = 0;
    // NO_FAIL: a responder that is not running yet is waited for instead of failing.
    AvahiClient* client = avahi_client_new(
        m_poll->api(), AVAHI_CLIENT_NO_FAIL,
        [](AvahiClient* c, AvahiClientState state, void* userdata) { stateChanged(c, int(state), userdata); },
        this, &error);
    if (!client) {
        // A client that failed inside avahi_client_new is freed there already.
        m_client = nullptr;
        if (!m_toldMissing)
            qCInfo(lcDiscovery) << "no mDNS responder reachable:" << avahi_strerror(error)
                                << "- tables on the local network are neither announced nor listed";
        m_toldMissing = true;
        m_retry.start(retryInterval);
        return;
    }
    m_client = client;
}

void AvahiConnection::onState(AvahiClient* client, int state) {
    // The first call may come from inside avahi_client_new, before it has returned the client.
    m_client = client;
    switch (state) {
    case AVAHI_CLIENT_S_RUNNING:
        if (m_running) return;
        m_running = true;
        m_madeObjects = true;
        m_toldMissing = false;
        qCDebug(lcDiscovery) << "mDNS responder running";
        Q_EMIT running();
        return;
    case AVAHI_CLIENT_S_COLLISION:
    case AVAHI_CLIENT_S_REGISTERING:
        // The responder renames this machine: what was registered is registered again at the next
        // running().
        if (!m_running) return;
        m_running = false;
        Q_EMIT paused();
        return;
    case AVAHI_CLIENT_CONNECTING:
        // Waiting for a responder that has not started yet.
        return;
    case AVAHI_CLIENT_FAILURE:
    default:
        qCInfo(lcDiscovery) << "mDNS responder lost:" << avahi_strerror(avahi_client_errno(client));
        m_running = false;
        if (m_madeObjects) Q_EMIT lost();
        m_madeObjects = false;
        // Freed outside the library's callback, then a new client waits for the responder.
        QTimer::singleShot(0, this, [this, client] {
            if (m_client != client) return;
            avahi_client_free(client);
            m_client = nullptr;
            // Soon, not at once: a responder that keeps failing must not keep this loop busy.
            m_retry.start(std::chrono::milliseconds(500));
        });
        return;
    }
}

} // namespace quibo
