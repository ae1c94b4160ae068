// SPDX-License-Identifier: MIT
#include "gamerules.h"

#include "tdictn.h"

namespace quibo {

Q_LOGGING_CATEGORY(lcGame, "quibo.game")

GameRules::GameRules(SeatTable& seats, RulesOutbox& outbox, Random& random, const TDictn* spell,
                     QStringList listboxWords, QObject* parent)
    : QObject(parent)
    , m_seats(seats)
    , m_outbox(outbox)
    , m_random(random)
    , m_spell(spell)
    , m_listboxWords(std::move(listboxWords))
{
    turntimer.setInterval(1000);
    connect(&turntimer, &QTimer::timeout, this, &GameRules::turntimerTimer);
}

// The game itself is still to come; these are the hooks TServer calls.
void GameRules::startgame(const QByteArray&) {}
void GameRules::placemyletter(const QByteArray&) {}
void GameRules::discardextra(const QByteArray&) {}
void GameRules::discardletter(const QByteArray&) {}
void GameRules::tradingmyletter(const QByteArray&) {}
void GameRules::stealinghisletter(const QByteArray&) {}
void GameRules::placemyletter(int, int, int) {}
void GameRules::discardextra(int, int) {}
void GameRules::discardletter(int, int) {}
void GameRules::tradingmyletter(int, int, int) {}
bool GameRules::stealinghisletter(int, int, int) { return false; }
void GameRules::findplayer() {}
bool GameRules::checkforwin() { return false; }
bool GameRules::checkword(int) { return false; }
void GameRules::turntimerTimer() {}
void GameRules::computerplay(int) {}
void GameRules::sendCatchUp(int) {}
void GameRules::watchStarted(int) {}
void GameRules::seatLeft(int) {}
void GameRules::handoverEnded() {}

} // namespace quibo
