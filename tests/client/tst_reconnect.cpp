// SPDX-License-Identifier: MIT
// A window whose connection breaks under it tries the host again and logs in under the same name;
// a host that ends the connection in order is left alone.
#include "chatsession.h"
#include "hostconnection.h"

#include <QTest>
#ifdef Q_OS_UNIX
#include <sys/socket.h>
#endif

using namespace quibo;
using namespace quibo::test;

namespace {

// Ends the host's side of a connection with a reset, as a crashed host or a dropped network does.
void resetPeer(ScriptedHost& host, int peer) {
    QTcpSocket* socket = host.peers.at(peer)->socket;
#ifdef Q_OS_UNIX
    const linger hard{1, 0};
    ::setsockopt(int(socket->socketDescriptor()), SOL_SOCKET, SO_LINGER, &hard, sizeof hard);
#endif
    socket->abort();
}

} // namespace

class ReconnectTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void initTestCase() { QStandardPaths::setTestModeEnabled(true); }
    void resetWindowComesBackUnderTheSameName();
    void endedConnectionClosesTheWindow_data();
    void endedConnectionClosesTheWindow();
};

void ReconnectTest::resetWindowComesBackUnderTheSameName() {
    ChatSession s;
    QVERIFY(s.start({QStringLiteral("Ann"), QStringLiteral("127.0.0.1"), QStringLiteral("false")}));
    QVERIFY(s.seat(2, QStringLiteral("Ann")));
    const int ownLabelTop = s.seatLabel(2)->y();
    resetPeer(s.host, 0);
    QVERIFY(s.waitForLine(QStringLiteral("Connection lost. Reconnecting...")));
    QVERIFY(s.host.waitForPeers(2));
    s.host.send(1, msg::SendLoginInfo{2});
    QVERIFY(s.host.waitForMessage(1, textOf(msg::LoginInfo{2, programVersion, QByteArrayLiteral("Ann")})));
    s.host.send(1, msg::NewPlayerInfo{2, QByteArrayLiteral("Ann")});
    QTRY_COMPARE_WITH_TIMEOUT(s.lines().count(QStringLiteral("You are Connected.")), 2, 20000);
    // Seated in seat 2 again, the window still shows its own seat at the bottom.
    QCOMPARE(s.seatLabel(2)->y(), ownLabelTop);
    QCOMPARE(s.closedSpy->count(), 0);
}

void ReconnectTest::endedConnectionClosesTheWindow_data() {
    QTest::addColumn<bool>("reset");
    QTest::addColumn<QString>("lastLine");
    // A host that closes in order, or removes the player (which closes the connection in order).
    QTest::newRow("closed in order") << false << QString();
    QTest::newRow("every try fails") << true << QStringLiteral("Could not reconnect to the host: ");
}

void ReconnectTest::endedConnectionClosesTheWindow() {
    QFETCH(bool, reset);
    QFETCH(QString, lastLine);
    ChatSession s;
    s.chat->connection()->setReconnectDelays({50, 100});
    QVERIFY(s.start({QStringLiteral("Ann"), QStringLiteral("127.0.0.1"), QStringLiteral("false")}));
    QVERIFY(s.seat(2, QStringLiteral("Ann")));
    if (reset) {
        s.host.server.close(); // the tries find nobody
        resetPeer(s.host, 0);
    } else {
        s.host.peers.at(0)->socket->disconnectFromHost();
    }
    QVERIFY(s.closedSpy->wait(20000));
    QCOMPARE(s.hasLine(QStringLiteral("Connection lost. Reconnecting...")), reset);
    if (reset) QVERIFY2(s.lines().last().startsWith(lastLine), qPrintable(s.lines().last()));
    QTest::qWait(300); // longer than every delay: a try would have come by now
    QCOMPARE(int(s.host.peers.size()), 1);
}

QTEST_MAIN(ReconnectTest)
#include "tst_reconnect.moc"
