// SPDX-License-Identifier: MIT
// The five moves a seat can make during its turn, and the word check that scores its board.
//
// Moves come from the seat's window or from the computer opponent through the same handlers. A move
// is accepted only from the seat to move; one whose seat, hand slot or board cell does not exist is
// dropped before anything is looked up.
#include "commands.h"
#include "gamerules.h"
#include "protocol.h"
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
    return seat == currentseat;
}

void GameRules::placemyletter(const QByteArray& args) {
    FieldReader reader(args);
    const int seat = reader.number();
    const int slot = reader.number();
    const int cell = reader.number();
    placemyletter(seat, slot, cell);
}

void GameRules::discardextra(const QByteArray& args) {
    FieldReader reader(args);
    const int seat = reader.number();
    const int slot = reader.number();
    discardextra(seat, slot);
}

void GameRules::discardletter(const QByteArray& args) {
    FieldReader reader(args);
    const int seat = reader.number();
    const int cell = reader.number();
    discardletter(seat, cell);
}

void GameRules::tradingmyletter(const QByteArray& args) {
    FieldReader reader(args);
    const int seat = reader.number();
    const int cellA = reader.number();
    const int cellB = reader.number();
    tradingmyletter(seat, cellA, cellB);
}

void GameRules::stealinghisletter(const QByteArray& args) {
    FieldReader reader(args);
    const int seat = reader.number();
    const int hisCell = reader.number();
    const int myCell = reader.number();
    stealinghisletter(seat, hisCell, myCell);
}

void GameRules::placemyletter(int seat, int slot, int cell) {
    if (!isHandSlot(slot) || !isBoardCell(cell)) {
        qCWarning(lcGame) << "ignored place from slot" << slot << "to cell" << cell;
        return;
    }
    if (!acceptsMove("place", seat)) return;
    tplayer& player = m_seats[seat];
    if (handAt(player, slot) == 0) return;
    turntimer.stop();
    // Whatever the cell held is lost.
    cellAt(player, cell) = std::exchange(handAt(player, slot), 0);
    broadcast(
        m_outbox, m_seats,
        Message(cmd::placemyletter).field(seat).field(slot).field(cell).field(cellAt(player, cell)).bytes());
    checkword(seat);
    findplayer();
}

void GameRules::discardextra(int seat, int slot) {
    if (!isHandSlot(slot)) {
        qCWarning(lcGame) << "ignored discard of hand slot" << slot;
        return;
    }
    if (!acceptsMove("hand discard", seat)) return;
    tplayer& player = m_seats[seat];
    if (handAt(player, slot) == 0) return;
    turntimer.stop();
    handAt(player, slot) = 0;
    // Hands are private: only the seat's own window hears of it.
    sendIfOccupied(m_outbox, m_seats, seat, Message(cmd::discardextra).field(seat).field(slot).bytes());
    // The board is unchanged, but earlier rearrangements may have spelled a word nobody checked.
    checkword(seat);
    findplayer();
}

void GameRules::discardletter(int seat, int cell) {
    if (!isBoardCell(cell)) {
        qCWarning(lcGame) << "ignored discard of board cell" << cell;
        return;
    }
    if (!acceptsMove("board discard", seat)) return;
    tplayer& player = m_seats[seat];
    if (cellAt(player, cell) == 0) return;
    turntimer.stop();
    cellAt(player, cell) = 0;
    broadcast(m_outbox, m_seats, Message(cmd::discardletter).field(seat).field(cell).bytes());
    checkword(seat);
    findplayer();
}

void GameRules::tradingmyletter(int seat, int cellA, int cellB) {
    if (!isBoardCell(cellA) || !isBoardCell(cellB)) {
        qCWarning(lcGame) << "ignored swap of cells" << cellA << "and" << cellB;
        return;
    }
    if (!acceptsMove("swap", seat)) return;
    tplayer& player = m_seats[seat];
    // A rearrangement does not end the turn, and the clock stays stopped until the seat's next
    // turn-ending move.
    turntimer.stop();
    std::swap(cellAt(player, cellA), cellAt(player, cellB));
    broadcast(m_outbox, m_seats,
              Message(cmd::tradingmyletter)
                  .field(seat)
                  .field(cellA)
                  .field(cellAt(player, cellA))
                  .field(cellB)
                  .field(cellAt(player, cellB))
                  .bytes());
}

bool GameRules::stealinghisletter(int seat, int hisCell, int myCell) {
    if (!isBoardCell(hisCell) || !isBoardCell(myCell)) {
        qCWarning(lcGame) << "ignored steal from cell" << hisCell << "to cell" << myCell;
        return false;
    }
    if (!acceptsMove("steal", seat)) return false;
    tplayer& thief = m_seats[seat];
    if (thief.stealsused >= stealsallowed) {
        sendIfOccupied(m_outbox, m_seats, seat, Message(cmd::toomany).field(seat).bytes());
        return false;
    }
    const int victimSeat = victimOf(seat);
    tplayer& victim = m_seats[victimSeat];
    // The stolen letter goes in on trial: the steal stands only if it makes a new word at once.
    const int ownLetter = cellAt(thief, myCell);
    cellAt(thief, myCell) = cellAt(victim, hisCell);
    if (!checkword(seat)) {
        sendIfOccupied(m_outbox, m_seats, seat, Message(cmd::notvalid).field(seat).bytes());
        cellAt(thief, myCell) = ownLetter;
        return false;
    }
    turntimer.stop();
    thief.stealsused += 1;
    if (stealsallowed == unlimitedSteals) thief.stealsused = 0;
    cellAt(victim, hisCell) = 0;
    broadcast(m_outbox, m_seats,
              Message(cmd::stoldletter)
                  .field(seat)
                  .field(victimSeat)
                  .field(myCell)
                  .field(hisCell)
                  .field(cellAt(thief, myCell))
                  .bytes());
    findplayer();
    return true;
}

bool GameRules::checkword(int seat) {
    if (!isPlayingSeat(seat)) return false;
    tplayer& player = m_seats[seat];
    // Empty cells read as blanks, so the letters must stand in one unbroken run to be a word.
    if (!m_spell || !m_spell->IsWord(boardText(player.board))) return false;
    int points = 0;
    int letters = 0;
    QString word;
    for (int code : player.board) {
        if (code == 0) continue;
        points += letterworth(code);
        ++letters;
        word += QLatin1Char(convertoletter(code));
    }
    QStringList& formed = listbox[std::size_t(seat)];
    if (formed.contains(word, Qt::CaseInsensitive)) return false;
    formed << word;
    points *= lengthBonus(letters);
    player.score += points;
    broadcast(m_outbox, m_seats,
              Message(cmd::formedword).field(seat).field(word).field(points).field(player.score).bytes());
    return true;
}

} // namespace quibo
