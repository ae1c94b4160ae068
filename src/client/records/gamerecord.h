// SPDX-License-Identifier: MIT
// GameRecord: one kept game as its record file holds it (the format is described in
// data/records.md). The header tells who played, when, with which options, computer level and word
// list; `start` is the table as the window knew it right before the first event; the events are the
// host's messages the window took in, in order, each with the milliseconds since the record began;
// the result, when the game came to an end, closes it. A record without a result is an unfinished
// game (the window closed or crashed during it): readable, and shown as unfinished.
#pragma once

#include "tablemodel.h"

#include <QByteArray>
#include <QDateTime>
#include <QList>
#include <QString>

namespace quibo {

struct RecordEvent {
    qint64 milliseconds = 0; // since the record began
    QByteArray text;         // the message's protocol text, without its terminator
    bool operator==(const RecordEvent&) const = default;
};

struct GameResult {
    bool known = false; // false: the game did not come to an end in this record
    int winner = 0;     // display seat 1 or 2; 0: abandoned without a winner
    int score1 = 0;
    int score2 = 0;
    bool operator==(const GameResult&) const = default;
};

struct GameRecord {
    static constexpr int formatVersion = 1;

    QDateTime started; // UTC
    int ownSeat = 0;   // the window's seat as the host numbered it
    QString player1;   // the names on display seats 1 and 2 when the record began
    QString player2;
    GameOptions options;
    QString wordList; // the word list the game was played with
    TableState start;
    QList<RecordEvent> events;
    // The writer stopped taking events in (the game ran past the bounds of a record).
    bool cutShort = false;
    GameResult result;

    // The display seat of the local player (1 or 2); 0 for a spectator.
    int ownDisplaySeat() const { return ownSeat == 1 || ownSeat == 3 ? 1 : ownSeat == 2 ? 2 : 0; }
    // The name of the other player, as the local player sees it (for a spectator: player 2).
    QString opponent() const { return ownDisplaySeat() == 2 ? player1 : player2; }
    bool operator==(const GameRecord&) const = default;
};

} // namespace quibo
