// SPDX-License-Identifier: MIT
// The computer opponent: which word it picks, how it lays it out, its fall-backs, and that its turn
// always closes.
#include "commands.h"
#include "rulestable.h"
#include "wordlists.h"

#include <QCryptographicHash>
#include <QSet>
#include <QStandardPaths>
#include <QTest>

using namespace quibo;
using namespace quibo::test;

namespace {

const QStringList words{QStringLiteral("at"), QStringLiteral("cat"), QStringLiteral("pine"),
                        QStringLiteral("pines"), QStringLiteral("spine")};

// The draw that picks where the candidate scan starts.
void skipScanStart(Random& random, int listSize) {
    random.draw(std::max(1, listSize - 1 - 10));
}

// Moves seat 2 made in the last turn, as seat 1 saw them (hand discards are private to seat 2).
QList<QByteArray> movesSeenBySeat1(const RecordingOutbox& outbox) {
    QList<QByteArray> moves;
    for (const QByteArray& text : outbox.to(1)) {
        if (!text.startsWith("CMD_nextplayer") && !text.startsWith("CMD_newletter")) moves << text;
    }
    return moves;
}

} // namespace

class ComputerTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void initTestCase() { QStandardPaths::setTestModeEnabled(true); }
    void emptyBoardStartsATwoLetterWordFromTheHand();
    void emptyBoardFallbackOpensWithACommonConsonant_data();
    void emptyBoardFallbackOpensWithACommonConsonant();
    void loneBoardLetterGetsTheFirstHandVowel();
    void boardAndHandLetterMakeAWord();
    void boardIsPackedToTheLeftFirst();
    void longBoardLosesALetterFromTheFirstSix();
    void stealsOnlyWhileStealsAreLeft_data();
    void stealsOnlyWhileStealsAreLeft();
    void underHandoverStealsFromSeat3();
    void neverChoosesAWordItHasScored();
    void rearrangedWordScoresWithTheClosingMove();
    void watchingDuringOwnTurnMovesAtTheNextTick();
    void turnAlwaysCloses_data();
    void turnAlwaysCloses();
    void normalLevelPlaysTheSameGamesAsEver_data();
    void normalLevelPlaysTheSameGamesAsEver();
    void strongPlaysTheWordWorthMostNow_data();
    void strongPlaysTheWordWorthMostNow();
    void strongUnblocksAStuckBoard();
    void easyNeverStealsNorPlaysFiveLetters_data();
    void easyNeverStealsNorPlaysFiveLetters();
    void easyMovesThreeToFiveTicksAfterItsTurnOpens();
    void levelComesFromTheStartOrElseTheTable_data();
    void levelComesFromTheStartOrElseTheTable();
};

void ComputerTest::emptyBoardStartsATwoLetterWordFromTheHand() {
    // Only "at" fits: "ee" needs two e's, "late" is too long for an empty board, "ox" is not in hand.
    RulesTable table(words, candidateList({"ee", "late", "at", "ox", "ll"}));
    table.position(2, "aterls", "");
    table.rules.computerplay(2);
    QCOMPARE(movesSeenBySeat1(table.outbox), QList<QByteArray>{"CMD_placemyletter+2+1+1+1+"});
    QCOMPARE(table.board(2), QByteArray("a         "));
    QCOMPARE(table.rules.currentseat(), 1);
}

void ComputerTest::emptyBoardFallbackOpensWithACommonConsonant_data() {
    QTest::addColumn<QByteArray>("hand");
    QTest::addColumn<QByteArray>("expected");
    QTest::newRow("lowest slot with d l m n p r s")
        << QByteArray("abseit") << QByteArray("CMD_placemyletter+2+3+1+19+");
    QTest::newRow("none of them") << QByteArray("aeioub") << QByteArray();
}

void ComputerTest::emptyBoardFallbackOpensWithACommonConsonant() {
    QFETCH(QByteArray, hand);
    QFETCH(QByteArray, expected);
    const QStringList candidates = candidateList({"zz", "qi"});
    RulesTable table(words, candidates);
    table.position(2, hand, "");
    Random replay = table.random;
    skipScanStart(replay, int(candidates.size()));
    const int slot = replay.draw(6) + 1;
    table.rules.computerplay(2);
    if (expected.isEmpty()) {
        // A random hand slot is thrown away.
        QCOMPARE(table.outbox.to(2, cmd::discardextra),
                 QList<QByteArray>{"CMD_discardextra+2+" + QByteArray::number(slot) + '+'});
        QCOMPARE(table.seats[2].hand[std::size_t(slot - 1)], 0);
    } else {
        QCOMPARE(movesSeenBySeat1(table.outbox), QList<QByteArray>{expected});
    }
    QCOMPARE(table.rules.currentseat(), 1);
}

