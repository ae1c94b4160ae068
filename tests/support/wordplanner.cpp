// SPDX-License-Identifier: MIT
#include "wordplanner.h"

#include "messages.h"
#include "wordlists.h"

#include <QFile>
#include <algorithm>
#include <array>

namespace quibo::test {
namespace {

constexpr int letterCode(char letter) {
    return letter - 'a' + 1;
}

// Multiplier for the number of letters in a word (index = length).
constexpr std::array<int, 11> lengthBonus{1, 1, 1, 1, 1, 1, 2, 3, 4, 5, 6};

bool handHolds(const Hand& hand, std::array<int, 27> needed) {
    for (int code : hand) {
        if (code > 0 && code <= 26 && needed[code] > 0) --needed[code];
    }
    return std::all_of(needed.begin(), needed.end(), [](int n) { return n == 0; });
}

int slotHolding(const Hand& hand, int code) {
    for (int slot = 1; slot <= handSlots; ++slot) {
        if (hand[slot - 1] == code) return slot;
    }
    return 0;
}

} // namespace

QByteArray PlannedMove::encode(int seat) const {
    switch (kind) {
    case Kind::Place:
        return msg::PlaceMyLetterRequest{seat, slot, cell}.encode();
    case Kind::DiscardExtra:
        return msg::DiscardExtra{seat, slot}.encode();
    case Kind::DiscardLetter:
        return msg::DiscardLetter{seat, cell}.encode();
    case Kind::Steal:
        return msg::StealingHisLetter{seat, hisCell, cell}.encode();
    }
    return {};
}

Board PlannedMove::applied(const Position& position) const {
    Board board = position.board;
    if (kind == Kind::Place) board[cell - 1] = position.hand[slot - 1];
    if (kind == Kind::DiscardLetter) board[cell - 1] = 0;
    if (kind == Kind::Steal) board[cell - 1] = position.hisBoard[hisCell - 1];
    return board;
}

WordPlanner::WordPlanner(QSet<QByteArray> words, QList<QByteArray> targets)
    : m_words(std::move(words))
    , m_targets(std::move(targets)) {}

WordPlanner WordPlanner::fromWordFile(const QString& path) {
    QSet<QByteArray> words;
    QFile file(path);
    if (file.open(QIODevice::ReadOnly)) {
        const QList<QByteArray> lines = file.readAll().split('\n');
        for (const QByteArray& line : lines) {
            if (!line.trimmed().isEmpty()) words.insert(line.trimmed());
        }
    }
    QList<QByteArray> targets;
    for (const QString& word : loadCandidateWords())
        targets << word.toLatin1();
    return WordPlanner(std::move(words), std::move(targets));
}

QByteArray WordPlanner::wordOn(const Board& board) const {
    const QByteArray text = boardText(board).trimmed();
    if (text.size() < 2 || text.contains(' ') || !m_words.contains(text)) return {};
    return text;
}

int WordPlanner::points(const QByteArray& word) {
    int sum = 0;
    for (char letter : word)
        sum += letterworth(letterCode(letter));
    return sum * lengthBonus[std::min<qsizetype>(word.size(), 10)];
}

PlannedMove WordPlanner::choose(const Position& position) const {
    // A word now is worth more than the same points later: a step towards a target must promise
    // more than twice the points per missing letter that the best word available now pays.
    PlannedMove now;
    PlannedMove later;
    const int pointsNow = findCompletion(position, now);
    const int pointsPerStep = findStepTowardsTarget(position, later);
    if (pointsNow > 0 && pointsNow * 2 >= pointsPerStep) return now;
    if (pointsPerStep > 0) return later;
    return discard(position.hand, position.board);
}

std::optional<PlannedMove> WordPlanner::refusedSteal(const Position& position) const {
    for (int hisCell = 1; hisCell <= boardCells; ++hisCell) {
        if (position.hisBoard[hisCell - 1] == 0) continue;
        for (int cell = 1; cell <= boardCells; ++cell) {
            const PlannedMove steal{PlannedMove::Kind::Steal, 0, cell, hisCell};
            const QByteArray word = wordOn(steal.applied(position));
            if (word.isEmpty() || position.formed.contains(word)) return steal;
        }
    }
    return std::nullopt;
}

// The best-paying move that leaves a new word on the board at once: a placement (on an empty cell or
// over a letter), the removal of a board letter, or a steal while steals are left.
int WordPlanner::findCompletion(const Position& position, PlannedMove& move) const {
    int best = 0;
    auto consider = [&](const PlannedMove& candidate) {
        const QByteArray word = wordOn(candidate.applied(position));
        if (word.isEmpty() || position.formed.contains(word) || points(word) <= best) return;
        best = points(word);
        move = candidate;
    };
    for (int cell = 1; cell <= boardCells; ++cell) {
        for (int slot = 1; slot <= handSlots; ++slot) {
            if (position.hand[slot - 1] != 0) consider({PlannedMove::Kind::Place, slot, cell});
        }
        for (int hisCell = 1; hisCell <= boardCells && position.stealsLeft > 0; ++hisCell) {
            if (position.hisBoard[hisCell - 1] != 0) consider({PlannedMove::Kind::Steal, 0, cell, hisCell});
        }
        if (position.board[cell - 1] != 0) consider({PlannedMove::Kind::DiscardLetter, 0, cell});
    }
    return best;
}

// A target word that keeps every letter already on the board where it is and whose missing letters
// are all in the hand; the most points per missing letter win, so long words with their bonus are
// worth the wait. Places one of the missing letters.
int WordPlanner::findStepTowardsTarget(const Position& position, PlannedMove& move) const {
    const Hand& hand = position.hand;
    const Board& board = position.board;
    int best = 0;
    for (const QByteArray& word : m_targets) {
        const int length = int(word.size());
        if (length < 2 || length > boardCells || position.formed.contains(word)) continue;
        for (int offset = 0; offset + length <= boardCells; ++offset) {
            std::array<int, 27> needed{};
            int missing = 0;
            int firstGap = 0;
            bool fits = true;
            for (int cell = 1; cell <= boardCells && fits; ++cell) {
                const int i = cell - 1 - offset;
                const int have = board[cell - 1];
                if (i < 0 || i >= length) {
                    fits = have == 0;
                } else if (have == 0) {
                    ++needed[letterCode(word[i])];
                    ++missing;
                    if (firstGap == 0) firstGap = cell;
                } else {
                    fits = have == letterCode(word[i]);
                }
            }
            if (!fits || missing == 0 || points(word) / missing <= best || !handHolds(hand, needed)) continue;
            best = points(word) / missing;
            move = {PlannedMove::Kind::Place, slotHolding(hand, letterCode(word[firstGap - 1 - offset])),
                    firstGap};
        }
    }
    return best;
}

// Nothing to build: clear a board letter, or throw away a hard letter from a full hand.
PlannedMove WordPlanner::discard(const Hand& hand, const Board& board) {
    int hardest = 0;
    for (int slot = 1; slot <= handSlots; ++slot) {
        if (hand[slot - 1] != 0 &&
            (hardest == 0 || letterworth(hand[slot - 1]) > letterworth(hand[hardest - 1])))
            hardest = slot;
    }
    const bool handFull = std::none_of(hand.begin(), hand.end(), [](int code) { return code == 0; });
    const auto firstLetter = std::find_if(board.begin(), board.end(), [](int code) { return code != 0; });
    const bool boardEmpty = firstLetter == board.end();
    if (hardest == 0 && !boardEmpty)
        return {PlannedMove::Kind::DiscardLetter, 0, int(firstLetter - board.begin()) + 1};
    if (boardEmpty || (handFull && letterworth(hand[hardest - 1]) >= 5))
        return {PlannedMove::Kind::DiscardExtra, hardest, 0};
    return {PlannedMove::Kind::DiscardLetter, 0, int(firstLetter - board.begin()) + 1};
}

} // namespace quibo::test
