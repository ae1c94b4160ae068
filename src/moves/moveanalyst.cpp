// SPDX-License-Identifier: MIT
#include "moveanalyst.h"

#include "messagefields.h"

#include <algorithm>

namespace quibo {

namespace {

// The expert weighs only the moves tied for the most points, with a fixed number of sampled hands
// so that the same position always gets the same answer. The time bound is a safety net no tie of a
// real game comes near; it keeps a pathological one from holding the analysis up.
constexpr ExpertPlayer::Budget tieBudget{std::chrono::milliseconds(250), 16};
constexpr quint32 tieSeed = 20261209;

template <std::size_t N>
void clearStrangeCodes(std::array<int, N>& letters) {
    for (int& code : letters) {
        if (code < 1 || code > 26) code = 0;
    }
}

QStringList boundedWords(const QStringList& words) {
    QStringList kept;
    for (const QString& word : words) {
        if (kept.size() >= MoveAnalyst::maxFormedWords) break;
        // Longer than a board, it cannot stand in the way of any move.
        if (!word.isEmpty() && word.size() <= boardCells) kept.append(word);
    }
    return kept;
}

int clampedScore(qint64 value) {
    return int(std::clamp<qint64>(value, 0, MoveAnalyst::largestScore));
}

} // namespace

MoveAnalyst::MoveAnalyst(const AnagramIndex& index)
    : m_index(index) {}

ExpertView MoveAnalyst::sanitized(const ExpertView& view) {
    ExpertView safe = view;
    clearStrangeCodes(safe.hand);
    clearStrangeCodes(safe.board);
    clearStrangeCodes(safe.opponentBoard);
    safe.words = boundedWords(view.words);
    safe.opponentWords = boundedWords(view.opponentWords);
    safe.score = clampedScore(view.score);
    safe.opponentScore = clampedScore(view.opponentScore);
    safe.targetscore = clampedScore(view.targetscore);
    safe.stealsLeft = std::clamp<qint64>(view.stealsLeft, 0, unlimitedSteals);
    safe.opponentStealsLeft = std::clamp<qint64>(view.opponentStealsLeft, 0, unlimitedSteals);
    return safe;
}

std::optional<ExpertMove> MoveAnalyst::bestMove(const ExpertView& view) const {
    const ExpertView safe = sanitized(view);
    const ExpertPlayer expert(m_index);
    const std::vector<ExpertMove> moves = expert.moves(safe);
    if (moves.empty()) return std::nullopt;
    const auto most =
        std::max_element(moves.begin(), moves.end(),
                         [](const ExpertMove& a, const ExpertMove& b) { return a.points < b.points; });
    const auto tied = std::count_if(moves.begin(), moves.end(),
                                    [&](const ExpertMove& move) { return move.points == most->points; });
    if (tied == 1) return *most;
    const std::optional<ExpertMove> chosen = expert.choose(safe, tieBudget, tieSeed, most->points);
    return chosen ? chosen : std::optional<ExpertMove>(*most);
}

int MoveAnalyst::lossOf(const std::optional<ExpertMove>& best, int playedPoints) {
    if (!best) return 0;
    return std::max(0, best->points - std::clamp(playedPoints, 0, largestScore));
}

} // namespace quibo
