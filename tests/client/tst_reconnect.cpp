// SPDX-License-Identifier: MIT
// A window whose connection breaks under it tries the host again and logs in under the same name,
// with its seat's key when the host gave one, and ends up as a window that never dropped; a host
// that ends the connection in order is left alone, and one that closes the table says so.
#include "boardpanel.h"
#include "chatsession.h"
#include "hostconnection.h"
#include "tile.h"

#include <QListWidget>
#include <QTest>
#include <QTimer>
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
    void hostThatAcceptsButNeverPlaysIsGivenUp_data();
    void hostThatAcceptsButNeverPlaysIsGivenUp();
    void firstConnectionWithoutGreetingFails();
    void catchUpAfterABreakEqualsAWindowThatStayed();
    void hostClosingTheTableIsSaidAndTheWindowStays();
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
    // Back at the table the chat says so once, not that the player connected anew.
    QVERIFY(s.waitForLine(QStringLiteral("Reconnected.")));
    QCOMPARE(s.lines().count(QStringLiteral("You are Connected.")), 1);
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
        QVERIFY(s.host.closeAndHoldPort()); // the tries find nobody
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

void ReconnectTest::hostThatAcceptsButNeverPlaysIsGivenUp_data() {
    QTest::addColumn<bool>("resetsAtOnce");
    QTest::newRow("accepts and resets") << true;
    QTest::newRow("accepts and never greets") << false;
}

// Every try reaches the host's listener, but no try ever gets a greeting: the tries run out.
void ReconnectTest::hostThatAcceptsButNeverPlaysIsGivenUp() {
    QFETCH(bool, resetsAtOnce);
    const QList<int> delays{50, 100, 150};
    ChatSession s;
    s.chat->connection()->setReconnectDelays(delays);
    s.chat->connection()->setGreetingTimeout(300);
    QVERIFY(s.start({QStringLiteral("Ann"), QStringLiteral("127.0.0.1"), QStringLiteral("false")}));
    QVERIFY(s.seat(2, QStringLiteral("Ann")));
    if (resetsAtOnce) {
        // Reset once the window has seen the connection made, as a host across a network would.
        QObject::connect(&s.host.server, &QTcpServer::newConnection, &s.host, [&s] {
            const int peer = int(s.host.peers.size()) - 1;
            QTimer::singleShot(100, &s.host, [&s, peer] { resetPeer(s.host, peer); });
        });
    }
    resetPeer(s.host, 0);
    QVERIFY(s.closedSpy->wait(20000));
    QVERIFY2(s.lines().last().startsWith(QStringLiteral("Could not reconnect to the host: ")),
             qPrintable(s.lines().last()));
    if (!resetsAtOnce)
        QVERIFY2(s.lines().last().contains(QStringLiteral("did not greet")), qPrintable(s.lines().last()));
    QTest::qWait(500); // longer than every delay: a try would have come by now
    // The first connection and one per try, none after the last.
    QCOMPARE(int(s.host.peers.size()), 1 + int(delays.size()));
}

void ReconnectTest::firstConnectionWithoutGreetingFails() {
    ChatSession s;
    s.chat->connection()->setGreetingTimeout(300);
    QVERIFY(s.start({QStringLiteral("Ann"), QStringLiteral("127.0.0.1"), QStringLiteral("false")}));
    QVERIFY(s.waitForLine(QStringLiteral(
        "Could not connect to the host: The host did not greet this window within 0.3 seconds.")));
    // A failed start, not a break: the window stays for the player to correct the address.
    QCOMPARE(s.closedSpy->count(), 0);
    QTest::qWait(300);
    QCOMPARE(int(s.host.peers.size()), 1);
}

