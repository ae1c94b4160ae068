// SPDX-License-Identifier: MIT
// Game start, the turn flow and its clock, the win, and bringing late arrivals up to date. The five
// moves and the word check are in moves.cpp, the computer's turns in computerplayer.cpp.
#include "gamerules.h"

#include "computerplayer.h"
#include "peertext.h"
#include "tdictn.h"

#include <algorithm>
#include <limits>

namespace quibo {

Q_LOGGING_CATEGORY(lcGame, "quibo.game")

namespace {

constexpr int dealtLetters = 5;
// The easy computer takes its time: it moves three to five ticks after its turn opens.
constexpr int easyFirstTick = 3;
constexpr int easyTickSpread = 3;

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
    m_turntimer.setInterval(1000);
    connect(&m_turntimer, &QTimer::timeout, this, &GameRules::turntimerTimer);
}

GameRules::~GameRules() = default;

void GameRules::shareWordIndex(std::shared_ptr<const AnagramIndex> index) {
    m_computer->shareWordIndex(std::move(index));
}

void GameRules::setExpertThinking(std::chrono::milliseconds time, int samples) {
    m_computer->setExpertBudget({time, samples});
}

void GameRules::setExpertLeaves(const LeaveTable& leaves) {
    m_computer->setExpertLeaves(leaves);
}

int GameRules::victimOf(int seat) const {
    if (seat == 2) return m_handover ? 3 : 1;
    return 2;
}

qint64 GameRules::stealsLeft(int seat) const {
    // Computed wide: the allowance comes from a start command and may be any 32-bit value.
    return qint64(m_stealsallowed) - qint64(m_seats[seat].stealsused);
}

void GameRules::startgame(const msg::StartGame& start) {
    m_gamerunning = true;
    m_turntimer.stop();
    m_turntime = start.turntime;
    m_targetscore = start.targetscore;
    m_stealsallowed = start.stealsallowed;
    m_level = start.level.value_or(m_defaultLevel);
    qCInfo(lcGame).noquote() << QStringLiteral(
                                    "game started by %1: %2 s a turn, play to %3, steals %4, computer %5")
                                    .arg(escapedForLog(m_seats[1].name))
                                    .arg(m_turntime)
                                    .arg(m_targetscore)
                                    .arg(m_stealsallowed == unlimitedSteals
                                             ? QStringLiteral("unlimited")
                                             : QString::number(m_stealsallowed))
                                    .arg(levelText(m_level));
    // Everyone hears the level played; a normal game keeps the message every window knows.
    msg::StartGame announced = start;
    announced.level = m_level == ComputerLevel::Normal ? std::nullopt : std::optional(m_level);
    broadcast(m_outbox, m_seats, announced.encode());

    for (int seat = 1; seat <= 3; ++seat) {
        tplayer& player = m_seats[seat];
        player.score = 0;
        player.stealsused = 0;
        player.board.fill(0);
        player.hand.fill(0);
        player.watching = 0;
        m_listbox[std::size_t(seat)].clear();
    }
    dealHand(1);
    dealHand(2);
    if (m_handover) dealHand(3);

    // A draw from one seat: the first turn still goes to seat 2, but the generator moves on.
    m_currentseat = m_random.draw(1) + 1;
    findplayer();
}

void GameRules::dealHand(int seat) {
    tplayer& player = m_seats[seat];
    for (int slot = 0; slot < dealtLetters; ++slot)
        player.hand[std::size_t(slot)] = getletter(m_random, player.hand, player.board);
    sendHand(seat);
}

// The seat's whole hand, to its own window alone.
void GameRules::sendHand(int seat) {
    msg::Letters letters{seat, {}};
    const Hand& hand = m_seats[seat].hand;
    for (int slot = 1; slot <= handSlots; ++slot) {
        if (const int code = hand[std::size_t(slot - 1)]) letters.hand.push_back({slot, code});
    }
    sendIfOccupied(m_outbox, m_seats, seat, letters.encode());
}

void GameRules::findplayer() {
    if (checkforwin()) return;
    m_turntimer.stop();
    advanceSeat();
    giveNewLetter();
    // In play the allowance and the steals used always leave a 32-bit difference.
    const qint64 left = std::clamp<qint64>(stealsLeft(m_currentseat), std::numeric_limits<int>::min(),
                                           std::numeric_limits<int>::max());
    broadcast(m_outbox, m_seats, msg::NextPlayer{m_currentseat, int(left)}.encode());
    armTurnClock();
}

// Seats 1 and 2 take turns; while seat 3 holds seat 1's turns, seats 2 and 3 do.
void GameRules::advanceSeat() {
    const int next = m_currentseat + 1;
    if (m_handover)
        m_currentseat = next < 2 || next > 3 ? 2 : next;
    else
        m_currentseat = next < 1 || next > 2 ? 1 : next;
}

void GameRules::giveNewLetter() {
    tplayer& player = m_seats[m_currentseat];
    for (int slot = 1; slot <= handSlots; ++slot) {
        int& code = player.hand[std::size_t(slot - 1)];
        if (code != 0) continue;
        code = getletter(m_random, player.hand, player.board);
        sendIfOccupied(m_outbox, m_seats, m_currentseat, msg::NewLetter{m_currentseat, slot, code}.encode());
        return;
    }
}

// The computer moves for an empty seat 2 and for any seat whose owner only watches, two ticks after
// the turn opens; a human gets the turn time plus two ticks.
void GameRules::armTurnClock() {
    const tplayer& player = m_seats[m_currentseat];
    if ((m_currentseat == 2 && !player.occupied) || player.watching) {
        m_turnticks = m_level == ComputerLevel::Easy ? easyFirstTick + m_random.draw(easyTickSpread) : 2;
        m_turntimerTag = computerTurn;
    } else {
        m_turnticks = m_turntime > std::numeric_limits<int>::max() - 2 ? std::numeric_limits<int>::max()
                                                                       : m_turntime + 2;
        m_turntimerTag = humanTurn;
    }
    m_turnElapsed = 0;
    m_clockStopped = false;
    m_turntimer.start();
}

// A rearrangement stops the clock the players see, and the turn stays open. It still ends: the timer
// starts again from now with the turn's full time, so a seat that keeps rearranging, or goes quiet
// after a rearrangement, holds the game for one turn time after its last rearrangement at most, and
// then times out like any turn. A computer's rearrangements are followed by its closing move at once,
// which opens the next turn; should that move be refused, the turn times out the same way.
void GameRules::holdClockAfterRearrangement() {
    m_turntimer.stop();
    m_turnticks = m_turntime > std::numeric_limits<int>::max() - 2 ? std::numeric_limits<int>::max()
                                                                   : std::max(m_turntime, 0) + 2;
    m_turntimerTag = humanTurn;
    m_clockStopped = true;
    m_turntimer.start();
}

bool GameRules::checkforwin() {
    if (!isPlayingSeat(m_currentseat) || m_seats[m_currentseat].score < m_targetscore) return false;
    // Equal scores never win, also while seat 3 plays in seat 1's place.
    if (m_seats[1].score == m_seats[2].score) return false;
    m_turntimer.stop();
    m_gamerunning = false;
    qCInfo(lcGame).noquote() << QStringLiteral("seat %1 (%2) wins with %3 points to %4")
                                    .arg(m_currentseat)
                                    .arg(escapedForLog(m_seats[m_currentseat].name))
                                    .arg(m_seats[m_currentseat].score)
                                    .arg(m_seats[m_currentseat == 2 ? 1 : 2].score);
    broadcast(m_outbox, m_seats, msg::Winner{m_currentseat}.encode());
    return true;
}

void GameRules::turntimerTimer() {
    if (!m_gamerunning) return;
    // The time the windows count down stands still while the clock is stopped.
    if (!m_clockStopped && m_turnElapsed < std::numeric_limits<int>::max()) ++m_turnElapsed;
    if (--m_turnticks >= 1) return;
    m_turntimer.stop();
    if (!isPlayingSeat(m_currentseat)) {
        qCWarning(lcGame) << "turn clock ran out with no seat to move";
        return;
    }
    if (m_turntimerTag == computerTurn) {
        computerplay(m_currentseat);
        return;
    }
    // Time is up: a random hand slot is thrown away, held or not, and the board is not checked.
    broadcast(m_outbox, m_seats, msg::TimeUp{}.encode());
    const int slot = m_random.draw(handSlots) + 1;
    m_seats[m_currentseat].hand[std::size_t(slot - 1)] = 0;
    sendIfOccupied(m_outbox, m_seats, m_currentseat, msg::DiscardExtra{m_currentseat, slot}.encode());
    findplayer();
}

void GameRules::computerplay(int seat) {
    // Every move goes through the handlers, which take moves from the seat to move only.
    if (!isPlayingSeat(seat) || seat != m_currentseat) {
        qCWarning(lcGame) << "no computer move for seat" << seat;
        return;
    }
    m_computer->computerplay(seat);
}

void GameRules::sendCatchUp(int seat) {
    if (!m_gamerunning || !m_seats.isOccupied(seat)) return;
    if (seat == 1 || seat == 2) {
        if (m_handover) m_outbox.sendToSeat(seat, msg::Giving3{1, m_seats[3].name}.encode());
        sendHand(seat);
    }
    for (int boardSeat = 1; boardSeat <= 2; ++boardSeat) {
        const Board& board = m_seats[boardSeat].board;
        for (int cell = 1; cell <= boardCells; ++cell) {
            // Hand slot 0: a board letter replayed, no hand tile moved.
            if (const int code = board[std::size_t(cell - 1)])
                m_outbox.sendToSeat(seat, msg::PlaceMyLetter{boardSeat, 0, cell, code}.encode());
        }
    }
    m_outbox.sendToSeat(seat, msg::GameStats{m_turntime, m_targetscore, m_stealsallowed, m_seats[1].score,
                                             m_seats[2].score, m_level}
                                  .encode());
    // What a window that was there all along knows besides: the words formed so far and the turn
    // under way, in messages that open no turn and score nothing.
    for (int wordSeat = 1; wordSeat <= 3; ++wordSeat) {
        for (const QString& word : m_listbox[std::size_t(wordSeat)]) {
            const QByteArray letters = word.toLatin1();
            m_outbox.sendToSeat(seat, msg::EarlierWord{wordSeat, letters, wordPoints(letters)}.encode());
        }
    }
    if (isPlayingSeat(m_currentseat)) m_outbox.sendToSeat(seat, turnState().encode());
}

msg::TurnState GameRules::turnState() const {
    const auto steals = [this](int seat) {
        return int(std::clamp<qint64>(stealsLeft(seat), 0, std::numeric_limits<int>::max()));
    };
    // The windows count the turn time down from the start of the turn, whoever plays it.
    const int secondsLeft = m_turntime > m_turnElapsed ? m_turntime - m_turnElapsed : 0;
    return msg::TurnState{m_currentseat, secondsLeft, clockRunning(), steals(m_handover ? 3 : 1), steals(2)};
}

void GameRules::watchStarted(int seat) {
    if (!m_gamerunning || seat != m_currentseat) return;
    // The computer takes over at the next tick.
    m_turntimer.stop();
    m_turntimerTag = computerTurn;
    m_turnticks = 1;
    m_turntimer.start();
}

void GameRules::startHandover() {
    m_handover = true;
    broadcast(m_outbox, m_seats, msg::Giving3{1, m_seats[3].name}.encode());
}

void GameRules::seatLeft(int seat) {
    if (m_handover && seat == 3) {
        endHandover();
        return;
    }
    if (!m_gamerunning || seat != m_currentseat) return;
    if (seat != 1) {
        findplayer();
        return;
    }
    // Seat 1's turn runs on to its time-out, after a rearrangement one turn time from the last one.
    // A clock that is not running at all (a test's position) runs again with the time that was left.
    if (!m_turntimer.isActive()) {
        m_turntimerTag = humanTurn;
        m_turnticks = std::max(m_turnticks, 1);
        m_turntimer.start();
    }
}

// Seat 3 held seat 1's turns: without it the game cannot go on. Its record is already free, so
// everybody still seated hears seat 1's name again.
void GameRules::endHandover() {
    broadcast(m_outbox, m_seats, msg::GiveBack{m_seats[1].name}.encode());
    m_handover = false;
    m_gamerunning = false;
    m_currentseat = 0;
    m_turntimer.stop();
}

void GameRules::setUpPosition(const Position& position) {
    m_gamerunning = position.gamerunning.value_or(m_gamerunning);
    m_currentseat = position.currentseat.value_or(m_currentseat);
    m_handover = position.handover.value_or(m_handover);
    m_turntime = position.turntime.value_or(m_turntime);
    m_targetscore = position.targetscore.value_or(m_targetscore);
    m_stealsallowed = position.stealsallowed.value_or(m_stealsallowed);
    m_level = position.level.value_or(m_level);
    for (const auto& [seat, seatPosition] : position.seats)
        setUpSeat(seat, seatPosition);
    if (position.clockRunning == true) {
        m_clockStopped = false;
        m_turntimer.start();
    }
    if (position.clockRunning == false) m_turntimer.stop();
}

void GameRules::setUpSeat(int seat, const SeatPosition& position) {
    if (!isPlayingSeat(seat)) return;
    tplayer& player = m_seats[seat];
    player.hand = position.hand.value_or(player.hand);
    player.board = position.board.value_or(player.board);
    player.score = position.score.value_or(player.score);
    player.stealsused = position.stealsused.value_or(player.stealsused);
    if (position.watching) player.watching = *position.watching ? 1 : 0;
    if (position.words) m_listbox[std::size_t(seat)] = *position.words;
}

} // namespace quibo
