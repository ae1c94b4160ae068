// SPDX-License-Identifier: MIT
// A BoardContext for board tests: plain fields for the window's state, and a record of everything the
// board sends, writes, plays and tallies.
#pragma once

#include "boardcontext.h"
#include "protocol.h"

#include <QList>
#include <QStringList>

namespace quibo::test {

class RecordingBoardContext : public BoardContext {
public:
    int seat = 1;
    bool connected = true;
    bool host = true;
    bool watching = false;
    QString name = QStringLiteral("Ann");

    QList<QByteArray> sent; // whole messages without their terminator
    QStringList chat;       // chat lines
    QStringList sounds;     // sounds in the order played
    QStringList words;      // "word:points" for every tallied word
    QStringList winners;    // "seat:name" for every tallied winner
    int attentionRequests = 0;

    int mynumber() const override { return seat; }
    bool isconnected() const override { return connected; }
    bool ishost() const override { return host; }
    QString myname() const override { return name; }
    bool justWatching() const override { return watching; }
    void setJustWatching(bool w) override { watching = w; }
    void sendToHost(const QByteArray& whole) override { sent.append(whole.chopped(1)); }
    void addlinetochat(const QString& text, ColorValue) override { chat.append(text); }
    void playsounds(const QString& sound) override { sounds.append(sound); }
    void tallyWord(const QString& word, int points) override {
        words.append(word + QLatin1Char(':') + QString::number(points));
    }
    void tallyWinner(int displaySeat, const QString& winnerName) override {
        winners.append(QString::number(displaySeat) + QLatin1Char(':') + winnerName);
    }
    void requestAttention() override { ++attentionRequests; }

    QByteArray takeSent() { return sent.isEmpty() ? QByteArray() : sent.takeFirst(); }
    void clear() {
        sent.clear();
        chat.clear();
        sounds.clear();
        words.clear();
        winners.clear();
        attentionRequests = 0;
    }
};

} // namespace quibo::test
