// SPDX-License-Identifier: MIT
// NAT-PMP through libnatpmp: one UDP request to the default gateway and its answer, which the
// library sends again with growing pauses. The wait is ours, cut off after requestSeconds.
#include "routerprotocol.h"

#include <QHostAddress>
#include <arpa/inet.h>
#include <chrono>
// The library has its error texts; the header declares them only on request.
#define ENABLE_STRNATPMPERR
#include <natpmp.h>
#include <sys/select.h>

namespace quibo {
namespace {

using Clock = std::chrono::steady_clock;

// How long one request waits for the router's answer, and the slice after which the stop flag is
// looked at again.
constexpr std::chrono::milliseconds requestTime{2000};
constexpr std::chrono::milliseconds waitSlice{100};

class NatPmpProtocol final : public RouterProtocol {
public:
    ~NatPmpProtocol() override {
        unmap();
        close();
    }

    QString name() const override { return QStringLiteral("NAT-PMP"); }

    MappingAnswer externalAddress(const std::atomic<bool>& stop) override {
        MappingAnswer answer;
        if (!open(answer)) return answer;
        natpmpresp_t response{};
        if (!exchange(sendpublicaddressrequest(&m_natpmp), NATPMP_RESPTYPE_PUBLICADDRESS, response, stop,
                      answer))
            return answer;
        answer.status = MappingAnswer::Status::Done;
        answer.externalAddress =
            QHostAddress(quint32(ntohl(response.pnu.publicaddress.addr.s_addr))).toString().toLatin1();
        return answer;
    }

    MappingAnswer map(const MappingRequest& request, const std::atomic<bool>& stop) override {
        MappingAnswer answer;
        if (!open(answer)) return answer;
        natpmpresp_t response{};
        const int sent = sendnewportmappingrequest(&m_natpmp, NATPMP_PROTOCOL_TCP, request.port, request.port,
                                                   request.leaseSeconds);
        if (!exchange(sent, NATPMP_RESPTYPE_TCPPORTMAPPING, response, stop, answer)) return answer;
        m_port = request.port;
        answer.status = MappingAnswer::Status::Done;
        answer.externalPort = response.pnu.newportmapping.mappedpublicport;
        answer.leaseSeconds = response.pnu.newportmapping.lifetime;
        m_externalPort = answer.externalPort;
        return answer;
    }

    void unmap() override {
        if (m_port == 0 || !m_open) return;
        // Lifetime 0 removes the mapping. A short wait: the program is ending.
        const std::atomic<bool> never{false};
        natpmpresp_t response{};
        MappingAnswer answer;
        exchange(sendnewportmappingrequest(&m_natpmp, NATPMP_PROTOCOL_TCP, m_port, m_externalPort, 0),
                 NATPMP_RESPTYPE_TCPPORTMAPPING, response, never, answer);
        m_port = 0;
    }

private:
    bool open(MappingAnswer& answer) {
        if (m_open) return true;
        const int result = initnatpmp(&m_natpmp, 0, 0);
        if (result < 0) {
            answer.failure = QString::fromLatin1(strnatpmperr(result));
            return false;
        }
        m_open = true;
        return true;
    }

    void close() {
        if (m_open) closenatpmp(&m_natpmp);
        m_open = false;
    }

    // Waits for the answer to the request just sent (sent: what the send call answered).
    bool exchange(int sent, int type, natpmpresp_t& response, const std::atomic<bool>& stop,
                  MappingAnswer& answer) {
        if (sent < 0) {
            answer.failure = QString::fromLatin1(strnatpmperr(sent));
            return false;
        }
        const Clock::time_point deadline = Clock::now() + requestTime;
        while (!stop.load() && Clock::now() < deadline) {
            fd_set readable;
            FD_ZERO(&readable);
            FD_SET(m_natpmp.s, &readable);
            timeval slice{0, long(std::chrono::microseconds(waitSlice).count())};
            select(m_natpmp.s + 1, &readable, nullptr, nullptr, &slice);
            const int result = readnatpmpresponseorretry(&m_natpmp, &response);
            if (result == NATPMP_TRYAGAIN) continue;
            if (result < 0) {
                // A gateway that answers "not supported" or with an error code has refused; a
                // network error (nothing listens there) is no answer.
                if (result <= NATPMP_ERR_UNSUPPORTEDVERSION) answer.status = MappingAnswer::Status::Refused;
                answer.failure = QString::fromLatin1(strnatpmperr(result));
                return false;
            }
            if (response.type != type) continue;
            return true;
        }
        answer.failure = QStringLiteral("no answer");
        return false;
    }

    natpmp_t m_natpmp{};
    bool m_open = false;
    quint16 m_port = 0;
    quint16 m_externalPort = 0;
};

} // namespace

std::unique_ptr<RouterProtocol> makeNatPmpProtocol() {
    return std::make_unique<NatPmpProtocol>();
}

} // namespace quibo
