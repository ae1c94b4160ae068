// SPDX-License-Identifier: MIT
// Test helper: a game table for the rules — a seat table with seats 1 and 2 taken, a recording
// outbox, a seeded generator, a small dictionary and the rules object — plus shorthand to lay out
// hands and boards as text (one character a slot or cell, a blank for an empty one). The seat table
// stands in for the host's connections (who sits where); everything about the game itself is set up
// through the rules' own seam, GameRules::setUpPosition.
#pragma once

#include "gamerules.h"
#include "recordingoutbox.h"
#include "testwordfile.h"

#include <QByteArray>
#include <QStringList>

namespace quibo::test {

class RulesTable {
public:
    explicit RulesTable(const QStringList& dictionaryWords, const QStringList& candidates = {},
                        quint32 seed = 1)
        : random(seed)
        , dictionary(dictionaryWords)
        , rules(seats, outbox, random, dictionary.dict(), candidates) {
        occupy(1, QStringLiteral("Ann"));
        occupy(2, QStringLiteral("Bob"));
    }

    void occupy(int seat, const QString& name) {
        seats[seat].occupied = 1;
        seats[seat].name = name.toUtf8();
        seats.playercount = std::max(seats.playercount, seat);
    }

    // Nobody sits in the seat any more (and it holds nothing).
    void vacate(int seat) { seats[seat] = tplayer{}; }

    void start(int turntime = 30, int target = 100, int steals = 5,
               std::optional<ComputerLevel> level = std::nullopt) {
        rules.startgame(msg::StartGame{"Ann", turntime, target, steals, level});
    }

    // A started game with seat's turn open, the given hand and board, and an empty outbox.
    void position(int seat, const QByteArray& hand, const QByteArray& board, int steals = 5,
                  std::optional<ComputerLevel> level = std::nullopt) {
        start(30, 100, steals, level);
        rules.setUpPosition(
            {.currentseat = seat, .seats = {{seat, {.hand = handOf(hand), .board = boardOf(board)}}}});
        outbox.clear();
    }

    // Shorthand for one-field positions.
    void setTurn(int seat) { rules.setUpPosition({.currentseat = seat}); }
    void setHandover(bool handover) { rules.setUpPosition({.handover = handover}); }
    void startClock() { rules.setUpPosition({.clockRunning = true}); }
    void setSeat(int seat, const GameRules::SeatPosition& position) {
        rules.setUpPosition({.seats = {{seat, position}}});
    }
    void setHand(int seat, const QByteArray& letters) { setSeat(seat, {.hand = handOf(letters)}); }
    void setBoard(int seat, const QByteArray& letters) { setSeat(seat, {.board = boardOf(letters)}); }

    static Hand handOf(const QByteArray& letters) {
        Hand hand{};
        for (int i = 0; i < letters.size() && i < handSlots; ++i)
            hand[std::size_t(i)] = codeOf(letters[i]);
        return hand;
    }

    static Board boardOf(const QByteArray& letters) {
        Board board{};
        for (int i = 0; i < letters.size() && i < boardCells; ++i)
            board[std::size_t(i)] = codeOf(letters[i]);
        return board;
    }

    QByteArray hand(int seat) const {
        QByteArray text;
        for (int code : seats[seat].hand)
            text += convertoletter(code);
        return text;
    }

    QByteArray board(int seat) const { return boardText(seats[seat].board); }

    static int codeOf(char letter) {
        const char lower = char(letter | 0x20);
        return lower >= 'a' && lower <= 'z' ? lower - 'a' + 1 : 0;
    }

    SeatTable seats;
    RecordingOutbox outbox;
    Random random;
    TestDictionary dictionary;
    GameRules rules;
};

// Wraps candidate words so that none of them is the first or the last item of the list, which are
// never candidates.
inline QStringList candidateList(const QStringList& words) {
    return QStringList{QStringLiteral("a")} + words + QStringList{QStringLiteral("z")};
}

} // namespace quibo::test
