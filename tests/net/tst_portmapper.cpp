// SPDX-License-Identifier: MIT
// Port forwarding on the router: what a router may claim as its outside address, and the whole
// round against Debian's miniupnpd on a router made by the test (testrouter.h), by NAT-PMP and by
// UPnP IGD, from the mapper itself and from quibo-host --map-port.
#include "portmapper.h"
#include "programprocess.h"
#include "routeraddress.h"
#include "testrouter.h"

#include <QDateTime>
#include <QTest>
#include <QUdpSocket>
#include <QtEndian>
#include <memory>
#include <optional>

using namespace quibo;
using quibo::test::TestRouter;

namespace {

// Long enough for a discovery and a few HTTP exchanges on two loaded cores.
constexpr int answerTimeout = 20000;

qint64 now() {
    return QDateTime::currentSecsSinceEpoch();
}

// A NAT-PMP gateway on the router's local address that answers with whatever outside address the
// test gives it and grants every mapping, counting the mapping requests: a lying device.
class LyingGateway {
public:
    LyingGateway(quint32 outsideAddress)
        : m_outside(outsideAddress) {
        QObject::connect(&m_socket, &QUdpSocket::readyRead, [this] { answer(); });
    }
    bool listen() { return m_socket.bind(QHostAddress(QStringLiteral("192.168.77.1")), 5351); }
    int mappingRequests = 0;

private:
    void answer() {
        while (m_socket.hasPendingDatagrams()) {
            QHostAddress from;
            quint16 port = 0;
            QByteArray request(int(m_socket.pendingDatagramSize()), 0);
            m_socket.readDatagram(request.data(), request.size(), &from, &port);
            if (request.size() < 2 || request[0] != 0) continue;
            // Version 0, the request's opcode plus 128, result 0, seconds since start.
            QByteArray reply(8, 0);
            reply[1] = char(quint8(request[1]) + 128);
            qToBigEndian<quint32>(1, reply.data() + 4);
            if (request[1] == 0) {
                reply.resize(12);
                qToBigEndian<quint32>(m_outside, reply.data() + 8);
            } else if (request.size() >= 12) {
                ++mappingRequests;
                reply += request.mid(4, 8); // the ports and the lifetime, as asked
            }
            m_socket.writeDatagram(reply, from, port);
        }
    }

    QUdpSocket m_socket;
    quint32 m_outside;
};

} // namespace

class PortMapperTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void initTestCase();
    void cleanupTestCase();
    void outsideAddressIsTakenOnlyWhenPlainAndPublic_data();
    void outsideAddressIsTakenOnlyWhenPlainAndPublic();
    void withoutRouterThePlayerIsToldPlainly();
    void outsideAddressThatIsNoUseOpensNoHole_data();
    void outsideAddressThatIsNoUseOpensNoHole();
    void mappingAppearsAndGoesAtExit_data();
    void mappingAppearsAndGoesAtExit();
    void leaseIsRenewedBeforeItEnds();
    void refusedPortIsNotReportedAsForwarded();
    void hostWithMapPortShowsItsPublicAddress();
    void hostingWindowForwardsItsPortUntilItEnds();

private:
    QString routerMissing(bool answering);
    PortMapping mapOnce(PortMapper& mapper, quint16 port);

    std::unique_ptr<TestRouter> m_router;
    bool m_answering = false;
};

void PortMapperTest::initTestCase() {
    QStandardPaths::setTestModeEnabled(true);
}

void PortMapperTest::cleanupTestCase() {
    m_router.reset();
}

// The router is made once, answering from the first test that needs an answer on; the test's
// thread is then on the player's computer. Answers why not when it cannot be.
QString PortMapperTest::routerMissing(bool answering) {
    if (!PortMapper::available()) return QStringLiteral("built without libnatpmp and libminiupnpc");
    if (const QString why = TestRouter::unavailable(); !why.isEmpty()) return why;
    if (!m_router) {
        m_router = std::make_unique<TestRouter>();
        if (!m_router->make()) {
            const QString why = QStringLiteral("no test router: ") + m_router->failure;
            m_router.reset();
            return why;
        }
    }
    // The outside port 40000 is never forwarded: for the refusal.
    if (answering && !m_answering) {
        if (!m_router->startDaemon({QStringLiteral("deny 40000 0.0.0.0/0 0-65535")}))
            return m_router->failure;
        m_answering = true;
    }
    return m_router->enterLan() ? QString() : m_router->failure;
}

