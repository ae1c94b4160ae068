// SPDX-License-Identifier: MIT
// The table model without any widget: every host message through the window's own receive path
// (HostConnection's dispatch) into the model, the seat-2 and seat-3 mappings, the pick, and a
// reconnect's catch-up from the real game rules.
#include "hostconnection.h"
#include "messages.h"
#include "rulestable.h"
#include "tablemodel.h"
#include "tableroutes.h"

#include <QTest>
#include <functional>

using namespace quibo;
using namespace quibo::test;

using Expect = std::function<void(TableState&)>;
Q_DECLARE_METATYPE(Expect)

namespace {

// A model fed as the window feeds it: whole messages cut, queued and dispatched by the connection.
struct Table {
    HostConnection connection;
    TableModel model;
    Table() { routeToModel(connection, model); }
    void feed(const QList<QByteArray>& messages) {
        for (const QByteArray& message : messages)
            connection.takeBytes(message.endsWith(messageTerminator) ? message : message + messageTerminator);
        while (connection.queuedMessages() > 0)
            connection.processsocktimer();
    }
};

// Seat 1 at a running game against Bob, seat 1 to move with a hand of C, A, T.
QList<QByteArray> runningGame(int ownSeat = 1) {
    return {msg::SendLoginInfo{ownSeat}.encode(),
            msg::NewPlayerInfo{1, "Ann"}.encode(),
            msg::NewPlayerInfo{2, "Bob"}.encode(),
            msg::StartGame{"Ann", 30, 100, 5}.encode(),
            msg::Letters{ownSeat, {{1, 3}, {2, 1}, {3, 20}}}.encode(),
            msg::NextPlayer{1, 5}.encode()};
}

} // namespace

class TestTableModel : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void hostMessageChangesTheModel_data();
    void hostMessageChangesTheModel();
    void rowsFollowTheOwnSeat_data();
    void rowsFollowTheOwnSeat();
    void picksCompleteMoves_data();
    void picksCompleteMoves();
    void wordListsStayBounded();
    void catchUpAfterBreakEqualsUninterruptedGame();
};

