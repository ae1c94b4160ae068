// SPDX-License-Identifier: MIT
// The expert computer: what it chooses in set positions, that it plays on nothing but what its seat
// can see, and that its thinking stops at the budget.
#include "anagramindex.h"
#include "commands.h"
#include "rulestable.h"

#include <QElapsedTimer>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>
#include <climits>

using namespace quibo;
using namespace quibo::test;

namespace {

// "star" grows into many six-letter words once it holds an e, but "smart" into none.
const QStringList growingWords{"star",   "smart",  "trams",  "aster",  "rates",  "stare",  "tears",  "faster",
                               "skater", "strake", "haters", "hearts", "waters", "taster", "raster", "crates",
                               "traces", "grates", "orates", "prates", "alters", "salter", "stared", "trades",
                               "averts", "starve", "stayer", "urates", "satire", "astern", "breast", "baster",
                               "arrest", "caster", "recast", "paster", "slater", "treads"};
// "hat" leaves an h that turns the opponent's "stare" into "hearts"; "ate" leaves nothing to steal.
const QStringList stealableWords{"at", "hat", "ate", "eat", "tea", "hate", "heat", "haters", "hearts"};

// Seat 2's moves as seat 1 saw them, without the next turn's opening.
QList<QByteArray> movesSeenBySeat1(const RecordingOutbox& outbox) {
    QList<QByteArray> moves;
    for (const QByteArray& text : outbox.to(1)) {
        if (!text.startsWith("CMD_nextplayer") && !text.startsWith("CMD_newletter")) moves << text;
    }
    return moves;
}

// Seat 2 plays Expert with the given hand, board, words and score against seat 1's board.
void setUpExpert(RulesTable& table, const QByteArray& hand, const QByteArray& board,
                 const QStringList& formed, int score, const QByteArray& opponent, int opponentSteals) {
    table.position(2, hand, board, 5, ComputerLevel::Expert);
    table.setSeat(2, {.score = score, .stealsused = 5, .words = formed});
    table.setSeat(1, {.board = RulesTable::boardOf(opponent), .score = 10, .stealsused = 5 - opponentSteals});
    table.rules.setUpPosition({.targetscore = 100});
    table.rules.setExpertThinking(std::chrono::milliseconds(10000), 64);
}

} // namespace

class ExpertTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void initTestCase() { QStandardPaths::setTestModeEnabled(true); }
    void choosesByThePositionNotJustThePointsNow_data();
    void choosesByThePositionNotJustThePointsNow();
    void neverReadsTheOpponentsHand();
    void stopsThinkingAtTheBudget_data();
    void stopsThinkingAtTheBudget();
};

void ExpertTest::choosesByThePositionNotJustThePointsNow_data() {
    QTest::addColumn<QStringList>("dictionary");
    QTest::addColumn<QByteArray>("board");
    QTest::addColumn<QStringList>("formed");
    QTest::addColumn<int>("score");
    QTest::addColumn<QByteArray>("opponent");
    QTest::addColumn<int>("opponentSteals");
    QTest::addColumn<QByteArray>("formedWord");
    QTest::addColumn<bool>("wins");
    // "smart" scores 7 now, "aster" 5; but aster with the m and a new letter grows to six letters.
    QTest::newRow("the board that grows over two points more now")
        << growingWords << QByteArray("star") << QStringList{"star"} << 0 << QByteArray() << 0
        << QByteArray("CMD_formedword+2+aster+5+5+") << false;
    QTest::newRow("a word that wins at once")
        << growingWords << QByteArray("star") << QStringList{"star"} << 94 << QByteArray() << 0
        << QByteArray("CMD_formedword+2+smart+7+101+") << true;
    // "hat" scores 5, "ate" 3: the h of hat would make the opponent's "hearts" for 16.
    QTest::newRow("no letter left for a big steal")
        << stealableWords << QByteArray("at") << QStringList{"at"} << 0 << QByteArray("stare") << 5
        << QByteArray("CMD_formedword+2+ate+3+3+") << false;
    QTest::newRow("the bigger word when the opponent cannot steal")
        << stealableWords << QByteArray("at") << QStringList{"at"} << 0 << QByteArray("stare") << 0
        << QByteArray("CMD_formedword+2+hat+5+5+") << false;
}

