// SPDX-License-Identifier: MIT
#include "letters.h"

#include <QTest>
#include <array>

using namespace quibo;

Q_DECLARE_METATYPE(quibo::Hand)
Q_DECLARE_METATYPE(quibo::Board)

namespace {

constexpr int letterA = 1;
constexpr int letterE = 5;

// Letter shares over many draws for one seat's hand and board, from a fixed seed.
std::array<double, 27> shares(const Hand& hand, const Board& board, int draws, quint32 seed) {
    Random random(seed);
    std::array<int, 27> counts{};
    for (int i = 0; i < draws; ++i) {
        const int code = getletter(random, hand, board);
        ++counts[std::size_t(code >= 1 && code <= 26 ? code : 0)];
    }
    std::array<double, 27> result{};
    for (std::size_t code = 0; code < counts.size(); ++code)
        result[code] = double(counts[code]) / draws;
    return result;
}

// Share of a letter held k times among the counted cells (and no other letter held): when k > 0 it
// is kept with probability 1/(k+2), otherwise replaced by a uniform letter.
double replacedShare(double base, int k) {
    return k == 0 ? 0.0 : base * (k + 1.0) / (k + 2);
}
double dampedShare(double base, int k) {
    return base - replacedShare(base, k) + replacedShare(base, k) / 26;
}

} // namespace

class LettersTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void worthAndTextOfCodes_data();
    void worthAndTextOfCodes();
    void boardTextKeepsGapsAsBlanks();
    void drawsStayInRange();
    void getletterNeverGivesNoLetter();
    void letterSharesMatchTheWeights();
    void heldLettersAreDampedOnlyInHandAndFirstFourCells_data();
    void heldLettersAreDampedOnlyInHandAndFirstFourCells();
};

void LettersTest::worthAndTextOfCodes_data() {
    QTest::addColumn<int>("code");
    QTest::addColumn<int>("worth");
    QTest::addColumn<char>("letter");
    QTest::newRow("0 is no letter") << 0 << 1 << ' ';
    QTest::newRow("a") << 1 << 1 << 'a';
    QTest::newRow("b") << 2 << 3 << 'b';
    QTest::newRow("e") << 5 << 1 << 'e';
    QTest::newRow("f") << 6 << 5 << 'f';
    QTest::newRow("j") << 10 << 5 << 'j';
    QTest::newRow("m") << 13 << 3 << 'm';
    QTest::newRow("q") << 17 << 10 << 'q';
    QTest::newRow("v") << 22 << 7 << 'v';
    QTest::newRow("w") << 23 << 5 << 'w';
    QTest::newRow("x") << 24 << 10 << 'x';
    QTest::newRow("y") << 25 << 3 << 'y';
    QTest::newRow("z") << 26 << 10 << 'z';
    QTest::newRow("27 is no letter") << 27 << 1 << ' ';
    QTest::newRow("negative") << -1 << 1 << ' ';
    QTest::newRow("large") << 0x7fffffff << 1 << ' ';
}

void LettersTest::worthAndTextOfCodes() {
    QFETCH(int, code);
    QFETCH(int, worth);
    QFETCH(char, letter);
    QCOMPARE(letterworth(code), worth);
    QCOMPARE(convertoletter(code), letter);
}

void LettersTest::boardTextKeepsGapsAsBlanks() {
    const Board board{16, 9, 0, 5, 0, 0, 0, 0, 0, 27};
    QCOMPARE(boardText(board), QByteArray("pi e      "));
}

void LettersTest::drawsStayInRange() {
    Random random(12345);
    for (int n : {1, 2, 3, 26, 30, 1000, 0x7fffffff}) {
        for (int i = 0; i < 1000; ++i) {
            const int value = random.draw(n);
            QVERIFY2(value >= 0 && value < n, qPrintable(QString::number(n)));
        }
    }
    QCOMPARE(random.draw(1), 0);
}

void LettersTest::getletterNeverGivesNoLetter() {
    Random random(7);
    Hand hand{};
    Board board{};
    for (int i = 0; i < 20000; ++i) {
        const int code = getletter(random, hand, board);
        QVERIFY(code >= 1 && code <= 26);
        // Keep changing what the seat holds so damping takes part too.
        hand[std::size_t(i % handSlots)] = code;
        board[std::size_t(i % boardCells)] = (i % 3 == 0) ? 0 : code;
    }
}

void LettersTest::letterSharesMatchTheWeights() {
    // a, e, i, o come up twice; j, q, x, z are halved and their halves spread over all letters:
    // vowels 9/130, rare letters 1/52, the other eighteen 7/195. Tolerance 0.002 absolute
    // (about five standard deviations at this number of draws).
    const int draws = 390000;
    const auto share = shares(Hand{}, Board{}, draws, 20241208);
    QCOMPARE(share[0], 0.0);
    for (int code = 1; code <= 26; ++code) {
        double expected = 7.0 / 195;
        if (code == 1 || code == 5 || code == 9 || code == 15)
            expected = 9.0 / 130;
        else if (code == 10 || code == 17 || code == 24 || code == 26)
            expected = 1.0 / 52;
        QVERIFY2(qAbs(share[std::size_t(code)] - expected) < 0.002,
                 qPrintable(QStringLiteral("%1: %2 instead of %3")
                                .arg(convertoletter(code))
                                .arg(share[std::size_t(code)])
                                .arg(expected)));
    }
}

void LettersTest::heldLettersAreDampedOnlyInHandAndFirstFourCells_data() {
    QTest::addColumn<Hand>("hand");
    QTest::addColumn<Board>("board");
    QTest::addColumn<int>("counted");
    const int e = letterE;
    QTest::newRow("none held") << Hand{} << Board{} << 0;
    QTest::newRow("one e in the hand") << Hand{0, 0, e, 0, 0, 0} << Board{} << 1;
    QTest::newRow("three e in the hand") << Hand{e, e, e, 0, 0, 0} << Board{} << 3;
    QTest::newRow("e in board cells 1 to 4") << Hand{} << Board{e, e, e, e, 0, 0, 0, 0, 0, 0} << 4;
    QTest::newRow("e in board cell 5 only") << Hand{} << Board{0, 0, 0, 0, e, 0, 0, 0, 0, 0} << 0;
    QTest::newRow("e in board cells 5 to 10") << Hand{} << Board{0, 0, 0, 0, e, e, e, e, e, e} << 0;
    QTest::newRow("e in hand and cell 4, not cell 5")
        << Hand{e, 0, 0, 0, 0, 0} << Board{0, 0, 0, e, e, 0, 0, 0, 0, 0} << 2;
    QTest::newRow("ten counted cells") << Hand{e, e, e, e, e, e} << Board{e, e, e, e, e, e, e, e, e, e} << 10;
}

void LettersTest::heldLettersAreDampedOnlyInHandAndFirstFourCells() {
    QFETCH(Hand, hand);
    QFETCH(Board, board);
    QFETCH(int, counted);
    // 200,000 draws: tolerance 0.0015 absolute, about five standard deviations.
    const auto share = shares(hand, board, 200000, 99);
    const double expected = dampedShare(9.0 / 130, counted);
    QVERIFY2(qAbs(share[letterE] - expected) < 0.0015,
             qPrintable(QStringLiteral("e: %1 instead of %2").arg(share[letterE]).arg(expected)));
    // A letter not held is not damped: a keeps its share.
    QVERIFY(qAbs(share[letterA] - (9.0 / 130 + replacedShare(9.0 / 130, counted) / 26)) < 0.0015);
}

QTEST_GUILESS_MAIN(LettersTest)
#include "tst_letters.moc"
