// SPDX-License-Identifier: MIT
// The host's seat table: eleven tplayer records, seats 1 to 9 handed out, entry 10 only holds a
// connection while it is being refused. Owned by TServer, read and written by the game rules.
#pragma once

#include "letters.h"

#include <QByteArray>
#include <array>

namespace quibo {

class TSock;

struct tplayer {
    QByteArray name; // as the login carried it; relayed unchanged
    quint8 occupied = 0;
    TSock* sock = nullptr;
    int score = 0;
    quint8 watching = 0;
    Hand hand{};
    Board board{};
    int stealsused = 0;
};

class SeatTable {
public:
    static constexpr int recordCount = 11;
    static constexpr int maxSeats = 9;

    // Seats are numbered 1 to 11; out-of-range numbers are the caller's fault.
    tplayer& operator[](int seat) { return players[std::size_t(seat)]; }
    const tplayer& operator[](int seat) const { return players[std::size_t(seat)]; }

    static bool isSeat(int seat) { return seat >= 1 && seat <= recordCount; }
    bool isOccupied(int seat) const { return isSeat(seat) && players[std::size_t(seat)].occupied != 0; }

    std::array<tplayer, recordCount + 1> players{}; // index 0 unused
    int playercount = 0;                            // highest seat handed out so far; never decreases
};

// Where the game rules send their messages. The host sends through the seat's connection; tests
// record.
class RulesOutbox {
public:
    virtual ~RulesOutbox() = default;
    // Sends one whole message (terminator included) to a seat; the caller has checked occupancy.
    virtual void sendToSeat(int seat, const QByteArray& message) = 0;
};

// Sends to every occupied seat from 1 to playercount in ascending order, except exceptSeat.
inline void broadcast(RulesOutbox& outbox, const SeatTable& seats, const QByteArray& message,
                      int exceptSeat = 0) {
    for (int seat = 1; seat <= seats.playercount && seat <= SeatTable::recordCount; ++seat) {
        if (seat != exceptSeat && seats.isOccupied(seat)) outbox.sendToSeat(seat, message);
    }
}

// Sends to one seat if it is occupied.
inline void sendIfOccupied(RulesOutbox& outbox, const SeatTable& seats, int seat, const QByteArray& message) {
    if (seats.isOccupied(seat)) outbox.sendToSeat(seat, message);
}

} // namespace quibo
