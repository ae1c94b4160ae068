// SPDX-License-Identifier: MIT
// BoardRecorder, for board tests: stands in for the player window around a board panel (or a game
// options window). It keeps the board's view of the seat (seat, connected, host, watching, name) and
// records everything the board asks of the window.
#pragma once

#include "boardpanel.h"
#include "tgamestart.h"

#include <QByteArray>
#include <QList>
#include <QObject>
#include <QPointer>
#include <QStringList>

namespace quibo::test {

class BoardRecorder : public QObject {
public:
    bool watching = false;

    QList<QByteArray> sent; // whole messages without their terminator
    QStringList chat;       // chat lines
    QStringList sounds;     // sounds in the order played
    QStringList words;      // "word:points" for every tallied word
    QStringList winners;    // "seat:name" for every tallied winner
    int attentionRequests = 0;

    // Seat 1, connected, hosting, not watching, named "Ann".
    void attach(BoardPanel& board) {
        m_board = &board;
        connect(&board, &BoardPanel::sendRequested, this, &BoardRecorder::record);
        connect(&board, &BoardPanel::chatLine, this,
                [this](const QString& text, ColorValue) { chat.append(text); });
        connect(&board, &BoardPanel::soundRequested, this,
                [this](const QString& sound) { sounds.append(sound); });
        connect(&board, &BoardPanel::wordFormed, this, [this](const QString& word, int points) {
            words.append(word + QLatin1Char(':') + QString::number(points));
        });
        connect(&board, &BoardPanel::gameWon, this, [this](int displaySeat, const QString& winnerName) {
            winners.append(QString::number(displaySeat) + QLatin1Char(':') + winnerName);
        });
        connect(&board, &BoardPanel::attentionWanted, this, [this] { ++attentionRequests; });
        connect(&board, &BoardPanel::justWatchingEnded, this, [this] { setWatching(false); });
        setSeat(1);
        setConnected(true);
        setHost(true);
        setWatching(false);
        board.setMyname(QStringLiteral("Ann"));
    }
    void attach(Tgamestart& options) {
        connect(&options, &Tgamestart::sendRequested, this, &BoardRecorder::record);
        options.setStarterName(QStringLiteral("Ann"));
    }

    void setSeat(int seat) { m_board->model().sendlogininfo({seat}); }
    void setConnected(bool connected) { m_board->setConnected(connected); }
    void setHost(bool host) { m_board->setHosting(host); }
    void setWatching(bool on) {
        watching = on;
        m_board->setJustWatching(on);
    }

    QByteArray takeSent() { return sent.isEmpty() ? QByteArray() : sent.takeFirst(); }
    void clear() {
        sent.clear();
        chat.clear();
        sounds.clear();
        words.clear();
        winners.clear();
        attentionRequests = 0;
    }

private:
    void record(const QByteArray& whole) { sent.append(whole.chopped(1)); }

    QPointer<BoardPanel> m_board;
};

} // namespace quibo::test
