// SPDX-License-Identifier: MIT
// Game start, the turn flow and its clock, the win, and bringing late arrivals up to date. The five
// moves and the word check are in moves.cpp, the computer's turns in computerplayer.cpp.
#include "gamerules.h"

#include "commands.h"
#include "computerplayer.h"
#include "protocol.h"
#include "tdictn.h"

#include <algorithm>
#include <limits>

namespace quibo {

Q_LOGGING_CATEGORY(lcGame, "quibo.game")

namespace {

constexpr int dealtLetters = 5;

} // namespace

GameRules::GameRules(SeatTable& seats, RulesOutbox& outbox, Random& random, const TDictn* spell,
                     QStringList listboxWords, QObject* parent)
    : QObject(parent)
    , m_seats(seats)
    , m_outbox(outbox)
    , m_random(random)
    , m_spell(spell)
    , m_listboxWords(std::move(listboxWords)) {
    m_computer = std::make_unique<ComputerPlayer>(*this, m_seats, m_random, m_spell, m_listboxWords);
    turntimer.setInterval(1000);
    connect(&turntimer, &QTimer::timeout, this, &GameRules::turntimerTimer);
}

GameRules::~GameRules() = default;

int GameRules::victimOf(int seat) const {
    if (seat == 2) return handover ? 3 : 1;
    return 2;
}

qint64 GameRules::stealsLeft(int seat) const {
    // Computed wide: the allowance comes from a start command and may be any 32-bit value.
    return qint64(stealsallowed) - qint64(m_seats[seat].stealsused);
}

void GameRules::startgame(const QByteArray& args) {
    // Every field is read before anything changes, so a malformed start leaves the table as it was.
    FieldReader reader(args);
    const QByteArray starter = reader.text();
    const int newTurntime = reader.number();
    const int newTargetscore = reader.number();
    const int newStealsallowed = reader.number();

    gamerunning = true;
    turntimer.stop();
    turntime = newTurntime;
    targetscore = newTargetscore;
    stealsallowed = newStealsallowed;
    qCInfo(lcGame) << "game started by" << starter << "turn" << turntime << "target" << targetscore
                   << "steals" << stealsallowed;
    broadcast(m_outbox, m_seats,
              Message(cmd::startgame)
                  .field(starter)
                  .field(turntime)
                  .field(targetscore)
                  .field(stealsallowed)
                  .bytes());

    for (int seat = 1; seat <= 3; ++seat) {
        tplayer& player = m_seats[seat];
        player.score = 0;
        player.stealsused = 0;
        player.board.fill(0);
        player.hand.fill(0);
        player.watching = 0;
        listbox[std::size_t(seat)].clear();
    }
    dealHand(1);
    dealHand(2);
    if (handover) dealHand(3);

    // A draw from one seat: the first turn still goes to seat 2, but the generator moves on.
    currentseat = m_random.draw(1) + 1;
    findplayer();
}

void GameRules::dealHand(int seat) {
    tplayer& player = m_seats[seat];
    for (int slot = 0; slot < dealtLetters; ++slot)
        player.hand[std::size_t(slot)] = getletter(m_random, player.hand, player.board);
    sendHand(seat);
}

// "CMD_letters": the seat, then a slot and code pair for every letter in its hand; no "+" after the
// last value.
void GameRules::sendHand(int seat) {
    QList<int> values{seat};
    const Hand& hand = m_seats[seat].hand;
    for (int slot = 1; slot <= handSlots; ++slot) {
        if (hand[std::size_t(slot - 1)] != 0) values << slot << hand[std::size_t(slot - 1)];
    }
    Message message(cmd::letters);
    for (qsizetype i = 0; i + 1 < values.size(); ++i)
        message.field(values[i]);
    message.rest(values.last());
    sendIfOccupied(m_outbox, m_seats, seat, message.bytes());
}

void GameRules::findplayer() {
    if (checkforwin()) return;
    turntimer.stop();
    advanceSeat();
    giveNewLetter();
    broadcast(m_outbox, m_seats,
              Message(cmd::nextplayer)
                  .field(currentseat)
                  .field(QByteArray::number(stealsLeft(currentseat)))
                  .bytes());
    armTurnClock();
}

// Seats 1 and 2 take turns; while seat 3 holds seat 1's turns, seats 2 and 3 do.
void GameRules::advanceSeat() {
    const int next = currentseat + 1;
    if (handover)
        currentseat = next < 2 || next > 3 ? 2 : next;
    else
        currentseat = next < 1 || next > 2 ? 1 : next;
}

void GameRules::giveNewLetter() {
    tplayer& player = m_seats[currentseat];
    for (int slot = 1; slot <= handSlots; ++slot) {
        int& code = player.hand[std::size_t(slot - 1)];
        if (code != 0) continue;
        code = getletter(m_random, player.hand, player.board);
        sendIfOccupied(m_outbox, m_seats, currentseat,
                       Message(cmd::newletter).field(currentseat).field(slot).field(code).bytes());
        return;
    }
}

// The computer moves for an empty seat 2 and for any seat whose owner only watches, two ticks after
// the turn opens; a human gets the turn time plus two ticks.
void GameRules::armTurnClock() {
    const tplayer& player = m_seats[currentseat];
    if ((currentseat == 2 && !player.occupied) || player.watching) {
        turnticks = 2;
        turntimerTag = computerTurn;
    } else {
        turnticks =
            turntime > std::numeric_limits<int>::max() - 2 ? std::numeric_limits<int>::max() : turntime + 2;
        turntimerTag = humanTurn;
    }
    turntimer.start();
}

bool GameRules::checkforwin() {
    if (!isPlayingSeat(currentseat) || m_seats[currentseat].score < targetscore) return false;
    // Equal scores never win, also while seat 3 plays in seat 1's place.
    if (m_seats[1].score == m_seats[2].score) return false;
    turntimer.stop();
    gamerunning = false;
    qCInfo(lcGame) << "seat" << currentseat << "wins with" << m_seats[currentseat].score;
    broadcast(m_outbox, m_seats, Message(cmd::winner).field(currentseat).bytes());
    return true;
}

void GameRules::turntimerTimer() {
    if (!gamerunning) return;
    if (--turnticks >= 1) return;
    turntimer.stop();
    if (!isPlayingSeat(currentseat)) {
        qCWarning(lcGame) << "turn clock ran out with no seat to move";
        return;
    }
    if (turntimerTag == computerTurn) {
        computerplay(currentseat);
        return;
    }
    // Time is up: a random hand slot is thrown away, held or not, and the board is not checked.
    broadcast(m_outbox, m_seats, Message(cmd::timeup).bytes());
    const int slot = m_random.draw(handSlots) + 1;
    m_seats[currentseat].hand[std::size_t(slot - 1)] = 0;
    sendIfOccupied(m_outbox, m_seats, currentseat,
                   Message(cmd::discardextra).field(currentseat).field(slot).bytes());
    findplayer();
}

void GameRules::computerplay(int seat) {
    // Every move goes through the handlers, which take moves from the seat to move only.
    if (!isPlayingSeat(seat) || seat != currentseat) {
        qCWarning(lcGame) << "no computer move for seat" << seat;
        return;
    }
    m_computer->computerplay(seat);
}

void GameRules::sendCatchUp(int seat) {
    if (!gamerunning || !m_seats.isOccupied(seat)) return;
    if (seat == 1 || seat == 2) {
        if (handover)
            m_outbox.sendToSeat(seat, Message(cmd::giving3).field(1).field(m_seats[3].name).bytes());
        sendHand(seat);
    }
    for (int boardSeat = 1; boardSeat <= 2; ++boardSeat) {
        const Board& board = m_seats[boardSeat].board;
        for (int cell = 1; cell <= boardCells; ++cell) {
            const int code = board[std::size_t(cell - 1)];
            if (code != 0)
                m_outbox.sendToSeat(
                    seat,
                    Message(cmd::placemyletter).field(boardSeat).field(0).field(cell).field(code).bytes());
        }
    }
    m_outbox.sendToSeat(seat, Message(cmd::gamestats)
                                  .field(turntime)
                                  .field(targetscore)
                                  .field(stealsallowed)
                                  .field(m_seats[1].score)
                                  .field(m_seats[2].score)
                                  .bytes());
}

void GameRules::watchStarted(int seat) {
    if (!gamerunning || seat != currentseat) return;
    // The computer takes over at the next tick.
    turntimer.stop();
    turntimerTag = computerTurn;
    turnticks = 1;
    turntimer.start();
}

void GameRules::seatLeft(int seat) {
    if (!gamerunning || seat != currentseat) return;
    if (seat != 1) {
        findplayer();
        return;
    }
    // Seat 1's turn runs on to its time-out. A rearrangement stopped the clock until the seat's
    // next move, which will never come now: the clock runs again with the time that was left.
    if (!turntimer.isActive()) {
        turntimerTag = humanTurn;
        turnticks = std::max(turnticks, 1);
        turntimer.start();
    }
}

void GameRules::handoverEnded() {
    handover = false;
    gamerunning = false;
    currentseat = 0;
    turntimer.stop();
}

} // namespace quibo
