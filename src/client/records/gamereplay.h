// SPDX-License-Identifier: MIT
// GameReplay: a kept game fed into a table model step by step, as the window saw it.
//
// Step 0 is the table right before the record's first event; step k is the table after its first k
// events. seek() brings a given model there: it is reset to the record's start and takes the events
// in as the window did, so every view listening to the model (the board, the game log) shows the game
// as it went; stateAt() does the same on a model of its own. The replay never touches the network.
//
// The record was checked when it was read (RecordFile), so every event decodes; a replay of a record
// built by hand drops an event that does not, as the window drops such a message. The countdown is
// not replayed (a window's seconds left differ by when it ticked), nor the pick, which only the
// window makes.
#pragma once

#include "gamerecord.h"
#include "turnposition.h"

#include <QList>

namespace quibo {

class GameReplay {
public:
    explicit GameReplay(GameRecord record);

    const GameRecord& record() const { return m_record; }
    int stepCount() const { return int(m_record.events.size()); }

    // The model as it stood after `step` events (clamped to 0..stepCount()).
    void seek(int step, TableModel& model) const;
    TableState stateAt(int step) const;

    // The local player's turns: where each began, the position the player saw then and the move made.
    // Empty for a spectator's record.
    QList<TurnPosition> ownTurns() const;

private:
    GameRecord m_record;
};

} // namespace quibo