// Each row: what came before, one message more, and how that message changes the state.
void TestTableModel::hostMessageChangesTheModel_data() {
    QTest::addColumn<QList<QByteArray>>("before");
    QTest::addColumn<QByteArray>("message");
    QTest::addColumn<Expect>("expect");
    const QList<QByteArray> none;
    const QList<QByteArray> game = runningGame();
    QList<QByteArray> joined = game;
    joined << msg::NewPlayerInfo{4, "Eve"}.encode();

    QTest::newRow("sendlogininfo") << none << msg::SendLoginInfo{2}.encode()
                                   << Expect([](TableState& s) { s.ownSeat = 2; });
    QTest::newRow("yourseat") << game << msg::YourSeat{2}.encode()
                              << Expect([](TableState& s) { s.ownSeat = 2; });
    QTest::newRow("newplayerinfo") << none << msg::NewPlayerInfo{2, "Bob"}.encode()
                                   << Expect([](TableState& s) {
                                          s.seats[1].name = "Bob";
                                          s.seats[1].occupied = true;
                                      });
    QTest::newRow("existingplayers spectator")
        << none << msg::ExistingPlayers{5, "Eve"}.encode()
        << Expect([](TableState& s) { s.spectators.insert(5, "Eve"); });
    QTest::newRow("rejoin replaces a spectator's entry")
        << joined << msg::ExistingPlayers{4, "Eva"}.encode()
        << Expect([](TableState& s) { s.spectators[4] = "Eva"; });
    QTest::newRow("rejoin replaces a player's entry")
        << game << msg::ExistingPlayers{2, "Bo"}.encode()
        << Expect([](TableState& s) { s.seats[1].name = "Bo"; });
    QTest::newRow("playerdisconnected player")
        << game << msg::PlayerDisconnected{2, "Bob"}.encode() << Expect([](TableState& s) {
               s.seats[1].name = computerPlayerName();
               s.seats[1].occupied = false;
               s.seats[1].computer = true;
           });
    QTest::newRow("playerdisconnected spectator") << joined << msg::PlayerDisconnected{4, "Eve"}.encode()
                                                  << Expect([](TableState& s) { s.spectators.remove(4); });
    QTest::newRow("justwatching") << game << msg::JustWatching{2, watchStarts}.encode()
                                  << Expect([](TableState& s) { s.seats[1].watching = true; });
    QTest::newRow("justwatching of a spectator")
        << game << msg::JustWatching{5, watchStarts}.encode() << Expect([](TableState&) {});
    QTest::newRow("giving3 shows seat 3 in seat 1's place")
        << game << msg::Giving3{1, "Cid"}.encode() << Expect([](TableState& s) { s.seats[0].name = "Cid"; });
    QTest::newRow("giveback ends the game")
        << game << msg::GiveBack{"Ann"}.encode() << Expect([](TableState& s) { s.phase = GamePhase::None; });
    QTest::newRow("startgame, the computer in an empty seat 2")
        << QList<QByteArray>{msg::SendLoginInfo{1}.encode(), msg::NewPlayerInfo{1, "Ann"}.encode()}
        << msg::StartGame{"Ann", 45, 200, unlimitedSteals, ComputerLevel::Strong}.encode()
        << Expect([](TableState& s) {
               s.options = {45, 200, unlimitedSteals, ComputerLevel::Strong, true};
               s.seats[0].stealsLeft = s.seats[1].stealsLeft = unlimitedSteals;
               s.seats[1].name = computerPlayerName();
               s.seats[1].computer = true;
               s.phase = GamePhase::Running;
           });
    QTest::newRow("letters of another seat")
        << game << msg::Letters{2, {{1, 5}}}.encode() << Expect([](TableState&) {});
    QTest::newRow("newletter") << game << msg::NewLetter{1, 4, 9}.encode()
                               << Expect([](TableState& s) { s.hand[3] = 9; });
    QTest::newRow("nextplayer") << game << msg::NextPlayer{2, -3}.encode() << Expect([](TableState& s) {
        s.turnSeat = 2;
        s.seats[1].stealsLeft = 0;
        s.secondsLeft = 30;
    });
    QTest::newRow("placemyletter own")
        << game << msg::PlaceMyLetter{1, 2, 5, 1}.encode() << Expect([](TableState& s) {
               s.boards[0][4] = 1;
               s.hand[1] = 0;
               s.clockRunning = false;
           });
    QTest::newRow("placemyletter replayed")
        << game << msg::PlaceMyLetter{2, 0, 1, 7}.encode() << Expect([](TableState& s) {
               s.boards[1][0] = 7;
               s.clockRunning = false;
           });
    QTest::newRow("placemyletter of seat 3 on seat 1's row")
        << game << msg::PlaceMyLetter{3, 2, 10, 4}.encode() << Expect([](TableState& s) {
               s.boards[0][9] = 4;
               s.clockRunning = false;
           });
    QTest::newRow("discardextra own")
        << game << msg::DiscardExtra{1, 3}.encode() << Expect([](TableState& s) {
               s.hand[2] = 0;
               s.clockRunning = false;
           });
    QList<QByteArray> placed = game;
    placed << msg::PlaceMyLetter{1, 1, 3, 3}.encode() << msg::PlaceMyLetter{2, 0, 4, 2}.encode();
    QTest::newRow("discardletter") << placed << msg::DiscardLetter{1, 3}.encode()
                                   << Expect([](TableState& s) { s.boards[0][2] = 0; });
    QTest::newRow("tradingmyletter") << placed << msg::TradingMyLetter{1, 3, 0, 8, 3}.encode()
                                     << Expect([](TableState& s) {
                                            s.boards[0][2] = 0;
                                            s.boards[0][7] = 3;
                                        });
    QTest::newRow("stoldletter") << placed << msg::StoldLetter{2, 1, 6, 3, 3}.encode()
                                 << Expect([](TableState& s) {
                                        s.boards[1][5] = 3;
                                        s.boards[0][2] = 0;
                                        s.seats[1].stealsLeft = 4;
                                    });
    QTest::newRow("notvalid") << game << msg::NotValid{1}.encode() << Expect([](TableState&) {});
    QTest::newRow("toomany") << game << msg::TooMany{1}.encode() << Expect([](TableState&) {});
    QTest::newRow("formedword") << game << msg::FormedWord{2, "cat", 5, 12}.encode()
                                << Expect([](TableState& s) {
                                       s.seats[1].score = 12;
                                       s.seats[1].words = {{"cat", 5}};
                                       s.clockRunning = false;
                                   });
    QTest::newRow("timeup") << game << msg::TimeUp{}.encode() << Expect([](TableState&) {});
    QTest::newRow("gamestats") << none << msg::GameStats{60, 200, 3, 48, 61, ComputerLevel::Easy}.encode()
                               << Expect([](TableState& s) {
                                      s.options = {60, 200, 3, ComputerLevel::Easy, true};
                                      s.seats[0].score = 48;
                                      s.seats[1].score = 61;
                                      s.phase = GamePhase::Running;
                                  });
    QTest::newRow("earlierword") << game << msg::EarlierWord{3, "dog", 5}.encode()
                                 << Expect([](TableState& s) {
                                        s.seats[0].words = {{"dog", 5}};
                                    });
    QTest::newRow("turnstate") << game << msg::TurnState{2, 17, false, 2, 1}.encode()
                               << Expect([](TableState& s) {
                                      s.turnSeat = 2;
                                      s.secondsLeft = 17;
                                      s.clockRunning = false;
                                      s.seats[0].stealsLeft = 2;
                                      s.seats[1].stealsLeft = 1;
                                  });
    QTest::newRow("winner seat 3 wins in seat 1's place")
        << game << msg::Winner{3}.encode() << Expect([](TableState& s) {
               s.phase = GamePhase::Over;
               s.winner = 1;
               s.turnSeat = 0;
               s.secondsLeft = 0;
               s.clockRunning = false;
           });
    QTest::newRow("a cell out of range changes nothing")
        << game << QByteArray("CMD_placemyletter+1+1+11+3+") << Expect([](TableState&) {});
}

