// SPDX-License-Identifier: MIT
// model/: the table as this window knows it, without any widget.
//
// TableModel: the state of the table in the player window, and the only place it is kept.
//
// It takes in the host's messages about seats and the game (one handler per command, named after
// it) and keeps what they tell: who sits in the two playing seats and who watches, each seat's
// score, steals left and words, both board rows, the own hand, whose turn it is and the time left of
// it, the options of the game in force, the pick in progress and whether a game runs or who won it.
// The board, the game log, the summary, the tally, the spectator list and the menus show this state
// and hear of its changes through the signals below; none of them keeps a copy or reads it back from
// a widget. Owned by the player window.
//
// Seat 3 plays in seat 1's place, so everything about seat 3 is kept under seat 1 (display seats
// 1 and 2). The board rows are kept by display seat; the view asks for them by row (own board,
// opponent's board, hand), so the seat-2 window sees its own board at the bottom by a mapping, not by
// renaming anything.
//
// Everything here comes from the host, which a stranger may run: every handler takes an already
// decoded message (seats, cells, slots and codes in range) and changes nothing but fields of fixed
// size, except the word lists and the spectators. The spectators are keyed by seat, so a host that
// announces a seat again replaces its entry; the seats are bounded by the protocol (1..11). Each
// seat's word list is bounded by maxWordsPerSeat: a game ends at its target score long before, so a
// host sending words without end only loses the oldest of them.
#pragma once

#include "computerlevel.h"
#include "messages.h"
#include "seatnames.h"

#include <QList>
#include <QMap>
#include <QObject>
#include <QString>
#include <array>

namespace quibo {

// The three rows of tiles as the window shows them.
enum class Row { OwnBoard, OpponentBoard, Hand };

enum class GamePhase { None, Running, Over };

inline constexpr int boardCellCount = 10;
inline constexpr int handSlotCount = 6;

struct FormedWordEntry {
    QString word; // lower case, as the host sent it
    int points = 0;
    bool operator==(const FormedWordEntry&) const = default;
};

struct SeatState {
    QString name;          // the name shown; empty while the seat waits for a player
    bool occupied = false; // a player holds the seat (the computer does not count)
    bool computer = false; // the computer opponent plays it
    bool watching = false; // its player just watches
    int score = 0;
    int stealsLeft = -1;          // -1: not known (a window that joined learns it at the seat's turn)
    QList<FormedWordEntry> words; // in the order formed
    bool operator==(const SeatState&) const = default;
};

struct GameOptions {
    int turntime = 30; // seconds per turn
    int targetscore = 100;
    int stealsallowed = 5; // unlimitedSteals for no limit
    ComputerLevel level = ComputerLevel::Normal;
    bool fromGame = false; // a started or joined game set them (else the options window's defaults)
    bool operator==(const GameOptions&) const = default;
};

// The pick in progress: a tile of a row lifted, waiting for the click that completes the move.
// `asked` marks a move already sent (a swap or a steal): its tiles stay lifted until the host
// answers, and no further click completes it.
struct Pick {
    Row row = Row::Hand;
    int index = 0; // cell or slot, 1-based; 0: nothing picked
    int other = 0; // the second cell of a swap asked for
    bool asked = false;
    int target = 0; // the own cell a steal asked for
    bool isNone() const { return index == 0; }
    // Whether the tile at `index` of `row` is shown lifted.
    bool lifts(Row r, int i) const {
        return index != 0 && ((r == row && i == index) || (asked && r == Row::OwnBoard && i == other));
    }
    bool operator==(const Pick&) const = default;
};

struct TableState {
    int ownSeat = 0; // 1, 2 players; 3 player 3; higher spectators; 0 before login
    std::array<SeatState, 2> seats;
    QMap<int, QString> spectators;                           // seat (3 and up) to name
    std::array<std::array<int, boardCellCount>, 2> boards{}; // by display seat, letter codes, 0 empty
    std::array<int, handSlotCount> hand{};
    int turnSeat = 0; // as the host sent it (3 while player 3 plays); 0: no turn runs
    int secondsLeft = 0;
    bool clockRunning = false;
    GameOptions options;
    Pick pick;
    GamePhase phase = GamePhase::None;
    int winner = 0; // display seat, once the game is over
    bool operator==(const TableState&) const = default;
};

class TableModel : public QObject {
    Q_OBJECT
public:
    // The most words kept per seat (see the class note).
    static constexpr qsizetype maxWordsPerSeat = 1000;

    explicit TableModel(QObject* parent = nullptr);

    const TableState& state() const { return m_state; }

    // Seat 3 plays in seat 1's place, so everything about seat 3 is shown as seat 1.
    static int displaySeat(int seat) { return seat == 3 ? 1 : seat; }
    int ownSeat() const { return m_state.ownSeat; }
    // The display seat shown at the bottom (own board): the own seat for the players, seat 1 for
    // player 3 and the spectators. The other one is shown at the top.
    int bottomSeat() const;
    int topSeat() const { return 3 - bottomSeat(); }
    // The display seat whose board a row shows (0 for the hand).
    int rowSeat(Row row) const;

    // The seat of display seat 1 or 2; an empty seat for any other number.
    const SeatState& seat(int displaySeatNumber) const;
    // The name a display seat shows: the player's, the computer's, or "<Waiting>".
    QString seatName(int displaySeatNumber) const;
    // Nobody ever sat in the display seat since it was last left empty.
    bool seatWaiting(int displaySeatNumber) const;
    // Whether `seat` (as the host numbers it) is this window's seat.
    bool isOwn(int seat) const { return seat != 0 && seat == m_state.ownSeat; }
    // Whether a display seat is the one this window's player sits in (never for a spectator).
    bool isOwnDisplaySeat(int displaySeatNumber) const {
        return m_state.ownSeat >= 1 && m_state.ownSeat <= 3 &&
               displaySeat(m_state.ownSeat) == displaySeatNumber;
    }

