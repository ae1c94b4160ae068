// SPDX-License-Identifier: MIT
// GameLog: what the window tells the player about the game beyond the board itself.
//
// It follows the host's game messages as the board panel hands them on and derives, without asking
// the host anything, the lines that explain what happened out of sight: steals, removed letters,
// thrown-away letters, lost turns and the computer taking over a seat, and, after the player's own
// move, why no word scored. It also keeps the game's record (each seat's words and points, the scores,
// when the game began) for the summary shown when the game is won. Owned by the board panel, which
// hands on the model's events; a removed letter comes with the code the cell held.
#pragma once

#include "colortext.h"
#include "messages.h"

#include <QElapsedTimer>
#include <QList>
#include <QObject>
#include <QString>
#include <QStringList>
#include <array>

namespace quibo {

class TableModel;

// The record of one finished game, by display seat (index 0 = seat 1, index 1 = seat 2).
struct GameSummary {
    struct Word {
        QString word; // lower case, as the host sent it
        int points = 0;
        int seat = 0; // display seat
    };
    std::array<QString, 2> names;
    std::array<int, 2> scores{};
    std::array<QList<Word>, 2> words; // in the order formed
    Word longest;                     // empty when nobody formed a word
    Word best;
    qint64 seconds = 0;
    int winner = 0; // display seat
    int own = 0;    // display seat of this window's player, 0 for a spectator
};

class GameLog : public QObject {
    Q_OBJECT
public:
    // Reads names, the own seat and the own row's letters from the table model.
    explicit GameLog(const TableModel& table);

    void gameStarted();
    void turnBegan(int seat);
    void placed(const msg::PlaceMyLetter& m);
    // `code` is the letter the cell held before the removal.
    void removed(const msg::DiscardLetter& m, int code);
    void thrownAway(const msg::DiscardExtra& m);
    void rearranged(const msg::TradingMyLetter& m);
    void wordFormed(const msg::FormedWord& m);
    void stolen(const msg::StoldLetter& m);
    void timeRanOut();
    void scoresKnown(int score1, int score2);
    // A window joining a running game hears the words formed so far and the turn under way; a
    // window coming back after a break first forgets its own record of them.
    void wordKnown(const msg::EarlierWord& m);
    void turnKnown(int seat);
    void forgetRecord();
    // A player of seat 1 or 2 left; `name` is the name the seat showed.
    void seatLeft(int seat, const QString& name);
    // The game ended without a winner (player 3 left while holding seat 1's turns).
    void abandon();
    // As built: no game, no turn, no words.
    void resetForNextTable();
    // Ends the game won by display seat `winner` and answers its record.
    GameSummary finish(int winner);

    // The own seat's name "You" reads as a person: "You have ...", not "You has ...".
    static bool isYou(const QString& name) { return name == QLatin1String("You"); }

Q_SIGNALS:
    void chatLine(const QString& text, quibo::ColorValue colour);

private:
    QString nameOf(int seat) const;
    bool isMine(int seat) const;
    void say(const QString& text) { Q_EMIT chatLine(text, colorStatus); }
    void explainOwnBoard();
    void closeTurn();

    const TableModel& m_table;
    bool m_running = false;
    int m_turnSeat = 0;           // the seat whose turn runs, 0 before the first turn seen
    bool m_turnSettled = false;   // the turn ended with a board move, a lost turn or a departure
    bool m_checkOwnBoard = false; // the own move may have made a word; none scored yet
    bool m_ownRearranged = false;
    std::array<int, 2> m_scores{};
    QList<GameSummary::Word> m_words; // both seats' words in the order formed
    QStringList m_ownWords;
    QElapsedTimer m_clock;
};

} // namespace quibo
