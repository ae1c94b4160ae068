// SPDX-License-Identifier: MIT
// What the host does with input it must not trust: messages in another seat's name, malformed or
// unknown messages, connections that break, floods, and connections that come and go quickly.
#include "errorreport.h"
#include "fairqueue.h"
#include "hostfixture.h"

#include <QTest>
#include <algorithm>
#include <chrono>

#ifdef Q_OS_LINUX
#include <netinet/in.h>
#include <netinet/tcp.h>
#include <sys/socket.h>
#endif

using namespace quibo;
using quibo::test::HostFixture;
using quibo::test::RawClient;

namespace {

// Sends a chat line from a client and waits until every receiver has it relayed: everything the host
// received from that client before has been handled by then.
bool roundTrip(RawClient* from, int seat, std::initializer_list<RawClient*> receivers,
               const QByteArray& marker) {
    const QByteArray tail = " chats: " + marker + "|clBlack";
    from->sendRaw(msg::ChatRequest{seat, marker + "|clBlack"}.encode());
    for (RawClient* to : receivers) {
        const bool arrived = QTest::qWaitFor(
            [&] {
                return std::any_of(to->messages.cbegin(), to->messages.cend(),
                                   [&](const QByteArray& m) { return m.endsWith(tail); });
            },
            20000);
        if (!arrived) return false;
    }
    return true;
}

} // namespace

class HostSafetyTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void nobodyActsInAnotherSeatsName_data();
    void nobodyActsInAnotherSeatsName();
    void malformedAndUnknownInputIsIgnoredQuietly_data();
    void malformedAndUnknownInputIsIgnoredQuietly();
    void brokenConnectionIsADeparture();
    void floodingConnectionDoesNotStarveOthers();
    void floodingConnectionIsClosed_data();
    void floodingConnectionIsClosed();
    void clientThatStopsReadingIsClosed();
    void idleConnectionsLoseTheirSeats();
    void lateLoginCannotTakeAFreedSeat();
    void joinAndLeaveChurnLeavesNoGhostSeats();
    void fairQueueTakesConnectionsInTurn();
};

void HostSafetyTest::nobodyActsInAnotherSeatsName_data() {
    QTest::addColumn<QByteArray>("message");
    // Sent by seat 3 (a spectator) naming seat 1 or 2.
    QTest::newRow("login as seat 1") << QByteArray("CMD_logininfo+1+1.0.2+Mallory");
    QTest::newRow("kick as seat 1") << QByteArray("CMD_kickhim+1+2+");
    QTest::newRow("chat as seat 1") << QByteArray("CMD_chat+1+fake|clRed");
    QTest::newRow("action as seat 2") << QByteArray("CMD_action+2+fakes|clRed");
    QTest::newRow("watch for seat 2") << QByteArray("CMD_justwatch+2+1");
    QTest::newRow("start a game") << QByteArray("CMD_startgame+Mallory+30+100+5+");
    QTest::newRow("give as seat 1") << QByteArray("CMD_give3+1+");
    QTest::newRow("place for seat 2") << QByteArray("CMD_placemyletter+2+1+1+");
    QTest::newRow("discard extra for seat 2") << QByteArray("CMD_discardextra+2+1+");
    QTest::newRow("trade for seat 2") << QByteArray("CMD_tradingmyletter+2+1+2+");
    QTest::newRow("steal for seat 2") << QByteArray("CMD_stealinghisletter+2+1+1+");
    QTest::newRow("discard letter for seat 2") << QByteArray("CMD_discardletter+2+1+");
}

void HostSafetyTest::nobodyActsInAnotherSeatsName() {
    QFETCH(QByteArray, message);
    HostFixture host;
    RawClient* ann = host.join(QStringLiteral("Ann"));
    RawClient* bob = host.join(QStringLiteral("Bob"));
    RawClient* mallory = host.join(QStringLiteral("Mallory"));
    // Seat 2 is to move in a running game, with letters in hand and on the board.
    TServer& server = *host.server;
    server.setUpPosition({.gamerunning = true,
                          .currentseat = 2,
                          .turntime = 30,
                          .targetscore = 100,
                          .seats = {{2, {.hand = Hand{1, 5, 9, 15, 21, 0}, .board = Board{3, 1, 20}}}}});
    const tplayer before = server.players()[2];
    const qsizetype annBefore = ann->messages.size();
    const qsizetype bobBefore = bob->messages.size();

    mallory->send(message);
    QVERIFY(roundTrip(mallory, 3, {ann, bob}, "marker"));

    // Nothing reached the others but the marker, and no state moved.
    QCOMPARE(ann->messages.size(), annBefore + 1);
    QCOMPARE(bob->messages.size(), bobBefore + 1);
    QCOMPARE(ann->socket.state(), QAbstractSocket::ConnectedState);
    QCOMPARE(bob->socket.state(), QAbstractSocket::ConnectedState);
    QCOMPARE(server.players()[1].name, QByteArray("Ann"));
    QCOMPARE(server.players()[2].hand, before.hand);
    QCOMPARE(server.players()[2].board, before.board);
    QCOMPARE(server.players()[2].watching, 0);
    QCOMPARE(server.rules().currentseat(), 2);
    QVERIFY(!server.rules().handover());
    QCOMPARE(server.rules().turntime(), 30);
}

