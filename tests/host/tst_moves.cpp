// SPDX-License-Identifier: MIT
// The five moves, word scoring, and the messages that close a turn.
#include "commands.h"
#include "messages.h"
#include "rulestable.h"

#include <QStandardPaths>
#include <QTest>

using namespace quibo;
using namespace quibo::test;

namespace {

const QStringList words{QStringLiteral("cat"),    QStringLiteral("cats"),    QStringLiteral("quiz"),
                        QStringLiteral("planet"), QStringLiteral("planets"), QStringLiteral("abstention"),
                        QStringLiteral("at")};

// The handlers as the host's dispatch table reaches them: the message is decoded first, and one
// that does not decode never reaches the rules.
void dispatch(GameRules& rules, const QByteArray& command, const QByteArray& args) {
    Dispatcher dispatcher;
    dispatcher.on(&rules, &GameRules::placemyletter);
    dispatcher.on(&rules, &GameRules::discardextra);
    dispatcher.on(&rules, &GameRules::discardletter);
    dispatcher.on(&rules, &GameRules::tradingmyletter);
    dispatcher.on<msg::StealingHisLetter>(
        [&](const msg::StealingHisLetter& move) { rules.stealinghisletter(move); });
    dispatcher.dispatch(command + '+' + args);
}

} // namespace

class MovesTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void initTestCase() { QStandardPaths::setTestModeEnabled(true); }
    void placeReplacesTheCellAndClosesTheTurnInOrder();
    void ignoredMovesChangeNothing_data();
    void ignoredMovesChangeNothing();
    void wordScoresLetterWorthTimesLengthBonus_data();
    void wordScoresLetterWorthTimesLengthBonus();
    void wordScoresOncePerSeatPerGame();
    void handDiscardIsPrivateAndStillChecksTheBoard();
    void boardDiscardCanLeaveAWord();
    void rearrangementScoresOnlyAtTheNextPlaceOrDiscard();
    void stealThatMakesANewWordStands();
    void stealThatMakesNoNewWordIsUndone();
    void stealBeyondTheAllowanceIsRefused();
    void unlimitedStealsNeverRunOut();
};

void MovesTest::placeReplacesTheCellAndClosesTheTurnInOrder() {
    RulesTable table(words);
    table.position(2, " t    ", "cax");
    table.setHand(1, "abcdef");
    dispatch(table.rules, cmd::placemyletter, "2+2+3+");
    QCOMPARE(table.board(2), QByteArray("cat       "));
    QCOMPARE(table.hand(2), QByteArray("      "));
    // The move, the word, then the next turn; seat 1's full hand gets no letter.
    const QList<QByteArray> expected{"CMD_placemyletter+2+2+3+20+", "CMD_formedword+2+cat+5+5+",
                                     "CMD_nextplayer+1+5+"};
    QCOMPARE(table.outbox.to(1), expected);
    QCOMPARE(table.outbox.to(2), expected);
    QCOMPARE(table.outbox.unterminated, 0);
    QCOMPARE(table.rules.currentseat(), 1);
}

void MovesTest::ignoredMovesChangeNothing_data() {
    QTest::addColumn<QByteArray>("command");
    QTest::addColumn<QByteArray>("args");
    // Not the seat to move, or nothing to move.
    QTest::newRow("place by other seat") << QByteArray(cmd::placemyletter) << QByteArray("1+1+4+");
    QTest::newRow("place from empty slot") << QByteArray(cmd::placemyletter) << QByteArray("2+6+4+");
    QTest::newRow("discard empty slot") << QByteArray(cmd::discardextra) << QByteArray("2+6+");
    QTest::newRow("discard empty cell") << QByteArray(cmd::discardletter) << QByteArray("2+9+");
    QTest::newRow("swap by other seat") << QByteArray(cmd::tradingmyletter) << QByteArray("1+1+2+");
    QTest::newRow("steal by other seat") << QByteArray(cmd::stealinghisletter) << QByteArray("1+1+1+");
    // Fields naming slots, cells or seats that do not exist.
    QTest::newRow("slot 0") << QByteArray(cmd::placemyletter) << QByteArray("2+0+4+");
    QTest::newRow("slot 7") << QByteArray(cmd::placemyletter) << QByteArray("2+7+4+");
    QTest::newRow("cell 0") << QByteArray(cmd::placemyletter) << QByteArray("2+1+0+");
    QTest::newRow("cell 11") << QByteArray(cmd::placemyletter) << QByteArray("2+1+11+");
    QTest::newRow("negative cell") << QByteArray(cmd::placemyletter) << QByteArray("2+1+-3+");
    QTest::newRow("huge slot") << QByteArray(cmd::discardextra) << QByteArray("2+2147483647+");
    QTest::newRow("board discard cell 11") << QByteArray(cmd::discardletter) << QByteArray("2+11+");
    QTest::newRow("swap cell 0") << QByteArray(cmd::tradingmyletter) << QByteArray("2+0+2+");
    QTest::newRow("swap cell 11") << QByteArray(cmd::tradingmyletter) << QByteArray("2+1+11+");
    QTest::newRow("steal from cell 11") << QByteArray(cmd::stealinghisletter) << QByteArray("2+11+4+");
    QTest::newRow("steal into cell 0") << QByteArray(cmd::stealinghisletter) << QByteArray("2+1+0+");
    QTest::newRow("seat 4") << QByteArray(cmd::placemyletter) << QByteArray("4+1+4+");
    QTest::newRow("seat 11 steals") << QByteArray(cmd::stealinghisletter) << QByteArray("11+1+1+");
    QTest::newRow("seat 12 swaps") << QByteArray(cmd::tradingmyletter) << QByteArray("12+1+2+");
    QTest::newRow("seat 0") << QByteArray(cmd::discardextra) << QByteArray("0+1+");
    QTest::newRow("seat -1") << QByteArray(cmd::discardletter) << QByteArray("-1+1+");
}

