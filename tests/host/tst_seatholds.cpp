// SPDX-License-Identifier: MIT
// A seat 1 or 2 whose connection broke is kept for its player's key: strangers meanwhile are
// spectators without seat 1's powers, the key's holder comes back to hand, score, words and turn,
// and after the hold the seat is free as it always was.
#include "hostfixture.h"

#include <QTest>

using namespace quibo;
using quibo::test::HostFixture;
using quibo::test::RawClient;

namespace {

constexpr std::chrono::milliseconds shortHold{5000};

HostConfig holdingConfig(std::chrono::milliseconds hold = shortHold) {
    HostConfig config;
    config.seatHold = hold;
    return config;
}

QByteArray keyOf(const RawClient& client, int seat) {
    const int index = client.indexOf("CMD_seatkey+" + QByteArray::number(seat) + '+');
    if (index < 0) return {};
    const auto key = test::decodeText<msg::SeatKey>(client.messages.at(index));
    return key ? key->key : QByteArray();
}

// Ann in seat 1 and Bob in seat 2 halfway through a game with 30 seconds a turn, its clock standing.
struct Table {
    explicit Table(std::chrono::milliseconds hold = shortHold, int toMove = 1)
        : host(holdingConfig(hold)) {
        ann = host.join(QStringLiteral("Ann"));
        bob = host.join(QStringLiteral("Bob"));
        ann->waitFor("CMD_seatkey+1+");
        bob->waitFor("CMD_seatkey+2+");
        host.server->setUpPosition(
            {.gamerunning = true,
             .currentseat = toMove,
             .turntime = 30,
             .targetscore = 100,
             .stealsallowed = 5,
             .seats = {{1, {.hand = Hand{4, 5}, .score = 3, .words = QStringList{"ox"}}},
                       {2,
                        {.hand = Hand{1, 2, 3},
                         .board = Board{3, 1, 20},
                         .score = 12,
                         .words = QStringList{"at", "cat"}}}}});
    }
    RawClient* client(int seat) { return seat == 1 ? ann : bob; }
    // The seat's connection breaks; the other player hears of it.
    void drop(int seat) {
        client(seat)->reset();
        client(3 - seat)->waitFor("CMD_playerdisconnected+" + QByteArray::number(seat) + '+');
    }
    // A connection that logs in to the offered seat with a key.
    RawClient* comeBack(const QByteArray& name, const QByteArray& key, int* offered = nullptr) {
        int seat = 0;
        RawClient* client = host.connect(&seat);
        if (offered) *offered = seat;
        client->sendRaw(msg::LoginInfo{seat, programVersion, name, key}.encode());
        return client;
    }

    HostFixture host;
    RawClient* ann = nullptr;
    RawClient* bob = nullptr;
};

// Waits until everything the client sent before has been handled: its chat line comes back.
bool roundTrip(RawClient* client, int seat) {
    const int from = int(client->messages.size());
    client->send(msg::ChatRequest{seat, "sync|clBlack"});
    return client->waitFor("CMD_chat+", 20000, from) >= 0;
}

} // namespace

class SeatHoldsTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void strangerDuringTheHoldIsASpectatorWithoutSeatOnesPowers_data();
    void strangerDuringTheHoldIsASpectatorWithoutSeatOnesPowers();
    void keysHolderComesBackToHandScoreWordsAndTurn_data();
    void keysHolderComesBackToHandScoreWordsAndTurn();
    void keyThatOpensNoHeldSeatChangesNothing_data();
    void keyThatOpensNoHeldSeatChangesNothing();
    void afterTheHoldTheSeatIsFreeForAnOlderWindow();
    void seatLeftOnPurposeIsNotHeld_data();
    void seatLeftOnPurposeIsNotHeld();
};

void SeatHoldsTest::strangerDuringTheHoldIsASpectatorWithoutSeatOnesPowers_data() {
    QTest::addColumn<int>("dropped");
    QTest::newRow("seat 1") << 1;
    QTest::newRow("seat 2") << 2;
}

