// SPDX-License-Identifier: MIT
// Game start, turn order, the turn clock, the win, and what late arrivals and departures do to a game.
#include "commands.h"
#include "messages.h"
#include "rulestable.h"

#include <QStandardPaths>
#include <QTest>

using namespace quibo;
using namespace quibo::test;

namespace {

const QStringList words{QStringLiteral("cat"), QStringLiteral("at")};

// The hand message for a seat's hand as the deal fills it.
QByteArray lettersText(int seat, const Hand& hand) {
    QByteArray text = "CMD_letters+" + QByteArray::number(seat);
    for (int slot = 1; slot <= handSlots; ++slot) {
        if (hand[std::size_t(slot - 1)] != 0)
            text += '+' + QByteArray::number(slot) + '+' + QByteArray::number(hand[std::size_t(slot - 1)]);
    }
    return text;
}

// Runs the clock until it acts, as the real one-second timer would.
void tickOut(GameRules& rules) {
    const int ticks = rules.turnticks();
    for (int i = 0; i < ticks; ++i)
        rules.turntimerTimer();
}

} // namespace

class GameRulesTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void initTestCase() { QStandardPaths::setTestModeEnabled(true); }
    void startDealsSeat1ThenSeat2AndGivesSeat2TheFirstTurn();
    void soloGameComputerMovesTwoTicksAfterTheStart();
    void fullHandGetsNoNewLetter();
    void timeUpDiscardsARandomSlotEvenAnEmptyOne();
    void rearrangedTurnEndsATurnTimeAfterTheLastRearrangement();
    void nextPlayerReportsStealsLeft_data();
    void nextPlayerReportsStealsLeft();
    void targetZeroWinsOnlyWhenScoresDiffer();
    void handoverAlternatesSeats2And3();
    void handoverEqualScoresDoNotWin();
    void startDuringGameResetsEverythingButHandover();
    void malformedStartChangesNothing();
    void catchUpForPlayerSendsHandoverHandBoardsAndStats();
    void catchUpForSpectatorHasNoLetters();
    void catchUpOutsideGameSendsNothing();
    void watchingHandsOnlyTheSeatToMoveToTheComputer();
    void departureOfSeatToMovePassesTurnExceptSeat1();
    void seat3LeavingUnderHandoverEndsTheGame();
};

void GameRulesTest::startDealsSeat1ThenSeat2AndGivesSeat2TheFirstTurn() {
    RulesTable table(words, {}, 7);
    table.start(30, 100, 5);

    // Replay the generator: five letters for seat 1, five for seat 2, the first-turn draw, then
    // seat 2's new letter.
    Random replay(7);
    const Board empty{};
    Hand hand1{};
    Hand hand2{};
    for (int slot = 0; slot < 5; ++slot)
        hand1[std::size_t(slot)] = getletter(replay, hand1, empty);
    for (int slot = 0; slot < 5; ++slot)
        hand2[std::size_t(slot)] = getletter(replay, hand2, empty);
    const Hand dealt2 = hand2;
    replay.draw(1);
    hand2[5] = getletter(replay, hand2, empty);

    QCOMPARE(table.outbox.to(1), (QList<QByteArray>{"CMD_startgame+Ann+30+100+5+", lettersText(1, hand1),
                                                    "CMD_nextplayer+2+5+"}));
    QCOMPARE(table.outbox.to(2), (QList<QByteArray>{"CMD_startgame+Ann+30+100+5+", lettersText(2, dealt2),
                                                    "CMD_newletter+2+6+" + QByteArray::number(hand2[5]) + '+',
                                                    "CMD_nextplayer+2+5+"}));
    QCOMPARE(table.seats[1].hand, hand1);
    QCOMPARE(table.seats[2].hand, hand2);
    QVERIFY(table.rules.gamerunning());
    QCOMPARE(table.rules.currentseat(), 2);
    QCOMPARE(table.rules.turntimerTag(), GameRules::humanTurn);
    QCOMPARE(table.rules.turnticks(), 32);
    QVERIFY(table.rules.turntimer().isActive());
}

void GameRulesTest::soloGameComputerMovesTwoTicksAfterTheStart() {
    RulesTable table(words, candidateList({QStringLiteral("at")}));
    table.vacate(2);
    table.start();
    QCOMPARE(table.rules.turntimerTag(), GameRules::computerTurn);
    QCOMPARE(table.rules.turnticks(), 2);

    table.outbox.clear();
    table.rules.turntimerTimer();
    QVERIFY(table.outbox.sent.isEmpty());
    table.rules.turntimerTimer();
    // The computer's move closed seat 2's turn.
    QCOMPARE(table.rules.currentseat(), 1);
    QVERIFY(!table.outbox.to(1, cmd::nextplayer).isEmpty());
}

