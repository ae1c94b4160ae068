// SPDX-License-Identifier: MIT
// The expert computer's turn: what its seat may see goes to ExpertPlayer, and the move it chooses is
// carried out through the ordinary move handlers, the board rearranged first so that the move leaves
// its word standing from cell 1.
#include "computerplayer.h"
#include "gamerules.h"
#include "seattable.h"

#include <QElapsedTimer>
#include <algorithm>

namespace quibo {

namespace {

int codeOfUpper(char letter) {
    return letter >= 'A' && letter <= 'Z' ? letter - 'A' + 1 : 0;
}

int firstCellHolding(const Board& board, int code) {
    for (int cell = 1; cell <= boardCells; ++cell) {
        if (board[std::size_t(cell - 1)] == code) return cell;
    }
    return 0;
}

int lowestSlotWith(const Hand& hand, int code) {
    for (int slot = 1; slot <= handSlots; ++slot) {
        if (hand[std::size_t(slot - 1)] == code) return slot;
    }
    return 0;
}

// The board the word needs before the move: its letters from cell 1, the cell that takes the new
// letter holding the letter it replaces (or nothing). Answers that cell.
int wordBoard(const QByteArray& word, int newLetter, int replaced, Board& target) {
    target.fill(0);
    int cell = 0;
    for (int i = 0; i < int(word.size()) && i < boardCells; ++i) {
        target[std::size_t(i)] = codeOfUpper(word[i]);
        if (target[std::size_t(i)] == newLetter) cell = i + 1;
    }
    if (cell > 0) target[std::size_t(cell - 1)] = replaced;
    return cell;
}

} // namespace

ExpertView ComputerPlayer::expertView(int seat) const {
    const int opponent = m_rules.victimOf(seat);
    const tplayer& player = m_seats[seat];
    const tplayer& other = m_seats[opponent];
    ExpertView view;
    view.hand = player.hand;
    view.board = player.board;
    view.opponentBoard = other.board;
    view.words = m_rules.listbox(seat);
    view.opponentWords = m_rules.listbox(opponent);
    view.score = player.score;
    view.opponentScore = other.score;
    view.targetscore = m_rules.targetscore();
    view.stealsLeft = std::max<qint64>(0, m_rules.stealsLeft(seat));
    view.opponentStealsLeft = std::max<qint64>(0, m_rules.stealsLeft(opponent));
    return view;
}

bool ComputerPlayer::expertplay(int seat) {
    // Built at the first expert move of a host that was not given an index (about half a second),
    // and that time counts against the move's budget, so the host waits no longer than it allows.
    QElapsedTimer clock;
    clock.start();
    if (!m_index && m_spell) m_index = std::make_shared<const AnagramIndex>(*m_spell);
    if (!m_index || m_index->isEmpty()) return false;
    ExpertPlayer::Budget budget = m_budget;
    budget.time =
        std::max(std::chrono::milliseconds(0), budget.time - std::chrono::milliseconds(clock.elapsed()));
    // One draw of the host's generator seeds the sampling, so a seeded game replays.
    const quint32 seed = quint32(m_random.draw(0x7fffffff));
    const std::optional<ExpertMove> move =
        ExpertPlayer(*m_index, m_leaves).choose(expertView(seat), budget, seed);
    if (!move) return false;
    carryOut(seat, *move);
    return true;
}

void ComputerPlayer::carryOut(int seat, const ExpertMove& move) {
    const tplayer& player = m_seats[seat];
    Board target{};
    switch (move.kind) {
    case ExpertMove::Kind::Place: {
        const int slot = lowestSlotWith(player.hand, move.letter);
        int cell = 0;
        if (!move.word.isEmpty()) {
            cell = wordBoard(move.word, move.letter, move.replaced, target);
            arrangeAs(seat, target);
        } else {
            cell = firstCellHolding(player.board, move.replaced);
        }
        m_rules.placemyletter({seat, slot, cell});
        return;
    }
    case ExpertMove::Kind::DiscardHand:
        if (!move.word.isEmpty()) {
            wordBoard(move.word, 0, 0, target);
            arrangeAs(seat, target);
        }
        m_rules.discardextra({seat, lowestSlotWith(player.hand, move.letter)});
        return;
    case ExpertMove::Kind::DiscardBoard: {
        int cell = firstCellHolding(player.board, move.letter);
        if (!move.word.isEmpty() && move.word.size() < boardCells) {
            wordBoard(move.word, 0, 0, target);
            cell = int(move.word.size()) + 1;
            target[std::size_t(cell - 1)] = move.letter;
            arrangeAs(seat, target);
        }
        m_rules.discardletter({seat, cell});
        return;
    }
    case ExpertMove::Kind::Steal: {
        const int cell = wordBoard(move.word, move.letter, move.replaced, target);
        arrangeAs(seat, target);
        const int from = firstCellHolding(m_seats[m_rules.victimOf(seat)].board, move.letter);
        // The move was checked against the dictionary and the words formed; should the host still
        // refuse it, a hand letter goes so that the turn ends.
        if (!m_rules.stealinghisletter({seat, from, cell})) discardAny(seat);
        return;
    }
    }
}

// Rearranges the board into the target, cell by cell from the left, each letter fetched from the
// first later cell that holds it and is not already where the target wants it. The target holds
// the board's own letters; were it not to, the board is left as it is.
void ComputerPlayer::arrangeAs(int seat, const Board& target) {
    const Board& board = m_seats[seat].board;
    Board have = board;
    Board want = target;
    std::sort(have.begin(), have.end());
    std::sort(want.begin(), want.end());
    if (have != want) return;
    for (int i = 0; i < boardCells; ++i) {
        const int wanted = target[std::size_t(i)];
        if (board[std::size_t(i)] == wanted) continue;
        int from = 0;
        for (int k = i + 1; k < boardCells && !from; ++k) {
            if (board[std::size_t(k)] == wanted && board[std::size_t(k)] != target[std::size_t(k)])
                from = k + 1;
        }
        if (from) m_rules.tradingmyletter({seat, i + 1, from});
    }
}

} // namespace quibo
