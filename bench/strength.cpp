// SPDX-License-Identifier: MIT
// Strength of the computer's levels: 200 seeded games per pairing, played in process on the real
// word lists with the computer on both seats, each seat at its own level. The levels change seats
// every game, since seat 2 always moves first. Prints each pairing's wins and each level's points
// per turn; the goal is that Strong beats Normal, and Normal beats Easy, in at least 80 % of games.

#include "gamerules.h"
#include "tdictn.h"
#include "wordlists.h"

#include <QCoreApplication>
#include <QLoggingCategory>
#include <QTemporaryDir>
#include <array>
#include <cstdio>

using namespace quibo;

namespace {

constexpr int gamesPerPairing = 200;
constexpr int targetScore = 200;
constexpr int stealsAllowed = 5;
// A game that nobody wins within this many turns counts for neither side.
constexpr int turnLimit = 2000;

class NullOutbox : public RulesOutbox {
public:
    void sendToSeat(int, const QByteArray&) override {}
};

struct Tally {
    qint64 points = 0;
    qint64 turns = 0;
};

// Plays one game; answers the seat that won (0 for none) and adds each level's points and turns.
int playGame(const TDictn& dictionary, const QStringList& candidates, quint32 seed,
             std::array<ComputerLevel, 3> levelOfSeat, std::array<Tally, 3>& tallies) {
    SeatTable seats;
    NullOutbox outbox;
    Random random(seed);
    GameRules rules(seats, outbox, random, &dictionary, candidates);
    rules.startgame(msg::StartGame{"bench", 30, targetScore, stealsAllowed});
    for (int turn = 0; turn < turnLimit && rules.gamerunning(); ++turn) {
        const int seat = rules.currentseat();
        const ComputerLevel level = levelOfSeat[std::size_t(seat)];
        const int before = seats[seat].score;
        rules.setUpPosition({.level = level});
        rules.computerplay(seat);
        Tally& tally = tallies[std::size_t(level)];
        tally.points += seats[seat].score - before;
        ++tally.turns;
    }
    if (rules.gamerunning()) return 0;
    return rules.currentseat();
}

const char* nameOf(ComputerLevel level) {
    static const char* names[] = {"Easy", "Normal", "Strong"};
    return names[int(level)];
}

} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    QLoggingCategory::setFilterRules(QStringLiteral("quibo.*=false"));
    QTemporaryDir directory;
    TDictn dictionary(directory.path());
    const QStringList candidates = loadCandidateWords();
    if (!dictionary.isOpen() || candidates.size() < 20) {
        std::fprintf(stderr, "word lists missing\n");
        return 1;
    }
    std::array<Tally, 3> tallies{};
    const std::array<std::array<ComputerLevel, 2>, 2> pairings{{
        {ComputerLevel::Strong, ComputerLevel::Normal},
        {ComputerLevel::Normal, ComputerLevel::Easy},
    }};
    for (const auto& [stronger, weaker] : pairings) {
        int strongerWins = 0;
        int weakerWins = 0;
        for (int game = 0; game < gamesPerPairing; ++game) {
            // Seat 1 and seat 2 (index 3 unused); the levels swap seats every game.
            const bool strongerFirst = game % 2 == 0;
            const std::array<ComputerLevel, 3> levels{
                ComputerLevel::Normal, strongerFirst ? weaker : stronger, strongerFirst ? stronger : weaker};
            const int winner = playGame(dictionary, candidates, quint32(game + 1), levels, tallies);
            if (winner == 0) continue;
            (levels[std::size_t(winner)] == stronger ? strongerWins : weakerWins) += 1;
        }
        std::printf("%-6s beats %-6s in %d of %d games (%.1f %%), loses %d\n", nameOf(stronger),
                    nameOf(weaker), strongerWins, gamesPerPairing, 100.0 * strongerWins / gamesPerPairing,
                    weakerWins);
    }
    for (ComputerLevel level : {ComputerLevel::Easy, ComputerLevel::Normal, ComputerLevel::Strong}) {
        const Tally& tally = tallies[std::size_t(level)];
        std::printf("%-6s %.2f points per turn (%lld turns)\n", nameOf(level),
                    tally.turns ? double(tally.points) / double(tally.turns) : 0.0,
                    static_cast<long long>(tally.turns));
    }
    return 0;
}
