// SPDX-License-Identifier: MIT
// Strength of the computer's levels: 400 seeded games per pairing (Expert against Strong, Strong
// against Normal, Normal against Easy), played in process on the real word lists with the computer
// on both seats, each seat at its own level. The levels change seats every game, since seat 2
// always moves first. Prints each pairing's win rate and each side's points per turn, with 95 %
// intervals; the goals are that Expert beats Strong in at least 70 % of games, Strong beats Normal
// and Normal beats Easy in at least 75 %.
//
// Usage: bench_strength [games per pairing] [expert milliseconds a move] [expert sampled hands]
// The expert thinks with a smaller budget than in play (by default 20 ms and 16 hands a move) so
// that the games finish in minutes.

#include "anagramindex.h"
#include "gamerules.h"
#include "tdictn.h"
#include "wordlists.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QLoggingCategory>
#include <QTemporaryDir>
#include <array>
#include <cmath>
#include <cstdio>
#include <cstdlib>

using namespace quibo;

namespace {

constexpr int targetScore = 200;
constexpr int stealsAllowed = 5;
// A game that nobody wins within this many turns counts for neither side.
constexpr int turnLimit = 2000;

class NullOutbox : public RulesOutbox {
public:
    void sendToSeat(int, const QByteArray&) override {}
};

// Points per turn of one side of a pairing, summed per game so that the interval is over games.
struct Tally {
    double sum = 0;
    double squares = 0;
    int games = 0;
    void add(double perTurn) {
        sum += perTurn;
        squares += perTurn * perTurn;
        ++games;
    }
    double mean() const { return games ? sum / games : 0; }
    double halfWidth() const {
        if (games < 2) return 0;
        const double variance = (squares - sum * sum / games) / (games - 1);
        return 1.96 * std::sqrt(std::max(0.0, variance) / games);
    }
};

struct Setup {
    const TDictn& dictionary;
    const QStringList& candidates;
    std::shared_ptr<const AnagramIndex> index;
    std::chrono::milliseconds expertTime;
    int expertSamples;
};

// Plays one game; answers the seat that won (0 for none) and each seat's points per turn.
int playGame(const Setup& setup, quint32 seed, std::array<ComputerLevel, 3> levelOfSeat,
             std::array<double, 3>& perTurn) {
    SeatTable seats;
    NullOutbox outbox;
    Random random(seed);
    GameRules rules(seats, outbox, random, &setup.dictionary, setup.candidates);
    rules.shareWordIndex(setup.index);
    rules.setExpertThinking(setup.expertTime, setup.expertSamples);
    rules.startgame(msg::StartGame{"bench", 30, targetScore, stealsAllowed});
    std::array<int, 3> turns{};
    for (int turn = 0; turn < turnLimit && rules.gamerunning(); ++turn) {
        const int seat = rules.currentseat();
        rules.setUpPosition({.level = levelOfSeat[std::size_t(seat)]});
        rules.computerplay(seat);
        ++turns[std::size_t(seat)];
    }
    for (int seat = 1; seat <= 2; ++seat)
        perTurn[std::size_t(seat)] =
            turns[std::size_t(seat)] ? double(seats[seat].score) / turns[std::size_t(seat)] : 0;
    return rules.gamerunning() ? 0 : rules.currentseat();
}

const char* nameOf(ComputerLevel level) {
    static const char* names[] = {"Easy", "Normal", "Strong", "Expert"};
    return names[int(level)];
}

// The Wilson score interval of a share, 95 %.
void printShare(int wins, int games) {
    const double z = 1.96;
    const double p = games ? double(wins) / games : 0;
    const double centre = (p + z * z / (2 * games)) / (1 + z * z / games);
    const double half =
        z * std::sqrt(p * (1 - p) / games + z * z / (4.0 * games * games)) / (1 + z * z / games);
    std::printf("%.1f %% (95 %% interval %.1f to %.1f %%)", 100 * p, 100 * (centre - half),
                100 * (centre + half));
}

} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    QLoggingCategory::setFilterRules(QStringLiteral("quibo.*=false"));
    const int games = argc > 1 ? std::max(2, std::atoi(argv[1])) : 400;
    const std::chrono::milliseconds expertTime{argc > 2 ? std::atoi(argv[2]) : 20};
    const int expertSamples = argc > 3 ? std::atoi(argv[3]) : 16;
    QTemporaryDir directory;
    TDictn dictionary(directory.path());
    const QStringList candidates = loadCandidateWords();
    if (!dictionary.isOpen() || candidates.size() < 20) {
        std::fprintf(stderr, "word lists missing\n");
        return 1;
    }
    const Setup setup{dictionary, candidates, std::make_shared<const AnagramIndex>(dictionary), expertTime,
                      expertSamples};
    std::printf("%d games per pairing, play to %d, %d steals; expert budget %lld ms and %d hands a move\n",
                games, targetScore, stealsAllowed, static_cast<long long>(expertTime.count()), expertSamples);
    const std::array<std::array<ComputerLevel, 2>, 3> pairings{{
        {ComputerLevel::Expert, ComputerLevel::Strong},
        {ComputerLevel::Strong, ComputerLevel::Normal},
        {ComputerLevel::Normal, ComputerLevel::Easy},
    }};
    for (const auto& [stronger, weaker] : pairings) {
        QElapsedTimer clock;
        clock.start();
        int strongerWins = 0;
        int weakerWins = 0;
        Tally strongerPoints;
        Tally weakerPoints;
        for (int game = 0; game < games; ++game) {
            // Seat 1 and seat 2 (index 0 unused); the levels swap seats every game.
            const bool strongerFirst = game % 2 == 0;
            const std::array<ComputerLevel, 3> levels{
                ComputerLevel::Normal, strongerFirst ? weaker : stronger, strongerFirst ? stronger : weaker};
            std::array<double, 3> perTurn{};
            const int winner = playGame(setup, quint32(game + 1), levels, perTurn);
            const int strongerSeat = strongerFirst ? 2 : 1;
            strongerPoints.add(perTurn[std::size_t(strongerSeat)]);
            weakerPoints.add(perTurn[std::size_t(3 - strongerSeat)]);
            if (winner == 0) continue;
            (winner == strongerSeat ? strongerWins : weakerWins) += 1;
        }
        std::printf("%-6s beats %-6s in %d of %d games: ", nameOf(stronger), nameOf(weaker), strongerWins,
                    games);
        printShare(strongerWins, games);
        std::printf(", loses %d; %.1f s\n", weakerWins, double(clock.elapsed()) / 1000);
        std::printf("  points per turn: %s %.2f +- %.2f, %s %.2f +- %.2f\n", nameOf(stronger),
                    strongerPoints.mean(), strongerPoints.halfWidth(), nameOf(weaker), weakerPoints.mean(),
                    weakerPoints.halfWidth());
    }
    return 0;
}