void ComputerTest::loneBoardLetterGetsTheFirstHandVowel() {
    RulesTable table(words, candidateList({"zzz", "qi"}));
    table.position(2, "bceaxy", "t");
    table.rules.computerplay(2);
    QCOMPARE(movesSeenBySeat1(table.outbox), QList<QByteArray>{"CMD_placemyletter+2+3+2+5+"});
}

void ComputerTest::boardAndHandLetterMakeAWord() {
    RulesTable table(words, candidateList({"pine"}));
    table.position(2, "bcdefg", "pin");
    table.rules.computerplay(2);
    QCOMPARE(movesSeenBySeat1(table.outbox),
             (QList<QByteArray>{"CMD_placemyletter+2+4+4+5+", "CMD_formedword+2+pine+6+6+"}));
}

void ComputerTest::boardIsPackedToTheLeftFirst() {
    RulesTable table(words, candidateList({"zzz"}));
    table.position(2, "bcdfgh", " e  n   p");
    table.rules.computerplay(2);
    const QList<QByteArray> moves = movesSeenBySeat1(table.outbox);
    // Every empty cell left of a letter is swapped with it in turn; only the first swap moves it.
    const QList<QByteArray> packing{
        "CMD_tradingmyletter+2+9+0+1+16+", "CMD_tradingmyletter+2+9+0+3+0+", "CMD_tradingmyletter+2+9+0+4+0+",
        "CMD_tradingmyletter+2+9+0+6+0+",  "CMD_tradingmyletter+2+9+0+7+0+", "CMD_tradingmyletter+2+9+0+8+0+",
        "CMD_tradingmyletter+2+5+0+3+14+", "CMD_tradingmyletter+2+5+0+4+0+",
    };
    QCOMPARE(moves.mid(0, packing.size()), packing);
    QCOMPARE(table.board(2), QByteArray("pen       "));
    QCOMPARE(table.rules.currentseat(), 1);
}

void ComputerTest::longBoardLosesALetterFromTheFirstSix() {
    const QStringList candidates = candidateList({"at", "cat"});
    RulesTable table(words, candidates);
    table.position(2, "bcdfgh", "abcdefgh");
    Random replay = table.random;
    skipScanStart(replay, int(candidates.size()));
    const int cell = replay.draw(6) + 1;
    table.rules.computerplay(2);
    QCOMPARE(movesSeenBySeat1(table.outbox),
             QList<QByteArray>{"CMD_discardletter+2+" + QByteArray::number(cell) + '+'});
    QVERIFY(cell >= 1 && cell <= 6);
    QCOMPARE(table.seats[2].board[std::size_t(cell - 1)], 0);
}

void ComputerTest::stealsOnlyWhileStealsAreLeft_data() {
    QTest::addColumn<int>("allowed");
    QTest::addColumn<int>("used");
    QTest::addColumn<bool>("steals");
    QTest::newRow("steals left") << 2 << 1 << true;
    QTest::newRow("allowance used up") << 2 << 2 << false;
    QTest::newRow("no steals allowed") << 0 << 0 << false;
}

void ComputerTest::stealsOnlyWhileStealsAreLeft() {
    QFETCH(int, allowed);
    QFETCH(int, used);
    QFETCH(bool, steals);
    RulesTable table(words, candidateList({"pine"}));
    table.position(2, "bcdfgh", "pin", allowed);
    table.setSeat(2, {.stealsused = used});
    table.setBoard(1, "  e");
    table.rules.computerplay(2);
    if (steals) {
        QCOMPARE(movesSeenBySeat1(table.outbox),
                 (QList<QByteArray>{"CMD_formedword+2+pine+6+6+", "CMD_stoldletter+2+1+4+3+5+"}));
    } else {
        QVERIFY(table.outbox.to(2, cmd::stoldletter).isEmpty());
        QVERIFY(table.outbox.to(2, cmd::toomany).isEmpty());
        QVERIFY(table.outbox.to(2, cmd::notvalid).isEmpty());
        QCOMPARE(table.outbox.to(2, cmd::discardextra).size(), 1);
        QCOMPARE(table.board(1), QByteArray("  e       "));
    }
    QCOMPARE(table.rules.currentseat(), 1);
}

