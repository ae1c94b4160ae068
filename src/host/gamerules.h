// SPDX-License-Identifier: MIT
// GameRules: the game on the host — start, turns, the turn clock, the five moves, word scoring and
// the computer's turns. It owns the game state; TServer owns the seat table and the connections and
// hands it messages. It never touches a socket: everything it says goes through a RulesOutbox, every
// random choice comes from the injected Random, and tests drive the clock by calling
// turntimerTimer() directly.
#pragma once

#include "seattable.h"

#include <QByteArray>
#include <QLoggingCategory>
#include <QObject>
#include <QStringList>
#include <QTimer>
#include <array>
#include <memory>

namespace quibo {

Q_DECLARE_LOGGING_CATEGORY(lcGame)

class TDictn;
class ComputerPlayer;

class GameRules : public QObject {
    Q_OBJECT
public:
    // Turn timer tags.
    static constexpr int humanTurn = 1;
    static constexpr int computerTurn = 2;
    static constexpr int unlimitedSteals = 10000;

    // spell may be null (every word rejected). listboxWords is the computer's candidate list.
    GameRules(SeatTable& seats, RulesOutbox& outbox, Random& random, const TDictn* spell,
              QStringList listboxWords, QObject* parent = nullptr);
    ~GameRules() override;

    // Message handlers: args is the text after "CMD_<name>+". Malformed numbers throw FieldError.
    void startgame(const QByteArray& args);
    void placemyletter(const QByteArray& args);
    void discardextra(const QByteArray& args);
    void discardletter(const QByteArray& args);
    void tradingmyletter(const QByteArray& args);
    void stealinghisletter(const QByteArray& args);

    // The same moves with their fields, as the computer opponent calls them.
    void placemyletter(int seat, int slot, int cell);
    void discardextra(int seat, int slot);
    void discardletter(int seat, int cell);
    void tradingmyletter(int seat, int cellA, int cellB);
    bool stealinghisletter(int seat, int hisCell, int myCell);

    void findplayer();
    bool checkforwin();
    bool checkword(int seat);
    void turntimerTimer();
    void computerplay(int seat);

    // Brings a connection that just logged in during a game up to date (letters for a player,
    // both boards and "CMD_gamestats" for everyone).
    void sendCatchUp(int seat);
    // A seat's owner started just watching: if it is that seat's turn, the computer moves at the
    // next clock tick.
    void watchStarted(int seat);
    // A seat's connection ended: the turn passes on if it was that seat's, except seat 1's, which
    // runs on to its time-out (the clock restarted if a rearrangement had stopped it).
    void seatLeft(int seat);
    // Seat 3 left while it held seat 1's turns: the game is over.
    void handoverEnded();

    // Game state.
    bool gamerunning = false;
    int currentseat = 0;
    int turntime = 0;
    int targetscore = 0;
    int stealsallowed = 0;
    int turnticks = 0;
    bool handover = false;
    QTimer turntimer; // 1 s; its tag says what expiry means
    int turntimerTag = humanTurn;
    std::array<QStringList, 4> listbox{}; // listbox[1..3]: words seats 1 to 3 formed this game

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
    bool acceptsMove(const char* move, int seat) const;

    SeatTable& m_seats;
    RulesOutbox& m_outbox;
    Random& m_random;
    const TDictn* m_spell;
    QStringList m_listboxWords;
    std::unique_ptr<ComputerPlayer> m_computer;
};

} // namespace quibo
