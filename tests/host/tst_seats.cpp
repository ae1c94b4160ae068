// SPDX-License-Identifier: MIT
#include "hostfixture.h"

#include <QSignalSpy>
#include <QTest>

using namespace quibo;
using quibo::test::HostFixture;
using quibo::test::RawClient;

class SeatsTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void freedSeatGoesToTheNextNewcomer();
    void tenthConnectionIsRefused();
    void onlySeatOneRemovesPlayers();
    void seatThreeTakesSeatOnesTurnsUntilItLeaves();
    void wrongVersionIsReportedButSeated();
    void loginAnnouncesEveryoneAndKeepsTheNameWhole();
    void chatAndActionAreRelayedWithNameAndColour_data();
    void chatAndActionAreRelayedWithNameAndColour();
    void justWatchingIsSetByTheSeatOrByTheHost();
    void namesTravelAsTheBytesTheyCameAs_data();
    void namesTravelAsTheBytesTheyCameAs();
};

void SeatsTest::freedSeatGoesToTheNextNewcomer() {
    HostFixture host;
    RawClient* ann = host.join(QStringLiteral("Ann"));
    RawClient* bob = host.join(QStringLiteral("Bob"));
    RawClient* cy = host.join(QStringLiteral("Cy"));
    QCOMPARE(host.server->players().playercount, 3);

    bob->close();
    QVERIFY(ann->waitFor("CMD_playerdisconnected+2+Bob") >= 0);
    QVERIFY(cy->waitFor("CMD_playerdisconnected+2+Bob") >= 0);
    QVERIFY(!host.server->players()[2].occupied);
    QVERIFY(host.server->players()[2].name.isEmpty());

    int seat = 0;
    host.connect(&seat);
    QCOMPARE(seat, 2);
    QCOMPARE(host.server->players().playercount, 3);
}

void SeatsTest::tenthConnectionIsRefused() {
    // Nine connections from one address wait for their login at once here.
    HostConfig config;
    config.maxWaitingPerAddress = 10;
    HostFixture host(config);
    for (int i = 1; i <= 9; ++i) {
        int seat = 0;
        host.connect(&seat);
        QCOMPARE(seat, i);
    }
    auto tenth = std::make_unique<RawClient>();
    QVERIFY(tenth->connectTo(host.port()));
    QVERIFY(tenth->waitFor("CMD_full+") >= 0);
    QCOMPARE(tenth->messages, QList<QByteArray>{"CMD_full+"});
    QVERIFY(tenth->waitForClosed());
    QCOMPARE(host.server->players().playercount, 9);
    for (int seat = 1; seat <= 9; ++seat)
        QVERIFY(host.server->players()[seat].occupied);
}

void SeatsTest::onlySeatOneRemovesPlayers() {
    HostFixture host;
    RawClient* ann = host.join(QStringLiteral("Ann"));
    RawClient* bob = host.join(QStringLiteral("Bob"));
    RawClient* cy = host.join(QStringLiteral("Cy"));

    bob->send("CMD_kickhim+2+1+");
    bob->send("CMD_chat+2+still here|clBlack");
    QVERIFY(ann->waitFor("CMD_chat+Bob chats: still here") >= 0);
    QCOMPARE(ann->socket.state(), QAbstractSocket::ConnectedState);
    QVERIFY(host.server->players()[1].occupied);

    ann->send("CMD_kickhim+1+2+");
    QVERIFY(bob->waitForClosed());
    QVERIFY(ann->waitFor("CMD_playerdisconnected+2+Bob") >= 0);
    QVERIFY(cy->waitFor("CMD_playerdisconnected+2+Bob") >= 0);
    QCOMPARE(bob->count("CMD_playerdisconnected"), 0);
    QVERIFY(!host.server->players()[2].occupied);
}

void SeatsTest::seatThreeTakesSeatOnesTurnsUntilItLeaves() {
    HostFixture host;
    RawClient* ann = host.join(QStringLiteral("Ann"));
    RawClient* bob = host.join(QStringLiteral("Bob"));

    ann->send("CMD_give3+1+");
    QVERIFY(ann->waitFor("CMD_cantgive+") >= 0);
    QCOMPARE(ann->messages.at(ann->indexOf("CMD_cantgive+")), QByteArray("CMD_cantgive+1+"));
    QVERIFY(!host.server->rules().handover());

    RawClient* cy = host.join(QStringLiteral("Cy"));
    bob->send("CMD_give3+2+"); // only the hosting player may hand over
    ann->send("CMD_give3+1+");
    for (RawClient* client : {ann, bob, cy})
        QVERIFY(client->waitFor("CMD_giving3+") >= 0);
    QCOMPARE(bob->count("CMD_giving3+"), 1);
    QVERIFY(bob->has("CMD_giving3+1+Cy+"));
    QVERIFY(host.server->rules().handover());

    // A game is under way when seat 3 leaves: it ends.
    host.server->setUpPosition({.gamerunning = true, .currentseat = 3});
    cy->close();
    QVERIFY(ann->waitFor("CMD_giveback+") >= 0);
    QVERIFY(bob->waitFor("CMD_giveback+") >= 0);
    QVERIFY(bob->has("CMD_giveback+Ann+"));
    QVERIFY(bob->indexOf("CMD_playerdisconnected+3+Cy") < bob->indexOf("CMD_giveback+"));
    QVERIFY(!host.server->rules().handover());
    QVERIFY(!host.server->rules().gamerunning());
    QCOMPARE(host.server->rules().currentseat(), 0);
}

