// SPDX-License-Identifier: MIT
// Time of one computer turn (computerplay, including the moves it makes and the opening of the next
// turn) over 10,000 varied positions on the real word lists for Easy, Normal and Strong, and 2,000 for
// Expert, which thinks with the host's budget (1 s a move). Prints the median, the 99th percentile
// and the maximum; the goal is a median under 0.2 ms and a maximum under 2 ms for Normal and Easy, a
// maximum under 5 ms for Strong, which weighs every word that fits, and for Expert a maximum within
// its budget plus 50 ms. Wall-clock time includes
// any moment the process was not scheduled, which on a busy machine dominates the maximum, so the thread's
// own processor time is printed beside it.

#include "anagramindex.h"
#include "expertplayer.h"
#include "gamerules.h"
#include "tdictn.h"
#include "wordlists.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QLoggingCategory>
#include <QTemporaryDir>
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <ctime>
#include <random>
#include <vector>

using namespace quibo;

namespace {

constexpr int positionCount = 10000;
constexpr int expertPositionCount = 2000;

// Messages go nowhere; only their count is kept so the work cannot be optimised away.
class CountingOutbox : public RulesOutbox {
public:
    void sendToSeat(int, const QByteArray& message) override { bytes += message.size(); }
    qint64 bytes = 0;
};

// Boards of every kind: empty, a lone letter, random letters, the start of a candidate word (often
// with gaps, so the board must be packed), and long boards.
Board makeBoard(std::mt19937& gen, Random& letters, const QStringList& candidates) {
    Board board{};
    const Hand none{};
    switch (gen() % 5) {
    case 0:
        break;
    case 1:
        board[gen() % boardCells] = getletter(letters, none, board);
        break;
    case 2: {
        const int n = int(gen() % 8);
        for (int i = 0; i < n; ++i)
            board[gen() % boardCells] = getletter(letters, none, board);
        break;
    }
    case 3: {
        const QString word = candidates[qsizetype(gen() % quint32(candidates.size()))];
        const int keep = 1 + int(gen() % quint32(word.size()));
        int cell = int(gen() % 3);
        for (int i = 0; i < keep && cell < boardCells; ++i, cell += 1 + int(gen() % 2))
            board[std::size_t(cell)] = word[i].toLatin1() - 'a' + 1;
        break;
    }
    default:
        for (int i = 0; i < 8 + int(gen() % 3); ++i)
            board[std::size_t(i)] = getletter(letters, none, board);
        break;
    }
    return board;
}

double threadMicros() {
    timespec now{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
    return double(now.tv_sec) * 1e6 + double(now.tv_nsec) / 1e3;
}

void printFigures(const char* title, std::vector<double>& micros) {
    std::sort(micros.begin(), micros.end());
    std::printf("%-12s median %.1f us, 99th percentile %.1f us, maximum %.1f us\n", title,
                micros[micros.size() / 2], micros[micros.size() * 99 / 100], micros.back());
}

void setPosition(GameRules& rules, std::mt19937& gen, Random& letters, const QStringList& candidates,
                 ComputerLevel level) {
    const int stealsallowed = gen() % 4 == 0 ? 0 : 5;
    const int stealsused = int(gen() % 6);
    const Board opponentBoard = makeBoard(gen, letters, candidates);
    const Board board = makeBoard(gen, letters, candidates);
    Hand hand{};
    for (int& code : hand)
        code = getletter(letters, hand, board);
    // A few words already scored this game.
    QStringList formed;
    for (int i = 0; i < int(gen() % 12); ++i)
        formed << candidates[qsizetype(gen() % quint32(candidates.size()))];
    rules.setUpPosition(
        {.gamerunning = true,
         .currentseat = 2,
         .targetscore = 1000000,
         .stealsallowed = stealsallowed,
         .level = level,
         .clockRunning = false,
         .seats = {{1, {.board = opponentBoard}},
                   {2, {.hand = hand, .board = board, .stealsused = stealsused, .words = formed}}}});
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

    // Built once, as the host builds it once; its building time is printed apart.
    QElapsedTimer building;
    building.start();
    const auto index = std::make_shared<const AnagramIndex>(dictionary);
    std::printf("expert word index: %lld words, built in %lld ms\n",
                static_cast<long long>(index->wordCount()), static_cast<long long>(building.elapsed()));
    const ExpertPlayer::Budget budget;
    std::printf("expert budget: %lld ms and %d sampled hands a move\n",
                static_cast<long long>(budget.time.count()), budget.samples);

    const struct {
        ComputerLevel level;
        const char* name;
        int positions;
    } levels[] = {{ComputerLevel::Easy, "Easy", positionCount},
                  {ComputerLevel::Normal, "Normal", positionCount},
                  {ComputerLevel::Strong, "Strong", positionCount},
                  {ComputerLevel::Expert, "Expert", expertPositionCount}};
    for (const auto& [level, name, positions] : levels) {
        SeatTable seats;
        seats[1].occupied = seats[2].occupied = 1;
        seats.playercount = 2;
        CountingOutbox outbox;
        Random random(12345);
        GameRules rules(seats, outbox, random, &dictionary, candidates);
        rules.shareWordIndex(index);
        rules.setExpertThinking(budget.time, budget.samples);
        // The same positions for every level.
        std::mt19937 gen(20261208);
        Random letters(777);

        std::vector<double> wall;
        std::vector<double> processor;
        wall.reserve(std::size_t(positions));
        processor.reserve(std::size_t(positions));
        for (int i = 0; i < positions; ++i) {
            setPosition(rules, gen, letters, candidates, level);
            const double cpuBegin = threadMicros();
            const auto begin = std::chrono::steady_clock::now();
            rules.computerplay(2);
            const auto end = std::chrono::steady_clock::now();
            processor.push_back(threadMicros() - cpuBegin);
            wall.push_back(std::chrono::duration<double, std::micro>(end - begin).count());
        }
        std::printf("%s: candidates: %lld, positions: %d (%lld message bytes)\n", name,
                    static_cast<long long>(candidates.size()), positions,
                    static_cast<long long>(outbox.bytes));
        printFigures("wall clock:", wall);
        printFigures("thread time:", processor);
    }
    return 0;
}
