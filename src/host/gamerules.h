// SPDX-License-Identifier: MIT
// GameRules: the game on the host — start, turns, the turn clock, the five moves, word scoring and
// the computer's turns. It owns the game state and keeps it to itself; TServer owns the seat table and
// the connections and hands it the players' decoded moves. It never touches a socket: everything it
// says goes through a RulesOutbox, every random choice comes from the injected Random, and tests drive
// the clock by calling turntimerTimer() directly and set up positions through setUpPosition().
// A player on turn could hold the other's game for ever by rearranging (which stops the clock) and
// then doing nothing: a rearranged turn still times out one full turn time after the last
// rearrangement.
#pragma once

#include "computerlevel.h"
#include "messages.h"
#include "seattable.h"

#include <QByteArray>
#include <QLoggingCategory>
#include <QObject>
#include <QStringList>
#include <QTimer>
#include <array>
#include <chrono>
#include <map>
#include <memory>
#include <optional>

namespace quibo {

Q_DECLARE_LOGGING_CATEGORY(lcGame)

class TDictn;
class ComputerPlayer;
class AnagramIndex;
struct LeaveTable;

class GameRules : public QObject {
    Q_OBJECT
public:
    // Turn timer tags.
    static constexpr int humanTurn = 1;
    static constexpr int computerTurn = 2;

    // One seat's part of a Position; a field left empty keeps its value.
    struct SeatPosition {
        std::optional<Hand> hand{};
        std::optional<Board> board{};
        std::optional<int> score{};
        std::optional<int> stealsused{};
        std::optional<bool> watching{};
        std::optional<QStringList> words{}; // the words the seat has formed this game
    };

    // A position of the game, as tests set one up: a board halfway through a game, seat 3 holding
    // seat 1's turns, a clock left running. This is the tests' one way into the game's state; the
    // program itself only ever gets there by playing. A field left empty keeps its value.
    struct Position {
        std::optional<bool> gamerunning{};
        std::optional<int> currentseat{};
        std::optional<bool> handover{};
        std::optional<int> turntime{};
        std::optional<int> targetscore{};
        std::optional<int> stealsallowed{};
        std::optional<ComputerLevel> level{};
        std::optional<bool> clockRunning{};  // starts or stops the turn clock, its tag and ticks kept
        std::map<int, SeatPosition> seats{}; // playing seats, 1 to 3
    };

    // spell may be null (every word rejected). listboxWords is the computer's candidate list.
    GameRules(SeatTable& seats, RulesOutbox& outbox, Random& random, const TDictn* spell,
              QStringList listboxWords, QObject* parent = nullptr);
    ~GameRules() override;

    // Message handlers, also called by the computer opponent with the fields a window would send.
    // A move is taken only from the seat to move and only for a slot and cells that exist.
    void startgame(const msg::StartGame& start);
    void placemyletter(const msg::PlaceMyLetterRequest& move);
    void discardextra(const msg::DiscardExtra& move);
    void discardletter(const msg::DiscardLetter& move);
    void tradingmyletter(const msg::TradingMyLetterRequest& move);
    // Answers whether the steal stood (it made a new word at once).
    bool stealinghisletter(const msg::StealingHisLetter& move);

    void findplayer();
    bool checkforwin();
    bool checkword(int seat);
    void turntimerTimer();
    void computerplay(int seat);

    // Brings a connection that just logged in during a game up to date (letters for a player,
    // both boards, "CMD_gamestats", the words formed so far and the turn under way for everyone).
    void sendCatchUp(int seat);
    // The turn under way as a joining window is told it.
    msg::TurnState turnState() const;
    // A seat's owner started just watching: if it is that seat's turn, the computer moves at the
    // next clock tick.
    void watchStarted(int seat);
    // Seat 1 hands its turns to seat 3 (who must be seated): from the next start or turn on, seats 2
    // and 3 play.
    void startHandover();
    // A seat's connection ended and its record was freed. Seat 3 leaving while it held seat 1's
    // turns gives seat 1 its name back and ends the game. Otherwise the turn passes on if it was that
    // seat's, except seat 1's, which runs on to its time-out.
    void seatLeft(int seat);