void HostSafetyTest::malformedAndUnknownInputIsIgnoredQuietly_data() {
    QTest::addColumn<QByteArray>("message");
    QTest::newRow("seat not a number") << QByteArray("CMD_chat+two+hi|clRed");
    QTest::newRow("seat too large for 32 bits") << QByteArray("CMD_chat+99999999999+hi|clRed");
    QTest::newRow("missing fields") << QByteArray("CMD_kickhim+");
    QTest::newRow("kick a seat that does not exist") << QByteArray("CMD_kickhim+1+99+");
    QTest::newRow("kick a negative seat") << QByteArray("CMD_kickhim+1+-4+");
    QTest::newRow("login for seat 0") << QByteArray("CMD_logininfo+0+1.0.2+X");
    QTest::newRow("watch an unknown value") << QByteArray("CMD_justwatch+1+7");
    QTest::newRow("move with a slot out of range") << QByteArray("CMD_placemyletter+1+99+-3+");
    QTest::newRow("unknown command") << QByteArray("CMD_takeover+1+");
    QTest::newRow("lower-case command") << QByteArray("cmd_chat+1+hi|clRed");
    QTest::newRow("no command") << QByteArray("+++");
    QTest::newRow("empty") << QByteArray();
    QTest::newRow("binary") << QByteArray("\x00\x01\xFE+\x80", 5);
}

void HostSafetyTest::malformedAndUnknownInputIsIgnoredQuietly() {
    QFETCH(QByteArray, message);
    QStringList reported;
    const ErrorReporter previous = setErrorReporter([&](const QString& m) { reported << m; });
    {
        HostFixture host;
        RawClient* ann = host.join(QStringLiteral("Ann"));
        RawClient* bob = host.join(QStringLiteral("Bob"));
        const qsizetype bobBefore = bob->messages.size();
        ann->send(message);
        QVERIFY(roundTrip(ann, 1, {bob}, "after"));
        QCOMPARE(bob->messages.size(), bobBefore + 1);
        QVERIFY(host.server->players()[1].occupied && host.server->players()[2].occupied);
        QCOMPARE(host.server->players().playercount, 2);
    }
    setErrorReporter(previous);
    QVERIFY2(reported.isEmpty(), qPrintable(reported.join(u'\n')));
}

void HostSafetyTest::brokenConnectionIsADeparture() {
    // Without a hold the broken seat is free at once.
    HostConfig config;
    config.seatHold = std::chrono::milliseconds::zero();
    HostFixture host(config);
    RawClient* ann = host.join(QStringLiteral("Ann"));
    RawClient* bob = host.join(QStringLiteral("Bob"));
    RawClient* cy = host.join(QStringLiteral("Cy"));
    bob->reset();
    QVERIFY(ann->waitFor("CMD_playerdisconnected+2+Bob") >= 0);
    QVERIFY(cy->waitFor("CMD_playerdisconnected+2+Bob") >= 0);
    QVERIFY(!host.server->players()[2].occupied);
    QCOMPARE(ann->count("CMD_playerdisconnected"), 1);

    int seat = 0;
    host.connect(&seat);
    QCOMPARE(seat, 2);
}