void GameRulesTest::fullHandGetsNoNewLetter() {
    RulesTable table(words);
    table.position(1, "abc", "");
    table.setHand(2, "bcdfgh");
    table.rules.findplayer();
    QCOMPARE(table.outbox.to(2), QList<QByteArray>{"CMD_nextplayer+2+5+"});

    table.setTurn(1);
    table.setHand(2, "bc dfg");
    table.outbox.clear();
    table.rules.findplayer();
    const QList<QByteArray> got = table.outbox.to(2, cmd::newletter);
    QCOMPARE(got.size(), 1);
    QVERIFY(got[0].startsWith("CMD_newletter+2+3+"));
    QVERIFY(table.seats[2].hand[2] >= 1 && table.seats[2].hand[2] <= 26);
    QVERIFY(table.outbox.to(1, cmd::newletter).isEmpty());
}

void GameRulesTest::timeUpDiscardsARandomSlotEvenAnEmptyOne() {
    RulesTable table(words);
    table.position(2, "", "");
    table.setHand(1, "abcdef");
    Random replay = table.random;
    const int slot = replay.draw(6) + 1;
    tickOut(table.rules);

    QCOMPARE(table.outbox.to(1), (QList<QByteArray>{"CMD_timeup+", "CMD_nextplayer+1+5+"}));
    QCOMPARE(table.outbox.to(2),
             (QList<QByteArray>{"CMD_timeup+", "CMD_discardextra+2+" + QByteArray::number(slot) + '+',
                                "CMD_nextplayer+1+5+"}));
    QCOMPARE(table.rules.currentseat(), 1);
}

// A rearrangement stops the clock the windows show, but the turn still times out: once the turn's
// full time (and the host's two ticks) has passed since the last rearrangement.
void GameRulesTest::rearrangedTurnEndsATurnTimeAfterTheLastRearrangement() {
    RulesTable table(words);
    table.start(5, 100, 5);
    QCOMPARE(table.rules.currentseat(), 2);
    table.setBoard(2, "at");
    for (int tick = 0; tick < 3; ++tick)
        table.rules.turntimerTimer();
    const auto held = [&table] {
        const msg::TurnState state = table.rules.turnState();
        return !state.clockRunning && state.secondsLeft == 2 && table.rules.currentseat() == 2 &&
               table.outbox.to(1, cmd::timeup).isEmpty();
    };
    for (int rearrangement = 0; rearrangement < 2; ++rearrangement) {
        table.rules.tradingmyletter({2, 1, 2});
        QVERIFY(held());
        // One tick short of the turn time plus two: the turn is still open, its count where it stopped.
        for (int tick = 0; tick < 5 + 1; ++tick)
            table.rules.turntimerTimer();
        QVERIFY2(held(), qPrintable(QStringLiteral("rearrangement %1").arg(rearrangement + 1)));
    }
    table.outbox.clear();
    table.rules.turntimerTimer();
    QCOMPARE(table.outbox.to(1, cmd::timeup), QList<QByteArray>{"CMD_timeup+"});
    QCOMPARE(table.outbox.to(1, cmd::nextplayer), QList<QByteArray>{"CMD_nextplayer+1+5+"});
    QCOMPARE(table.rules.currentseat(), 1);
    QVERIFY(table.rules.clockRunning());
    QCOMPARE(table.rules.turnState().secondsLeft, 5);
}

void GameRulesTest::nextPlayerReportsStealsLeft_data() {
    QTest::addColumn<int>("allowed");
    QTest::addColumn<int>("used");
    QTest::addColumn<QByteArray>("expected");
    QTest::newRow("five with two used") << 5 << 2 << QByteArray("CMD_nextplayer+1+3+");
    QTest::newRow("unlimited") << 10000 << 0 << QByteArray("CMD_nextplayer+1+10000+");
    QTest::newRow("none allowed") << 0 << 0 << QByteArray("CMD_nextplayer+1+0+");
}

void GameRulesTest::nextPlayerReportsStealsLeft() {
    QFETCH(int, allowed);
    QFETCH(int, used);
    QFETCH(QByteArray, expected);
    RulesTable table(words);
    table.position(2, "abcdef", "", allowed);
    table.setSeat(1, {.stealsused = used});
    table.rules.findplayer();
    QCOMPARE(table.outbox.to(2, cmd::nextplayer), QList<QByteArray>{expected});
}

