// SPDX-License-Identifier: MIT
// The analysis of a kept game: each turn's sentence beside the move played, the best move in words,
// the work done on a thread of its own, and the bounds on what a record can make it do.
#include "gameanalysis.h"
#include "letterposition.h"
#include "translations.h"
#include "wordlists.h"

#include <QSignalSpy>
#include <QTest>

using namespace quibo;

namespace {

using test::codeOf;
using test::lettersOf;

std::shared_ptr<const AnagramIndex> smallIndex() {
    static const auto index = std::make_shared<const AnagramIndex>(test::smallIndex());
    return index;
}

TurnPosition turnOf(QByteArrayView hand, QByteArrayView board, QByteArrayView opponent,
                    const QStringList& formed, const QByteArray& played = {}, int points = 0) {
    TurnPosition turn;
    turn.view = test::viewOf(hand, board, opponent, formed);
    turn.playedWord = played;
    turn.playedPoints = points;
    return turn;
}

ExpertMove moveOf(ExpertMove::Kind kind, char letter, char replaced = 0, const QByteArray& word = {}) {
    return ExpertMove{kind, codeOf(letter), replaced ? codeOf(replaced) : 0, word, 0};
}

} // namespace

Q_DECLARE_METATYPE(quibo::ExpertMove)
Q_DECLARE_METATYPE(quibo::TurnPosition)

class GameAnalysisTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void describesEachKindOfMove_data();
    void describesEachKindOfMove();
    void eachTurnGetsItsSentence_data();
    void eachTurnGetsItsSentence();
    void costliestTurnsAreTheThreeThatLostMost();
    void analysesOffTheCallersThreadNewestStartWins();
    void analysesNoMoreTurnsThanAGameHas();
    void closingDuringARunDeliversNothing();
    void embeddedWordListIsIndexedOnceForTheProcess();
    void sentencesAreInThePlayersLanguage();
};

void GameAnalysisTest::describesEachKindOfMove_data() {
    QTest::addColumn<ExpertMove>("move");
    QTest::addColumn<QByteArray>("board");
    QTest::addColumn<QByteArray>("opponent");
    QTest::addColumn<QString>("text");
    using Kind = ExpertMove::Kind;
    QTest::newRow("place in the word's cell")
        << moveOf(Kind::Place, 'R', 0, "CART") << QByteArray("CAT") << QByteArray() << "place R in cell 3";
    QTest::newRow("place over a letter") << moveOf(Kind::Place, 'T', 'C', "TAX") << QByteArray("CAX")
                                         << QByteArray() << "place T over C in cell 1";
    QTest::newRow("place forming no word")
        << moveOf(Kind::Place, 'R') << QByteArray("CAT") << QByteArray() << "place R";
    QTest::newRow("steal") << moveOf(Kind::Steal, 'H', 0, "CHAT") << QByteArray("CAT") << QByteArray("E.OH")
                           << "steal H from cell 4";
    QTest::newRow("steal over a letter") << moveOf(Kind::Steal, 'H', 'X', "CHAT") << QByteArray("CATX")
                                         << QByteArray("H") << "steal H from cell 1 over X";
    QTest::newRow("throw away") << moveOf(Kind::DiscardHand, 'Q') << QByteArray("CAT") << QByteArray()
                                << "throw away Q";
    QTest::newRow("remove") << moveOf(Kind::DiscardBoard, 'S', 0, "CAT") << QByteArray(".SCAT")
                            << QByteArray() << "remove S from cell 2";
    QTest::newRow("no move") << moveOf(Kind::DiscardHand, '.') << QByteArray() << QByteArray() << QString();
}

void GameAnalysisTest::describesEachKindOfMove() {
    QFETCH(ExpertMove, move);
    QFETCH(QByteArray, board);
    QFETCH(QByteArray, opponent);
    QFETCH(QString, text);
    ExpertView before;
    before.board = lettersOf<boardCells>(board);
    before.opponentBoard = lettersOf<boardCells>(opponent);
    QCOMPARE(describeMove(move, before), text);
}

void GameAnalysisTest::eachTurnGetsItsSentence_data() {
    QTest::addColumn<TurnPosition>("turn");
    QTest::addColumn<int>("loss");
    QTest::addColumn<QString>("text");
    QTest::newRow("more than the position allowed, as a record may claim")
        << turnOf("RSH", "CA", "", {}, "CAT", 5) << 0 << "You played CAT for 5, the best move.";
    QTest::newRow("a word short of the best")
        << turnOf("RSH", "CAT", "", {"cat"}, "CART", 6) << 2
        << "You played CART for 6. Best: CHAT for 8 (place H in cell 2).";
    QTest::newRow("the best word") << turnOf("RSH", "CAT", "", {"cat"}, "CHAT", 8) << 0
                                   << "You played CHAT for 8, the best move.";
    QTest::newRow("no word where a steal made one")
        << turnOf("QQ", "CAT", ".H", {"cat"}) << 8
        << "You formed no word. Best: CHAT for 8 (steal H from cell 2).";
    QTest::newRow("no word where none was possible")
        << turnOf("Q", "", "", {}) << 0 << "You formed no word; none was possible.";
    QTest::newRow("an empty hand and board")
        << turnOf("", "", "", {}) << 0 << "You formed no word; none was possible.";
}

