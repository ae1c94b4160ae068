// SPDX-License-Identifier: MIT
#include "expertplayer.h"

#include "messagefields.h"

#include <QElapsedTimer>
#include <algorithm>
#include <numeric>

namespace quibo {

namespace {

// How much of the next turn's expected score counts now: it is not certain, the opponent moves
// first and may steal.
constexpr double futureWeight = 0.9;
// A steal used is one fewer for later, while steals are limited.
constexpr double stealCost = 2.0;
// An opponent reply that wins the game is worth this much more than its points.
constexpr double opponentWinPenalty = 500.0;

int lengthBonus(int letters) {
    return letters <= 5 ? 1 : letters - 4;
}

int pointsOf(const LetterCounts& counts, int size) {
    int sum = 0;
    for (int code = 1; code <= 26; ++code)
        sum += letterworth(code) * counts[std::size_t(code)];
    return sum * lengthBonus(size);
}

// One side's letters and the words it has formed, by their letters.
struct Side {
    LetterCounts board{};
    LetterCounts hand{};
    int boardSize = 0;
    int handSize = 0;
    std::vector<std::pair<quint64, int>> formed; // key, words of those letters formed
    bool canSteal = false;
    int score = 0;
};

void addFormed(Side& side, quint64 key) {
    for (auto& [known, count] : side.formed) {
        if (known == key) {
            ++count;
            return;
        }
    }
    side.formed.emplace_back(key, 1);
}

Side sideOf(const Board& board, const Hand& hand, const QStringList& words, bool canSteal, int score) {
    Side side;
    for (int code : board) {
        if (code >= 1 && code <= 26) ++side.board[std::size_t(code)], ++side.boardSize;
    }
    for (int code : hand) {
        if (code >= 1 && code <= 26) ++side.hand[std::size_t(code)], ++side.handSize;
    }
    for (const QString& word : words)
        addFormed(side, AnagramIndex::keyOf(countsOfWord(word.toUpper().toLatin1())));
    side.canSteal = canSteal;
    side.score = score;
    return side;
}

// What a move leaves: the board it forms, and the key of the new word it scores (0 for none).
struct Outcome {
    ExpertMove::Kind kind;
    int letter;
    int replaced;
    LetterCounts board;
    int boardSize;
    quint64 key;
    int points;
};

class MoveMaker {
public:
    explicit MoveMaker(const AnagramIndex& index)
        : m_index(index) {}

    // The key when these letters make a word the side has not formed yet; 0 otherwise.
    quint64 newWordKey(const Side& side, const LetterCounts& letters, int size) const {
        if (size < 2) return 0;
        const quint64 key = AnagramIndex::keyOf(letters);
        const int words = m_index.countOf(key);
        if (words == 0) return 0;
        for (const auto& [known, count] : side.formed) {
            if (known == key) return words > count ? key : 0;
        }
        return key;
    }

    // Calls f with every distinct turn-ending move of the side; steals (from the victim's board)
    // only when allowed and only those that make a new word, as the host accepts no other.
    template <class F>
    void forEachMove(const Side& side, const LetterCounts* victim, F&& f) const {
        for (int h = 1; h <= 26; ++h) {
            if (!side.hand[std::size_t(h)]) continue;
            if (side.boardSize < boardCells) added(side, ExpertMove::Kind::Place, h, false, f);
            replacing(side, ExpertMove::Kind::Place, h, false, f);
            report(side, ExpertMove::Kind::DiscardHand, h, 0, side.board, side.boardSize, false, f);
        }
        for (int b = 1; b <= 26; ++b) {
            if (!side.board[std::size_t(b)]) continue;
            LetterCounts letters = side.board;
            --letters[std::size_t(b)];
            report(side, ExpertMove::Kind::DiscardBoard, b, 0, letters, side.boardSize - 1, false, f);
        }
        if (!victim || !side.canSteal) return;
        for (int o = 1; o <= 26; ++o) {
            if (!(*victim)[std::size_t(o)]) continue;
            if (side.boardSize < boardCells) added(side, ExpertMove::Kind::Steal, o, true, f);
            replacing(side, ExpertMove::Kind::Steal, o, true, f);
        }
    }