// While seat 3 plays in seat 1's place, seat 2's steals rob seat 3, so that is the board the
// computer looks at.
void ComputerTest::underHandoverStealsFromSeat3() {
    RulesTable table(words, candidateList({"pine"}));
    table.occupy(3, QStringLiteral("Cy"));
    table.setHandover(true);
    table.position(2, "bcdfgh", "pin");
    table.setBoard(1, "e");
    table.setBoard(3, "  e");
    table.rules.computerplay(2);
    QCOMPARE(table.outbox.to(1, cmd::stoldletter), QList<QByteArray>{"CMD_stoldletter+2+3+4+3+5+"});
    QCOMPARE(table.board(1), QByteArray("e         "));
    QCOMPARE(table.rules.currentseat(), 3);
}

void ComputerTest::neverChoosesAWordItHasScored() {
    RulesTable table(words, candidateList({"pine"}));
    table.position(2, "bcdefg", "pin");
    table.setSeat(2, {.words = QStringList{QStringLiteral("PINE")}});
    table.rules.computerplay(2);
    QVERIFY(table.outbox.to(1, cmd::placemyletter).isEmpty());
    QCOMPARE(table.outbox.to(2, cmd::discardextra).size(), 1);
    QCOMPARE(table.board(2), QByteArray("pin       "));
}

void ComputerTest::rearrangedWordScoresWithTheClosingMove() {
    RulesTable table(words, candidateList({"cat"}));
    table.position(2, "xyzqvw", "tac");
    table.setHand(1, "abcdef");
    table.rules.computerplay(2);
    const QList<QByteArray> moves = movesSeenBySeat1(table.outbox);
    QCOMPARE(table.board(2), QByteArray("cat       "));
    QVERIFY(moves.size() >= 2);
    QVERIFY(moves[0].startsWith("CMD_tradingmyletter+2+"));
    QCOMPARE(moves.last(), QByteArray("CMD_formedword+2+cat+5+5+"));
    QCOMPARE(table.outbox.to(2, cmd::discardextra).size(), 1);
}

void ComputerTest::watchingDuringOwnTurnMovesAtTheNextTick() {
    RulesTable table(words, candidateList({"pine"}));
    table.position(2, "bcdefg", "pin");
    table.startClock();
    table.setSeat(2, {.watching = true});
    table.rules.watchStarted(2);
    table.rules.turntimerTimer();
    QCOMPARE(table.outbox.to(1, cmd::formedword), QList<QByteArray>{"CMD_formedword+2+pine+6+6+"});
    QCOMPARE(table.rules.currentseat(), 1);
}

void ComputerTest::turnAlwaysCloses_data() {
    QTest::addColumn<QStringList>("candidates");
    QTest::addColumn<QByteArray>("hand");
    QTest::addColumn<QByteArray>("board");
    // One letter left in the hand, so the random discard usually picks an empty slot.
    QTest::newRow("lone hand letter") << candidateList({"zzz"}) << QByteArray("     x") << QByteArray("bcd");
    QTest::newRow("one letter, empty board") << candidateList({"qi"}) << QByteArray("  k") << QByteArray("");
    QTest::newRow("empty hand") << candidateList({"zzz"}) << QByteArray() << QByteArray("bcd");
    QTest::newRow("empty candidate list") << QStringList{} << QByteArray("bcdfgh") << QByteArray("bc");
    QTest::newRow("one item") << QStringList{"at"} << QByteArray("a t") << QByteArray();
    QTest::newRow("two items") << QStringList{"at", "it"} << QByteArray("a t") << QByteArray();
}

void ComputerTest::turnAlwaysCloses() {
    QFETCH(QStringList, candidates);
    QFETCH(QByteArray, hand);
    QFETCH(QByteArray, board);
    for (quint32 seed = 1; seed <= 30; ++seed) {
        RulesTable table(words, candidates, seed);
        table.position(2, hand, board);
        table.rules.computerplay(2);
        QCOMPARE(table.rules.currentseat(), 1);
        QCOMPARE(table.outbox.to(1, cmd::nextplayer).size(), 1);
        QVERIFY(table.rules.turntimer().isActive());
    }
}

void ComputerTest::normalLevelPlaysTheSameGamesAsEver_data() {
    QTest::addColumn<quint32>("seed");
    QTest::addColumn<int>("steals");
    QTest::addColumn<int>("messages");
    QTest::addColumn<QByteArray>("digest");
    // Recorded from the computer as it played before it had levels.
    QTest::newRow("seed 1, 5 steals")
        << 1u << 5 << 254 << QByteArray("5ba16cad630a9a677109bf8d5f0f70944876b1db");
    QTest::newRow("seed 7, unlimited steals")
        << 7u << unlimitedSteals << 208 << QByteArray("3f8b6d515955eda5c5652bd05882887e4c32a3ed");
}