    // The level of games started without one (a window that does not know levels, or leaves
    // Normal); the table's default, normal unless the host was told otherwise.
    void setDefaultLevel(ComputerLevel level) { m_defaultLevel = level; }
    // The expert computer's words (shared by the host's games; built at its first move otherwise)
    // and how long it may think a move, at most, and how many opponent hands it samples.
    void shareWordIndex(std::shared_ptr<const AnagramIndex> index);
    void setExpertThinking(std::chrono::milliseconds time, int samples);
    // The expert's values of kept letters (the learned table unless told otherwise; for self-play).
    void setExpertLeaves(const LeaveTable& leaves);
    // The computer's level in the current (or last) game.
    ComputerLevel level() const { return m_level; }
    // Points a word of these letters scores: the sum of their worths, times the length bonus.
    static int wordPoints(QByteArrayView letters);

    // No game, no clock, no words formed, as when built (TServer::resetTable).
    void resetGame();

    // The tests' seam: puts the game into the given position (see Position).
    void setUpPosition(const Position& position);

    // Game state, read-only.
    bool gamerunning() const { return m_gamerunning; }
    int currentseat() const { return m_currentseat; }
    int turntime() const { return m_turntime; }
    int targetscore() const { return m_targetscore; }
    int stealsallowed() const { return m_stealsallowed; }
    bool handover() const { return m_handover; }
    int turnticks() const { return m_turnticks; }
    int turntimerTag() const { return m_turntimerTag; }
    const QTimer& turntimer() const { return m_turntimer; }
    // Whether the players' clock counts down: not while a rearrangement holds it, although the
    // timer then still runs towards the turn's end.
    bool clockRunning() const { return m_turntimer.isActive() && !m_clockStopped; }
    // The words a playing seat (1 to 3) has formed this game.
    const QStringList& listbox(int seat) const { return m_listbox[std::size_t(seat)]; }

    const QStringList& listboxWords() const { return m_listboxWords; }
    int lastwordindex() const { return int(m_listboxWords.size()) - 1; }

    // The seat a steal by this seat robs: seat 2 for seats 1 and 3; for seat 2, seat 3 while it
    // holds seat 1's turns, otherwise seat 1.
    int victimOf(int seat) const;
    // Steals the seat may still make this game, as "CMD_nextplayer" reports them.
    qint64 stealsLeft(int seat) const;
    // Whether a move's fields name a playing seat, a hand slot and board cells that exist.
    static bool isPlayingSeat(int seat) { return seat >= 1 && seat <= 3; }
    static bool isHandSlot(int slot) { return slot >= 1 && slot <= handSlots; }
    static bool isBoardCell(int cell) { return cell >= 1 && cell <= boardCells; }

private:
    void dealHand(int seat);
    void sendHand(int seat);
    void advanceSeat();
    void giveNewLetter();
    void armTurnClock();
    void holdClockAfterRearrangement();
    void endHandover();
    void setUpSeat(int seat, const SeatPosition& position);
    bool acceptsMove(const char* move, int seat) const;

    SeatTable& m_seats;
    RulesOutbox& m_outbox;
    Random& m_random;
    const TDictn* m_spell;
    QStringList m_listboxWords;
    std::unique_ptr<ComputerPlayer> m_computer;

    bool m_gamerunning = false;
    int m_currentseat = 0;
    int m_turntime = 0;
    int m_targetscore = 0;
    int m_stealsallowed = 0;
    ComputerLevel m_level = ComputerLevel::Normal;
    ComputerLevel m_defaultLevel = ComputerLevel::Normal;
    int m_turnticks = 0;
    int m_turnElapsed = 0;       // clock ticks the turn's clock has counted since the turn opened
    bool m_clockStopped = false; // a rearrangement stopped the clock; the turn ends a turn time later
    bool m_handover = false;
    QTimer m_turntimer; // 1 s; its tag says what expiry means
    int m_turntimerTag = humanTurn;
    std::array<QStringList, 4> m_listbox{}; // [1..3]: words seats 1 to 3 formed this game
};

} // namespace quibo
