// SPDX-License-Identifier: MIT
// Analysis of kept games: 100 seeded games of 40 turns, played in process under the host's rules on
// the standard word list by the computer on both seats (Normal against Strong, changing seats every
// game). Before each turn the position is noted as the seat to move saw it, with the word and points
// its move then made, as a kept game's record gives them. Each game is then analysed as the window
// does it (analyseTurns on one thread): the turns of seat 1, the player whose window kept the record,
// and, as an upper bound, all 40 turns. Prints the median and the maximum time per game (the goal is
// a maximum under 1 s), the time to build the word index of each embedded list (once a process), and
// how many turns fell short of the best move and by how much.
//
// Usage: bench_analysis [games] [turns a game]

#include "gameanalysis.h"
#include "gamerules.h"
#include "tdictn.h"
#include "wordlists.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QLoggingCategory>
#include <QTemporaryDir>
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <vector>

using namespace quibo;

namespace {

constexpr int targetScore = 10000; // no game ends before its turns are played
constexpr int stealsAllowed = 5;

class NullOutbox : public RulesOutbox {
public:
    void sendToSeat(int, const QByteArray&) override {}
};

TurnPosition positionOf(const GameRules& rules, const SeatTable& seats, int seat) {
    const int opponent = 3 - seat;
    TurnPosition turn;
    turn.view.hand = seats[seat].hand;
    turn.view.board = seats[seat].board;
    turn.view.opponentBoard = seats[opponent].board;
    turn.view.words = rules.listbox(seat);
    turn.view.opponentWords = rules.listbox(opponent);
    turn.view.score = seats[seat].score;
    turn.view.opponentScore = seats[opponent].score;
    turn.view.targetscore = rules.targetscore();
    turn.view.stealsLeft = rules.stealsLeft(seat);
    turn.view.opponentStealsLeft = rules.stealsLeft(opponent);
    return turn;
}

// Plays one game; answers each turn's position, in order, with the seat that moved.
std::vector<std::pair<int, TurnPosition>> playGame(const TDictn& dictionary, const QStringList& candidates,
                                                   quint32 seed, int turns) {
    SeatTable seats;
    NullOutbox outbox;
    Random random(seed);
    GameRules rules(seats, outbox, random, &dictionary, candidates);
    rules.startgame(msg::StartGame{"bench", 30, targetScore, stealsAllowed});
    const bool strongFirst = seed % 2 == 0;
    std::vector<std::pair<int, TurnPosition>> kept;
    for (int turn = 0; turn < turns && rules.gamerunning(); ++turn) {
        const int seat = rules.currentseat();
        const bool strong = (seat == 2) == strongFirst;
        rules.setUpPosition({.level = strong ? ComputerLevel::Strong : ComputerLevel::Normal});
        TurnPosition position = positionOf(rules, seats, seat);
        const qsizetype wordsBefore = rules.listbox(seat).size();
        rules.computerplay(seat);
        position.playedPoints = seats[seat].score - position.view.score;
        if (rules.listbox(seat).size() > wordsBefore)
            position.playedWord = rules.listbox(seat).last().toUpper().toLatin1();
        kept.emplace_back(seat, std::move(position));
    }
    return kept;
}

double median(std::vector<double> values) {
    if (values.empty()) return 0;
    std::sort(values.begin(), values.end());
    const std::size_t middle = values.size() / 2;
    return values.size() % 2 ? values[middle] : (values[middle - 1] + values[middle]) / 2;
}

double threadSeconds() {
    timespec now{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
    return double(now.tv_sec) + double(now.tv_nsec) / 1e9;
}

// The build of an embedded list's index: wall-clock and processor milliseconds.
std::pair<double, double> timeToIndex(const char* resource, qsizetype& words) {
    QElapsedTimer clock;
    clock.start();
    const double processor = threadSeconds();
    words = GameAnalysis::sharedIndex(QString::fromLatin1(resource))->wordCount();
    return {double(clock.nsecsElapsed()) / 1e6, (threadSeconds() - processor) * 1000};
}

struct Figures {
    std::vector<double> milliseconds;
    long turns = 0;
    long short_ = 0;
    long lost = 0;
    long above = 0; // turns that scored more than the best move: none, if the analysis sees every move
};

void analyse(const QList<TurnPosition>& turns, const AnagramIndex& index, Figures& figures) {
    QElapsedTimer clock;
    clock.start();
    const QList<TurnVerdict> verdicts = analyseTurns(turns, index);
    figures.milliseconds.push_back(double(clock.nsecsElapsed()) / 1e6);
    for (const TurnVerdict& verdict : verdicts) {
        ++figures.turns;
        if (verdict.loss > 0) ++figures.short_, figures.lost += verdict.loss;
        if (verdict.turn.playedPoints > verdict.best.points) ++figures.above;
    }
}

void print(const char* what, const Figures& figures) {
    const double longest = *std::max_element(figures.milliseconds.begin(), figures.milliseconds.end());
    std::printf("%s: median %.1f ms, maximum %.1f ms a game; %ld turns, %ld short of the best by %.1f points "
                "on average, %ld above it\n",
                what, median(figures.milliseconds), longest, figures.turns, figures.short_,
                figures.short_ ? double(figures.lost) / figures.short_ : 0.0, figures.above);
}

} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    QLoggingCategory::setFilterRules(QStringLiteral("quibo.*=false"));
    const int games = argc > 1 ? std::max(1, std::atoi(argv[1])) : 100;
    const int turns = argc > 2 ? std::max(2, std::atoi(argv[2])) : 40;
    QTemporaryDir directory;
    TDictn dictionary(directory.path());
    const QStringList candidates = loadCandidateWords();
    if (!dictionary.isOpen() || candidates.size() < 20) {
        std::fprintf(stderr, "word lists missing\n");
        return 1;
    }
    qsizetype words = 0;
    for (const auto& [name, resource] :
         {std::pair{"standard", wordFileResource}, {"large", largeWordFileResource}}) {
        const auto [wall, processor] = timeToIndex(resource, words);
        std::printf("word index of the %s list: %.0f ms (%.0f ms of processor time), %lld words\n", name,
                    wall, processor, static_cast<long long>(words));
    }
    const auto index = GameAnalysis::sharedIndex(QString::fromLatin1(wordFileResource));

    Figures ownTurns;
    Figures allTurns;
    for (int game = 0; game < games; ++game) {
        const auto played = playGame(dictionary, candidates, quint32(700000 + game), turns);
        QList<TurnPosition> own;
        QList<TurnPosition> all;
        for (const auto& [seat, position] : played) {
            if (seat == 1) own.append(position);
            all.append(position);
        }
        analyse(own, *index, ownTurns);
        analyse(all, *index, allTurns);
    }
    std::printf("%d games of %d turns, analysed on one thread\n", games, turns);
    print("the player's turns", ownTurns);
    print("all turns", allTurns);
    return 0;
}