void ReconnectTest::catchUpAfterABreakEqualsAWindowThatStayed() {
    const QByteArray key = "00112233445566778899aabbccddeeff";
    ChatSession s;
    QVERIFY(s.start({QStringLiteral("Bob"), QStringLiteral("127.0.0.1"), QStringLiteral("false")}));
    QVERIFY(s.seat(2, QStringLiteral("Bob")));
    s.host.send(msg::SeatKey{2, key});
    s.host.send(msg::ExistingPlayers{1, "Ann"});
    s.host.send(msg::StartGame{"Ann", 30, 100, 5});
    s.host.send(msg::Letters{2, {{1, 1}, {2, 20}}});
    s.host.send(msg::FormedWord{2, "at", 2, 2});
    s.host.send(msg::NextPlayer{2, 5});
    BoardPanel* board = s.chat->board();
    QTRY_COMPARE_WITH_TIMEOUT(board->model().turnSeat(), 2, 20000);
    resetPeer(s.host, 0);
    QVERIFY(s.waitForLine(QStringLiteral("Connection lost. Reconnecting...")));
    const int linesBefore = int(s.lines().size());

    // Offered a spectator's seat, the window presents its key and is given seat 2 back.
    QVERIFY(s.host.waitForPeers(2));
    s.host.send(1, msg::SendLoginInfo{3});
    QVERIFY(s.host.waitForMessage(1, textOf(msg::LoginInfo{3, programVersion, "Bob", key})));
    s.host.send(1, msg::YourSeat{2});
    s.host.send(1, msg::NewPlayerInfo{2, "Bob"});
    s.host.send(1, msg::ExistingPlayers{1, "Ann"});
    s.host.send(1, msg::ExistingPlayers{4, "Mallory"});
    s.host.send(1, msg::SeatKey{2, "ffeeddccbbaa99887766554433221100"});
    s.host.send(1, msg::Letters{2, {{1, 1}, {2, 20}, {3, 3}}});
    s.host.send(1, msg::PlaceMyLetter{2, 0, 1, 3});
    s.host.send(1, msg::GameStats{30, 100, 5, 9, 7});
    s.host.send(1, msg::EarlierWord{1, "ox", 9});
    s.host.send(1, msg::EarlierWord{2, "at", 2});
    s.host.send(1, msg::EarlierWord{2, "cat", 5});
    s.host.send(1, msg::TurnState{1, 17, true, 4, 3});
    QTRY_COMPARE_WITH_TIMEOUT(board->model().turnSeat(), 1, 20000);

    QCOMPARE(s.chat->mynumber(), 2);
    QCOMPARE(board->model().ownSeat(), 2);
    const auto* status = board->findChild<QLabel*>(QStringLiteral("label_status"));
    QCOMPARE(status->text(), QStringLiteral("Ann's turn."));
    QVERIFY(board->model().secondsLeft() <= 17 && board->model().secondsLeft() >= 10);
    QVERIFY(board->turntimer()->isActive());
    QCOMPARE(board->findChild<QLabel*>(QStringLiteral("label_status1"))->text(),
             QStringLiteral("Steals Left: 4"));
    QCOMPARE(board->listboxMywords()->count(), 2);
    QCOMPARE(board->listboxMywords()->item(0)->text(), QStringLiteral("cat : 5"));
    QCOMPARE(board->labelMywords()->text(), QStringLiteral("Your Words: (2)"));
    QCOMPARE(board->extra(3)->shownCode(), 3);
    QCOMPARE(s.lines().mid(linesBefore), QStringList{QStringLiteral("Reconnected.")});
    // The window moves as seat 2 again.
    QTRY_VERIFY_WITH_TIMEOUT(s.chat->isconnected(), 20000);
}

void ReconnectTest::hostClosingTheTableIsSaidAndTheWindowStays() {
    ChatSession s;
    QSignalSpy startWindow(s.chat.get(), &Tchat::startWindowRequested);
    QVERIFY(s.start({QStringLiteral("Ann"), QStringLiteral("127.0.0.1"), QStringLiteral("false")}));
    QVERIFY(s.seat(2, QStringLiteral("Ann")));
    startWindow.clear();
    s.host.send(msg::TableClosed{});
    s.host.peers.at(0)->socket->disconnectFromHost();
    QTRY_COMPARE_WITH_TIMEOUT(startWindow.count(), 1, 20000);
    QCOMPARE(s.lines().last(), QStringLiteral("The host closed the table."));
    QVERIFY(!s.chat->isconnected());
    QTest::qWait(100);
    QCOMPARE(s.closedSpy->count(), 0);
    QVERIFY(s.chat->isVisible());
}

QTEST_MAIN(ReconnectTest)
#include "tst_reconnect.moc"
