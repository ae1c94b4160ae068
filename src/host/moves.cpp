// SPDX-License-Identifier: MIT
// The five moves a seat can make during its turn, and the word check that scores its board.
//
// Moves come from the seat's window or from the computer opponent through the same handlers. A move
// is accepted only from the seat to move; one whose seat, hand slot or board cell does not exist is
// dropped before anything is looked up.
#include "gamerules.h"
#include "tdictn.h"

namespace quibo {

namespace {

// Six letters double a word's worth, and every further letter adds one more time its worth.
int lengthBonus(int letters) {
    return letters <= 5 ? 1 : letters - 4;
}

int& handAt(tplayer& player, int slot) {
    return player.hand[std::size_t(slot - 1)];
}
int& cellAt(tplayer& player, int cell) {
    return player.board[std::size_t(cell - 1)];
}

} // namespace

bool GameRules::acceptsMove(const char* move, int seat) const {
    if (!isPlayingSeat(seat)) {
        qCWarning(lcGame) << "ignored" << move << "for seat" << seat;
        return false;
    }
    return seat == m_currentseat;
}

void GameRules::placemyletter(const msg::PlaceMyLetterRequest& move) {
    const auto [seat, slot, cell] = move;
    if (!isHandSlot(slot) || !isBoardCell(cell)) {
        qCWarning(lcGame) << "ignored place from slot" << slot << "to cell" << cell;
        return;
    }
    if (!acceptsMove("place", seat)) return;
    tplayer& player = m_seats[seat];
    if (handAt(player, slot) == 0) return;
    m_turntimer.stop();
    // Whatever the cell held is lost.
    cellAt(player, cell) = std::exchange(handAt(player, slot), 0);
    broadcast(m_outbox, m_seats, msg::PlaceMyLetter{seat, slot, cell, cellAt(player, cell)}.encode());
    checkword(seat);
    findplayer();
}

void GameRules::discardextra(const msg::DiscardExtra& move) {
    const auto [seat, slot] = move;
    if (!isHandSlot(slot)) {
        qCWarning(lcGame) << "ignored discard of hand slot" << slot;
        return;
    }
    if (!acceptsMove("hand discard", seat)) return;
    tplayer& player = m_seats[seat];
    if (handAt(player, slot) == 0) return;
    m_turntimer.stop();
    handAt(player, slot) = 0;
    // Hands are private: only the seat's own window hears of it.
    sendIfOccupied(m_outbox, m_seats, seat, msg::DiscardExtra{seat, slot}.encode());
    // The board is unchanged, but earlier rearrangements may have spelled a word nobody checked.
    checkword(seat);
    findplayer();
}

void GameRules::discardletter(const msg::DiscardLetter& move) {
    const auto [seat, cell] = move;
    if (!isBoardCell(cell)) {
        qCWarning(lcGame) << "ignored discard of board cell" << cell;
        return;
    }
    if (!acceptsMove("board discard", seat)) return;
    tplayer& player = m_seats[seat];
    if (cellAt(player, cell) == 0) return;
    m_turntimer.stop();
    cellAt(player, cell) = 0;
    broadcast(m_outbox, m_seats, msg::DiscardLetter{seat, cell}.encode());
    checkword(seat);
    findplayer();
}

void GameRules::tradingmyletter(const msg::TradingMyLetterRequest& move) {
    const auto [seat, cellA, cellB] = move;
    if (!isBoardCell(cellA) || !isBoardCell(cellB)) {
        qCWarning(lcGame) << "ignored swap of cells" << cellA << "and" << cellB;
        return;
    }
    if (!acceptsMove("swap", seat)) return;
    tplayer& player = m_seats[seat];
    // A rearrangement does not end the turn; the clock stops until the seat's next turn-ending
    // move, or until the turn's full time has passed once more.
    holdClockAfterRearrangement();
    std::swap(cellAt(player, cellA), cellAt(player, cellB));
    broadcast(
        m_outbox, m_seats,
        msg::TradingMyLetter{seat, cellA, cellAt(player, cellA), cellB, cellAt(player, cellB)}.encode());
}

bool GameRules::stealinghisletter(const msg::StealingHisLetter& move) {
    const auto [seat, hisCell, myCell] = move;
    if (!isBoardCell(hisCell) || !isBoardCell(myCell)) {
        qCWarning(lcGame) << "ignored steal from cell" << hisCell << "to cell" << myCell;
        return false;
    }
    if (!acceptsMove("steal", seat)) return false;
    tplayer& thief = m_seats[seat];
    if (thief.stealsused >= m_stealsallowed) {
        sendIfOccupied(m_outbox, m_seats, seat, msg::TooMany{seat}.encode());
        return false;
    }
    const int victimSeat = victimOf(seat);
    tplayer& victim = m_seats[victimSeat];
    // The stolen letter goes in on trial: the steal stands only if it makes a new word at once.
    const int ownLetter = cellAt(thief, myCell);
    cellAt(thief, myCell) = cellAt(victim, hisCell);
    if (!checkword(seat)) {
        sendIfOccupied(m_outbox, m_seats, seat, msg::NotValid{seat}.encode());
        cellAt(thief, myCell) = ownLetter;
        return false;
    }
    m_turntimer.stop();
    thief.stealsused += 1;
    if (m_stealsallowed == unlimitedSteals) thief.stealsused = 0;
    cellAt(victim, hisCell) = 0;
    broadcast(m_outbox, m_seats,
              msg::StoldLetter{seat, victimSeat, myCell, hisCell, cellAt(thief, myCell)}.encode());
    findplayer();
    return true;
}

int GameRules::wordPoints(QByteArrayView letters) {
    int points = 0;
    for (char letter : letters) {
        const char lower = char(letter | 0x20);
        points += letterworth(lower >= 'a' && lower <= 'z' ? lower - 'a' + 1 : 0);
    }
    return points * lengthBonus(int(letters.size()));
}

bool GameRules::checkword(int seat) {
    if (!isPlayingSeat(seat)) return false;
    tplayer& player = m_seats[seat];
    // Empty cells read as blanks, so the letters must stand in one unbroken run to be a word.
    if (!m_spell || !m_spell->IsWord(boardText(player.board))) return false;
    QByteArray word;
    for (int code : player.board) {
        if (code != 0) word += convertoletter(code);
    }
    QStringList& formed = m_listbox[std::size_t(seat)];
    if (formed.contains(QLatin1String(word), Qt::CaseInsensitive)) return false;
    formed << QString::fromLatin1(word);
    const int points = wordPoints(word);
    player.score += points;
    broadcast(m_outbox, m_seats, msg::FormedWord{seat, word, points, player.score}.encode());
    return true;
}

} // namespace quibo
