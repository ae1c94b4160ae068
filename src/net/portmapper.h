// SPDX-License-Identifier: MIT
// PortMapper: asks the router of the local network to forward the game port to this computer, so
// that players on the internet reach a table hosted behind it, and removes the forwarding again.
//
// Owned by whoever opens a table for others (the hosting desktop copy, quibo-host --map-port), for
// as long as the table listens. It tries NAT-PMP first, then UPnP IGD, each through Debian's
// library when the program is built with it. The library calls block, so they run on a thread of
// the mapper's own; the result comes back as the signal finished on the owner's thread, and
// neither the window nor the exit waits for a router that does not answer longer than a few
// seconds.
//
// Abuse: any device on the local network can answer the discovery, and with anything. The outside
// address it reports is shown only when it is a plain, public IPv4 or IPv6 address
// (checkRouterAddress), and then as plain text; the failure texts are the libraries' own. A hole
// in the router is bounded: the mapping is asked for with a lease of at most an hour, renewed at
// half of what the router granted while the table is open, and removed when the mapper goes, so a
// program that crashes leaves the port open for an hour at most (only a router that grants no
// lease keeps it until it restarts).
#pragma once

#include <QHostAddress>
#include <QObject>
#include <QString>
#include <memory>

namespace quibo {

// What the mapper shares with its thread (portmapper.cpp).
struct PortMapperState;

struct PortMapping {
    enum class Status {
        Mapped,      // forwarded; others join at externalAddress:externalPort
        NoAnswer,    // no router answered by either protocol
        Refused,     // a router answered but did not forward the port
        NotPublic,   // the router's outside address is not reachable from the internet
        Unavailable, // built without both libraries
    };
    Status status = Status::NoAnswer;
    quint16 port = 0;
    QHostAddress externalAddress;
    quint16 externalPort = 0;
    QString method; // "NAT-PMP" or "UPnP"
    QString detail; // the library's reason for a refusal
};

// The one sentence that tells the player what came of it.
QString portMappingReport(const PortMapping& mapping);

class PortMapper : public QObject {
    Q_OBJECT
public:
    enum Method { NatPmp = 1, Upnp = 2, AllMethods = NatPmp | Upnp };
    // The longest lease asked for.
    static constexpr quint32 maxLeaseSeconds = 3600;

    explicit PortMapper(QObject* parent = nullptr);
    // Removes the mapping, waiting for the router at most stopWaitMilliseconds.
    ~PortMapper() override;

    // Whether the program was built with a way of asking the router.
    static bool available();

    // Before start: which protocols to try (tests choose one), and the lease asked for (at most
    // maxLeaseSeconds, at least 2 s).
    void setMethods(int methods) { m_methods = methods; }
    void setLeaseSeconds(quint32 seconds);

    // Asks for the forwarding of this TCP port; finished follows once.
    void start(quint16 port);
    // Removes the mapping and ends the thread; called by the destructor.
    void stop();

    static constexpr int stopWaitMilliseconds = 3000;

Q_SIGNALS:
    void finished(const quibo::PortMapping& mapping);

private:
    std::shared_ptr<PortMapperState> m_shared;
    int m_methods = AllMethods;
    quint32 m_leaseSeconds = maxLeaseSeconds;
};

} // namespace quibo