void GameAnalysisTest::eachTurnGetsItsSentence() {
    QFETCH(TurnPosition, turn);
    QFETCH(int, loss);
    QFETCH(QString, text);
    const QList<TurnVerdict> verdicts = analyseTurns({turn}, *smallIndex());
    QCOMPARE(verdicts.size(), 1);
    QCOMPARE(verdicts[0].turn, turn);
    QCOMPARE(verdicts[0].loss, loss);
    QCOMPARE(verdicts[0].text, text);
}

void GameAnalysisTest::costliestTurnsAreTheThreeThatLostMost() {
    QList<TurnVerdict> verdicts;
    for (const int loss : {2, 0, 7, 3, 7, 1}) {
        TurnVerdict verdict;
        verdict.turn.step = int(verdicts.size());
        verdict.loss = loss;
        verdicts.append(verdict);
    }
    QList<int> steps;
    for (const TurnVerdict& verdict : costliestTurns(verdicts))
        steps.append(verdict.turn.step);
    QCOMPARE(steps, (QList<int>{2, 4, 3}));
    // Fewer turns that lost anything than asked for: only those.
    QCOMPARE(costliestTurns(verdicts.first(2)).size(), 1);
}

void GameAnalysisTest::analysesOffTheCallersThreadNewestStartWins() {
    const QList<TurnPosition> first{turnOf("RSH", "CAT", "", {"cat"}, "CART", 6)};
    const QList<TurnPosition> second{turnOf("QQ", "CAT", ".H", {"cat"}), turnOf("Q", "", "", {})};
    GameAnalysis analysis;
    QList<QList<TurnVerdict>> answers;
    connect(&analysis, &GameAnalysis::finished, this,
            [&answers](const QList<TurnVerdict>& verdicts) { answers.append(verdicts); });
    analysis.start(first, smallIndex());
    analysis.start(second, smallIndex());
    // The answer comes through the event loop, never from within start().
    QVERIFY(answers.isEmpty());
    QVERIFY(analysis.isRunning());
    QTRY_VERIFY(!analysis.isRunning());
    QCoreApplication::processEvents();
    QCOMPARE(answers.size(), 1);
    QCOMPARE(answers[0], analyseTurns(second, *smallIndex()));
}

void GameAnalysisTest::analysesNoMoreTurnsThanAGameHas() {
    const TurnPosition empty = turnOf("", "", "", {});
    for (const int count : {GameAnalysis::maxTurns, GameAnalysis::maxTurns + 1})
        QCOMPARE(analyseTurns(QList<TurnPosition>(count, empty), *smallIndex()).size(),
                 GameAnalysis::maxTurns);
    GameAnalysis analysis;
    QSignalSpy finished(&analysis, &GameAnalysis::finished);
    analysis.start(QList<TurnPosition>(GameAnalysis::maxTurns + 1, empty), smallIndex());
    QVERIFY(finished.wait());
    QCOMPARE(finished.at(0).at(0).value<QList<TurnVerdict>>().size(), GameAnalysis::maxTurns);
}

void GameAnalysisTest::closingDuringARunDeliversNothing() {
    int answers = 0;
    {
        GameAnalysis analysis;
        connect(&analysis, &GameAnalysis::finished, this, [&answers] { ++answers; });
        analysis.start(QList<TurnPosition>(GameAnalysis::maxTurns, turnOf("RSH", "CAT", "EH", {"cat"})),
                       smallIndex());
    }
    QCoreApplication::processEvents();
    QCOMPARE(answers, 0);
}

void GameAnalysisTest::embeddedWordListIsIndexedOnceForTheProcess() {
    const auto index = GameAnalysis::sharedIndex(QString::fromLatin1(wordFileResource));
    QVERIFY(index->wordCount() > 10000);
    QCOMPARE(index->countOf(AnagramIndex::keyOf(countsOfWord("CAT"))) > 0, true);
    QCOMPARE(GameAnalysis::sharedIndex(QString::fromLatin1(wordFileResource)), index);
    QVERIFY(GameAnalysis::sharedIndex(QStringLiteral(":/no such list"))->isEmpty());
    QVERIFY(GameAnalysis::sharedIndex(QStringLiteral("/dev/zero"))->isEmpty());

    // A record naming a list the window does not have is analysed with the standard one.
    GameAnalysis analysis;
    QSignalSpy finished(&analysis, &GameAnalysis::finished);
    analysis.start({turnOf("RSH", "CAT", "", {"cat"})}, QStringLiteral("/dev/zero"));
    QVERIFY(finished.wait());
    const auto verdicts = finished.at(0).at(0).value<QList<TurnVerdict>>();
    QCOMPARE(verdicts.size(), 1);
    QVERIFY(!verdicts[0].best.word.isEmpty());
    QVERIFY(verdicts[0].loss > 0);
}

void GameAnalysisTest::sentencesAreInThePlayersLanguage() {
    QVERIFY(installTranslations(*QCoreApplication::instance(), QLocale(QStringLiteral("de_DE"))));
    const QList<TurnVerdict> verdicts = analyseTurns(
        {turnOf("RSH", "CAT", "", {"cat"}, "CART", 6), turnOf("QQ", "CAT", ".H", {"cat"})}, *smallIndex());
    QCOMPARE(verdicts[0].text, "Du hast CART für 6 gespielt. Am besten: CHAT für 8 (H in Feld 2 legen).");
    QCOMPARE(verdicts[1].text, "Du hast kein Wort gebildet. Am besten: CHAT für 8 (H aus Feld 2 stehlen).");
}

QTEST_GUILESS_MAIN(GameAnalysisTest)
#include "tst_gameanalysis.moc"