void SeatsTest::wrongVersionIsReportedButSeated() {
    HostFixture host;
    RawClient* ann = host.join(QStringLiteral("Ann"));
    RawClient* old = host.join(QStringLiteral("Old Timer"), "1.0.1");
    QVERIFY(ann->waitFor("CMD_havewrongversion+") >= 0);
    QVERIFY(ann->has("CMD_havewrongversion+Old Timer"));
    QVERIFY(old->waitFor("CMD_wrongversion+") >= 0);
    QVERIFY(old->has("CMD_wrongversion+"));
    QVERIFY(host.server->players()[2].occupied);
    QCOMPARE(host.server->players()[2].name, QByteArray("Old Timer"));
    QCOMPARE(ann->count("CMD_wrongversion+"), 0);
}

void SeatsTest::loginAnnouncesEveryoneAndKeepsTheNameWhole() {
    HostFixture host;
    RawClient* ann = host.join(QStringLiteral("Ann"));
    host.connect(); // seat 2 connected but never logs in: not announced
    RawClient* zoe = host.join(QStringLiteral("Zoë+1"));
    QVERIFY(ann->waitFor("CMD_newplayerinfo+3+") >= 0);
    QVERIFY(ann->has(QByteArray("CMD_newplayerinfo+3+") + QStringLiteral("Zoë+1").toUtf8()));
    QVERIFY(zoe->has("CMD_existingplayers+1+Ann"));
    QVERIFY(zoe->has("CMD_existingplayers+2+")); // occupied, not yet named
    QCOMPARE(host.server->players()[3].name, QStringLiteral("Zoë+1").toUtf8());

    zoe->close();
    QVERIFY(ann->waitFor("CMD_playerdisconnected+3+") >= 0);
    QVERIFY(ann->has(QByteArray("CMD_playerdisconnected+3+") + QStringLiteral("Zoë+1").toUtf8()));
}

void SeatsTest::chatAndActionAreRelayedWithNameAndColour_data() {
    QTest::addColumn<QByteArray>("sent");
    QTest::addColumn<QByteArray>("relayed");
    QTest::newRow("chat") << QByteArray("CMD_chat+2+hello there|clNavy")
                          << QByteArray("CMD_chat+Bob chats: hello there|clNavy");
    QTest::newRow("action") << QByteArray("CMD_action+2+waves|$00FF8000")
                            << QByteArray("CMD_action+Bob waves|$00FF8000");
    QTest::newRow("plus and bars stay")
        << QByteArray("CMD_chat+2+a+b|c|clRed") << QByteArray("CMD_chat+Bob chats: a+b|c|clRed");
}

void SeatsTest::chatAndActionAreRelayedWithNameAndColour() {
    QFETCH(QByteArray, sent);
    QFETCH(QByteArray, relayed);
    HostFixture host;
    RawClient* ann = host.join(QStringLiteral("Ann"));
    RawClient* bob = host.join(QStringLiteral("Bob"));
    bob->send(sent);
    QVERIFY(ann->waitFor(relayed) >= 0);
    QVERIFY(bob->waitFor(relayed) >= 0);
    QVERIFY(ann->has(relayed));
}

void SeatsTest::justWatchingIsSetByTheSeatOrByTheHost() {
    HostFixture host;
    RawClient* ann = host.join(QStringLiteral("Ann"));
    RawClient* bob = host.join(QStringLiteral("Bob"));
    RawClient* cy = host.join(QStringLiteral("Cy"));

    bob->send("CMD_justwatch+2+1");
    QVERIFY(cy->waitFor("CMD_justwatching+2+1") >= 0);
    QCOMPARE(host.server->players()[2].watching, 1);

    ann->send("CMD_justwatch+2+2");
    QVERIFY(cy->waitFor("CMD_justwatching+2+2") >= 0);
    QCOMPARE(host.server->players()[2].watching, 0);

    // Spectators watch anyway, and nobody but the host sets another player's seat.
    cy->send("CMD_justwatch+3+1");
    cy->send("CMD_justwatch+1+1");
    cy->send("CMD_chat+3+done|clBlack");
    QVERIFY(ann->waitFor("CMD_chat+Cy chats: done") >= 0);
    QCOMPARE(ann->count("CMD_justwatching"), 2);
    QCOMPARE(host.server->players()[1].watching, 0);
}

void SeatsTest::namesTravelAsTheBytesTheyCameAs_data() {
    QTest::addColumn<QByteArray>("name");
    // Windows decode names and chat text alike, so the host must not decode one of them on the way.
    QTest::newRow("Latin-1 letter") << QByteArray("Zo\xE9");
    QTest::newRow("cut UTF-8 sequence") << QByteArray("Ann\xC3");
    QTest::newRow("lone continuation byte") << QByteArray("\x80"
                                                          "Bo");
}

void SeatsTest::namesTravelAsTheBytesTheyCameAs() {
    QFETCH(QByteArray, name);
    HostFixture host;
    RawClient* ann = host.join(QStringLiteral("Ann"));
    int seat = 0;
    RawClient* odd = host.connect(&seat);
    odd->send("CMD_logininfo+2+1.0.2+" + name);
    QVERIFY(ann->waitFor("CMD_newplayerinfo+2+") >= 0);
    QVERIFY(ann->has("CMD_newplayerinfo+2+" + name));
    odd->send("CMD_chat+2+hi|clNavy");
    odd->send("CMD_action+2+waves|clNavy");
    QVERIFY(ann->waitFor("CMD_action+") >= 0);
    QVERIFY(ann->has("CMD_chat+" + name + " chats: hi|clNavy"));
    QVERIFY(ann->has("CMD_action+" + name + " waves|clNavy"));
    odd->close();
    QVERIFY(ann->waitFor("CMD_playerdisconnected+2+") >= 0);
    QVERIFY(ann->has("CMD_playerdisconnected+2+" + name));
}

QTEST_GUILESS_MAIN(SeatsTest)
#include "tst_seats.moc"
