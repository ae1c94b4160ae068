// SPDX-License-Identifier: MIT
// The host with its game rules over real connections: who may start a game, what a late arrival
// is sent, and a player's own moves getting through.
#include "hostfixture.h"

#include <QTest>

using namespace quibo;
using quibo::test::HostFixture;
using quibo::test::RawClient;

class HostGameTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void onlySeatOneStartsGames();
    void lateArrivalsAreBroughtUpToDate();
    void ownMoveIsObeyed();
    void rearrangedTurnOfSeatOneEndsWhenItLeaves();

private:
    // Ann (seat 1) and Bob (seat 2) with a game of 30 s turns to 100 points with 5 steals.
    static void startGame(HostFixture& host, RawClient*& ann, RawClient*& bob);
};

void HostGameTest::startGame(HostFixture& host, RawClient*& ann, RawClient*& bob) {
    ann = host.join(QStringLiteral("Ann"));
    bob = host.join(QStringLiteral("Bob"));
    ann->send("CMD_startgame+Ann+30+100+5+");
    bob->waitFor("CMD_nextplayer+");
}

void HostGameTest::onlySeatOneStartsGames() {
    HostFixture host;
    RawClient* ann = host.join(QStringLiteral("Ann"));
    RawClient* bob = host.join(QStringLiteral("Bob"));
    bob->send("CMD_startgame+Bob+30+100+5+");
    bob->send("CMD_chat+2+go|clBlack");
    QVERIFY(ann->waitFor("CMD_chat+Bob chats: go") >= 0);
    QCOMPARE(ann->count("CMD_startgame+"), 0);
    QVERIFY(!host.server->rules().gamerunning());

    ann->send("CMD_startgame+Ann+30+100+5+");
    for (RawClient* client : {ann, bob}) {
        QVERIFY(client->waitFor("CMD_nextplayer+") >= 0);
        QVERIFY(client->has("CMD_startgame+Ann+30+100+5+"));
        QVERIFY(client->has("CMD_nextplayer+2+5+"));
    }
    QVERIFY(ann->indexOf("CMD_letters+1+") >= 0);
    QVERIFY(bob->indexOf("CMD_letters+2+") >= 0);
    QCOMPARE(bob->count("CMD_letters+1+"), 0);
}

void HostGameTest::lateArrivalsAreBroughtUpToDate() {
    HostFixture host;
    RawClient* ann = nullptr;
    RawClient* bob = nullptr;
    startGame(host, ann, bob);
    TServer& server = *host.server;
    QVERIFY(server.rules().gamerunning());
    server.setUpPosition(
        {.seats = {{1, {.board = Board{3}}}, {2, {.board = Board{0, 0, 0, 0, 20}, .score = 7}}}});

    RawClient* spectator = host.join(QStringLiteral("Spec"));
    QVERIFY(spectator->waitFor("CMD_gamestats+") >= 0);
    QVERIFY(spectator->has("CMD_placemyletter+1+0+1+3+"));
    QVERIFY(spectator->has("CMD_placemyletter+2+0+5+20+"));
    QVERIFY(spectator->has("CMD_gamestats+30+100+5+0+7+"));
    QCOMPARE(spectator->count("CMD_letters+"), 0);

    // Bob leaves during his own turn; whoever takes seat 2 goes on with his letters and score.
    const Hand bobsHand = server.players()[2].hand;
    bob->close();
    QVERIFY(ann->waitFor("CMD_nextplayer+1+") >= 0);
    RawClient* newcomer = host.join(QStringLiteral("Dee"));
    QVERIFY(newcomer->has("CMD_sendlogininfo+2"));
    QVERIFY(newcomer->waitFor("CMD_gamestats+") >= 0);
    QVERIFY(newcomer->has("CMD_gamestats+30+100+5+0+7+"));
    const int letters = newcomer->indexOf("CMD_letters+2+");
    QVERIFY(letters >= 0);
    QByteArray expected = "CMD_letters+2";
    for (int slot = 1; slot <= handSlots; ++slot) {
        if (const int code = bobsHand[std::size_t(slot - 1)])
            expected += '+' + QByteArray::number(slot) + '+' + QByteArray::number(code);
    }
    QCOMPARE(newcomer->messages.at(letters), expected);
}

void HostGameTest::ownMoveIsObeyed() {
    HostFixture host;
    RawClient* ann = nullptr;
    RawClient* bob = nullptr;
    startGame(host, ann, bob);
    QCOMPARE(host.server->rules().currentseat(), 2);
    const int from = ann->messages.size();
    bob->send("CMD_discardextra+2+1+");
    QVERIFY(bob->waitFor("CMD_discardextra+2+1+") >= 0);
    QVERIFY(ann->waitFor("CMD_nextplayer+1+", 20000, from) >= 0);
    QCOMPARE(host.server->players()[2].hand[0], 0);
}

void HostGameTest::rearrangedTurnOfSeatOneEndsWhenItLeaves() {
    HostFixture host;
    RawClient* ann = host.join(QStringLiteral("Ann"));
    RawClient* bob = host.join(QStringLiteral("Bob"));
    ann->send("CMD_startgame+Ann+2+100+5+");
    QVERIFY(bob->waitFor("CMD_nextplayer+2+") >= 0);
    bob->send("CMD_placemyletter+2+1+1+");
    QVERIFY(ann->waitFor("CMD_nextplayer+1+") >= 0);

    // The rearrangement stops the clock the players see; the turn still ends a turn time later.
    ann->send("CMD_tradingmyletter+1+1+2+");
    const int traded = bob->waitFor("CMD_tradingmyletter+1+");
    QVERIFY(traded >= 0);
    QCOMPARE(host.server->rules().currentseat(), 1);
    ann->close();
    QVERIFY(bob->waitFor("CMD_playerdisconnected+1+Ann", 20000, traded) >= 0);
    // The turn still runs out: 2 s of turn time plus the host's 2 ticks, with room for a busy machine.
    QVERIFY(bob->waitFor("CMD_timeup+", 30000, traded) >= 0);
    QVERIFY(bob->waitFor("CMD_nextplayer+2+", 30000, traded) >= 0);
}

QTEST_GUILESS_MAIN(HostGameTest)
#include "tst_hostgame.moc"
