// SPDX-License-Identifier: MIT
#include "gamereplay.h"

#include "protocol.h"
#include "tableroutes.h"

#include <algorithm>

namespace quibo {

namespace {

// The messages that end a turn with a move of `seat`'s own (a swap does not end it; the host's
// time-up ends it with the thrown hand letter).
bool isOwnMove(const SplitMessage& m, const TableModel& model) {
    const auto seatOf = [&m]() -> int {
        const qsizetype plus = m.args.indexOf('+');
        return parseDecimal(QByteArrayView(m.args).first(plus < 0 ? m.args.size() : plus)).value_or(0);
    };
    const QByteArray& c = m.command;
    if (c == msg::PlaceMyLetter::command || c == msg::DiscardExtra::command || c == msg::StoldLetter::command)
        return model.isOwn(seatOf());
    if (c == msg::DiscardLetter::command)
        return TableModel::displaySeat(seatOf()) == TableModel::displaySeat(model.ownSeat());
    return false;
}

ExpertView viewOf(const TableModel& model) {
    const TableState& s = model.state();
    const int own = model.bottomSeat();
    const int other = 3 - own;
    ExpertView v;
    for (int i = 0; i < handSlotCount; ++i)
        v.hand[size_t(i)] = s.hand[size_t(i)];
    for (int i = 0; i < boardCellCount; ++i) {
        v.board[size_t(i)] = s.boards[size_t(own - 1)][size_t(i)];
        v.opponentBoard[size_t(i)] = s.boards[size_t(other - 1)][size_t(i)];
    }
    const SeatState& me = model.seat(own);
    const SeatState& them = model.seat(other);
    for (const FormedWordEntry& w : me.words)
        v.words.append(w.word);
    for (const FormedWordEntry& w : them.words)
        v.opponentWords.append(w.word);
    v.score = me.score;
    v.opponentScore = them.score;
    v.targetscore = s.options.targetscore;
    // Not known yet (a window that joined): the game's setting.
    v.stealsLeft = me.stealsLeft >= 0 ? me.stealsLeft : s.options.stealsallowed;
    v.opponentStealsLeft = them.stealsLeft >= 0 ? them.stealsLeft : s.options.stealsallowed;
    return v;
}

} // namespace

GameReplay::GameReplay(GameRecord record)
    : m_record(std::move(record)) {}

void GameReplay::seek(int step, TableModel& model) const {
    Dispatcher dispatcher;
    routeToModel(dispatcher, model);
    model.restore(m_record.start);
    const int last = std::clamp(step, 0, stepCount());
    for (int i = 0; i < last; ++i)
        dispatcher.dispatch(m_record.events[i].text);
}

TableState GameReplay::stateAt(int step) const {
    TableModel model;
    seek(step, model);
    return model.state();
}

QList<TurnPosition> GameReplay::ownTurns() const {
    QList<TurnPosition> turns;
    TableModel model;
    Dispatcher dispatcher;
    routeToModel(dispatcher, model);
    model.restore(m_record.start);
    // The turn under way: its position until its move, then the move's word.
    std::optional<TurnPosition> turn;
    bool moved = false;
    const auto close = [&] {
        if (turn && moved) turns.append(*turn);
        turn.reset();
        moved = false;
    };
    for (int i = 0; i < stepCount(); ++i) {
        const SplitMessage m = splitMessage(m_record.events[i].text);
        const bool ownMove = turn && !moved && isOwnMove(m, model);
        const bool ended = m.command == msg::NextPlayer::command || m.command == msg::Winner::command ||
                           m.command == msg::StartGame::command || m.command == msg::GiveBack::command;
        if (ended) close();
        dispatcher.dispatch(m_record.events[i].text);
        if (ownMove) {
            moved = true;
            turn->moveStep = i + 1;
        }
        if (turn && m.command == msg::FormedWord::command) {
            const std::optional<msg::FormedWord> w = msg::FormedWord::decode(m.args);
            if (w && model.isOwn(w->seat)) {
                turn->playedWord = w->word.toUpper();
                turn->playedPoints = w->points;
                // The word a placement formed follows it; the replay shows the two together.
                if (moved && turn->moveStep == i) turn->moveStep = i + 1;
            }
        }
        if (m.command == msg::NextPlayer::command && model.isOwnTurn() && model.ownSeat() <= 3 &&
            model.phase() == GamePhase::Running) {
            turn = TurnPosition{};
            turn->step = i + 1;
            turn->view = viewOf(model);
        }
        // The hand's letter of the turn is dealt after it opened.
        if (turn && !moved && m.command == msg::NewLetter::command) turn->view = viewOf(model);
    }
    close();
    return turns;
}

} // namespace quibo
