// SPDX-License-Identifier: MIT
// BoardContext: what the board panel needs from the player window it sits in.
//
// The player window (Tchat) owns the seat number, the connection, the "Just Watch" tick, the chat
// pane, the sounds and the tally; the board panel reaches them only through this interface, so the
// board can be driven on its own in tests.
#pragma once

#include "colortext.h"

#include <QByteArray>
#include <QString>

namespace quibo {

class BoardContext {
public:
    virtual ~BoardContext() = default;

    // Own seat: 1 or 2 for the players, 3 for player 3, higher for spectators; 0 before login.
    virtual int mynumber() const = 0;
    // The host has assigned the own seat; no game command is sent before.
    virtual bool isconnected() const = 0;
    // This copy runs the host (or was given seat 1 by a remote one).
    virtual bool ishost() const = 0;
    // The name this copy was started with ("You" in a solo game).
    virtual QString myname() const = 0;
    // The "Just Watch" tick of the Options menu; while ticked tile clicks do nothing.
    virtual bool justWatching() const = 0;
    virtual void setJustWatching(bool watching) = 0;

    // Sends one whole message (terminator included) on the connection to the host.
    virtual void sendToHost(const QByteArray& wholeMessage) = 0;
    virtual void addlinetochat(const QString& text, ColorValue color) = 0;
    virtual void playsounds(const QString& name) = 0;

    // A word the host confirmed as formed by the local player, with its points.
    virtual void tallyWord(const QString& word, int points) = 0;
    // The game was won by the given display seat (1 or 2) whose name label reads winnerName. Called in
    // every window; the window decides whether and how the game is tallied.
    virtual void tallyWinner(int displaySeat, const QString& winnerName) = 0;
    // The turn passed to the local player while the window is not the active one: ask the desktop to
    // draw the player's attention to it.
    virtual void requestAttention() = 0;
};

} // namespace quibo