void TestTableModel::hostMessageChangesTheModel() {
    QFETCH(QList<QByteArray>, before);
    QFETCH(QByteArray, message);
    QFETCH(Expect, expect);
    Table table;
    table.feed(before);
    TableState expected = table.model.state();
    expect(expected);
    table.feed({message});
    QCOMPARE(table.model.state() == expected, true);
}

// What each row shows, as "own|opponent" letter codes of cell 1, for each own seat.
void TestTableModel::rowsFollowTheOwnSeat_data() {
    QTest::addColumn<int>("ownSeat");
    QTest::addColumn<int>("bottom");
    QTest::addColumn<int>("ownCell1");
    QTest::addColumn<int>("opponentCell1");
    // Seat 1 holds A (1) in cell 1, seat 2 holds B (2).
    QTest::newRow("seat 1") << 1 << 1 << 1 << 2;
    QTest::newRow("seat 2 sees itself at the bottom") << 2 << 2 << 2 << 1;
    QTest::newRow("seat 3 plays seat 1's row") << 3 << 1 << 1 << 2;
    QTest::newRow("a spectator sees seat 1 at the bottom") << 7 << 1 << 1 << 2;
}

void TestTableModel::rowsFollowTheOwnSeat() {
    QFETCH(int, ownSeat);
    QFETCH(int, bottom);
    QFETCH(int, ownCell1);
    QFETCH(int, opponentCell1);
    Table table;
    QList<QByteArray> game = runningGame(ownSeat);
    game << msg::PlaceMyLetter{ownSeat == 3 ? 3 : 1, 0, 1, 1}.encode()
         << msg::PlaceMyLetter{2, 0, 1, 2}.encode();
    table.feed(game);
    QCOMPARE(table.model.bottomSeat(), bottom);
    QCOMPARE(table.model.topSeat(), 3 - bottom);
    QCOMPARE(table.model.code(Row::OwnBoard, 1), ownCell1);
    QCOMPARE(table.model.code(Row::OpponentBoard, 1), opponentCell1);
    QCOMPARE(table.model.seatName(table.model.bottomSeat()), bottom == 1 ? QString("Ann") : QString("Bob"));
}

// Clicks written as "E2 M5 H3" (hand slot, own cell, opponent cell), the request they send and the
// tiles left lifted ("M3 M7").
void TestTableModel::picksCompleteMoves_data() {
    QTest::addColumn<QString>("clicks");
    QTest::addColumn<QByteArray>("answer"); // a host message after the clicks, or empty
    QTest::addColumn<QByteArray>("request");
    QTest::addColumn<QString>("lifted");
    QTest::newRow("hand then own cell places")
        << "E2 M5" << QByteArray() << msg::PlaceMyLetterRequest{1, 2, 5}.encode() << "";
    QTest::newRow("a second press puts the hand letter back")
        << "E2 E2" << QByteArray() << QByteArray() << "";
    QTest::newRow("another hand letter replaces the pick") << "E2 E4" << QByteArray() << QByteArray() << "E4";
    QTest::newRow("two own cells swap and stay lifted")
        << "M3 M7" << QByteArray() << msg::TradingMyLetterRequest{1, 3, 7}.encode() << "M3 M7";
    QTest::newRow("the host's answer puts them at rest")
        << "M3 M7" << msg::TradingMyLetter{1, 3, 4, 7, 5}.encode()
        << msg::TradingMyLetterRequest{1, 3, 7}.encode() << "";
    QTest::newRow("opponent then own cell steals")
        << "H4 M2" << QByteArray() << msg::StealingHisLetter{1, 4, 2}.encode() << "H4";
    QTest::newRow("a refused steal puts the tile back")
        << "H4 M2" << msg::NotValid{1}.encode() << msg::StealingHisLetter{1, 4, 2}.encode() << "";
    QTest::newRow("any new letter drops the hand pick")
        << "E3" << msg::NewLetter{2, 1, 5}.encode() << QByteArray() << "";
    QTest::newRow("a cell outside the board does nothing")
        << "E2 M11" << QByteArray() << QByteArray() << "E2";
}

