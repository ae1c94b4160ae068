// SPDX-License-Identifier: MIT
// Learns the expert computer's leave table (src/moves/leavetable.h) by self-play: the expert plays
// both seats of seeded games under the host's rules, in process on the real word lists. After each
// of its moves the letters it kept in the hand are noted with the points the seat scored in its
// turn after next, beyond the turn the expert already looks ahead. A least-squares fit of those
// points on the count of each kept letter (and on the copies beyond the first) gives each letter's
// worth in points over the average hand; the program prints the fit as the table's C++ text. Then
// the expert with the fitted table plays the expert without one, changing seats every game, and
// the share of games the table wins is printed.
//
// Usage: bench_leaves [games] [expert milliseconds a move] [expert sampled hands]

#include "anagramindex.h"
#include "gamerules.h"
#include "leavetable.h"
#include "tdictn.h"
#include "wordlists.h"

#include <QCoreApplication>
#include <QLoggingCategory>
#include <QTemporaryDir>
#include <array>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <vector>

using namespace quibo;

namespace {

constexpr int targetScore = 200;
constexpr int stealsAllowed = 5;
constexpr int turnLimit = 2000;
// Letters 1..26, the copies beyond the first, and the constant.
constexpr int features = 28;
// Keeps the fit steady for letters that are seldom held.
constexpr double ridge = 1.0;

class NullOutbox : public RulesOutbox {
public:
    void sendToSeat(int, const QByteArray&) override {}
};

struct Sample {
    std::array<double, features> x{};
    double points = 0;
};

struct Fit {
    std::array<std::array<double, features>, features> normal{};
    std::array<double, features> right{};
    void add(const Sample& sample) {
        for (int i = 0; i < features; ++i) {
            right[std::size_t(i)] += sample.x[std::size_t(i)] * sample.points;
            for (int j = 0; j < features; ++j)
                normal[std::size_t(i)][std::size_t(j)] += sample.x[std::size_t(i)] * sample.x[std::size_t(j)];
        }
    }
    // Solves (normal + ridge) b = right by Gaussian elimination with partial pivoting.
    std::array<double, features> solve() const {
        auto a = normal;
        auto b = right;
        for (int i = 0; i < features - 1; ++i)
            a[std::size_t(i)][std::size_t(i)] += ridge;
        for (int col = 0; col < features; ++col) {
            int pivot = col;
            for (int row = col + 1; row < features; ++row) {
                if (std::fabs(a[std::size_t(row)][std::size_t(col)]) >
                    std::fabs(a[std::size_t(pivot)][std::size_t(col)]))
                    pivot = row;
            }
            std::swap(a[std::size_t(col)], a[std::size_t(pivot)]);
            std::swap(b[std::size_t(col)], b[std::size_t(pivot)]);
            const double diagonal = a[std::size_t(col)][std::size_t(col)];
            if (std::fabs(diagonal) < 1e-12) continue;
            for (int row = 0; row < features; ++row) {
                if (row == col) continue;
                const double factor = a[std::size_t(row)][std::size_t(col)] / diagonal;
                for (int k = col; k < features; ++k)
                    a[std::size_t(row)][std::size_t(k)] -= factor * a[std::size_t(col)][std::size_t(k)];
                b[std::size_t(row)] -= factor * b[std::size_t(col)];
            }
        }
        std::array<double, features> solution{};
        for (int i = 0; i < features; ++i) {
            const double diagonal = a[std::size_t(i)][std::size_t(i)];
            solution[std::size_t(i)] = std::fabs(diagonal) < 1e-12 ? 0 : b[std::size_t(i)] / diagonal;
        }
        return solution;
    }
};

Sample keptLetters(const Hand& hand) {
    Sample sample;
    std::array<int, 27> held{};
    for (int code : hand) {
        if (code >= 1 && code <= 26) ++held[std::size_t(code)];
    }
    for (int code = 1; code <= 26; ++code) {
        sample.x[std::size_t(code - 1)] = held[std::size_t(code)] > 0 ? 1 : 0;
        sample.x[26] += std::max(0, held[std::size_t(code)] - 1);
    }
    sample.x[27] = 1;
    return sample;
}

// Plays one game of the expert against itself and adds its samples to the fit.
void playGame(const TDictn& dictionary, const QStringList& candidates,
              std::shared_ptr<const AnagramIndex> index, std::chrono::milliseconds time, int samples,
              quint32 seed, Fit& fit, long& noted) {
    SeatTable seats;
    NullOutbox outbox;
    Random random(seed);
    GameRules rules(seats, outbox, random, &dictionary, candidates);
    rules.shareWordIndex(std::move(index));
    rules.setExpertThinking(time, samples);
    // Learned from an expert that values no kept letter.
    rules.setExpertLeaves(LeaveTable{});
    rules.startgame(msg::StartGame{"bench", 30, targetScore, stealsAllowed, ComputerLevel::Expert});
    // Per seat: the kept letters after each of its moves and its score then.
    std::array<std::vector<std::pair<Sample, int>>, 3> history;
    for (int turn = 0; turn < turnLimit && rules.gamerunning(); ++turn) {
        const int seat = rules.currentseat();
        rules.computerplay(seat);
        history[std::size_t(seat)].emplace_back(keptLetters(seats[seat].hand), seats[seat].score);
    }
    for (int seat = 1; seat <= 2; ++seat) {
        const auto& moves = history[std::size_t(seat)];
        for (std::size_t i = 0; i + 2 < moves.size(); ++i) {
            Sample sample = moves[i].first;
            sample.points = moves[i + 2].second - moves[i + 1].second;
            fit.add(sample);
            ++noted;
        }
    }
}

// One game of the expert with the table on one seat against the expert without; answers the winner.
int playMatch(const TDictn& dictionary, const QStringList& candidates,
              std::shared_ptr<const AnagramIndex> index, std::chrono::milliseconds time, int samples,
              quint32 seed, int tableSeat, const LeaveTable& table) {
    SeatTable seats;
    NullOutbox outbox;
    Random random(seed);
    GameRules rules(seats, outbox, random, &dictionary, candidates);
    rules.shareWordIndex(std::move(index));
    rules.setExpertThinking(time, samples);
    rules.startgame(msg::StartGame{"bench", 30, targetScore, stealsAllowed, ComputerLevel::Expert});
    for (int turn = 0; turn < turnLimit && rules.gamerunning(); ++turn) {
        const int seat = rules.currentseat();
        rules.setExpertLeaves(seat == tableSeat ? table : LeaveTable{});
        rules.computerplay(seat);
    }
    return rules.gamerunning() ? 0 : rules.currentseat();
}

} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    QLoggingCategory::setFilterRules(QStringLiteral("quibo.*=false"));
    const int games = argc > 1 ? std::max(1, std::atoi(argv[1])) : 800;
    const std::chrono::milliseconds time{argc > 2 ? std::atoi(argv[2]) : 20};
    const int samples = argc > 3 ? std::atoi(argv[3]) : 16;
    QTemporaryDir directory;
    TDictn dictionary(directory.path());
    const QStringList candidates = loadCandidateWords();
    if (!dictionary.isOpen()) {
        std::fprintf(stderr, "word list missing\n");
        return 1;
    }
    const auto index = std::make_shared<const AnagramIndex>(dictionary);
    Fit fit;
    long noted = 0;
    for (int game = 0; game < games; ++game)
        playGame(dictionary, candidates, index, time, samples, quint32(100000 + game), fit, noted);
    const std::array<double, features> b = fit.solve();
    LeaveTable fitted;
    for (int code = 1; code <= 26; ++code)
        fitted.values[std::size_t(code)] = b[std::size_t(code - 1)];
    fitted.repeated = b[26];
    int fittedWins = 0;
    int decided = 0;
    for (int game = 0; game < games; ++game) {
        const int fittedSeat = game % 2 == 0 ? 2 : 1;
        const int winner = playMatch(dictionary, candidates, index, time, samples, quint32(500000 + game),
                                     fittedSeat, fitted);
        if (winner) ++decided;
        if (winner == fittedSeat) ++fittedWins;
    }
    std::printf("// %d games of self-play, %ld kept hands; expert budget %lld ms and %d hands a move\n",
                games, noted, static_cast<long long>(time.count()), samples);
    std::printf("inline constexpr LeaveTable learnedLeaves{\n    {\n        0.0, // unused\n");
    for (int code = 1; code <= 26; ++code)
        std::printf("        %.2f, // %c\n", b[std::size_t(code - 1)], 'a' + code - 1);
    std::printf("    },\n    %.2f,\n};\n", b[26]);
    std::printf("// the fitted table wins %d of %d decided games (%.1f %%) against none\n", fittedWins,
                decided, decided ? 100.0 * fittedWins / decided : 0.0);
    return 0;
}
