// SPDX-License-Identifier: MIT
// The best move of a position for looking back at a game: the most points this turn, whichever
// kind of move scores them, the loss of a turn against it, and positions no game could reach.
#include "letterposition.h"
#include "moveanalyst.h"

#include <QTest>
#include <climits>

using namespace quibo;

using quibo::test::codeOf;
using quibo::test::smallIndex;
using quibo::test::viewOf;

Q_DECLARE_METATYPE(quibo::ExpertView)
Q_DECLARE_METATYPE(quibo::ExpertMove::Kind)

class MoveAnalystTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void bestMoveScoresTheMostThisTurn_data();
    void bestMoveScoresTheMostThisTurn();
    void aPositionWithoutMovesHasNoBestAndLosesNothing();
    void lossIsTheShortfallNeverBelowZero();
    void lyingPositionReachesNothingOutOfRange();
    void formedWordsCountUpToTheirBound();
};

void MoveAnalystTest::bestMoveScoresTheMostThisTurn_data() {
    QTest::addColumn<ExpertView>("view");
    QTest::addColumn<ExpertMove::Kind>("kind");
    QTest::addColumn<char>("letter");
    QTest::addColumn<char>("replaced");
    QTest::addColumn<QByteArray>("word");
    QTest::addColumn<int>("points");
    using Kind = ExpertMove::Kind;
    // CART and SCAT score 6, CHAT 8.
    QTest::newRow("place on an empty cell")
        << viewOf("RSH", "CAT", "", {"cat"}) << Kind::Place << 'H' << '\0' << QByteArray("CHAT") << 8;
    // CAT for 5 over the X, but TAX for 12 over the C.
    QTest::newRow("place over a letter")
        << viewOf("T", "CAX", "", {}) << Kind::Place << 'T' << 'C' << QByteArray("TAX") << 12;
    QTest::newRow("a steal beats the hand")
        << viewOf("QQ", "CAT", "EH", {"cat"}) << Kind::Steal << 'H' << '\0' << QByteArray("CHAT") << 8;
    QTest::newRow("no steals left") << viewOf("QQ", "CAT", "EH", {"cat"}, 0) << Kind::DiscardHand << 'Q'
                                    << '\0' << QByteArray() << 0;
    QTest::newRow("an empty hand removes")
        << viewOf("", "SCAT", "", {"scat"}) << Kind::DiscardBoard << 'S' << '\0' << QByteArray("CAT") << 5;
    QTest::newRow("a word formed before is no best")
        << viewOf("HR", "CAT", "", {"cat", "CHAT"}) << Kind::Place << 'R' << '\0' << QByteArray("CART") << 6;
}

void MoveAnalystTest::bestMoveScoresTheMostThisTurn() {
    QFETCH(ExpertView, view);
    QFETCH(ExpertMove::Kind, kind);
    QFETCH(char, letter);
    QFETCH(char, replaced);
    QFETCH(QByteArray, word);
    QFETCH(int, points);
    const std::optional<ExpertMove> best = MoveAnalyst(smallIndex()).bestMove(view);
    QVERIFY(best);
    QCOMPARE(best->word, word);
    QCOMPARE(best->points, points);
    QCOMPARE(best->kind, kind);
    QCOMPARE(best->letter, codeOf(letter));
    QCOMPARE(best->replaced, replaced ? codeOf(replaced) : 0);
}

void MoveAnalystTest::aPositionWithoutMovesHasNoBestAndLosesNothing() {
    const std::optional<ExpertMove> best = MoveAnalyst(smallIndex()).bestMove(viewOf("", "", "CAT", {}));
    QVERIFY(!best);
    QCOMPARE(MoveAnalyst::lossOf(best, 0), 0);
}

void MoveAnalystTest::lossIsTheShortfallNeverBelowZero() {
    const std::optional<ExpertMove> best =
        MoveAnalyst(smallIndex()).bestMove(viewOf("RSH", "CAT", "", {"cat"}));
    QCOMPARE(MoveAnalyst::lossOf(best, 6), 2);
    QCOMPARE(MoveAnalyst::lossOf(best, 0), 8);
    QCOMPARE(MoveAnalyst::lossOf(best, 8), 0);
    // A record may claim more than the position allowed, or less than nothing.
    QCOMPARE(MoveAnalyst::lossOf(best, 50), 0);
    QCOMPARE(MoveAnalyst::lossOf(best, INT_MIN), 8);
}

void MoveAnalystTest::lyingPositionReachesNothingOutOfRange() {
    ExpertView view = viewOf("R", "CAT", "H", {"cat"});
    view.hand[1] = 27;
    view.hand[2] = -1;
    view.hand[3] = INT_MAX;
    view.board[3] = INT_MIN;
    view.opponentBoard[5] = 99;
    view.score = INT_MAX;
    view.opponentScore = INT_MIN;
    view.targetscore = INT_MAX;
    view.stealsLeft = LLONG_MIN;
    view.opponentStealsLeft = LLONG_MAX;
    view.words << QString(100000, u'x');

    const ExpertView safe = MoveAnalyst::sanitized(view);
    QCOMPARE(safe.hand, (Hand{codeOf('R'), 0, 0, 0, 0, 0}));
    QCOMPARE(safe.board[3], 0);
    QCOMPARE(safe.opponentBoard[5], 0);
    QCOMPARE(safe.score, MoveAnalyst::largestScore);
    QCOMPARE(safe.opponentScore, 0);
    QCOMPARE(safe.stealsLeft, 0);
    QCOMPARE(safe.words, QStringList{"cat"});
    // The strange codes are empty cells: R makes CART, and no steal is left for CHAT.
    const std::optional<ExpertMove> best = MoveAnalyst(smallIndex()).bestMove(view);
    QVERIFY(best);
    QCOMPARE(best->word, QByteArray("CART"));
}

void MoveAnalystTest::formedWordsCountUpToTheirBound() {
    // CART formed as the last word within the bound is no best move; one word further it no longer counts.
    for (const int before : {MoveAnalyst::maxFormedWords - 1, MoveAnalyst::maxFormedWords}) {
        QStringList formed{QStringLiteral("cat")};
        while (formed.size() < before)
            formed << QStringLiteral("zz");
        formed << QStringLiteral("cart");
        const std::optional<ExpertMove> best =
            MoveAnalyst(smallIndex()).bestMove(viewOf("R", "CAT", "", formed));
        QVERIFY(best);
        QCOMPARE(best->word, before < MoveAnalyst::maxFormedWords ? QByteArray() : QByteArray("CART"));
    }
}

QTEST_GUILESS_MAIN(MoveAnalystTest)
#include "tst_moveanalyst.moc"