// The computer plays both seats of a whole game (seat 1 just watches, seat 2 is empty) with the
// real candidate list; every message seat 1 receives, in order, must be what it always was.
void ComputerTest::normalLevelPlaysTheSameGamesAsEver() {
    QFETCH(quint32, seed);
    QFETCH(int, steals);
    QFETCH(int, messages);
    QFETCH(QByteArray, digest);
    const QStringList candidates = loadCandidateWords();
    RulesTable table(candidates, candidates, seed);
    table.vacate(2);
    table.start(30, 150, steals);
    table.setSeat(1, {.watching = true});
    for (int tick = 0; tick < 5000 && table.rules.gamerunning(); ++tick)
        table.rules.turntimerTimer();
    QVERIFY(!table.rules.gamerunning());
    QCryptographicHash hash(QCryptographicHash::Sha1);
    for (const RecordingOutbox::Sent& sent : table.outbox.sent)
        hash.addData(QByteArray::number(sent.seat) + ':' + sent.text + '\n');
    QCOMPARE(int(table.outbox.sent.size()), messages);
    QCOMPARE(hash.result().toHex(), digest);
}

void ComputerTest::strongPlaysTheWordWorthMostNow_data() {
    QTest::addColumn<QStringList>("candidates");
    QTest::addColumn<QByteArray>("hand");
    QTest::addColumn<QByteArray>("board");
    QTest::addColumn<QByteArray>("opponent");
    QTest::addColumn<int>("score");
    QTest::addColumn<QByteArray>("formed");
    QTest::addColumn<bool>("wins");
    QTest::newRow("six letters over five")
        << candidateList({"spine", "sniper"}) << QByteArray("rqqqqq") << QByteArray("snipe") << QByteArray()
        << 0 << QByteArray("CMD_formedword+2+sniper+16+16+") << false;
    QTest::newRow("steal worth more than a placement")
        << candidateList({"pine", "pink"}) << QByteArray("eqqqqq") << QByteArray("pin") << QByteArray("k")
        << 0 << QByteArray("CMD_formedword+2+pink+10+10+") << false;
    // "pinx" would be worth more, but is no word: it would score nothing.
    QTest::newRow("the word that wins")
        << candidateList({"pinx", "pine"}) << QByteArray("xeqqqq") << QByteArray("pin") << QByteArray() << 95
        << QByteArray("CMD_formedword+2+pine+6+101+") << true;
}

// Wherever the scan starts, the strong computer ends on the same word.
void ComputerTest::strongPlaysTheWordWorthMostNow() {
    QFETCH(QStringList, candidates);
    QFETCH(QByteArray, hand);
    QFETCH(QByteArray, board);
    QFETCH(QByteArray, opponent);
    QFETCH(int, score);
    QFETCH(QByteArray, formed);
    QFETCH(bool, wins);
    const QStringList dictionary{"spine", "sniper", "snipe", "pine", "pink", "pin"};
    for (quint32 seed = 1; seed <= 20; ++seed) {
        RulesTable table(dictionary, candidates, seed);
        table.position(2, hand, board, 5, ComputerLevel::Strong);
        table.setBoard(1, opponent);
        table.setSeat(1, {.score = 50});
        table.setSeat(2, {.score = score});
        table.rules.computerplay(2);
        QCOMPARE(table.outbox.to(1, cmd::formedword), QList<QByteArray>{formed});
        QCOMPARE(table.outbox.to(1, cmd::winner).size(), wins ? 1 : 0);
    }
}

// No word fits p, x, i, n and the hand: throwing hand letters away would leave the board stuck, so
// the x goes, after which "pin" fits.
void ComputerTest::strongUnblocksAStuckBoard() {
    for (quint32 seed = 1; seed <= 10; ++seed) {
        RulesTable table(QStringList{"pin"}, candidateList({"pin", "pun"}), seed);
        table.position(2, "qqqqqq", "pxin", 5, ComputerLevel::Strong);
        table.rules.computerplay(2);
        QCOMPARE(movesSeenBySeat1(table.outbox), QList<QByteArray>{"CMD_discardletter+2+2+"});
        QCOMPARE(table.hand(2), QByteArray("qqqqqq"));
    }
}

