// SPDX-License-Identifier: MIT
// The typed messages of a running game: its start, the five moves and their announcements, the turn,
// the letters dealt, words formed, refusals and the catch-up for a late arrival.
//
// Named and built like the seat messages (seatmessages.h): msg::<Command>, with a Request form for the
// window's side where the host answers with more fields (placemyletter, tradingmyletter). Seats are
// checked against 1..11, hand slots 1..6, board cells 1..10 and letter codes 0..26; the game's
// settings, scores and counts are any 32-bit numbers, as the handlers have always taken them.
#pragma once

#include "commands.h"
#include "computerlevel.h"

#include <QByteArray>
#include <QByteArrayView>
#include <optional>
#include <vector>

namespace quibo::msg {

// Both ways: the hosting player's window asks for a game with these settings, and the host
// announces it to all. The starter's name is a field of its own, so it ends at a "+". The computer's
// level is an optional fifth field, written only when a level is given: senders leave it out for a
// normal game, which keeps the four-field message every peer knows. A text this version does not
// know reads as normal.
struct StartGame {
    static constexpr const char* command = cmd::startgame;
    QByteArray starter;
    int turntime = 0;                     // seconds per turn
    int targetscore = 0;                  // the score that wins
    int stealsallowed = 0;                // per player and game; unlimitedSteals for no limit
    std::optional<ComputerLevel> level{}; // absent: the table's default
    QByteArray encode() const;
    static std::optional<StartGame> decode(QByteArrayView args);
    bool operator==(const StartGame&) const = default;
};

// Window to host: put the letter of a hand slot on a board cell.
struct PlaceMyLetterRequest {
    static constexpr const char* command = cmd::placemyletter;
    int seat = 0;
    int slot = 0;
    int cell = 0;
    QByteArray encode() const;
    static std::optional<PlaceMyLetterRequest> decode(QByteArrayView args);
    bool operator==(const PlaceMyLetterRequest&) const = default;
};

// Host to windows: a letter now stands on a seat's board cell. Slot 0 replays a board letter to a
// window joining a running game: no hand tile moved.
struct PlaceMyLetter {
    static constexpr const char* command = cmd::placemyletter;
    int seat = 0;
    int slot = 0;
    int cell = 0;
    int code = 0;
    QByteArray encode() const;
    static std::optional<PlaceMyLetter> decode(QByteArrayView args);
    bool operator==(const PlaceMyLetter&) const = default;
};

// Both ways: throw away the letter of a hand slot; the host tells only that seat's window.
struct DiscardExtra {
    static constexpr const char* command = cmd::discardextra;
    int seat = 0;
    int slot = 0;
    QByteArray encode() const;
    static std::optional<DiscardExtra> decode(QByteArrayView args);
    bool operator==(const DiscardExtra&) const = default;
};

// Both ways: clear a cell of the seat's own board.
struct DiscardLetter {
    static constexpr const char* command = cmd::discardletter;
    int seat = 0;
    int cell = 0;
    QByteArray encode() const;
    static std::optional<DiscardLetter> decode(QByteArrayView args);
    bool operator==(const DiscardLetter&) const = default;
};

// Window to host: exchange two cells of the own board (the cell picked first, then the second).
struct TradingMyLetterRequest {
    static constexpr const char* command = cmd::tradingmyletter;
    int seat = 0;
    int firstCell = 0;
    int secondCell = 0;
    QByteArray encode() const;
    static std::optional<TradingMyLetterRequest> decode(QByteArrayView args);
    bool operator==(const TradingMyLetterRequest&) const = default;
};

// Host to windows: two cells were exchanged, each with the letter code it now holds.
struct TradingMyLetter {
    static constexpr const char* command = cmd::tradingmyletter;
    int seat = 0;
    int firstCell = 0;
    int firstCode = 0;
    int secondCell = 0;
    int secondCode = 0;
    QByteArray encode() const;
    static std::optional<TradingMyLetter> decode(QByteArrayView args);
    bool operator==(const TradingMyLetter&) const = default;
};

// Window to host: take the letter of a cell of the opponent's board onto a cell of the own board.
struct StealingHisLetter {
    static constexpr const char* command = cmd::stealinghisletter;
    int seat = 0;
    int hisCell = 0;
    int myCell = 0;
    QByteArray encode() const;
    static std::optional<StealingHisLetter> decode(QByteArrayView args);
    bool operator==(const StealingHisLetter&) const = default;
};

// Host to windows: a steal stood. Cells are in the stealer's order: its own board first.
struct StoldLetter {
    static constexpr const char* command = cmd::stoldletter;
    int seat = 0; // the stealer
    int robbedSeat = 0;
    int myCell = 0;  // on the stealer's board
    int hisCell = 0; // on the robbed board
    int code = 0;
    QByteArray encode() const;
    static std::optional<StoldLetter> decode(QByteArrayView args);
    bool operator==(const StoldLetter&) const = default;
};

// Host to windows: whose turn it is, and how many steals that seat has left.
struct NextPlayer {
    static constexpr const char* command = cmd::nextplayer;
    int seat = 0;
    int stealsLeft = 0; // the setting minus the steals used; may be negative
    QByteArray encode() const;
    static std::optional<NextPlayer> decode(QByteArrayView args);
    bool operator==(const NextPlayer&) const = default;
};

// Host to windows: the game is won.
struct Winner {
    static constexpr const char* command = cmd::winner;
    int seat = 0;
    QByteArray encode() const;
    static std::optional<Winner> decode(QByteArrayView args);
    bool operator==(const Winner&) const = default;
};

struct HandLetter {
    int slot = 0;
    int code = 0;
    bool operator==(const HandLetter&) const = default;
};

// Host to one playing seat: its whole hand, slot and code for every held letter, with no "+" after
// the last code (nor after the seat when the hand is empty).
struct Letters {
    static constexpr const char* command = cmd::letters;
    int seat = 0;
    std::vector<HandLetter> hand;
    QByteArray encode() const;
    static std::optional<Letters> decode(QByteArrayView args);
    bool operator==(const Letters&) const = default;
};

// Host to the seat to move: the letter dealt into an empty hand slot.
struct NewLetter {
    static constexpr const char* command = cmd::newletter;
    int seat = 0;
    int slot = 0;
    int code = 0;
    QByteArray encode() const;
    static std::optional<NewLetter> decode(QByteArrayView args);
    bool operator==(const NewLetter&) const = default;
};

// Host to the stealing seat: the stolen letter would not have made a new word.
struct NotValid {
    static constexpr const char* command = cmd::notvalid;
    int seat = 0;
    QByteArray encode() const;
    static std::optional<NotValid> decode(QByteArrayView args);
    bool operator==(const NotValid&) const = default;
};

// Host to the stealing seat: it has used all its steals.
struct TooMany {
    static constexpr const char* command = cmd::toomany;
    int seat = 0;
    QByteArray encode() const;
    static std::optional<TooMany> decode(QByteArrayView args);
    bool operator==(const TooMany&) const = default;
};

// Host to windows: a seat's board spelled a word new to it; its points and the seat's new score.
struct FormedWord {
    static constexpr const char* command = cmd::formedword;
    int seat = 0;
    QByteArray word;
    int points = 0;
    int score = 0;
    QByteArray encode() const;
    static std::optional<FormedWord> decode(QByteArrayView args);
    bool operator==(const FormedWord&) const = default;
};

// Host to windows: the seat to move ran out of time. "CMD_timeup+" without fields.
struct TimeUp {
    static constexpr const char* command = cmd::timeup;
    QByteArray encode() const;
    static std::optional<TimeUp> decode(QByteArrayView args);
    bool operator==(const TimeUp&) const = default;
};

// Host to a window joining a running game: the settings and both players' scores.
struct GameStats {
    static constexpr const char* command = cmd::gamestats;
    int turntime = 0;
    int targetscore = 0;
    int stealsallowed = 0;
    int score1 = 0;
    int score2 = 0;
    ComputerLevel level = ComputerLevel::Normal; // an optional sixth field, as in StartGame
    QByteArray encode() const;
    static std::optional<GameStats> decode(QByteArrayView args);
    bool operator==(const GameStats&) const = default;
};

// Host to a window joining a running game, once for every word a playing seat formed before it came,
// in the order they were formed: "CMD_earlierword+2+cat+5+". Unlike CMD_formedword it changes no
// score and is no news: the window only lists it.
struct EarlierWord {
    static constexpr const char* command = cmd::earlierword;
    int seat = 0;
    QByteArray word;
    int points = 0;
    QByteArray encode() const;
    static std::optional<EarlierWord> decode(QByteArrayView args);
    bool operator==(const EarlierWord&) const = default;
};

// Host to a window joining a running game, after CMD_gamestats: whose turn it is, the seconds left
// of it, whether its clock runs (a rearrangement stops it), and the steals left to the two seats
// shown (seat 1's place and seat 2), "CMD_turnstate+1+17+1+5+4+". Unlike CMD_nextplayer it opens
// no turn.
struct TurnState {
    static constexpr const char* command = cmd::turnstate;
    int seat = 0;
    int secondsLeft = 0;
    bool clockRunning = true;
    int stealsLeft1 = 0;
    int stealsLeft2 = 0;
    QByteArray encode() const;
    static std::optional<TurnState> decode(QByteArrayView args);
    bool operator==(const TurnState&) const = default;
};

} // namespace quibo::msg