void HostSafetyTest::floodingConnectionDoesNotStarveOthers() {
    // Chat lines are what floods here; the seat's chat rate, which would drop them, is lifted.
    HostConfig config;
    config.chatBurst = 1000;
    HostFixture host(config);
    RawClient* ann = host.join(QStringLiteral("Ann"));
    RawClient* flooder = host.join(QStringLiteral("Flood"));
    RawClient* cy = host.join(QStringLiteral("Cy"));
    TServer& server = *host.server;

    // Hold the queue so the order of handling does not depend on timing.
    server.pauseQueue();
    QByteArray burst;
    for (int i = 0; i < 200; ++i)
        burst += "CMD_chat+2+spam " + QByteArray::number(i) + "|clRed" + messageTerminator;
    flooder->sendRaw(burst);
    QTRY_COMPARE_WITH_TIMEOUT(server.receivedlist().size(), 200, 20000);
    cy->send("CMD_chat+3+my turn|clBlack");
    QTRY_COMPARE_WITH_TIMEOUT(server.receivedlist().size(), 201, 20000);

    server.socktimerTimer();
    server.socktimerTimer();
    QVERIFY(ann->waitFor("CMD_chat+Cy chats: my turn") >= 0);
    QVERIFY(ann->count("CMD_chat+Flood chats: spam") <= 1);
    server.resumeQueue();
    QVERIFY(ann->waitFor("CMD_chat+Flood chats: spam 199") >= 0);
}

void HostSafetyTest::floodingConnectionIsClosed_data() {
    QTest::addColumn<QByteArray>("flood");
    QByteArray messages;
    for (int i = 0; i < 2000; ++i)
        messages += QByteArray("CMD_chat+2+spam|clRed") + messageTerminator;
    QTest::newRow("too many messages") << messages;
    QTest::newRow("no terminator") << QByteArray(maxUnterminatedBytes + 100, 'x');
    // Arrives whole, usually in one read: the bound is on messages, not only on what waits.
    QTest::newRow("one message over the limit")
        << QByteArray("CMD_chat+2+" + QByteArray(maxMessageBytes, 'x') + "|clRed" + messageTerminator);
}

void HostSafetyTest::floodingConnectionIsClosed() {
    QFETCH(QByteArray, flood);
    HostConfig config;
    config.maxQueuedPerConnection = 100;
    HostFixture host(config);
    RawClient* ann = host.join(QStringLiteral("Ann"));
    RawClient* flooder = host.join(QStringLiteral("Flood"));
    host.server->pauseQueue();
    flooder->sendRaw(flood);
    QVERIFY(flooder->waitForClosed());
    QVERIFY(host.server->receivedlist().size() <= 100);
    host.server->resumeQueue();
    QVERIFY(ann->waitFor("CMD_playerdisconnected+2+Flood") >= 0);
    QCOMPARE(host.server->receivedlist().size(), 0);
    QVERIFY(std::none_of(ann->messages.cbegin(), ann->messages.cend(),
                         [](const QByteArray& m) { return m.size() > maxMessageBytes; }));
    // The host carries on for everybody else.
    QVERIFY(roundTrip(ann, 1, {ann}, "still fine"));
}

void HostSafetyTest::clientThatStopsReadingIsClosed() {
    // What the host cannot hand to a peer waits in memory; a peer that never reads is let go.
    HostConfig config;
    config.maxPendingOutput = 256 * 1024;
    // Long chat lines fill the output here, so neither their length nor their rate is limited.
    config.maxChatCharacters = maxMessageBytes;
    config.chatBurst = 1000;
    HostFixture host(config);
    RawClient* talker = host.join(QStringLiteral("Talker"));
    RawClient* sink = host.join(QStringLiteral("Sink"));
    QObject::disconnect(&sink->socket, &QTcpSocket::readyRead, nullptr, nullptr);
    sink->socket.setReadBufferSize(1024);

    const QByteArray line = "CMD_chat+1+" + QByteArray(60000, 'w') + "|clBlack" + messageTerminator;
    for (int i = 0; i < 200 && host.server->players()[2].occupied; ++i) {
        talker->sendRaw(line);
        QTest::qWait(5);
    }
    QVERIFY(talker->waitFor("CMD_playerdisconnected+2+Sink", 60000) >= 0);
    QVERIFY(host.server->players()[1].occupied);
}

void HostSafetyTest::idleConnectionsLoseTheirSeats() {
    HostConfig config;
    config.loginTimeout = std::chrono::seconds(3);
    config.maxWaitingPerAddress = SeatTable::maxSeats; // all from one address here
    HostFixture host(config);
    RawClient* ann = host.join(QStringLiteral("Ann"));
    std::vector<RawClient*> idle;
    for (int expected = 2; expected <= 9; ++expected) {
        int seat = 0;
        idle.push_back(host.connect(&seat));
        QCOMPARE(seat, expected);
    }
    for (RawClient* client : idle)
        QVERIFY(client->waitForClosed());
    QCOMPARE(ann->socket.state(), QAbstractSocket::ConnectedState);
    QTRY_COMPARE_WITH_TIMEOUT(ann->count("CMD_playerdisconnected+"), 8, 20000);
    RawClient* newcomer = host.join(QStringLiteral("Newcomer"));
    QVERIFY(newcomer->has("CMD_sendlogininfo+2"));

#ifdef Q_OS_LINUX
    // A peer that vanishes without a word is probed and let go within minutes.
    const int fd = int(host.server->players()[1].sock->socketDescriptor());
    int keepAlive = 0;
    int idleSeconds = 0;
    socklen_t size = sizeof(int);
    QCOMPARE(::getsockopt(fd, SOL_SOCKET, SO_KEEPALIVE, &keepAlive, &size), 0);
    QCOMPARE(::getsockopt(fd, IPPROTO_TCP, TCP_KEEPIDLE, &idleSeconds, &size), 0);
    QCOMPARE(keepAlive, 1);
    QVERIFY(idleSeconds >= 1 && idleSeconds <= 120);
#endif
}