void ComputerTest::easyNeverStealsNorPlaysFiveLetters_data() {
    QTest::addColumn<QStringList>("candidates");
    QTest::addColumn<QByteArray>("hand");
    QTest::addColumn<QByteArray>("board");
    QTest::addColumn<QByteArray>("formed");
    QTest::newRow("a steal would make a word")
        << candidateList({"pine"}) << QByteArray("qqqqqq") << QByteArray("pin") << QByteArray();
    QTest::newRow("only five letters would")
        << candidateList({"pines", "spine"}) << QByteArray("sqqqqq") << QByteArray("pien") << QByteArray();
    QTest::newRow("four letters are played") << candidateList({"pines", "pine"}) << QByteArray("eqqqqs")
                                             << QByteArray("pin") << QByteArray("CMD_formedword+2+pine+6+6+");
}

void ComputerTest::easyNeverStealsNorPlaysFiveLetters() {
    QFETCH(QStringList, candidates);
    QFETCH(QByteArray, hand);
    QFETCH(QByteArray, board);
    QFETCH(QByteArray, formed);
    for (quint32 seed = 1; seed <= 20; ++seed) {
        RulesTable table(QStringList{"pine", "pines", "spine"}, candidates, seed);
        table.position(2, hand, board, 5, ComputerLevel::Easy);
        table.setBoard(1, "e");
        table.rules.computerplay(2);
        QCOMPARE(table.outbox.to(1, cmd::formedword), formed.isEmpty() ? QList<QByteArray>{} : QList{formed});
        QVERIFY(table.outbox.to(1, cmd::stoldletter).isEmpty());
        QVERIFY(table.board(2).trimmed().size() <= 4);
        QCOMPARE(table.rules.currentseat(), 1);
    }
}

void ComputerTest::easyMovesThreeToFiveTicksAfterItsTurnOpens() {
    QSet<int> ticks;
    for (quint32 seed = 1; seed <= 30; ++seed) {
        RulesTable table(words, candidateList({"at"}), seed);
        table.vacate(2);
        table.start(30, 100, 5, ComputerLevel::Easy);
        QCOMPARE(table.rules.turntimerTag(), GameRules::computerTurn);
        ticks << table.rules.turnticks();
    }
    QCOMPARE(ticks, (QSet<int>{3, 4, 5}));
}

void ComputerTest::levelComesFromTheStartOrElseTheTable_data() {
    QTest::addColumn<ComputerLevel>("tableLevel");
    QTest::addColumn<QByteArray>("startFields");
    QTest::addColumn<ComputerLevel>("level");
    QTest::newRow("absent, normal table")
        << ComputerLevel::Normal << QByteArray("Ann+30+100+5+") << ComputerLevel::Normal;
    QTest::newRow("absent, strong table")
        << ComputerLevel::Strong << QByteArray("Ann+30+100+5+") << ComputerLevel::Strong;
    QTest::newRow("present") << ComputerLevel::Strong << QByteArray("Ann+30+100+5+easy+")
                             << ComputerLevel::Easy;
    QTest::newRow("unknown text") << ComputerLevel::Strong << QByteArray("Ann+30+100+5+fierce+")
                                  << ComputerLevel::Normal;
    QTest::newRow("expert") << ComputerLevel::Normal << QByteArray("Ann+30+100+5+expert+")
                            << ComputerLevel::Expert;
    // A peer's overlong level is no level this version knows.
    QTest::newRow("overlong text") << ComputerLevel::Expert << "Ann+30+100+5+" + QByteArray(70000, 'e') + '+'
                                   << ComputerLevel::Normal;
}

// Everyone hears the level played; a normal game is announced with the four fields of old.
void ComputerTest::levelComesFromTheStartOrElseTheTable() {
    QFETCH(ComputerLevel, tableLevel);
    QFETCH(QByteArray, startFields);
    QFETCH(ComputerLevel, level);
    RulesTable table(words, candidateList({"at"}));
    table.rules.setDefaultLevel(tableLevel);
    const std::optional<msg::StartGame> start = msg::StartGame::decode(startFields);
    QVERIFY(start);
    table.rules.startgame(*start);
    QCOMPARE(table.rules.level(), level);
    const QByteArray announced = "CMD_startgame+Ann+30+100+5+" +
                                 (level == ComputerLevel::Normal ? QByteArray() : levelText(level) + '+');
    QCOMPARE(table.outbox.to(2, cmd::startgame), QList<QByteArray>{announced});
}

QTEST_GUILESS_MAIN(ComputerTest)
#include "tst_computer.moc"