void TestTableModel::picksCompleteMoves() {
    QFETCH(QString, clicks);
    QFETCH(QByteArray, answer);
    QFETCH(QByteArray, request);
    QFETCH(QString, lifted);
    Table table;
    table.feed(runningGame());
    QByteArray sent;
    for (const QString& click : clicks.split(u' ')) {
        const int n = click.mid(1).toInt();
        if (click[0] == u'E') table.model.pickHandLetter(n);
        if (click[0] == u'H') table.model.pickOpponentLetter(n);
        if (click[0] == u'M') sent += table.model.chooseOwnCell(n);
    }
    QCOMPARE(sent, request);
    if (!answer.isEmpty()) table.feed({answer});
    QStringList up;
    const Pick& pick = table.model.pick();
    for (const auto& [row, letter, count] :
         {std::tuple{Row::Hand, u'E', handSlotCount}, std::tuple{Row::OwnBoard, u'M', boardCellCount},
          std::tuple{Row::OpponentBoard, u'H', boardCellCount}}) {
        for (int i = 1; i <= count; ++i) {
            if (pick.lifts(row, i)) up << QString(QChar(letter)) + QString::number(i);
        }
    }
    up.sort();
    QCOMPARE(up.join(u' '), lifted);
}

// A host sending words without end: the oldest go, the count stays at the bound.
void TestTableModel::wordListsStayBounded() {
    Table table;
    table.feed(runningGame());
    QList<QByteArray> words;
    for (int i = 0; i <= TableModel::maxWordsPerSeat; ++i)
        words << msg::EarlierWord{2, QByteArray::number(i), 1}.encode();
    table.feed(words);
    const QList<FormedWordEntry>& kept = table.model.seat(2).words;
    QCOMPARE(kept.size(), TableModel::maxWordsPerSeat);
    QCOMPARE(kept.first().word, QString("1"));
    QCOMPARE(kept.last().word, QString::number(TableModel::maxWordsPerSeat));
}

// Two windows of seat 1 follow the same real game; one loses its connection half-way and hears the
// host's catch-up instead. Both end with the same model.
void TestTableModel::catchUpAfterBreakEqualsUninterruptedGame() {
    RulesTable rules({"cat", "cats", "at"});
    const QList<QByteArray> seating = {msg::SendLoginInfo{1}.encode(), msg::NewPlayerInfo{1, "Ann"}.encode(),
                                       msg::NewPlayerInfo{2, "Bob"}.encode()};
    Table stayed;
    Table broke;
    stayed.feed(seating);
    broke.feed(seating);
    const auto play = [&](const std::function<void()>& move) {
        rules.outbox.clear();
        move();
        stayed.feed(rules.outbox.to(1));
        return rules.outbox.to(1);
    };
    broke.feed(play([&] { rules.start(30, 100, 5); }));
    rules.rules.setUpPosition({.currentseat = 1,
                               .seats = {{1, {.hand = RulesTable::handOf("CATSXX")}},
                                         {2, {.hand = RulesTable::handOf("ATEQQQ")}}}});
    // The hand laid out for the test, as the host would deal it.
    msg::Letters dealt{1, {}};
    for (int slot = 1; slot <= handSlotCount; ++slot)
        dealt.hand.push_back({slot, RulesTable::codeOf("CATSXX"[slot - 1])});
    stayed.feed({dealt.encode()});
    broke.feed({dealt.encode()});
    broke.feed(play([&] { rules.rules.findplayer(); }));
    // One letter a turn, each seat in its turn; the break comes before seat 2's last move.
    for (int slot = 1; slot <= 3; ++slot) {
        broke.feed(play([&] { rules.rules.placemyletter({1, slot, slot}); }));
        if (slot < 3) broke.feed(play([&] { rules.rules.placemyletter({2, slot, slot}); }));
    }
    play([&] { rules.rules.placemyletter({2, 3, 3}); });
    broke.model.forgetForCatchUp();
    rules.outbox.clear();
    rules.rules.sendCatchUp(1);
    broke.feed(rules.outbox.to(1));

    // Both seats formed a word, and the break lost some of the game.
    QVERIFY(!stayed.model.seat(1).words.isEmpty());
    QVERIFY(!stayed.model.seat(2).words.isEmpty());
    QCOMPARE(broke.model.state().boards, stayed.model.state().boards);
    QCOMPARE(broke.model.state().hand, stayed.model.state().hand);
    QCOMPARE(broke.model.state().seats[0], stayed.model.state().seats[0]);
    QCOMPARE(broke.model.state().seats[1], stayed.model.state().seats[1]);
    QCOMPARE(broke.model.state() == stayed.model.state(), true);
}

QTEST_GUILESS_MAIN(TestTableModel)
#include "tst_tablemodel.moc"