void MovesTest::ignoredMovesChangeNothing() {
    QFETCH(QByteArray, command);
    QFETCH(QByteArray, args);
    RulesTable table(words);
    table.position(2, "abcde", "cat");
    table.setBoard(1, "dog");
    table.startClock();
    const SeatTable before = table.seats;
    // A seat number past the table would otherwise make the rules point at a seat that does not
    // exist.
    table.setTurn(args.startsWith("4+") ? 4 : 2);
    dispatch(table.rules, command, args);
    QVERIFY(table.outbox.sent.isEmpty());
    for (int seat = 1; seat <= 3; ++seat) {
        QCOMPARE(table.seats[seat].hand, before[seat].hand);
        QCOMPARE(table.seats[seat].board, before[seat].board);
    }
    QVERIFY(table.rules.turntimer().isActive());
}

void MovesTest::wordScoresLetterWorthTimesLengthBonus_data() {
    QTest::addColumn<QByteArray>("board");
    QTest::addColumn<QByteArray>("hand");
    QTest::addColumn<int>("cell");
    QTest::addColumn<QByteArray>("formed");
    QTest::newRow("quiz") << QByteArray("qui") << QByteArray("z") << 4
                          << QByteArray("CMD_formedword+2+quiz+22+22+");
    QTest::newRow("planet doubles") << QByteArray("plane") << QByteArray("t") << 6
                                    << QByteArray("CMD_formedword+2+planet+16+16+");
    QTest::newRow("seven letters triple")
        << QByteArray("planet") << QByteArray("s") << 7 << QByteArray("CMD_formedword+2+planets+27+27+");
    QTest::newRow("ten letters six times") << QByteArray("abstentio") << QByteArray("n") << 10
                                           << QByteArray("CMD_formedword+2+abstention+72+72+");
    QTest::newRow("run in the middle")
        << QByteArray("  ca") << QByteArray("t") << 5 << QByteArray("CMD_formedword+2+cat+5+5+");
    QTest::newRow("letters with a gap") << QByteArray("ca") << QByteArray("t") << 4 << QByteArray();
    QTest::newRow("single letter") << QByteArray() << QByteArray("a") << 1 << QByteArray();
}

void MovesTest::wordScoresLetterWorthTimesLengthBonus() {
    QFETCH(QByteArray, board);
    QFETCH(QByteArray, hand);
    QFETCH(int, cell);
    QFETCH(QByteArray, formed);
    RulesTable table(words);
    table.position(2, hand, board);
    table.rules.placemyletter({2, 1, cell});
    const QList<QByteArray> got = table.outbox.to(1, cmd::formedword);
    QCOMPARE(got, formed.isEmpty() ? QList<QByteArray>{} : QList<QByteArray>{formed});
    QCOMPARE(table.rules.currentseat(), 1);
}

void MovesTest::wordScoresOncePerSeatPerGame() {
    RulesTable table(words);
    table.position(2, "t", "ca");
    table.rules.placemyletter({2, 1, 3});
    QCOMPARE(table.seats[2].score, 5);

    // Seat 2 spells cat again: nothing is sent and nothing scores.
    table.setTurn(2);
    table.setHand(2, "t");
    table.setBoard(2, "ca");
    table.outbox.clear();
    table.rules.placemyletter({2, 1, 3});
    QVERIFY(table.outbox.to(1, cmd::formedword).isEmpty());
    QCOMPARE(table.seats[2].score, 5);
    QCOMPARE(table.rules.listbox(2), QStringList{QStringLiteral("cat")});

    // The other seat may still score it.
    table.setHand(1, "t");
    table.setBoard(1, "ca");
    table.rules.placemyletter({1, 1, 3});
    QCOMPARE(table.outbox.to(2, cmd::formedword), QList<QByteArray>{"CMD_formedword+1+cat+5+5+"});
}