// Starts the mapper and waits for its one answer; a default PortMapping when none came.
PortMapping PortMapperTest::mapOnce(PortMapper& mapper, quint16 port) {
    std::optional<PortMapping> answer;
    QObject::connect(&mapper, &PortMapper::finished, [&](const PortMapping& mapping) { answer = mapping; });
    mapper.start(port);
    if (!QTest::qWaitFor([&] { return answer.has_value(); }, answerTimeout)) return {};
    return *answer;
}

void PortMapperTest::outsideAddressIsTakenOnlyWhenPlainAndPublic_data() {
    QTest::addColumn<QByteArray>("text");
    QTest::addColumn<int>("kind");
    const int pub = int(RouterAddress::Kind::Public);
    const int notPublic = int(RouterAddress::Kind::NotPublic);
    const int invalid = int(RouterAddress::Kind::Invalid);
    QTest::newRow("public IPv4") << QByteArray("11.0.0.4") << pub;
    QTest::newRow("public IPv4, last before a private block") << QByteArray("172.15.255.255") << pub;
    QTest::newRow("private 192.168") << QByteArray("192.168.1.1") << notPublic;
    QTest::newRow("private 10") << QByteArray("10.20.30.40") << notPublic;
    QTest::newRow("private 172.16") << QByteArray("172.31.0.1") << notPublic;
    QTest::newRow("carrier NAT") << QByteArray("100.64.0.1") << notPublic;
    QTest::newRow("loopback") << QByteArray("127.0.0.1") << notPublic;
    QTest::newRow("link-local") << QByteArray("169.254.1.1") << notPublic;
    QTest::newRow("unspecified") << QByteArray("0.0.0.0") << notPublic;
    QTest::newRow("documentation") << QByteArray("198.51.100.4") << notPublic;
    QTest::newRow("multicast") << QByteArray("239.255.255.250") << notPublic;
    QTest::newRow("broadcast") << QByteArray("255.255.255.255") << notPublic;
    QTest::newRow("public IPv6") << QByteArray("2a01:4f8::1") << pub;
    QTest::newRow("IPv6 loopback") << QByteArray("::1") << notPublic;
    QTest::newRow("IPv6 unique local") << QByteArray("fd00::1") << notPublic;
    QTest::newRow("IPv6 documentation") << QByteArray("2001:db8::1") << notPublic;
    QTest::newRow("IPv4-mapped IPv6") << QByteArray("::ffff:11.0.0.4") << notPublic;
    QTest::newRow("empty") << QByteArray() << invalid;
    QTest::newRow("markup") << QByteArray("<b>11.0.0.4</b>") << invalid;
    QTest::newRow("address and text") << QByteArray("11.0.0.4 join evil.example") << invalid;
    QTest::newRow("short form") << QByteArray("11.4") << invalid;
    QTest::newRow("leading zeros") << QByteArray("011.000.000.004") << invalid;
    QTest::newRow("IPv6 with a scope") << QByteArray("fe80::1%eth0") << invalid;
    QTest::newRow("name") << QByteArray("router.lan") << invalid;
    QTest::newRow("very long") << QByteArray(4096, '1') << invalid;
}

void PortMapperTest::outsideAddressIsTakenOnlyWhenPlainAndPublic() {
    QFETCH(QByteArray, text);
    QFETCH(int, kind);
    QCOMPARE(int(checkRouterAddress(text).kind), kind);
}

