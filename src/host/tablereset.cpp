// SPDX-License-Identifier: MIT
// A host brought back to the state it was built in, for a program that plays many short sessions on
// one host (the fuzzer, which would otherwise spend its time building hosts). What is made once from
// the configuration stays: the dictionary, the computer's prepared candidates, the dispatch table, the
// listener and the timers' wiring. Everything a connection or a game can change goes.
//
// Whoever gives TServer or GameRules a new member that a session can change resets it here too; the
// reset test plays the same session on a fresh host and on a reset one and compares what they send.
#include "gamerules.h"
#include "tserver.h"

#include <QCoreApplication>

namespace quibo {

void TServer::resetTable() {
    // The connections go quietly, as in the destructor: a reset announces no departures.
    for (auto& [origin, connection] : m_connections) {
        connection.sock->disconnectEvents();
        delete connection.sock;
    }
    m_connections.clear();
    m_door.forgetTries();
    // Work the last session left posted (a connection to close later) would reach the next one.
    QCoreApplication::removePostedEvents(this);
    m_players = SeatTable{};
    for (int seat = 1; seat <= 2; ++seat)
        m_holds.forget(seat);
    m_chatRates.assign(m_chatRates.size(), ChatRate(m_config.chatBurst, m_config.chatLinesPerSecond));
    m_receivedlist = FairQueue(m_config.maxQueuedPerConnection);
    m_socktimer.stop();
    m_queuePaused = false;
    m_random.setSeed(m_config.seed ? *m_config.seed : Random::clockSeed());
    m_rules.resetGame();
    m_newseat = 0;
    m_nextOrigin = 1;
    m_senderSeat = 0;
    m_gameWasRunning = false;
}

void GameRules::resetGame() {
    m_turntimer.stop();
    QCoreApplication::removePostedEvents(this);
    m_gamerunning = false;
    m_currentseat = 0;
    m_turntime = 0;
    m_targetscore = 0;
    m_stealsallowed = 0;
    m_level = ComputerLevel::Normal;
    m_turnticks = 0;
    m_turnElapsed = 0;
    m_clockStopped = false;
    m_handover = false;
    m_turntimerTag = humanTurn;
    for (QStringList& words : m_listbox)
        words.clear();
}

} // namespace quibo
