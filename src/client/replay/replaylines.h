// SPDX-License-Identifier: MIT
// ReplayLines: the game's lines as the chat showed them while the game ran, for a replayed table.
//
// It follows a table model's events as the player window's board does and asks the same GameLog
// for what happened out of sight (steals, removed letters, lost turns), so a replay tells the game
// in the words the player read: the game start, every word formed with its points, the time that ran
// out, the winner. The lines are kept here, in order, and `cleared` when the table is taken back to
// its start; a view shows them. Owned by the replay window, beside the model it follows.
//
// The model holds the bound: every line answers one event of the record the model was fed, and the
// record reader bounds the events.
#pragma once

#include "gamelog.h"

#include <QCoreApplication>
#include <QObject>
#include <QStringList>

namespace quibo {

class TableModel;

// A text the player window's board shows or writes, in its words and translations, for a replay
// that tells the same moments.
inline QString boardText(const char* text) {
    return QCoreApplication::translate("quibo::BoardPanel", text);
}

class ReplayLines : public QObject {
    Q_OBJECT
public:
    explicit ReplayLines(const TableModel& model, QObject* parent = nullptr);

    const QStringList& lines() const { return m_lines; }
    // Forgets the lines and the log's account of the game, as before the first event.
    void clear();

Q_SIGNALS:
    void lineAdded(const QString& text);
    void cleared();

private:
    void add(const QString& text);
    void tellGameStart(const msg::StartGame& m);
    void tellWord(const msg::FormedWord& m);
    void tellWinner(int displaySeatNumber);

    const TableModel& m_model;
    GameLog m_log;
    QStringList m_lines;
};

} // namespace quibo
