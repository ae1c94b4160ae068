// SPDX-License-Identifier: MIT
// The window never judges a move or a word: the model keeps what the host decided. A handler changes
// the state first and then tells what happened, so every view that hears the event sees the table
// as it now stands.
#include "tablemodel.h"

#include "letters.h"

#include <algorithm>
#include <limits>

namespace quibo {

namespace {

const SeatState noSeat{};

// Steals settings above this mean "no limit"; the host sends unlimitedSteals for unlimited.
constexpr int unlimitedStealsShownAbove = 100;

bool isPlayingSeat(int displaySeatNumber) {
    return displaySeatNumber == 1 || displaySeatNumber == 2;
}

} // namespace

TableModel::TableModel(QObject* parent)
    : QObject(parent) {}

int TableModel::bottomSeat() const {
    const int me = m_state.ownSeat;
    return me == 1 || me == 2 ? me : 1;
}

int TableModel::rowSeat(Row row) const {
    switch (row) {
    case Row::OwnBoard:
        return bottomSeat();
    case Row::OpponentBoard:
        return topSeat();
    case Row::Hand:
        return 0;
    }
    return 0;
}

const SeatState& TableModel::seat(int displaySeatNumber) const {
    return isPlayingSeat(displaySeatNumber) ? m_state.seats[size_t(displaySeatNumber - 1)] : noSeat;
}

SeatState* TableModel::seatOf(int seat) {
    const int d = displaySeat(seat);
    return isPlayingSeat(d) ? &m_state.seats[size_t(d - 1)] : nullptr;
}

QString TableModel::seatName(int displaySeatNumber) const {
    if (!isPlayingSeat(displaySeatNumber)) return QString();
    const SeatState& s = seat(displaySeatNumber);
    return s.name.isEmpty() ? waitingSeatText() : s.name;
}

bool TableModel::seatWaiting(int displaySeatNumber) const {
    return isPlayingSeat(displaySeatNumber) && seat(displaySeatNumber).name.isEmpty();
}

int TableModel::code(Row row, int index) const {
    if (row == Row::Hand) return index >= 1 && index <= handSlotCount ? m_state.hand[size_t(index - 1)] : 0;
    return boardCode(rowSeat(row), index);
}

int TableModel::boardCode(int displaySeatNumber, int cell) const {
    if (!isPlayingSeat(displaySeatNumber) || cell < 1 || cell > boardCellCount) return 0;
    return m_state.boards[size_t(displaySeatNumber - 1)][size_t(cell - 1)];
}

int* TableModel::boardCell(int seat, int cell) {
    const int d = displaySeat(seat);
    if (!isPlayingSeat(d) || cell < 1 || cell > boardCellCount) return nullptr;
    return &m_state.boards[size_t(d - 1)][size_t(cell - 1)];
}

// --- Seats ---------------------------------------------------------------------------------------

void TableModel::sendlogininfo(const msg::SendLoginInfo& m) {
    m_state.ownSeat = m.seat;
    Q_EMIT ownSeatChanged();
}

void TableModel::yourseat(const msg::YourSeat& m) {
    m_state.ownSeat = m.seat;
    Q_EMIT ownSeatChanged();
}

void TableModel::newplayerinfo(const msg::NewPlayerInfo& m) {
    seatAnnounced(m.seat, m.name, false);
}

void TableModel::existingplayers(const msg::ExistingPlayers& m) {
    seatAnnounced(m.seat, m.name, true);
}

void TableModel::seatAnnounced(int seat, const QByteArray& name, bool existing) {
    const QString text = QString::fromUtf8(name);
    if (seat > 2) {
        // A seat announced again (a rejoin) replaces its entry.
        m_state.spectators.insert(seat, text);
        Q_EMIT spectatorsChanged();
    } else if (SeatState* s = seatOf(seat)) {
        s->name = text;
        s->occupied = true;
        s->computer = false;
        Q_EMIT seatsChanged();
    }
    Q_EMIT seatArrived(seat, text, existing);
}

void TableModel::playerdisconnected(const msg::PlayerDisconnected& m) {
    if (m.seat > 2) {
        const QString name = m_state.spectators.take(m.seat);
        Q_EMIT spectatorsChanged();
        Q_EMIT seatLeft(m.seat, name.isEmpty() ? QString::fromUtf8(m.name) : name);
        return;
    }
    SeatState* s = seatOf(m.seat);
    if (!s) return;
    const QString leaving = seatName(m.seat);
    // The computer opponent plays the seat from now on.
    s->name = computerPlayerName();
    s->occupied = false;
    s->computer = true;
    s->watching = false;
    Q_EMIT seatsChanged();
    Q_EMIT seatLeft(m.seat, leaving);
}

void TableModel::justwatching(const msg::JustWatching& m) {
    if (m.seat > 2) return;
    SeatState* s = seatOf(m.seat);
    if (!s) return;
    s->watching = m.value == watchStarts;
    Q_EMIT seatsChanged();
    Q_EMIT watchingChanged(m.seat, s->watching);
}

void TableModel::giving3(const msg::Giving3& m) {
    // Player 3 plays in seat 1's place from now on, under its own name.
    m_state.seats[0].name = QString::fromUtf8(m.name);
    Q_EMIT seatsChanged();
}

void TableModel::giveback(const msg::GiveBack& m) {
    m_state.seats[0].name = QString::fromUtf8(m.name);
    Q_EMIT seatsChanged();
    abandonGame();
}

// --- The game ------------------------------------------------------------------------------------

void TableModel::startgame(const msg::StartGame& m) {
    m_state.options = {m.turntime, m.targetscore, m.stealsallowed, m.level.value_or(ComputerLevel::Normal),
                       true};
    for (SeatState& s : m_state.seats) {
        s.score = 0;
        s.stealsLeft = m.stealsallowed;
        s.words.clear();
        s.watching = false;
    }
    // Nobody took seat 2: the computer opponent plays it.
    if (m_state.seats[1].name.isEmpty()) {
        m_state.seats[1].name = computerPlayerName();
        m_state.seats[1].computer = true;
    }
    m_state.boards = {};
    m_state.hand = {};
    m_state.pick = {};
    m_state.phase = GamePhase::Running;
    m_state.winner = 0;
    Q_EMIT optionsChanged();
    Q_EMIT seatsChanged();
    Q_EMIT rowChanged(Row::OwnBoard);
    Q_EMIT rowChanged(Row::OpponentBoard);
    Q_EMIT rowChanged(Row::Hand);
    Q_EMIT pickChanged();
    Q_EMIT phaseChanged();
    Q_EMIT gameStarted(m);
}

void TableModel::letters(const msg::Letters& m) {
    if (!isOwn(m.seat)) return;
    for (const msg::HandLetter& letter : m.hand)
        m_state.hand[size_t(letter.slot - 1)] = letter.code;
    Q_EMIT rowChanged(Row::Hand);
}

void TableModel::newletter(const msg::NewLetter& m) {
    // Any seat's new letter puts the own hand at rest.
    if (m_state.pick.row == Row::Hand) setPick({});
    if (!isOwn(m.seat)) return;
    m_state.hand[size_t(m.slot - 1)] = m.code;
    Q_EMIT rowChanged(Row::Hand);
}

void TableModel::nextplayer(const msg::NextPlayer& m) {
    setPick({});
    setStealsLeft(m.seat, std::max(m.stealsLeft, 0));
    m_state.turnSeat = m.seat;
    if (m_state.phase == GamePhase::None) m_state.phase = GamePhase::Running; // joined a running game
    Q_EMIT turnChanged();
    startClock();
    Q_EMIT turnBegan(m.seat);
}

void TableModel::turnstate(const msg::TurnState& m) {
    // The turn was under way before this window came: shown as it stands, with no fresh count.
    setPick({});
    m_state.seats[0].stealsLeft = std::max(m.stealsLeft1, 0);
    m_state.seats[1].stealsLeft = std::max(m.stealsLeft2, 0);
    Q_EMIT seatsChanged();
    m_state.turnSeat = m.seat;
    if (m_state.phase == GamePhase::None) m_state.phase = GamePhase::Running;
    Q_EMIT turnChanged();
    m_state.secondsLeft = m.secondsLeft;
    m_state.clockRunning = m.clockRunning;
    Q_EMIT clockChanged();
    Q_EMIT turnResumed(m.seat);
}

void TableModel::placemyletter(const msg::PlaceMyLetter& m) {
    stopClock();
    int replaced = 0;
    if (int* cell = boardCell(m.seat, m.cell)) {
        replaced = *cell;
        *cell = m.code;
    }
    Q_EMIT rowChanged(displaySeat(m.seat) == bottomSeat() ? Row::OwnBoard : Row::OpponentBoard);
    // Slot 0 is a board letter replayed to a window joining a running game: no hand tile moved.
    if (isOwn(m.seat) && m.slot != 0) {
        m_state.hand[size_t(m.slot - 1)] = 0;
        Q_EMIT rowChanged(Row::Hand);
    }
    setPick({});
    Q_EMIT letterPlaced(m, replaced);
}

void TableModel::discardextra(const msg::DiscardExtra& m) {
    stopClock();
    int code = 0;
    if (isOwn(m.seat)) {
        code = m_state.hand[size_t(m.slot - 1)];
        m_state.hand[size_t(m.slot - 1)] = 0;
        Q_EMIT rowChanged(Row::Hand);
        setPick({});
    }
    Q_EMIT handLetterThrown(m, code);
}

void TableModel::discardletter(const msg::DiscardLetter& m) {
    stopClock();
    int* cell = boardCell(m.seat, m.cell);
    const int code = cell ? *cell : 0;
    if (cell) *cell = 0;
    Q_EMIT rowChanged(displaySeat(m.seat) == bottomSeat() ? Row::OwnBoard : Row::OpponentBoard);
    setPick({});
    Q_EMIT letterRemoved(m, code);
}

void TableModel::tradingmyletter(const msg::TradingMyLetter& m) {
    // A rearrangement stops the countdown for the rest of the turn; the host stops its timer too.
    stopClock();
    if (int* first = boardCell(m.seat, m.firstCell)) *first = m.firstCode;
    if (int* second = boardCell(m.seat, m.secondCell)) *second = m.secondCode;
    Q_EMIT rowChanged(displaySeat(m.seat) == bottomSeat() ? Row::OwnBoard : Row::OpponentBoard);
    setPick({});
    Q_EMIT lettersSwapped(m);
}

void TableModel::stoldletter(const msg::StoldLetter& m) {
    // The robbed seat is always the other playing seat; cells are in the stealer's order.
    const int stealer = displaySeat(m.seat);
    if (!isPlayingSeat(stealer)) return;
    // The stealer's count goes down with the steal, not only at its next turn; a count not known
    // (a window that joined) or unlimited stays as it is.
    SeatState& s = m_state.seats[size_t(stealer - 1)];
    if (s.stealsLeft >= 0 && s.stealsLeft <= unlimitedStealsShownAbove) {
        s.stealsLeft = std::max(s.stealsLeft - 1, 0);
        Q_EMIT seatsChanged();
    }
    if (int* mine = boardCell(stealer, m.myCell)) *mine = m.code;
    if (int* his = boardCell(3 - stealer, m.hisCell)) *his = 0;
    Q_EMIT rowChanged(Row::OwnBoard);
    Q_EMIT rowChanged(Row::OpponentBoard);
    setPick({});
    Q_EMIT letterStolen(m);
}

void TableModel::notvalid(const msg::NotValid& m) {
    const Pick asked = m_state.pick;
    setPick({});
    if (!isOwn(m.seat)) return;
    // The host refuses a steal that spells a word already scored as it refuses one that spells none.
    const bool steal = asked.asked && asked.row == Row::OpponentBoard;
    Q_EMIT stealRefused(false, steal ? stealScoredBefore(asked.index, asked.target) : QString());
}

void TableModel::toomany(const msg::TooMany& m) {
    setPick({});
    if (isOwn(m.seat)) Q_EMIT stealRefused(true, QString());
}

QString TableModel::stealScoredBefore(int fromCell, int toCell) const {
    const int stolen = code(Row::OpponentBoard, fromCell);
    const SeatState* own =
        isPlayingSeat(displaySeat(m_state.ownSeat)) ? &seat(displaySeat(m_state.ownSeat)) : nullptr;
    if (stolen == 0 || toCell < 1 || toCell > boardCellCount || !own) return {};
    QString letters;
    for (int cell = 1; cell <= boardCellCount; ++cell)
        letters += QChar::fromLatin1(convertoletter(cell == toCell ? stolen : code(Row::OwnBoard, cell)));
    const QString run = letters.trimmed();
    if (run.isEmpty() || run.contains(u' ')) return {};
    for (const FormedWordEntry& w : own->words)
        if (w.word.compare(run, Qt::CaseInsensitive) == 0) return run.toUpper();
    return {};
}

void TableModel::formedword(const msg::FormedWord& m) {
    stopClock();
    if (SeatState* s = seatOf(m.seat)) {
        s->score = m.score;
        addWord(m.seat, m.word, m.points);
        Q_EMIT seatsChanged();
    }
    setPick({});
    Q_EMIT wordFormed(m);
}

void TableModel::timeup(const msg::TimeUp&) {
    Q_EMIT timeRanOut();
}

void TableModel::gamestats(const msg::GameStats& m) {
    m_state.options = {m.turntime, m.targetscore, m.stealsallowed, m.level, true};
    m_state.seats[0].score = m.score1;
    m_state.seats[1].score = m.score2;
    for (SeatState& s : m_state.seats)
        s.stealsLeft = -1;
    if (m_state.phase != GamePhase::Running) {
        m_state.phase = GamePhase::Running;
        m_state.winner = 0;
        Q_EMIT phaseChanged();
    }
    Q_EMIT optionsChanged();
    Q_EMIT seatsChanged();
    Q_EMIT scoresKnown();
}

void TableModel::earlierword(const msg::EarlierWord& m) {
    if (!seatOf(m.seat)) return;
    addWord(m.seat, m.word, m.points);
    Q_EMIT seatsChanged();
    Q_EMIT earlierWordKnown(m);
}

void TableModel::winner(const msg::Winner& m) {
    stopClock();
    m_state.secondsLeft = 0;
    m_state.turnSeat = 0;
    m_state.phase = GamePhase::Over;
    m_state.winner = displaySeat(m.seat);
    setPick({});
    Q_EMIT turnChanged();
    Q_EMIT clockChanged();
    Q_EMIT phaseChanged();
    Q_EMIT gameWon(m_state.winner);
}

void TableModel::addWord(int seat, const QByteArray& word, int points) {
    SeatState* s = seatOf(seat);
    if (!s) return;
    if (s->words.size() >= maxWordsPerSeat) s->words.removeFirst();
    s->words.append({QString::fromUtf8(word), points});
}

void TableModel::setStealsLeft(int seat, int stealsLeft) {
    if (SeatState* s = seatOf(seat)) {
        s->stealsLeft = stealsLeft;
        Q_EMIT seatsChanged();
    }
}

// --- The window's own doings ---------------------------------------------------------------------

void TableModel::setPick(Pick pick) {
    if (pick == m_state.pick) return;
    m_state.pick = pick;
    Q_EMIT pickChanged();
}

void TableModel::clearPick() {
    setPick({});
}

void TableModel::pickHandLetter(int slot) {
    if (slot < 1 || slot > handSlotCount) return;
    const Pick& p = m_state.pick;
    // A second press on the lifted tile puts it back.
    if (p.row == Row::Hand && p.index == slot && !p.asked) {
        setPick({});
        return;
    }
    setPick({Row::Hand, slot});
}

void TableModel::pickOpponentLetter(int cell) {
    if (cell < 1 || cell > boardCellCount) return;
    const Pick& p = m_state.pick;
    if (p.row == Row::OpponentBoard && p.index == cell && !p.asked) {
        setPick({});
        return;
    }
    setPick({Row::OpponentBoard, cell});
}

QByteArray TableModel::chooseOwnCell(int cell) {
    if (cell < 1 || cell > boardCellCount) return {};
    const Pick p = m_state.pick;
    const int me = m_state.ownSeat;
    if (p.isNone() || p.asked) {
        setPick({Row::OwnBoard, cell});
        return {};
    }
    switch (p.row) {
    case Row::Hand:
        setPick({});
        return msg::PlaceMyLetterRequest{me, p.index, cell}.encode();
    case Row::OwnBoard:
        // Both tiles stay lifted until the host's answer puts every tile at rest.
        setPick({Row::OwnBoard, p.index, cell, true});
        return msg::TradingMyLetterRequest{me, p.index, cell}.encode();
    case Row::OpponentBoard:
        setPick({Row::OpponentBoard, p.index, 0, true, cell});
        return msg::StealingHisLetter{me, p.index, cell}.encode();
    }
    return {};
}

void TableModel::startClock() {
    m_state.secondsLeft = m_state.options.turntime;
    m_state.clockRunning = true;
    Q_EMIT clockChanged();
}

void TableModel::stopClock() {
    if (!m_state.clockRunning) return;
    m_state.clockRunning = false;
    Q_EMIT clockChanged();
}

void TableModel::tickClock() {
    // The count goes on below zero until the host's next message.
    if (m_state.secondsLeft > std::numeric_limits<int>::min()) --m_state.secondsLeft;
    Q_EMIT clockChanged();
}

void TableModel::forgetForCatchUp() {
    m_state.boards = {};
    m_state.hand = {};
    for (SeatState& s : m_state.seats) {
        s.score = 0;
        s.words.clear();
    }
    setPick({});
    Q_EMIT seatsChanged();
    Q_EMIT rowChanged(Row::OwnBoard);
    Q_EMIT rowChanged(Row::OpponentBoard);
    Q_EMIT rowChanged(Row::Hand);
    Q_EMIT recordForgotten();
}

void TableModel::tableLeft() {
    stopClock();
    m_state.turnSeat = 0;
    setPick({});
    Q_EMIT turnChanged();
    abandonGame();
}

void TableModel::abandonGame() {
    if (m_state.phase != GamePhase::Running) return;
    m_state.phase = GamePhase::None;
    Q_EMIT phaseChanged();
}

void TableModel::reset() {
    restore(TableState{});
}

void TableModel::restore(const TableState& state) {
    m_state = state;
    m_state.pick = {};
    Q_EMIT ownSeatChanged();
    Q_EMIT seatsChanged();
    Q_EMIT spectatorsChanged();
    Q_EMIT rowChanged(Row::OwnBoard);
    Q_EMIT rowChanged(Row::OpponentBoard);
    Q_EMIT rowChanged(Row::Hand);
    Q_EMIT pickChanged();
    Q_EMIT turnChanged();
    Q_EMIT clockChanged();
    Q_EMIT optionsChanged();
    Q_EMIT phaseChanged();
}

} // namespace quibo