    // The most the side can score with one move (steals from the victim's board included when given).
    int bestPoints(const Side& side, const LetterCounts* victim) const {
        int best = 0;
        forEachMove(side, victim, [&best](const Outcome& outcome) { best = std::max(best, outcome.points); });
        return best;
    }

    // The most the side scores by putting the letter on its board (a placement or a steal).
    int bestWithLetter(const Side& side, int letter) const {
        int best = 0;
        const auto keep = [&best](const Outcome& outcome) { best = std::max(best, outcome.points); };
        if (side.boardSize < boardCells) added(side, ExpertMove::Kind::Place, letter, true, keep);
        replacing(side, ExpertMove::Kind::Place, letter, true, keep);
        return best;
    }

private:
    template <class F>
    void added(const Side& side, ExpertMove::Kind kind, int letter, bool wordsOnly, F& f) const {
        LetterCounts letters = side.board;
        ++letters[std::size_t(letter)];
        report(side, kind, letter, 0, letters, side.boardSize + 1, wordsOnly, f);
    }

    template <class F>
    void replacing(const Side& side, ExpertMove::Kind kind, int letter, bool wordsOnly, F& f) const {
        for (int b = 1; b <= 26; ++b) {
            // Over its own kind of letter a placement changes nothing a hand discard would not.
            if (!side.board[std::size_t(b)] || b == letter) continue;
            LetterCounts letters = side.board;
            --letters[std::size_t(b)];
            ++letters[std::size_t(letter)];
            report(side, kind, letter, b, letters, side.boardSize, wordsOnly, f);
        }
    }

    template <class F>
    void report(const Side& side, ExpertMove::Kind kind, int letter, int replaced,
                const LetterCounts& letters, int size, bool wordsOnly, F& f) const {
        const quint64 key = newWordKey(side, letters, size);
        if (wordsOnly && key == 0) return;
        f(Outcome{kind, letter, replaced, letters, size, key, key ? pointsOf(letters, size) : 0});
    }

