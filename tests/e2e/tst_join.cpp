// SPDX-License-Identifier: MIT
// The real desktop program reaches the real host at the address and port it is given (IPv4, IPv6,
// a table link), and a hosting copy with a password keeps its table for those who know it.
#include "messagetext.h"
#include "programprocess.h"
#include "rawclient.h"

#include <QFile>
#include <QTcpServer>
#include <QTemporaryDir>
#include <QTest>
#include <algorithm>
#include <memory>

using namespace quibo;
using namespace quibo::test;

namespace {

// Nothing listens there: a window that ignored the port it was given would reach nobody.
constexpr quint16 wrongGamePort = 9;

bool hasIPv6Loopback() {
    QTcpServer probe;
    return probe.listen(QHostAddress::LocalHostIPv6, 0);
}

quint16 freePort() {
    QTcpServer probe;
    return probe.listen(QHostAddress::Any, 0) ? probe.serverPort() : 0;
}

} // namespace

class JoinTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void initTestCase();
    void windowJoinsAtTheAddressAndPortGiven_data();
    void windowJoinsAtTheAddressAndPortGiven();
    void hostingCopysPasswordKeepsItsTable();

private:
    QTemporaryDir m_dir;
    std::unique_ptr<ProgramProcess> m_host;
    RawClient m_ann;
    quint16 m_port = 0;
};

void JoinTest::initTestCase() {
    QVERIFY(m_dir.isValid());
    m_host = std::make_unique<ProgramProcess>(m_dir.path());
    m_port = m_host->startHost(
        {QStringLiteral("--port"), QStringLiteral("0"), QStringLiteral("--hold"), QStringLiteral("0")});
    QVERIFY2(m_port != 0, qPrintable(m_host->failure));
    QCOMPARE(m_ann.connectAndGetSeat(m_port), 1);
    m_ann.send(msg::LoginInfo{1, programVersion, "Ann"});
    QVERIFY(m_ann.waitFor("CMD_newplayerinfo+1+Ann") >= 0);
}

void JoinTest::windowJoinsAtTheAddressAndPortGiven_data() {
    QTest::addColumn<QStringList>("commandLine"); // %1: the host's port
    QTest::addColumn<bool>("ipv6");
    QTest::newRow("IPv4 and port") << QStringList{QStringLiteral("Bob"), QStringLiteral("127.0.0.1:%1")}
                                   << false;
    QTest::newRow("IPv6 in brackets and port")
        << QStringList{QStringLiteral("Bob"), QStringLiteral("[::1]:%1")} << true;
    // A link alone joins under the name the settings file remembers.
    QTest::newRow("table link") << QStringList{QStringLiteral("quibo://[::1]:%1/")} << true;
}

void JoinTest::windowJoinsAtTheAddressAndPortGiven() {
    QFETCH(QStringList, commandLine);
    QFETCH(bool, ipv6);
    if (ipv6 && !hasIPv6Loopback()) QSKIP("this machine has no IPv6 loop-back address");
    for (QString& argument : commandLine)
        argument.replace(QLatin1String("%1"), QString::number(m_port));
    QTemporaryDir root;
    QFile settings(root.filePath(QStringLiteral("kivolobby.ini")));
    QVERIFY(settings.open(QIODevice::WriteOnly));
    settings.write("[Quibo]\r\nPlayerName=Bob\r\n");
    settings.close();
    const int from = int(m_ann.messages.size());
    ProgramProcess window(root.path());
    QVERIFY2(window.startWindow(commandLine, wrongGamePort), qPrintable(window.failure));
    QVERIFY(m_ann.waitFor("CMD_newplayerinfo+2+Bob", 30000, from) >= 0);
    QVERIFY(window.terminate());
    QVERIFY(m_ann.waitFor("CMD_playerdisconnected+2+", 20000, from) >= 0);
}

// The start window hands the hosting copy its password in the environment; its own window is seated
// with it, a login without it is not, and one with it is.
void JoinTest::hostingCopysPasswordKeepsItsTable() {
    const quint16 port = freePort();
    QVERIFY(port != 0);
    QTemporaryDir root;
    ProgramProcess window(root.path());
    window.setEnvironment(QStringLiteral("QUIBO_TABLE_PASSWORD"), QStringLiteral("secret"));
    QVERIFY2(window.startWindow({QStringLiteral("Ann"), QStringLiteral("127.0.0.1"), QStringLiteral("true")},
                                port),
             qPrintable(window.failure));
    RawClient stranger;
    QVERIFY(
        QTest::qWaitFor([&] { return stranger.connectTo(port, QStringLiteral("127.0.0.1"), 1000); }, 30000));
    const int greeting = stranger.waitFor("CMD_sendlogininfo+");
    QVERIFY(greeting >= 0);
    const int seat = decodeText<msg::SendLoginInfo>(stranger.messages.at(greeting))->seat;
    stranger.send(msg::LoginInfo{seat, programVersion, "Eve"});
    QVERIFY(stranger.waitFor("CMD_passwordneeded+0+") >= 0);
    QVERIFY(stranger.waitForClosed());

    RawClient friendly;
    const int friendSeat = friendly.connectAndGetSeat(port);
    QVERIFY(friendSeat > 0);
    friendly.send(msg::TablePassword{friendSeat, "secret"});
    friendly.send(msg::LoginInfo{friendSeat, programVersion, "Bob"});
    QVERIFY(friendly.waitFor("CMD_newplayerinfo+" + QByteArray::number(friendSeat) + "+Bob") >= 0);
    // The hosting player's own window is seated (in seat 1, unless the stranger came first).
    QVERIFY(QTest::qWaitFor(
        [&] {
            return std::any_of(friendly.messages.cbegin(), friendly.messages.cend(), [](const QByteArray& m) {
                return m.startsWith("CMD_existingplayers+") && m.endsWith("+Ann");
            });
        },
        20000));
    QVERIFY(window.terminate());
}

QTEST_GUILESS_MAIN(JoinTest)
#include "tst_join.moc"