void SeatHoldsTest::strangerDuringTheHoldIsASpectatorWithoutSeatOnesPowers() {
    QFETCH(int, dropped);
    Table t(shortHold, 3 - dropped);
    const int stays = 3 - dropped;
    t.drop(dropped);
    QVERIFY(t.host.server->holds().isHeld(dropped));

    int seat = 0;
    RawClient* mallory = t.host.connect(&seat);
    QCOMPARE(seat, 3);
    mallory->sendRaw(msg::LoginInfo{3, programVersion, "Mallory"}.encode());
    QVERIFY(mallory->waitFor("CMD_gamestats+") >= 0);
    QCOMPARE(mallory->count("CMD_letters+"), 0);
    QCOMPARE(mallory->count("CMD_seatkey+"), 0);

    // Seat 1's powers, asked for in the own seat's name and in seat 1's.
    for (const int claimed : {3, 1}) {
        mallory->send(msg::KickHim{claimed, stays});
        mallory->send(msg::Give3{claimed});
        mallory->send(msg::JustWatch{stays, watchStarts});
        mallory->send("CMD_startgame+Mallory+99+1+0+");
    }
    QVERIFY(roundTrip(mallory, 3));
    const TServer& server = *t.host.server;
    QVERIFY(server.players()[stays].occupied);
    QCOMPARE(server.players()[stays].watching, quint8(0));
    QVERIFY(!server.rules().handover());
    QCOMPARE(server.rules().turntime(), 30);
    QCOMPARE(server.players()[2].score, 12);
    QVERIFY(server.holds().isHeld(dropped));
}

void SeatHoldsTest::keysHolderComesBackToHandScoreWordsAndTurn_data() {
    QTest::addColumn<int>("dropped");
    QTest::newRow("seat 1") << 1;
    QTest::newRow("seat 2") << 2;
}

void SeatHoldsTest::keysHolderComesBackToHandScoreWordsAndTurn() {
    QFETCH(int, dropped);
    // The other seat is to move, so the turn stands while the seat is away.
    Table t(shortHold, 3 - dropped);
    const QByteArray name = dropped == 1 ? "Ann" : "Bob";
    const QByteArray key = keyOf(*t.client(dropped), dropped);
    QCOMPARE(key.size(), msg::seatKeyLength);
    t.drop(dropped);
    RawClient* mallory = t.host.join(QStringLiteral("Mallory"));

    int offered = 0;
    RawClient* back = t.comeBack(name, key, &offered);
    QCOMPARE(offered, 4);
    const QByteArray seat = QByteArray::number(dropped);
    QVERIFY(back->waitFor("CMD_turnstate+") >= 0);
    // The seat comes first, then the login is announced for it, then the catch-up.
    QVERIFY(back->indexOf("CMD_yourseat+" + seat + '+') <
            back->indexOf("CMD_newplayerinfo+" + seat + '+' + name));
    QVERIFY(mallory->waitFor("CMD_newplayerinfo+" + seat + '+' + name) >= 0);
    QVERIFY(back->has(dropped == 1 ? "CMD_letters+1+1+4+2+5" : "CMD_letters+2+1+1+2+2+3+3"));
    QVERIFY(back->has("CMD_placemyletter+2+0+3+20+"));
    QVERIFY(back->has("CMD_gamestats+30+100+5+3+12+"));
    QVERIFY(back->has("CMD_earlierword+1+ox+" + QByteArray::number(GameRules::wordPoints("ox")) + '+'));
    QVERIFY(back->indexOf("CMD_earlierword+2+at+") < back->indexOf("CMD_earlierword+2+cat+"));
    QVERIFY(back->has("CMD_turnstate+" + QByteArray::number(3 - dropped) + "+30+0+5+5+"));
    const QByteArray newKey = keyOf(*back, dropped);
    QCOMPARE(newKey.size(), msg::seatKeyLength);
    QVERIFY(newKey != key);

    const TServer& server = *t.host.server;
    QVERIFY(server.players()[dropped].occupied);
    QCOMPARE(server.players()[dropped].name, name);
    QVERIFY(!server.players()[4].occupied);
    QVERIFY(!server.holds().isHeld(dropped));
    // The seat is the connection's now: it speaks and moves as that seat, and not as the one offered.
    back->send(msg::ChatRequest{4, "as four|clBlack"});
    QVERIFY(roundTrip(back, dropped));
    QVERIFY(!back->has("CMD_chat+ chats: as four|clBlack"));
    QVERIFY(back->has("CMD_chat+" + name + " chats: sync|clBlack"));
}

