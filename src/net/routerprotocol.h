// SPDX-License-Identifier: MIT
// RouterProtocol: one way of asking the router on the local network to forward a TCP port
// (NAT-PMP or UPnP IGD), behind which the library that speaks it sits.
//
// Every call blocks until the router answers or a few seconds pass, so PortMapper makes them on a
// thread of its own, never on the interface thread. The stop flag is looked at while waiting, so a
// program that ends is not held up longer than one library call. The router's answers are
// untrusted: the outside address is handed on as text for checkRouterAddress, and the failure texts
// come from the libraries' own tables, never from the router.
#pragma once

#include <QByteArray>
#include <QString>
#include <atomic>
#include <memory>

namespace quibo {

struct MappingRequest {
    quint16 port = 0; // the same port inside and outside
    quint32 leaseSeconds = 0;
};

struct MappingAnswer {
    enum class Status { Done, NoAnswer, Refused };
    Status status = Status::NoAnswer;
    QByteArray externalAddress; // as the router wrote it
    quint16 externalPort = 0;
    quint32 leaseSeconds = 0; // what the router granted (0: until removed)
    QString failure;          // why not, for the log and the player
};

class RouterProtocol {
public:
    virtual ~RouterProtocol() = default;
    // "NAT-PMP" or "UPnP".
    virtual QString name() const = 0;
    // Asks the router for its outside address only.
    virtual MappingAnswer externalAddress(const std::atomic<bool>& stop) = 0;
    // Asks for the mapping, or for its renewal when it exists.
    virtual MappingAnswer map(const MappingRequest& request, const std::atomic<bool>& stop) = 0;
    // Removes the mapping made by map(); nothing when there is none.
    virtual void unmap() = 0;
};

// The protocols, each defined only when the program is built with its library
// (QUIBO_HAVE_NATPMP, QUIBO_HAVE_UPNP).
std::unique_ptr<RouterProtocol> makeNatPmpProtocol();
std::unique_ptr<RouterProtocol> makeUpnpProtocol();

} // namespace quibo
