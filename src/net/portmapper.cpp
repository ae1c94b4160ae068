// SPDX-License-Identifier: MIT
#include "portmapper.h"

#include "routeraddress.h"
#include "routerprotocol.h"
#include "tsock.h"

#include <QCoreApplication>
#include <algorithm>
#include <chrono>
#include <condition_variable>
#include <mutex>
#include <thread>
#include <vector>

namespace quibo {

// What the mapper's thread and the mapper share. The thread keeps it alive when the mapper stops
// waiting for it at exit; owner is cleared first, so a late result goes nowhere.
struct PortMapperState {
    std::mutex mutex;
    std::condition_variable wake;
    std::atomic<bool> stop{false};
    bool done = false;
    PortMapper* owner = nullptr;
    std::thread thread;
};

namespace {

using namespace std::chrono_literals;

// A renewal that failed is tried again after this time (or half the lease, if shorter).
constexpr std::chrono::seconds renewRetry = 60s;

std::vector<std::unique_ptr<RouterProtocol>> protocolsFor(int methods) {
    std::vector<std::unique_ptr<RouterProtocol>> protocols;
#ifdef QUIBO_HAVE_NATPMP
    if (methods & PortMapper::NatPmp) protocols.push_back(makeNatPmpProtocol());
#endif
#ifdef QUIBO_HAVE_UPNP
    if (methods & PortMapper::Upnp) protocols.push_back(makeUpnpProtocol());
#endif
    Q_UNUSED(methods)
    return protocols;
}

// How much a failure tells the player: a refusal says more than silence.
int weight(PortMapping::Status status) {
    switch (status) {
    case PortMapping::Status::Mapped:
        return 4;
    case PortMapping::Status::NotPublic:
        return 3;
    case PortMapping::Status::Refused:
        return 2;
    case PortMapping::Status::NoAnswer:
        return 1;
    case PortMapping::Status::Unavailable:
        return 0;
    }
    return 0;
}

const char* statusName(PortMapping::Status status) {
    switch (status) {
    case PortMapping::Status::Mapped:
        return "forwarded";
    case PortMapping::Status::NotPublic:
        return "outside address not public";
    case PortMapping::Status::Refused:
        return "refused";
    case PortMapping::Status::NoAnswer:
        return "no answer";
    case PortMapping::Status::Unavailable:
        return "unavailable";
    }
    return "";
}

PortMapping failed(quint16 port, const RouterProtocol& protocol, const MappingAnswer& answer) {
    PortMapping mapping;
    mapping.port = port;
    mapping.method = protocol.name();
    mapping.status = answer.status == MappingAnswer::Status::Refused ? PortMapping::Status::Refused
                                                                     : PortMapping::Status::NoAnswer;
    mapping.detail = answer.failure;
    return mapping;
}

// The outside address first: a router whose address is no use on the internet gets no hole.
PortMapping tryProtocol(RouterProtocol& protocol, const MappingRequest& request,
                        const std::atomic<bool>& stop, quint32& granted) {
    const MappingAnswer address = protocol.externalAddress(stop);
    if (address.status != MappingAnswer::Status::Done) return failed(request.port, protocol, address);
    const RouterAddress checked = checkRouterAddress(address.externalAddress);
    PortMapping mapping;
    mapping.port = request.port;
    mapping.method = protocol.name();
    if (checked.kind != RouterAddress::Kind::Public) {
        mapping.status = PortMapping::Status::NotPublic;
        mapping.externalAddress = checked.address;
        return mapping;
    }
    // A program that ends meanwhile opens no hole it would close again at once.
    if (stop.load()) return failed(request.port, protocol, MappingAnswer{});
    const MappingAnswer answer = protocol.map(request, stop);
    if (answer.status != MappingAnswer::Status::Done) return failed(request.port, protocol, answer);
    if (answer.externalPort == 0) {
        protocol.unmap();
        mapping.status = PortMapping::Status::Refused;
        mapping.detail = QStringLiteral("no port");
        return mapping;
    }
    granted = answer.leaseSeconds;
    mapping.status = PortMapping::Status::Mapped;
    mapping.externalAddress = checked.address;
    mapping.externalPort = answer.externalPort;
    return mapping;
}

void report(PortMapperState& shared, const PortMapping& mapping) {
    const std::lock_guard lock(shared.mutex);
    PortMapper* owner = shared.owner;
    if (!owner) return;
    // The owner cannot go while the lock is held; a queued call to an object deleted later is
    // dropped by Qt.
    QMetaObject::invokeMethod(
        owner, [owner, mapping] { Q_EMIT owner->finished(mapping); }, Qt::QueuedConnection);
}

// Keeps the mapping until stop is asked, renewing it at half the granted lease.
void keep(PortMapperState& shared, RouterProtocol& protocol, const MappingRequest& request, quint32 granted) {
    std::chrono::seconds wait =
        std::chrono::seconds(std::clamp<quint32>(granted, 2, request.leaseSeconds) / 2);
    for (;;) {
        {
            std::unique_lock lock(shared.mutex);
            // A lease the router made permanent needs no renewal.
            const bool stopped = granted == 0
                                     ? (shared.wake.wait(lock, [&] { return shared.stop.load(); }), true)
                                     : shared.wake.wait_for(lock, wait, [&] { return shared.stop.load(); });
            if (stopped) return;
        }
        const MappingAnswer answer = protocol.map(request, shared.stop);
        if (answer.status == MappingAnswer::Status::Done) {
            granted = answer.leaseSeconds;
            wait = std::chrono::seconds(std::clamp<quint32>(granted, 2, request.leaseSeconds) / 2);
        } else {
            qCWarning(lcNet).noquote() << protocol.name() << "did not renew the forwarding of port"
                                       << request.port << "-" << answer.failure;
            wait = std::min(wait, std::chrono::seconds(renewRetry));
        }
    }
}

void work(const std::shared_ptr<PortMapperState>& shared, MappingRequest request, int methods) {
    std::vector<std::unique_ptr<RouterProtocol>> protocols = protocolsFor(methods);
    PortMapping result;
    result.port = request.port;
    result.status = protocols.empty() ? PortMapping::Status::Unavailable : PortMapping::Status::NoAnswer;
    RouterProtocol* used = nullptr;
    quint32 granted = 0;
    for (const std::unique_ptr<RouterProtocol>& protocol : protocols) {
        if (shared->stop.load()) break;
        const PortMapping attempt = tryProtocol(*protocol, request, shared->stop, granted);
        qCInfo(lcNet).noquote() << protocol->name() << "forwarding of port" << request.port << "-"
                                << statusName(attempt.status) << attempt.detail;
        if (weight(attempt.status) > weight(result.status)) result = attempt;
        if (attempt.status == PortMapping::Status::Mapped) {
            used = protocol.get();
            break;
        }
    }
    // A stop during the attempts leaves nobody to tell.
    if (!shared->stop.load()) report(*shared, result);
    if (used) {
        keep(*shared, *used, request, granted);
        used->unmap();
    }
    protocols.clear();
    const std::lock_guard lock(shared->mutex);
    shared->done = true;
    shared->wake.notify_all();
}

QString translated(const char* text) {
    return QCoreApplication::translate("quibo::PortMapper", text);
}

} // namespace

QString portMappingReport(const PortMapping& mapping) {
    const char* byHand =
        QT_TRANSLATE_NOOP("quibo::PortMapper", "forward it by hand in the router's settings, or play on the "
                                               "local network.");
    switch (mapping.status) {
    case PortMapping::Status::Mapped:
        return translated(QT_TRANSLATE_NOOP("quibo::PortMapper", "Others on the internet join at %1."))
            .arg(addressWithPort(mapping.externalAddress, mapping.externalPort));
    case PortMapping::Status::NoAnswer:
        return translated(
                   QT_TRANSLATE_NOOP("quibo::PortMapper",
                                     "The router did not forward port %1 (no UPnP or NAT-PMP answer); %2"))
            .arg(mapping.port)
            .arg(translated(byHand));
    case PortMapping::Status::Refused:
        return translated(
                   QT_TRANSLATE_NOOP("quibo::PortMapper",
                                     "The router did not forward port %1 (%2 refused with \"%3\"); %4"))
            .arg(mapping.port)
            .arg(mapping.method, mapping.detail, translated(byHand));
    case PortMapping::Status::NotPublic:
        if (mapping.externalAddress.isNull())
            return translated(QT_TRANSLATE_NOOP("quibo::PortMapper", "The router did not forward port %1 (it "
                                                                     "gave no usable outside address); %2"))
                .arg(mapping.port)
                .arg(translated(byHand));
        return translated(
                   QT_TRANSLATE_NOOP("quibo::PortMapper",
                                     "The router did not forward port %1, since its outside address %2 "
                                     "is not an internet address (another router lies between it and "
                                     "the internet); forward the port on that router too, or play on "
                                     "the local network."))
            .arg(mapping.port)
            .arg(mapping.externalAddress.toString());
    case PortMapping::Status::Unavailable:
        return translated(
                   QT_TRANSLATE_NOOP("quibo::PortMapper",
                                     "This copy of Quibo cannot ask the router to forward port %1 (built "
                                     "without UPnP and NAT-PMP); %2"))
            .arg(mapping.port)
            .arg(translated(byHand));
    }
    return QString();
}

PortMapper::PortMapper(QObject* parent)
    : QObject(parent) {}

PortMapper::~PortMapper() {
    stop();
}

bool PortMapper::available() {
#if defined(QUIBO_HAVE_NATPMP) || defined(QUIBO_HAVE_UPNP)
    return true;
#else
    return false;
#endif
}

void PortMapper::setLeaseSeconds(quint32 seconds) {
    m_leaseSeconds = std::clamp<quint32>(seconds, 2, maxLeaseSeconds);
}

void PortMapper::start(quint16 port) {
    if (m_shared) return;
    m_shared = std::make_shared<PortMapperState>();
    m_shared->owner = this;
    const MappingRequest request{port, m_leaseSeconds};
    m_shared->thread =
        std::thread([shared = m_shared, request, methods = m_methods] { work(shared, request, methods); });
}

void PortMapper::stop() {
    if (!m_shared) return;
    std::shared_ptr<PortMapperState> shared = std::move(m_shared);
    std::unique_lock lock(shared->mutex);
    shared->owner = nullptr;
    shared->stop = true;
    shared->wake.notify_all();
    const bool done = shared->wake.wait_for(lock, std::chrono::milliseconds(stopWaitMilliseconds),
                                            [&] { return shared->done; });
    lock.unlock();
    if (done) {
        shared->thread.join();
    } else {
        // A router that does not answer does not hold up the exit; the lease ends the mapping.
        qCWarning(lcNet) << "the router did not answer in time; the port forwarding ends with its lease";
        shared->thread.detach();
    }
}

} // namespace quibo