    // The letter code of a row's cell or slot (1-based); 0 for empty or out of range.
    int code(Row row, int index) const;
    int boardCode(int displaySeatNumber, int cell) const;
    const Pick& pick() const { return m_state.pick; }
    int turnSeat() const { return m_state.turnSeat; }
    bool isOwnTurn() const { return m_state.turnSeat != 0 && m_state.turnSeat == m_state.ownSeat; }
    int secondsLeft() const { return m_state.secondsLeft; }
    bool clockRunning() const { return m_state.clockRunning; }
    const GameOptions& options() const { return m_state.options; }
    GamePhase phase() const { return m_state.phase; }
    int winner() const { return m_state.winner; }
    const QMap<int, QString>& spectators() const { return m_state.spectators; }

    // --- The host's messages ------------------------------------------------------------------
    void sendlogininfo(const msg::SendLoginInfo& m);
    void yourseat(const msg::YourSeat& m);
    void newplayerinfo(const msg::NewPlayerInfo& m);
    void existingplayers(const msg::ExistingPlayers& m);
    void playerdisconnected(const msg::PlayerDisconnected& m);
    void justwatching(const msg::JustWatching& m);
    void giving3(const msg::Giving3& m);
    void giveback(const msg::GiveBack& m);
    void startgame(const msg::StartGame& m);
    void letters(const msg::Letters& m);
    void newletter(const msg::NewLetter& m);
    void nextplayer(const msg::NextPlayer& m);
    void placemyletter(const msg::PlaceMyLetter& m);
    void discardextra(const msg::DiscardExtra& m);
    void discardletter(const msg::DiscardLetter& m);
    void tradingmyletter(const msg::TradingMyLetter& m);
    void stoldletter(const msg::StoldLetter& m);
    void notvalid(const msg::NotValid& m);
    void toomany(const msg::TooMany& m);
    void formedword(const msg::FormedWord& m);
    void timeup(const msg::TimeUp& m);
    void gamestats(const msg::GameStats& m);
    void earlierword(const msg::EarlierWord& m);
    void turnstate(const msg::TurnState& m);
    void winner(const msg::Winner& m);

    // --- What the window itself does ----------------------------------------------------------
    // A hand slot or an opponent's cell clicked: picks it, or puts it back when it was picked.
    void pickHandLetter(int slot);
    void pickOpponentLetter(int cell);
    // An own board cell clicked: completes the move the pick began and answers the request for the
    // host (empty when the click only picked the cell). The seat sent is the own seat.
    QByteArray chooseOwnCell(int cell);
    void clearPick();
    // The word the own board would spell with the opponent's letter at `fromCell` put into own
    // `toCell`, if the own seat has scored it in this game (upper case); else empty.
    QString stealScoredBefore(int fromCell, int toCell) const;
    // One second of the turn's countdown went by.
    void tickClock();
    // Coming back after a break: the boards, the hand, the scores and the words go, so that only
    // the host's account of them remains.
    void forgetForCatchUp();
    // The table was closed: no turn runs any more and the game is abandoned.
    void tableLeft();
    // The game ended without a winner (player 3 left while holding seat 1's turns).
    void abandonGame();
    // As built: no seat, no game.
    void reset();
    // The table as a kept game's record began (a replay), without a pick.
    void restore(const TableState& state);

Q_SIGNALS:
    // Something of an area changed; the views read the new state from the model.
    void ownSeatChanged();
    void seatsChanged();
    void spectatorsChanged();
    void rowChanged(quibo::Row row);
    void pickChanged();
    void turnChanged();
    void clockChanged();
    void optionsChanged();
    void phaseChanged();

    // What happened, for the views that tell it (the chat's game lines, sounds), emitted after the
    // state took it in. letterRemoved carries the code the cell held, handLetterThrown the code the
    // hand slot held (0 in another seat's window).
    void seatArrived(int seat, const QString& name, bool existing);
    void seatLeft(int seat, const QString& name);
    void watchingChanged(int seat, bool watching);
    void gameStarted(const quibo::msg::StartGame& m);
    void turnBegan(int seat);
    void turnResumed(int seat);
    // `replaced` is the letter the cell held before, which the placed one took the place of.
    void letterPlaced(const quibo::msg::PlaceMyLetter& m, int replaced);
    void handLetterThrown(const quibo::msg::DiscardExtra& m, int code);
    void letterRemoved(const quibo::msg::DiscardLetter& m, int code);
    void lettersSwapped(const quibo::msg::TradingMyLetter& m);
    void letterStolen(const quibo::msg::StoldLetter& m);
    void wordFormed(const quibo::msg::FormedWord& m);
    void earlierWordKnown(const quibo::msg::EarlierWord& m);
    // The host refused the own steal: the word would not be valid, or no steals are left.
    // alreadyScored is the word the steal would have spelled when the own seat scored it before
    // (upper case), else empty.
    void stealRefused(bool noStealsLeft, const QString& alreadyScored);
    void timeRanOut();
    void scoresKnown();
    void gameWon(int displaySeatNumber);
    // The boards, the hand, the scores and the words were forgotten for a host's catch-up.
    void recordForgotten();

private:
    SeatState* seatOf(int seat);
    int* boardCell(int seat, int cell);
    void seatAnnounced(int seat, const QByteArray& name, bool existing);
    void setPick(Pick pick);
    void startClock();
    void stopClock();
    void addWord(int seat, const QByteArray& word, int points);
    void setStealsLeft(int seat, int stealsLeft);

    TableState m_state;
};

} // namespace quibo
