// SPDX-License-Identifier: MIT
// UPnP IGD through miniupnpc: discovery of the gateway by SSDP multicast, the device's description over HTTP,
// then the SOAP calls GetExternalIPAddress, AddPortMapping and DeletePortMapping. The discovery
// waits discoveryMilliseconds; each HTTP exchange is bounded by the library's own socket timeouts.
#include "routerprotocol.h"

#include <miniupnpc/miniupnpc.h>
#include <miniupnpc/upnpcommands.h>
#include <miniupnpc/upnperrors.h>

namespace quibo {
namespace {

constexpr int discoveryMilliseconds = 2000;
// Only gateways are asked for, in one search: every later version of the device answers for the
// first, and a search through all device types would wait once per type.
constexpr const char* gatewayType = "urn:schemas-upnp-org:device:InternetGatewayDevice:1";
// The answer of a router that keeps only mappings without a lease.
constexpr int onlyPermanentLeases = 725;
constexpr const char* mappingDescription = "Quibo";
// The devices whose description is fetched, at most.
constexpr int maxDevices = 4;

class UpnpProtocol final : public RouterProtocol {
public:
    ~UpnpProtocol() override {
        unmap();
        if (m_haveUrls) FreeUPNPUrls(&m_urls);
    }

    QString name() const override { return QStringLiteral("UPnP"); }

    MappingAnswer externalAddress(const std::atomic<bool>& stop) override {
        MappingAnswer answer;
        if (!discover(stop, answer)) return answer;
        char address[40] = {};
        const int result = UPNP_GetExternalIPAddress(m_urls.controlURL, m_data.first.servicetype, address);
        if (result != UPNPCOMMAND_SUCCESS) return refused(result, answer);
        answer.status = MappingAnswer::Status::Done;
        answer.externalAddress = QByteArray(address, int(qstrnlen(address, sizeof address - 1)));
        return answer;
    }

    MappingAnswer map(const MappingRequest& request, const std::atomic<bool>& stop) override {
        MappingAnswer answer;
        if (!discover(stop, answer)) return answer;
        const QByteArray port = QByteArray::number(request.port);
        QByteArray lease = QByteArray::number(request.leaseSeconds);
        int result = add(port, lease);
        if (result == onlyPermanentLeases) {
            // Such a mapping stays until it is removed, which the program does at exit.
            lease = "0";
            result = add(port, lease);
        }
        if (result != UPNPCOMMAND_SUCCESS) return refused(result, answer);
        m_port = port;
        answer.status = MappingAnswer::Status::Done;
        answer.externalPort = request.port;
        answer.leaseSeconds = lease.toUInt();
        return answer;
    }

    void unmap() override {
        if (m_port.isEmpty()) return;
        UPNP_DeletePortMapping(m_urls.controlURL, m_data.first.servicetype, m_port.constData(), "TCP",
                               nullptr);
        m_port.clear();
    }

private:
    int add(const QByteArray& port, const QByteArray& lease) {
        return UPNP_AddPortMapping(m_urls.controlURL, m_data.first.servicetype, port.constData(),
                                   port.constData(), m_lanAddress, mappingDescription, "TCP", nullptr,
                                   lease.constData());
    }

    // Finds the router's internet gateway device once.
    bool discover(const std::atomic<bool>& stop, MappingAnswer& answer) {
        if (m_haveUrls) return true;
        if (stop.load()) return false;
        int error = 0;
        UPNPDev* devices = upnpDiscoverDevice(gatewayType, discoveryMilliseconds, nullptr, nullptr,
                                              UPNP_LOCAL_PORT_ANY, 0, 2, &error);
        if (!devices) {
            answer.failure = QStringLiteral("no answer");
            return false;
        }
        keepFirstDevices(devices);
#if MINIUPNPC_API_VERSION >= 18
        char wanAddress[64] = {};
        const int found = UPNP_GetValidIGD(devices, &m_urls, &m_data, m_lanAddress, sizeof m_lanAddress,
                                           wanAddress, sizeof wanAddress);
#else
        const int found = UPNP_GetValidIGD(devices, &m_urls, &m_data, m_lanAddress, sizeof m_lanAddress);
#endif
        freeUPNPDevlist(devices);
        if (found != 0) m_haveUrls = true;
        if (found != 1) {
            // 0: nothing usable answered; 2: a gateway without an internet connection; 3: some
            // other device.
            answer.status = found == 2 ? MappingAnswer::Status::Refused : MappingAnswer::Status::NoAnswer;
            answer.failure = found == 2 ? QStringLiteral("not connected") : QStringLiteral("no gateway");
            if (m_haveUrls) FreeUPNPUrls(&m_urls);
            m_haveUrls = false;
            return false;
        }
        return true;
    }

    // Every device that answered is asked for its description in turn, each exchange waiting for
    // the library's time-out; a device on the network that answers as many devices as it likes
    // would make that endless. The gateway is among the first to answer.
    static void keepFirstDevices(UPNPDev* devices) {
        UPNPDev* last = devices;
        for (int kept = 1; last && kept < maxDevices; ++kept)
            last = last->pNext;
        if (last && last->pNext) {
            freeUPNPDevlist(last->pNext);
            last->pNext = nullptr;
        }
    }

    static MappingAnswer& refused(int result, MappingAnswer& answer) {
        answer.status = MappingAnswer::Status::Refused;
        const char* text = strupnperror(result);
        answer.failure = text ? QString::fromLatin1(text) : QStringLiteral("error %1").arg(result);
        return answer;
    }

    UPNPUrls m_urls{};
    IGDdatas m_data{};
    bool m_haveUrls = false;
    char m_lanAddress[64] = {};
    QByteArray m_port;
};

} // namespace

std::unique_ptr<RouterProtocol> makeUpnpProtocol() {
    return std::make_unique<UpnpProtocol>();
}

} // namespace quibo
