// SPDX-License-Identifier: MIT
#include "hostaddress.h"

#include <QTest>

using namespace quibo;

class HostAddressTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void addressFormsAreRead_data();
    void addressFormsAreRead();
    void badAddressesAreRefusedWithAMessage_data();
    void badAddressesAreRefusedWithAMessage();
    void tableLinksAreReadStrictly_data();
    void tableLinksAreReadStrictly();
    void linksAndAddressesAreWrittenBackReadably();
};

void HostAddressTest::addressFormsAreRead_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("host");
    QTest::addColumn<int>("port"); // 0: none given
    QTest::newRow("name") << "gamebox"
                          << "gamebox" << 0;
    QTest::newRow("name and port") << "gamebox.local:7800"
                                   << "gamebox.local" << 7800;
    QTest::newRow("IPv4") << "192.0.2.7"
                          << "192.0.2.7" << 0;
    QTest::newRow("IPv4 and port") << "192.0.2.7:7800"
                                   << "192.0.2.7" << 7800;
    QTest::newRow("highest port") << "127.0.0.1:65535"
                                  << "127.0.0.1" << 65535;
    QTest::newRow("bracketed IPv6 and port") << "[2001:db8::1]:7800"
                                             << "2001:db8::1" << 7800;
    QTest::newRow("bracketed IPv6") << "[::1]"
                                    << "::1" << 0;
    QTest::newRow("bare IPv6 has no port") << "::1"
                                           << "::1" << 0;
    QTest::newRow("bare IPv6 ending in digits") << "2001:db8::7800"
                                                << "2001:db8::7800" << 0;
    QTest::newRow("IPv6 with zone") << "[fe80::1%eth0]:7772"
                                    << "fe80::1%eth0" << 7772;
    QTest::newRow("blanks around") << "  host:1  "
                                   << "host" << 1;
    QTest::newRow("letters of other scripts") << "bücher.example"
                                              << "bücher.example" << 0;
}

void HostAddressTest::addressFormsAreRead() {
    QFETCH(QString, text);
    QFETCH(QString, host);
    QFETCH(int, port);
    QString problem;
    const std::optional<HostAndPort> address = parseHostAddress(text, &problem);
    QVERIFY2(address, qPrintable(problem));
    QCOMPARE(address->host, host);
    QCOMPARE(int(address->port.value_or(0)), port);
}

void HostAddressTest::badAddressesAreRefusedWithAMessage_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("says"); // a part of the message
    QTest::newRow("empty") << "   "
                           << "empty";
    QTest::newRow("option") << "-platform"
                            << "\"-\"";
    QTest::newRow("port 0") << "host:0"
                            << "1 to 65535";
    QTest::newRow("port too high") << "host:65536"
                                   << "1 to 65535";
    QTest::newRow("port of many digits") << "host:0000080"
                                         << "1 to 65535";
    QTest::newRow("port not a number") << "host:http"
                                       << "1 to 65535";
    QTest::newRow("port missing") << "host:"
                                  << "1 to 65535";
    QTest::newRow("negative port") << "host:-5"
                                   << "1 to 65535";
    QTest::newRow("host missing") << ":7800"
                                  << "missing";
    QTest::newRow("open bracket") << "[2001:db8::1:7800"
                                  << "brackets";
    QTest::newRow("close bracket") << "2001:db8::1]:7800"
                                   << "brackets";
    QTest::newRow("two brackets") << "[[::1]]:7800"
                                  << "brackets";
    QTest::newRow("not IPv6 in brackets") << "[gamebox]:7800"
                                          << "not an IPv6";
    QTest::newRow("text after brackets") << "[::1]7800"
                                         << "colon and a port";
    QTest::newRow("bad port after brackets") << "[::1]:99999"
                                             << "1 to 65535";
    QTest::newRow("bare IPv6 with letters") << "gamebox::1"
                                            << "not an IPv6";
    QTest::newRow("blank inside") << "game box"
                                  << "only letters";
    QTest::newRow("markup") << "<b>host</b>"
                            << "only letters";
    QTest::newRow("too long") << QString(400, u'a') << "too long";
}

void HostAddressTest::badAddressesAreRefusedWithAMessage() {
    QFETCH(QString, text);
    QFETCH(QString, says);
    QString problem;
    QVERIFY(!parseHostAddress(text, &problem));
    QVERIFY2(problem.contains(says), qPrintable(problem));
}

void HostAddressTest::tableLinksAreReadStrictly_data() {
    QTest::addColumn<QString>("link");
    QTest::addColumn<QString>("host"); // empty: refused
    QTest::addColumn<int>("port");
    QTest::newRow("address and port") << "quibo://192.0.2.7:7800"
                                      << "192.0.2.7" << 7800;
    QTest::newRow("trailing slash") << "quibo://gamebox:7800/"
                                    << "gamebox" << 7800;
    QTest::newRow("no port") << "quibo://gamebox"
                             << "gamebox" << 0;
    QTest::newRow("scheme in capitals") << "QUIBO://gamebox:1"
                                        << "gamebox" << 1;
    QTest::newRow("IPv6") << "quibo://[2001:db8::1]:7800"
                          << "2001:db8::1" << 7800;
    QTest::newRow("IPv6 without brackets") << "quibo://2001:db8::1"
                                           << "" << 0;
    QTest::newRow("other scheme") << "http://gamebox:7800"
                                  << "" << 0;
    QTest::newRow("path") << "quibo://gamebox:7800/x"
                          << "" << 0;
    QTest::newRow("two slashes") << "quibo://gamebox:7800//"
                                 << "" << 0;
    QTest::newRow("query") << "quibo://gamebox:7800?name=Ann"
                           << "" << 0;
    QTest::newRow("fragment") << "quibo://gamebox#x"
                              << "" << 0;
    QTest::newRow("user") << "quibo://ann@gamebox:7800"
                          << "" << 0;
    QTest::newRow("escapes") << "quibo://game%20box"
                             << "" << 0;
    QTest::newRow("option as host") << "quibo://-platform"
                                    << "" << 0;
    QTest::newRow("empty") << "quibo://"
                           << "" << 0;
    QTest::newRow("port 0") << "quibo://gamebox:0"
                            << "" << 0;
}

void HostAddressTest::tableLinksAreReadStrictly() {
    QFETCH(QString, link);
    QFETCH(QString, host);
    QFETCH(int, port);
    QString problem;
    const std::optional<HostAndPort> address = parseTableLink(link, &problem);
    if (host.isEmpty()) {
        QVERIFY(!address);
        QVERIFY(problem.contains(QLatin1String("quibo://HOST:PORT")));
        return;
    }
    QVERIFY2(address, qPrintable(problem));
    QCOMPARE(address->host, host);
    QCOMPARE(int(address->port.value_or(0)), port);
}

void HostAddressTest::linksAndAddressesAreWrittenBackReadably() {
    QCOMPARE(tableLink(QStringLiteral("192.0.2.7"), 7772), QStringLiteral("quibo://192.0.2.7:7772"));
    QCOMPARE(tableLink(QStringLiteral("2001:db8::1"), 7800), QStringLiteral("quibo://[2001:db8::1]:7800"));
    // What is written is read back as the same address.
    const auto back = parseTableLink(tableLink(QStringLiteral("fd00::2"), 40000));
    QVERIFY(back);
    QCOMPARE(*back, (HostAndPort{QStringLiteral("fd00::2"), quint16(40000)}));
}

QTEST_GUILESS_MAIN(HostAddressTest)
#include "tst_hostaddress.moc"