void GameRulesTest::targetZeroWinsOnlyWhenScoresDiffer() {
    RulesTable table(words);
    table.start(30, 0, 5);
    // Both scores are 0 at the start: no winner, seat 2 moves.
    QVERIFY(table.outbox.to(1, cmd::winner).isEmpty());
    QCOMPARE(table.rules.currentseat(), 2);

    table.setHand(2, "t");
    table.setBoard(2, "ca");
    table.outbox.clear();
    table.rules.placemyletter({2, 1, 3});
    QCOMPARE(table.outbox.to(1), (QList<QByteArray>{"CMD_placemyletter+2+1+3+20+",
                                                    "CMD_formedword+2+cat+5+5+", "CMD_winner+2+"}));
    QVERIFY(!table.rules.gamerunning());
    QVERIFY(!table.rules.turntimer().isActive());
}

void GameRulesTest::handoverAlternatesSeats2And3() {
    RulesTable table(words);
    table.occupy(3, QStringLiteral("Cy"));
    QCOMPARE(table.rules.victimOf(1), 2);
    QCOMPARE(table.rules.victimOf(2), 1);
    table.setHandover(true);
    QCOMPARE(table.rules.victimOf(2), 3);
    QCOMPARE(table.rules.victimOf(3), 2);

    table.start();
    // Seat 3 is dealt like the players.
    QCOMPARE(table.outbox.to(3, cmd::letters).size(), 1);
    QCOMPARE(std::count(table.seats[3].hand.begin(), table.seats[3].hand.end(), 0), 1);
    QList<int> order{table.rules.currentseat()};
    for (int turn = 0; turn < 4; ++turn) {
        table.rules.findplayer();
        order << table.rules.currentseat();
    }
    QCOMPARE(order, (QList<int>{2, 3, 2, 3, 2}));
}

void GameRulesTest::handoverEqualScoresDoNotWin() {
    RulesTable table(words);
    table.occupy(3, QStringLiteral("Cy"));
    table.setHandover(true);
    table.start(30, 10, 5);
    table.rules.setUpPosition({.currentseat = 3, .seats = {{3, {.score = 50}}}});
    // Seats 1 and 2 both have 0: seat 3 reaching the target is not enough.
    QVERIFY(!table.rules.checkforwin());
    table.setSeat(2, {.score = 4});
    QVERIFY(table.rules.checkforwin());
    QCOMPARE(table.outbox.to(2, cmd::winner), QList<QByteArray>{"CMD_winner+3+"});
}

void GameRulesTest::startDuringGameResetsEverythingButHandover() {
    RulesTable table(words);
    table.occupy(3, QStringLiteral("Cy"));
    table.start();
    for (int seat = 1; seat <= 3; ++seat) {
        table.setSeat(seat, {.hand = RulesTable::handOf("abcdef"),
                             .board = RulesTable::boardOf("word"),
                             .score = 40,
                             .stealsused = 2,
                             .watching = true,
                             .words = QStringList{QStringLiteral("word")}});
    }
    table.setHandover(true);
    table.start(20, 50, 3);

    for (int seat = 1; seat <= 3; ++seat) {
        QCOMPARE(table.seats[seat].score, 0);
        QCOMPARE(table.seats[seat].stealsused, 0);
        QCOMPARE(table.seats[seat].watching, quint8(0));
        QCOMPARE(table.board(seat), QByteArray(10, ' '));
        QVERIFY(table.rules.listbox(seat).isEmpty());
        QCOMPARE(table.seats[seat].hand[4] != 0, true);
    }
    QVERIFY(table.rules.handover());
    QCOMPARE(table.rules.turntime(), 20);
    QCOMPARE(table.rules.targetscore(), 50);
    QCOMPARE(table.rules.stealsallowed(), 3);
    QCOMPARE(table.rules.currentseat(), 2);
}

// A start whose numbers do not read leaves the table as it was instead of a game with no turn.
void GameRulesTest::malformedStartChangesNothing() {
    RulesTable table(words);
    // The start as the host's dispatch table reaches it: a message that does not decode is dropped.
    Dispatcher dispatcher;
    dispatcher.on(&table.rules, &GameRules::startgame);
    QVERIFY(!dispatcher.dispatch("CMD_startgame+Ann+3x+100+5+"));
    QVERIFY(!dispatcher.dispatch("CMD_startgame+Ann+30+100+"));
    QVERIFY(!table.rules.gamerunning());
    QVERIFY(table.outbox.sent.isEmpty());

    table.start();
    table.startClock();
    QVERIFY(!dispatcher.dispatch("CMD_startgame+Ann+30++5+"));
    QVERIFY(table.rules.turntimer().isActive());
    QCOMPARE(table.rules.turntime(), 30);
}

namespace {
QByteArray points(const char* word) {
    return QByteArray::number(GameRules::wordPoints(word));
}
} // namespace