void MovesTest::handDiscardIsPrivateAndStillChecksTheBoard() {
    RulesTable table(words);
    table.position(2, "xy", "cat");
    table.setHand(1, "abcdef");
    table.rules.discardextra({2, 2});
    QCOMPARE(table.hand(2), QByteArray("x     "));
    QCOMPARE(table.outbox.to(2), (QList<QByteArray>{"CMD_discardextra+2+2+", "CMD_formedword+2+cat+5+5+",
                                                    "CMD_nextplayer+1+5+"}));
    QCOMPARE(table.outbox.to(1), (QList<QByteArray>{"CMD_formedword+2+cat+5+5+", "CMD_nextplayer+1+5+"}));
}

void MovesTest::boardDiscardCanLeaveAWord() {
    RulesTable table(words);
    table.position(2, "x", "cats");
    table.rules.discardletter({2, 4});
    QCOMPARE(table.board(2), QByteArray("cat       "));
    QCOMPARE(table.outbox.to(1).mid(0, 2),
             (QList<QByteArray>{"CMD_discardletter+2+4+", "CMD_formedword+2+cat+5+5+"}));
}

void MovesTest::rearrangementScoresOnlyAtTheNextPlaceOrDiscard() {
    RulesTable table(words);
    table.position(2, "x", "act");
    table.startClock();
    table.rules.tradingmyletter({2, 1, 2});
    table.rules.tradingmyletter({2, 5, 5});
    table.rules.tradingmyletter({2, 3, 9});
    table.rules.tradingmyletter({2, 9, 3});
    QCOMPARE(table.board(2), QByteArray("cat       "));
    QCOMPARE(table.outbox.to(1),
             (QList<QByteArray>{"CMD_tradingmyletter+2+1+3+2+1+", "CMD_tradingmyletter+2+5+0+5+0+",
                                "CMD_tradingmyletter+2+3+0+9+20+", "CMD_tradingmyletter+2+9+0+3+20+"}));
    // The turn stays open with its clock stopped.
    QCOMPARE(table.rules.currentseat(), 2);
    QVERIFY(!table.rules.clockRunning());

    table.outbox.clear();
    table.rules.discardextra({2, 1});
    QCOMPARE(table.outbox.to(1, cmd::formedword), QList<QByteArray>{"CMD_formedword+2+cat+5+5+"});
}

void MovesTest::stealThatMakesANewWordStands() {
    RulesTable table(words);
    table.position(2, "x", "ca");
    table.setBoard(1, "   t");
    table.setHand(1, "abcdef");
    table.startClock();
    QVERIFY(table.rules.stealinghisletter({2, 4, 3}));
    QCOMPARE(table.board(2), QByteArray("cat       "));
    QCOMPARE(table.board(1), QByteArray(10, ' '));
    QCOMPARE(table.seats[2].stealsused, 1);
    // The word is announced before the steal.
    QCOMPARE(table.outbox.to(1), (QList<QByteArray>{"CMD_formedword+2+cat+5+5+",
                                                    "CMD_stoldletter+2+1+3+4+20+", "CMD_nextplayer+1+5+"}));
}

void MovesTest::stealThatMakesNoNewWordIsUndone() {
    RulesTable table(words);
    table.position(2, "x", "cab");
    table.setBoard(1, "   t");
    table.setSeat(2, {.words = QStringList{QStringLiteral("cat")}});
    table.startClock();
    // Already scored, and then not a word at all.
    QVERIFY(!table.rules.stealinghisletter({2, 4, 3}));
    QVERIFY(!table.rules.stealinghisletter({2, 4, 2}));
    QCOMPARE(table.board(2), QByteArray("cab       "));
    QCOMPARE(table.board(1), QByteArray("   t      "));
    QCOMPARE(table.seats[2].stealsused, 0);
    QCOMPARE(table.outbox.to(2), (QList<QByteArray>{"CMD_notvalid+2+", "CMD_notvalid+2+"}));
    QVERIFY(table.outbox.to(1).isEmpty());
    QCOMPARE(table.rules.currentseat(), 2);
    QVERIFY(table.rules.turntimer().isActive());
}

void MovesTest::stealBeyondTheAllowanceIsRefused() {
    RulesTable table(words);
    table.position(2, "x", "ca", 1);
    table.setBoard(1, "   t");
    table.setSeat(2, {.stealsused = 1});
    table.startClock();
    QVERIFY(!table.rules.stealinghisletter({2, 4, 3}));
    QCOMPARE(table.outbox.to(2), QList<QByteArray>{"CMD_toomany+2+"});
    QCOMPARE(table.outbox.sent.size(), 1);
    QCOMPARE(table.board(2), QByteArray("ca        "));
    QVERIFY(table.rules.turntimer().isActive());
}

void MovesTest::unlimitedStealsNeverRunOut() {
    RulesTable table(words);
    table.position(2, "x", "ca", unlimitedSteals);
    table.setBoard(1, "   t");
    QVERIFY(table.rules.stealinghisletter({2, 4, 3}));
    QCOMPARE(table.seats[2].stealsused, 0);
    table.rules.findplayer();
    QCOMPARE(table.outbox.to(1, cmd::nextplayer).last(), QByteArray("CMD_nextplayer+2+10000+"));
}

QTEST_GUILESS_MAIN(MovesTest)
#include "tst_moves.moc"