void ExpertTest::choosesByThePositionNotJustThePointsNow() {
    QFETCH(QStringList, dictionary);
    QFETCH(QByteArray, board);
    QFETCH(QStringList, formed);
    QFETCH(int, score);
    QFETCH(QByteArray, opponent);
    QFETCH(int, opponentSteals);
    QFETCH(QByteArray, formedWord);
    QFETCH(bool, wins);
    for (quint32 seed = 1; seed <= 5; ++seed) {
        RulesTable table(dictionary, candidateList({"at"}), seed);
        setUpExpert(table, "meqqqq", board, formed, score, opponent, opponentSteals);
        if (dictionary == stealableWords) table.setHand(2, "heqqqq");
        table.rules.computerplay(2);
        QCOMPARE(table.outbox.to(1, cmd::formedword), QList<QByteArray>{formedWord});
        QCOMPARE(table.outbox.to(1, cmd::winner).size(), wins ? 1 : 0);
    }
}

// Whatever the opponent holds, the same seed gives the same move: the expert samples the hidden hand.
void ExpertTest::neverReadsTheOpponentsHand() {
    for (quint32 seed = 1; seed <= 5; ++seed) {
        QList<QList<QByteArray>> moves;
        for (const QByteArray opponentHand : {"hhhhhh", "qqqqqq", "hearts", ""}) {
            RulesTable table(stealableWords, candidateList({"at"}), seed);
            setUpExpert(table, "heqqqq", "at", {"at"}, 0, "stare", 5);
            table.setHand(1, opponentHand);
            table.rules.computerplay(2);
            moves << movesSeenBySeat1(table.outbox);
            QCOMPARE(moves.last(), moves.first());
        }
    }
}

void ExpertTest::stopsThinkingAtTheBudget_data() {
    QTest::addColumn<int>("milliseconds");
    QTest::newRow("none") << 0;
    QTest::newRow("a tenth of a second") << 100;
}

// A long board, a full hand and unlimited steals on both sides on the real word list: hundreds of
// candidates and no end of hands to sample, so only the budget stops it. The bound is generous.
void ExpertTest::stopsThinkingAtTheBudget() {
    QFETCH(int, milliseconds);
    QTemporaryDir directory;
    const TDictn dictionary(directory.path());
    QVERIFY(dictionary.isOpen());
    SeatTable seats;
    RecordingOutbox outbox;
    Random random(3);
    seats[1].occupied = 1;
    seats.playercount = 1;
    GameRules rules(seats, outbox, random, &dictionary, candidateList({"at"}));
    rules.shareWordIndex(std::make_shared<const AnagramIndex>(dictionary));
    rules.setExpertThinking(std::chrono::milliseconds(milliseconds), INT_MAX);
    rules.startgame(msg::StartGame{"Ann", 30, 1000, unlimitedSteals, ComputerLevel::Expert});
    rules.setUpPosition(
        {.currentseat = 2,
         .seats = {{1, {.board = RulesTable::boardOf("trainers")}},
                   {2, {.hand = RulesTable::handOf("esdlpo"), .board = RulesTable::boardOf("stare")}}}});
    outbox.clear();
    QElapsedTimer clock;
    clock.start();
    rules.computerplay(2);
    QVERIFY2(clock.elapsed() < milliseconds + 2000, qPrintable(QString::number(clock.elapsed())));
    QCOMPARE(rules.currentseat(), 1);
    QCOMPARE(outbox.to(1, cmd::formedword).size(), 1);
}

QTEST_GUILESS_MAIN(ExpertTest)
#include "tst_expert.moc"