void SeatHoldsTest::keyThatOpensNoHeldSeatChangesNothing_data() {
    QTest::addColumn<QByteArray>("which");
    QTest::newRow("wrong") << QByteArray("wrong");
    QTest::newRow("almost right") << QByteArray("almost");
    QTest::newRow("the seat still taken") << QByteArray("other");
    QTest::newRow("spent") << QByteArray("spent");
}

void SeatHoldsTest::keyThatOpensNoHeldSeatChangesNothing() {
    QFETCH(QByteArray, which);
    Table t;
    QByteArray key = keyOf(*t.bob, 2);
    const QByteArray annsKey = keyOf(*t.ann, 1);
    t.drop(2);
    if (which == "wrong") key = QByteArray(msg::seatKeyLength, '0');
    if (which == "almost") key.back() = key.back() == 'f' ? 'e' : 'f';
    if (which == "other") key = annsKey;
    if (which == "spent") {
        // Bob came back with it and broke again: the key he came back with is used up.
        RawClient* back = t.comeBack("Bob", key);
        QVERIFY(back->waitFor("CMD_yourseat+2+") >= 0);
        QVERIFY(back->waitFor("CMD_seatkey+2+") >= 0);
        back->reset();
        QTRY_COMPARE_WITH_TIMEOUT(t.ann->count("CMD_playerdisconnected+2+"), 2, 20000);
    }
    int offered = 0;
    RawClient* stranger = t.comeBack("Mallory", key, &offered);
    QVERIFY(stranger->waitFor("CMD_gamestats+") >= 0);
    QVERIFY(offered >= 3);
    QCOMPARE(stranger->count("CMD_yourseat+"), 0);
    QCOMPARE(stranger->count("CMD_letters+"), 0);
    QVERIFY(stranger->has("CMD_newplayerinfo+" + QByteArray::number(offered) + "+Mallory"));
    QVERIFY(t.host.server->holds().isHeld(2));
    QVERIFY(!t.host.server->players()[2].occupied);
    QCOMPARE(t.host.server->players()[1].name, QByteArray("Ann"));
}

void SeatHoldsTest::afterTheHoldTheSeatIsFreeForAnOlderWindow() {
    Table t(std::chrono::milliseconds(1500));
    t.drop(2);
    QVERIFY(t.host.server->holds().isHeld(2));
    QTRY_VERIFY_WITH_TIMEOUT(!t.host.server->holds().isHeld(2), 20000);
    // A window that knows nothing of keys takes the seat, with its letters, as it always did.
    int seat = 0;
    RawClient* old = t.host.connect(&seat);
    QCOMPARE(seat, 2);
    old->send("CMD_logininfo+2+1.0.2+Bob");
    QVERIFY(old->waitFor("CMD_gamestats+") >= 0);
    QVERIFY(old->has("CMD_letters+2+1+1+2+2+3+3"));
}

void SeatHoldsTest::seatLeftOnPurposeIsNotHeld_data() {
    QTest::addColumn<bool>("removed");
    QTest::newRow("closed in order") << false;
    QTest::newRow("removed by seat 1") << true;
}

void SeatHoldsTest::seatLeftOnPurposeIsNotHeld() {
    QFETCH(bool, removed);
    Table t;
    if (removed)
        t.ann->send(msg::KickHim{1, 2});
    else
        t.bob->close();
    QVERIFY(t.ann->waitFor("CMD_playerdisconnected+2+Bob") >= 0);
    QVERIFY(!t.host.server->holds().isHeld(2));
    int seat = 0;
    t.host.connect(&seat);
    QCOMPARE(seat, 2);
}

QTEST_MAIN(SeatHoldsTest)
#include "tst_seatholds.moc"