// Nothing answers on the local network: no forwarding, and a sentence that says what to do.
void PortMapperTest::withoutRouterThePlayerIsToldPlainly() {
    if (const QString missing = routerMissing(false); !missing.isEmpty()) QSKIP(qPrintable(missing));
    PortMapper mapper;
    const PortMapping mapping = mapOnce(mapper, 7772);
    QCOMPARE(int(mapping.status), int(PortMapping::Status::NoAnswer));
    QCOMPARE(portMappingReport(mapping),
             QStringLiteral("The router did not forward port 7772 (no UPnP or NAT-PMP answer); forward it by "
                            "hand in the router's settings, or play on the local network."));
}

void PortMapperTest::outsideAddressThatIsNoUseOpensNoHole_data() {
    QTest::addColumn<QString>("outside");
    QTest::newRow("private: another router lies between") << QStringLiteral("10.0.0.4");
    QTest::newRow("carrier NAT") << QStringLiteral("100.64.1.2");
    QTest::newRow("loopback") << QStringLiteral("127.0.0.1");
}

// The gateway claims an outside address nobody on the internet reaches: the mapper asks for no
// mapping, and the sentence says why instead of showing a useless address as the way in.
void PortMapperTest::outsideAddressThatIsNoUseOpensNoHole() {
    QFETCH(QString, outside);
    if (const QString missing = routerMissing(false); !missing.isEmpty()) QSKIP(qPrintable(missing));
    // The gateway's socket lives on the router; the mapper runs on the player's computer.
    QVERIFY2(m_router->enterRouter(), qPrintable(m_router->failure));
    LyingGateway gateway(QHostAddress(outside).toIPv4Address());
    const bool listening = gateway.listen();
    QVERIFY2(m_router->enterLan(), qPrintable(m_router->failure));
    QVERIFY(listening);
    PortMapper mapper;
    mapper.setMethods(PortMapper::NatPmp);
    const PortMapping mapping = mapOnce(mapper, 7772);
    QCOMPARE(int(mapping.status), int(PortMapping::Status::NotPublic));
    QCOMPARE(gateway.mappingRequests, 0);
    QVERIFY2(
        portMappingReport(mapping).startsWith(
            QStringLiteral("The router did not forward port 7772, since its outside address %1 is not an "
                           "internet address")
                .arg(outside)),
        qPrintable(portMappingReport(mapping)));
}

void PortMapperTest::mappingAppearsAndGoesAtExit_data() {
    QTest::addColumn<int>("method");
    QTest::addColumn<quint16>("port");
    QTest::newRow("NAT-PMP") << int(PortMapper::NatPmp) << quint16(41001);
    QTest::newRow("UPnP IGD") << int(PortMapper::Upnp) << quint16(41002);
}

void PortMapperTest::mappingAppearsAndGoesAtExit() {
    QFETCH(int, method);
    QFETCH(quint16, port);
    if (const QString missing = routerMissing(true); !missing.isEmpty()) QSKIP(qPrintable(missing));
    auto mapper = std::make_unique<PortMapper>();
    mapper->setMethods(method);
    const PortMapping mapping = mapOnce(*mapper, port);
    QCOMPARE(int(mapping.status), int(PortMapping::Status::Mapped));
    QCOMPARE(portMappingReport(mapping),
             QStringLiteral("Others on the internet join at 11.0.0.4:%1.").arg(port));
    // The router holds it, for an hour at most.
    const qint64 expiry = m_router->mappingExpiry(port);
    QVERIFY2(expiry > now(), m_router->log().constData());
    QVERIFY(expiry <= now() + PortMapper::maxLeaseSeconds + 5);
    mapper.reset();
    QCOMPARE(m_router->mappingExpiry(port), qint64(0));
}