void GameRulesTest::catchUpForPlayerSendsHandoverHandBoardsAndStats() {
    RulesTable table(words);
    table.occupy(3, QStringLiteral("Cy"));
    table.position(2, "ab d", "");
    table.setHandover(true);
    table.setSeat(1, {.board = RulesTable::boardOf("c t"), .score = 12});
    table.setSeat(2, {.board = RulesTable::boardOf("  x"), .score = 7, .words = QStringList{"ax", "tax"}});
    table.setSeat(3, {.stealsused = 2});
    table.rules.sendCatchUp(2);
    QCOMPARE(table.outbox.to(2), (QList<QByteArray>{
                                     "CMD_giving3+1+Cy+",
                                     "CMD_letters+2+1+1+2+2+4+4",
                                     "CMD_placemyletter+1+0+1+3+",
                                     "CMD_placemyletter+1+0+3+20+",
                                     "CMD_placemyletter+2+0+3+24+",
                                     "CMD_gamestats+30+100+5+12+7+",
                                     "CMD_earlierword+2+ax+" + points("ax") + '+',
                                     "CMD_earlierword+2+tax+" + points("tax") + '+',
                                     // Seat 3's steals stand in seat 1's place.
                                     "CMD_turnstate+2+30+1+3+5+",
                                 }));
    QCOMPARE(table.outbox.sent.size(), 9);
}

void GameRulesTest::catchUpForSpectatorHasNoLetters() {
    RulesTable table(words);
    table.occupy(5, QStringLiteral("Eve"));
    table.position(2, "abc", "");
    table.setHandover(true);
    table.setBoard(1, "");
    table.setBoard(2, "at");
    table.rules.sendCatchUp(5);
    QCOMPARE(table.outbox.to(5),
             (QList<QByteArray>{"CMD_placemyletter+2+0+1+1+", "CMD_placemyletter+2+0+2+20+",
                                "CMD_gamestats+30+100+5+0+0+", "CMD_turnstate+2+30+1+5+5+"}));
}

void GameRulesTest::catchUpOutsideGameSendsNothing() {
    RulesTable table(words);
    table.rules.sendCatchUp(2);
    QVERIFY(table.outbox.sent.isEmpty());
}

void GameRulesTest::watchingHandsOnlyTheSeatToMoveToTheComputer() {
    RulesTable table(words);
    table.position(2, "abcdef", "");
    table.startClock();
    table.rules.watchStarted(1);
    QCOMPARE(table.rules.turntimerTag(), GameRules::humanTurn);

    table.rules.watchStarted(2);
    QCOMPARE(table.rules.turntimerTag(), GameRules::computerTurn);
    QCOMPARE(table.rules.turnticks(), 1);
    QVERIFY(table.rules.turntimer().isActive());

    // A watching seat's later turns are the computer's too.
    table.setSeat(1, {.watching = true});
    table.rules.findplayer();
    QCOMPARE(table.rules.currentseat(), 1);
    QCOMPARE(table.rules.turntimerTag(), GameRules::computerTurn);
    QCOMPARE(table.rules.turnticks(), 2);
}

void GameRulesTest::departureOfSeatToMovePassesTurnExceptSeat1() {
    RulesTable table(words);
    table.position(2, "abcdef", "");
    table.rules.seatLeft(1);
    QCOMPARE(table.rules.currentseat(), 2);
    table.rules.seatLeft(2);
    QCOMPARE(table.rules.currentseat(), 1);
    // Seat 1's turn runs on to its time-out.
    table.rules.seatLeft(1);
    QCOMPARE(table.rules.currentseat(), 1);
}

void GameRulesTest::seat3LeavingUnderHandoverEndsTheGame() {
    RulesTable table(words);
    table.occupy(3, QStringLiteral("Cy"));
    table.setHandover(true);
    table.start();
    table.vacate(3);
    table.outbox.clear();
    table.rules.seatLeft(3);
    // Everybody still seated hears seat 1's name again.
    QCOMPARE(table.outbox.to(1), QList<QByteArray>{"CMD_giveback+Ann+"});
    QCOMPARE(table.outbox.to(2), QList<QByteArray>{"CMD_giveback+Ann+"});
    QVERIFY(!table.rules.handover());
    QVERIFY(!table.rules.gamerunning());
    QCOMPARE(table.rules.currentseat(), 0);
    QVERIFY(!table.rules.turntimer().isActive());
    // The clock no longer acts.
    table.outbox.clear();
    for (int i = 0; i < 40; ++i)
        table.rules.turntimerTimer();
    QVERIFY(table.outbox.sent.isEmpty());
}

QTEST_GUILESS_MAIN(GameRulesTest)
#include "tst_gamerules.moc"