    const AnagramIndex& m_index;
};

// The chance of each letter (1..26) being drawn for a holder of these letters, by the drawing rule:
// vowels a, e, i, o twice as likely, j, q, x, z half of the time redrawn uniformly, and a letter
// already held k times kept only with chance 1 / (k + 2), else redrawn uniformly. The host counts
// the hand and the first four board cells; where the board's order is open, its letters count in
// proportion.
std::array<double, 27> drawChances(const LetterCounts& hand, const LetterCounts& board, int boardSize) {
    std::array<double, 27> first{};
    double spread = 0;
    for (int code = 1; code <= 26; ++code) {
        const bool vowel = code == 1 || code == 5 || code == 9 || code == 15;
        const bool rare = code == 10 || code == 17 || code == 24 || code == 26;
        const double chance = (vowel ? 2.0 : 1.0) / 30.0;
        first[std::size_t(code)] = rare ? chance / 2 : chance;
        if (rare) spread += chance / 2;
    }
    const double boardShare = boardSize > 4 ? 4.0 / boardSize : 1.0;
    std::array<double, 27> chances{};
    double redrawn = 0;
    for (int code = 1; code <= 26; ++code) {
        const double drawn = first[std::size_t(code)] + spread / 26;
        const double held = hand[std::size_t(code)] + boardShare * board[std::size_t(code)];
        const double kept = held > 0 ? 1.0 / (held + 2) : 1.0;
        chances[std::size_t(code)] = drawn * kept;
        redrawn += drawn * (1 - kept);
    }
    for (int code = 1; code <= 26; ++code)
        chances[std::size_t(code)] += redrawn / 26;
    return chances;
}

double leaveOf(const LeaveTable& leaves, const LetterCounts& hand) {
    double value = 0;
    for (int code = 1; code <= 26; ++code) {
        const int held = hand[std::size_t(code)];
        if (held) value += leaves.values[std::size_t(code)] + (held - 1) * leaves.repeated;
    }
    return value;
}

// A candidate and what is known of it so far.
struct Candidate {
    Outcome outcome;
    Side after;          // the seat after the move
    LetterCounts victim; // the opponent's board after the move
    int victimSize = 0;
    double statics = 0;
    double future = 0;
    int stealReply = 0; // the opponent's best steal from the board this move leaves
    double replies = 0; // summed over sampled hands
    bool evaluated = false;
};

// The move of an outcome, with the first word of its letters the seat has not formed yet.
ExpertMove moveOfOutcome(const AnagramIndex& index, const Outcome& outcome, const ExpertView& view) {
    ExpertMove move{outcome.kind, outcome.letter, outcome.replaced, {}, outcome.points};
    if (outcome.key) {
        for (const QByteArray& word : index.wordsOf(outcome.key)) {
            if (!view.words.contains(QLatin1String(word), Qt::CaseInsensitive)) {
                move.word = word;
                break;
            }
        }
    }
    return move;
}

} // namespace

ExpertPlayer::ExpertPlayer(const AnagramIndex& index, const LeaveTable& leaves)
    : m_index(index)
    , m_leaves(leaves) {}

std::optional<ExpertMove> ExpertPlayer::choose(const ExpertView& view, const Budget& budget, quint32 seed,
                                               int leastPoints) const {
    QElapsedTimer clock;
    clock.start();
    const MoveMaker maker(m_index);
    const Side me = sideOf(view.board, view.hand, view.words, view.stealsLeft > 0, view.score);
    const Side opponentStart =
        sideOf(view.opponentBoard, {}, view.opponentWords, view.opponentStealsLeft > 0, view.opponentScore);
    const LetterCounts opponentBoard = opponentStart.board;

    std::vector<Candidate> candidates;
    maker.forEachMove(me, &opponentBoard, [&](const Outcome& outcome) {
        if (outcome.points < leastPoints) return;
        Candidate candidate{outcome, me, opponentBoard, opponentStart.boardSize};
        Side& after = candidate.after;
        after.board = outcome.board;
        after.boardSize = outcome.boardSize;
        if (outcome.kind == ExpertMove::Kind::Place || outcome.kind == ExpertMove::Kind::DiscardHand) {
            --after.hand[std::size_t(outcome.letter)];
            --after.handSize;
        }
        if (outcome.kind == ExpertMove::Kind::Steal) {
            --candidate.victim[std::size_t(outcome.letter)];
            --candidate.victimSize;
        }
        if (outcome.key) addFormed(after, outcome.key);
        after.score += outcome.points;
        candidates.push_back(std::move(candidate));
    });
    if (candidates.empty()) return std::nullopt;

    const auto moveOf = [&](const Candidate& candidate) {
        return moveOfOutcome(m_index, candidate.outcome, view);
    };

    // A word that wins ends the game now: take the biggest.
    const Candidate* winner = nullptr;
    for (const Candidate& candidate : candidates) {
        const int total = candidate.after.score;
        const bool wins =
            candidate.outcome.points > 0 && total >= view.targetscore && total != view.opponentScore;
        if (wins && (!winner || candidate.outcome.points > winner->outcome.points)) winner = &candidate;
    }
    if (winner) return moveOf(*winner);

    const bool stealsLimited = view.stealsLeft < unlimitedSteals;
    for (Candidate& candidate : candidates) {
        candidate.statics = candidate.outcome.points + leaveOf(m_leaves, candidate.after.hand);
        if (candidate.outcome.kind == ExpertMove::Kind::Steal && stealsLimited)
            candidate.statics -= stealCost;
    }
    std::vector<std::size_t> order(candidates.size());
    std::iota(order.begin(), order.end(), std::size_t(0));
    std::stable_sort(order.begin(), order.end(), [&](std::size_t a, std::size_t b) {
        return candidates[a].statics > candidates[b].statics;
    });

    const qint64 limit = budget.time.count();
    // The next turn of this seat, over every letter it may draw, and the opponent's steals from
    // the board the move leaves; the most promising candidates first, as time allows.
    for (std::size_t rank = 0; rank < order.size(); ++rank) {
        if (rank > 0 && clock.elapsed() >= limit) break;
        Candidate& candidate = candidates[order[rank]];
        const Side& after = candidate.after;
        const int now = maker.bestPoints(after, nullptr);
        if (after.handSize >= handSlots) {
            candidate.future = now;
        } else {
            const std::array<double, 27> chances = drawChances(after.hand, after.board, after.boardSize);
            for (int letter = 1; letter <= 26; ++letter)
                candidate.future +=
                    chances[std::size_t(letter)] * std::max(now, maker.bestWithLetter(after, letter));
        }
        if (opponentStart.canSteal) {
            Side thief = opponentStart;
            thief.board = candidate.victim;
            thief.boardSize = candidate.victimSize;
            int best = 0;
            maker.forEachMove(thief, &after.board, [&best](const Outcome& outcome) {
                if (outcome.kind == ExpertMove::Kind::Steal) best = std::max(best, outcome.points);
            });
            candidate.stealReply = best;
        }
        candidate.evaluated = true;
    }

    // The opponent's reply with hands drawn by the drawing rule: its best move on its own board,
    // or its best steal from this seat's, whichever scores more.
    Random draws(seed);
    int samples = 0;
    std::vector<std::pair<quint64, int>> bestOnBoard; // per opponent board this sample
    while (samples < budget.samples && clock.elapsed() < limit) {
        Hand hand{};
        for (int& code : hand)
            code = getletter(draws, hand, view.opponentBoard);
        Side opponent = opponentStart;
        for (int code : hand)
            ++opponent.hand[std::size_t(code)], ++opponent.handSize;
        bestOnBoard.clear();
        for (Candidate& candidate : candidates) {
            if (!candidate.evaluated) continue;
            const quint64 boardKey = AnagramIndex::keyOf(candidate.victim);
            int own = -1;
            for (const auto& [key, points] : bestOnBoard) {
                if (key == boardKey) own = points;
            }
            if (own < 0) {
                opponent.board = candidate.victim;
                opponent.boardSize = candidate.victimSize;
                own = maker.bestPoints(opponent, nullptr);
                bestOnBoard.emplace_back(boardKey, own);
            }
            double reply = std::max(own, candidate.stealReply);
            const int total = view.opponentScore + int(reply);
            if (reply > 0 && total >= view.targetscore && total != candidate.after.score)
                reply += opponentWinPenalty;
            candidate.replies += reply;
        }
        ++samples;
    }

    const Candidate* best = nullptr;
    double bestValue = 0;
    for (std::size_t index : order) {
        const Candidate& candidate = candidates[index];
        if (!candidate.evaluated) continue;
        const double reply = samples > 0 ? candidate.replies / samples : candidate.stealReply;
        const double value = candidate.statics + futureWeight * candidate.future - reply;
        if (!best || value > bestValue) {
            best = &candidate;
            bestValue = value;
        }
    }
    return moveOf(*best);
}

std::vector<ExpertMove> ExpertPlayer::moves(const ExpertView& view) const {
    const MoveMaker maker(m_index);
    const Side me = sideOf(view.board, view.hand, view.words, view.stealsLeft > 0, view.score);
    const LetterCounts opponentBoard =
        sideOf(view.opponentBoard, {}, view.opponentWords, false, view.opponentScore).board;
    std::vector<ExpertMove> found;
    maker.forEachMove(me, &opponentBoard, [&](const Outcome& outcome) {
        found.push_back(moveOfOutcome(m_index, outcome, view));
    });
    return found;
}

} // namespace quibo