// A lease of 2 s would end after 2 s; the mapper renews it at half, so the mapping outlives it.
void PortMapperTest::leaseIsRenewedBeforeItEnds() {
    if (const QString missing = routerMissing(true); !missing.isEmpty()) QSKIP(qPrintable(missing));
    PortMapper mapper;
    mapper.setMethods(PortMapper::Upnp);
    // Renewed every three seconds: room for a slow answer on a loaded machine, and still a test
    // that outlives the first lease.
    mapper.setLeaseSeconds(6);
    const quint16 port = 41003;
    QCOMPARE(int(mapOnce(mapper, port).status), int(PortMapping::Status::Mapped));
    const qint64 firstExpiry = m_router->mappingExpiry(port);
    QVERIFY(firstExpiry > 0 && firstExpiry <= now() + 7);
    QTRY_VERIFY_WITH_TIMEOUT(m_router->mappingExpiry(port) > firstExpiry, 12000);
    QTRY_VERIFY_WITH_TIMEOUT(now() > firstExpiry + 1, 12000);
    QVERIFY(m_router->mappingExpiry(port) > now());
}

// The router keeps the outside port 40000 closed. A UPnP IGD answers that it cannot: reported as
// not forwarded. (A NAT-PMP router offers another outside port instead, which is then the one shown.)
void PortMapperTest::refusedPortIsNotReportedAsForwarded() {
    if (const QString missing = routerMissing(true); !missing.isEmpty()) QSKIP(qPrintable(missing));
    PortMapper mapper;
    mapper.setMethods(PortMapper::Upnp);
    const PortMapping mapping = mapOnce(mapper, 40000);
    QCOMPARE(int(mapping.status), int(PortMapping::Status::Refused));
    QVERIFY2(portMappingReport(mapping).startsWith(
                 QStringLiteral("The router did not forward port 40000 (UPnP refused")),
             qPrintable(portMappingReport(mapping)));
    QCOMPARE(m_router->mappingExpiry(40000), qint64(0));
}

// quibo-host --map-port behind the router: the public address on standard error, the mapping at
// the router while it runs, gone after SIGTERM.
void PortMapperTest::hostWithMapPortShowsItsPublicAddress() {
    if (const QString missing = routerMissing(true); !missing.isEmpty()) QSKIP(qPrintable(missing));
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    quibo::test::ProgramProcess host(dir.path());
    host.captureErrorOutput();
    // Started from the player's namespace, so the program runs behind the router.
    const quint16 port =
        host.startHost({QStringLiteral("--port"), QStringLiteral("0"), QStringLiteral("--seed"),
                        QStringLiteral("1"), QStringLiteral("--map-port")});
    QVERIFY2(port != 0, qPrintable(host.failure));
    QByteArray errors;
    const QByteArray expected =
        QStringLiteral("Others on the internet join at 11.0.0.4:%1.\n").arg(port).toLatin1();
    QTRY_VERIFY_WITH_TIMEOUT((errors += host.process.readAllStandardError()).contains(expected),
                             answerTimeout);
    QVERIFY(m_router->mappingExpiry(port) > now());
    QVERIFY(host.terminate());
    QVERIFY(host.exitedCleanly());
    QCOMPARE(m_router->mappingExpiry(port), qint64(0));
}

// The desktop program hosting a table behind the router: the mapping is there while it runs and
// gone once it ended on SIGTERM; what the chat says is portMappingReport's sentence, tested above.
void PortMapperTest::hostingWindowForwardsItsPortUntilItEnds() {
    if (const QString missing = routerMissing(true); !missing.isEmpty()) QSKIP(qPrintable(missing));
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    quibo::test::ProgramProcess window(dir.path());
    window.setEnvironment(QStringLiteral("QUIBO_PORT_MAPPING"), QStringLiteral("on"));
    // The player's namespace is the test's own: nothing else listens on the game port there.
    const quint16 port = 41010;
    QVERIFY2(window.startWindow({QStringLiteral("Ann"), QStringLiteral("127.0.0.1"), QStringLiteral("true")},
                                port),
             qPrintable(window.failure));
    QTRY_VERIFY_WITH_TIMEOUT(m_router->mappingExpiry(port) > now(), answerTimeout);
    QVERIFY(window.terminate());
    QVERIFY(window.exitedCleanly());
    QCOMPARE(m_router->mappingExpiry(port), qint64(0));
}

QTEST_GUILESS_MAIN(PortMapperTest)
#include "tst_portmapper.moc"