void HostSafetyTest::lateLoginCannotTakeAFreedSeat() {
    HostFixture host;
    RawClient* ann = host.join(QStringLiteral("Ann"));
    int seat = 0;
    RawClient* ghost = host.connect(&seat);
    QCOMPARE(seat, 2);
    host.server->pauseQueue();
    ghost->send("CMD_logininfo+2+1.0.2+Ghost");
    QTRY_COMPARE_WITH_TIMEOUT(host.server->receivedlist().size(), 1, 20000);
    ghost->close();
    QTRY_VERIFY_WITH_TIMEOUT(!host.server->players()[2].occupied, 20000);
    QCOMPARE(host.server->receivedlist().size(), 0);
    host.server->socktimerTimer();
    QVERIFY(!host.server->players()[2].occupied);
    host.server->resumeQueue();
    QVERIFY(roundTrip(ann, 1, {ann}, "check"));
    QCOMPARE(ann->count("CMD_newplayerinfo+2+"), 0);
}

void HostSafetyTest::joinAndLeaveChurnLeavesNoGhostSeats() {
    // Guests that break their connection in seat 2 would have it held; here it is freed at once.
    HostConfig config;
    config.seatHold = std::chrono::milliseconds::zero();
    HostFixture host(config);
    RawClient* ann = host.join(QStringLiteral("Ann"));
    // Each guest logs in and leaves at once, so its login is often still queued when its
    // connection ends.
    for (int round = 0; round < 300; ++round) {
        RawClient guest;
        const int seat = guest.connectAndGetSeat(host.port());
        // Departures still on their way may fill the table for a moment; that is a refusal, not a
        // ghost.
        if (seat == 0 && guest.has("CMD_full+")) continue;
        QVERIFY2(seat >= 2 && seat <= 9, qPrintable(QString::number(seat)));
        guest.sendRaw(msg::LoginInfo{seat, programVersion, "Guest" + QByteArray::number(round)}.encode());
        if (round % 3 == 0)
            guest.reset();
        else
            guest.close();
        if (round % 2 == 0) QVERIFY(guest.waitForClosed());
    }
    QTRY_VERIFY_WITH_TIMEOUT(host.server->receivedlist().isEmpty(), 30000);
    QTRY_VERIFY_WITH_TIMEOUT(
        [&] {
            for (int seat = 2; seat <= 9; ++seat) {
                if (host.server->players()[seat].occupied) return false;
            }
            return true;
        }(),
        30000);
    QVERIFY(host.server->players()[1].occupied);

    RawClient* newcomer = host.join(QStringLiteral("Newcomer"));
    QVERIFY(newcomer->has("CMD_sendlogininfo+2"));
    QVERIFY(ann->waitFor("CMD_newplayerinfo+2+Newcomer") >= 0);
    QCOMPARE(newcomer->count("CMD_existingplayers+"), 1);
}

void HostSafetyTest::fairQueueTakesConnectionsInTurn() {
    FairQueue queue(3);
    QVERIFY(queue.push(7, "a1"));
    QVERIFY(queue.push(7, "a2"));
    QVERIFY(queue.push(7, "a3"));
    QVERIFY(!queue.push(7, "a4"));
    QVERIFY(queue.push(9, "b1"));
    QVERIFY(queue.push(4, "c1"));
    QCOMPARE(queue.size(), 5);
    QStringList order;
    const auto take = [&] {
        const auto m = queue.takeNext();
        order << (m ? QString::fromLatin1(m->text) : QStringLiteral("-"));
    };
    take();
    take();
    queue.removeOrigin(4);
    take();
    take();
    take();
    QCOMPARE(order, (QStringList{"a1", "b1", "a2", "a3", "-"}));
    QVERIFY(queue.isEmpty());
}

QTEST_GUILESS_MAIN(HostSafetyTest)
#include "tst_hostsafety.moc"
