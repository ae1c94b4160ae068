// SPDX-License-Identifier: MIT
// AvahiConnection: one client of the system's mDNS responder (avahi-daemon, reached over the
// system's D-Bus), kept for as long as its owner wants it. Owned by a TableAnnouncer or a
// TableBrowser.
//
// The responder may be missing, may start later, may restart or go away: none of it is an error to
// the player, only "no discovery" for that while. The connection says running() when the owner may
// register or browse, paused() when the responder takes back what was registered (it renames this
// machine; the owner resets its registrations and makes them again at the next running()), and
// lost() when every object the owner made on the client is gone (the owner forgets them and waits
// for the next running()). Without a system bus it tries again every
// retryInterval; with one, the library itself waits for the responder to appear.
#pragma once

#include <QLoggingCategory>
#include <QObject>
#include <QTimer>
#include <chrono>

struct AvahiClient;

namespace quibo {

Q_DECLARE_LOGGING_CATEGORY(lcDiscovery)

class AvahiQtPoll;

class AvahiConnection : public QObject {
    Q_OBJECT
public:
    static constexpr std::chrono::milliseconds retryInterval{5000};

    explicit AvahiConnection(QObject* parent = nullptr);
    ~AvahiConnection() override;

    // The client while the responder runs, else null. Valid until lost() or the connection's end.
    AvahiClient* client() const { return m_running ? m_client : nullptr; }

Q_SIGNALS:
    void running();
    void paused();
    void lost();

private:
    static void stateChanged(AvahiClient* client, int state, void* userdata);
    void onState(AvahiClient* client, int state);
    void connectClient();

    AvahiQtPoll* m_poll = nullptr;
    AvahiClient* m_client = nullptr;
    bool m_running = false;
    bool m_madeObjects = false; // running() was said on this client
    bool m_toldMissing = false;
    QTimer m_retry;
};

} // namespace quibo
