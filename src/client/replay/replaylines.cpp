// SPDX-License-Identifier: MIT
#include "replaylines.h"

#include "tablemodel.h"

#include <QCoreApplication>

namespace quibo {

ReplayLines::ReplayLines(const TableModel& model, QObject* parent)
    : QObject(parent)
    , m_model(model)
    , m_log(model) {
    const TableModel* m = &model;
    GameLog* log = &m_log;
    connect(log, &GameLog::chatLine, this, [this](const QString& text, ColorValue) { add(text); });
    connect(m, &TableModel::gameStarted, this, &ReplayLines::tellGameStart);
    connect(m, &TableModel::turnBegan, log, &GameLog::turnBegan);
    connect(m, &TableModel::turnResumed, log, &GameLog::turnKnown);
    connect(m, &TableModel::letterPlaced, log, &GameLog::placed);
    connect(m, &TableModel::handLetterThrown, log, &GameLog::thrownAway);
    connect(m, &TableModel::letterRemoved, log, &GameLog::removed);
    connect(m, &TableModel::lettersSwapped, log, &GameLog::rearranged);
    connect(m, &TableModel::letterStolen, log, &GameLog::stolen);
    connect(m, &TableModel::wordFormed, this, &ReplayLines::tellWord);
    connect(m, &TableModel::earlierWordKnown, log, &GameLog::wordKnown);
    connect(m, &TableModel::recordForgotten, log, &GameLog::forgetRecord);
    connect(m, &TableModel::gameWon, this, &ReplayLines::tellWinner);
    connect(m, &TableModel::timeRanOut, this, [this] {
        add(boardText("Time Up!"));
        m_log.timeRanOut();
    });
    connect(m, &TableModel::scoresKnown, this,
            [this] { m_log.scoresKnown(m_model.seat(1).score, m_model.seat(2).score); });
    connect(m, &TableModel::seatLeft, this, [this](int seat, const QString& name) {
        if (seat == 1 || seat == 2) m_log.seatLeft(seat, name);
    });
    connect(m, &TableModel::phaseChanged, this, [this] {
        if (m_model.phase() == GamePhase::None) m_log.abandon();
    });
}

void ReplayLines::clear() {
    m_log.resetForNextTable();
    m_lines.clear();
    Q_EMIT cleared();
}

void ReplayLines::add(const QString& text) {
    m_lines.append(text);
    Q_EMIT lineAdded(text);
}

void ReplayLines::tellGameStart(const msg::StartGame& m) {
    m_log.gameStarted();
    const QString starter = QString::fromUtf8(m.starter);
    // Only seat 1 starts games.
    const bool byMe = m_model.ownSeat() == 1;
    add(byMe ? boardText("You have started a game.") : boardText("%1 has started a game.").arg(starter));
}

void ReplayLines::tellWord(const msg::FormedWord& m) {
    m_log.wordFormed(m);
    const int d = TableModel::displaySeat(m.seat);
    const QString word = QString::fromUtf8(m.word).toUpper();
    add(m_model.isOwn(m.seat)
            ? boardText("For %1 points you formed %2").arg(m.points).arg(word)
            : boardText("For %1 points %2 formed %3")
                  .arg(m.points)
                  .arg(shownSeatName(m_model.seatName(d), m_model.isOwnDisplaySeat(d)), word));
}

void ReplayLines::tellWinner(int d) {
    const QString name = m_model.seatName(d);
    const int me = m_model.ownSeat();
    const bool you = me >= 1 && me <= 3 && d == TableModel::displaySeat(me);
    // The log's account of the game ends with it, as in the player window.
    m_log.finish(d);
    add(you ? boardText("You have won the game!")
            : boardText("%1 has won the game!").arg(shownSeatName(name, false)));
}

} // namespace quibo
