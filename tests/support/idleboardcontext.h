// SPDX-License-Identifier: MIT
// IdleBoardContext: a board context for tests that build the board panel or the options window
// without playing: it is seated and hosting, and drops whatever the board would send or show.
#pragma once

#include "boardcontext.h"

namespace quibo::test {

class IdleBoardContext : public BoardContext {
public:
    int mynumber() const override { return 1; }
    bool isconnected() const override { return true; }
    bool ishost() const override { return true; }
    QString myname() const override { return QStringLiteral("Ann"); }
    bool justWatching() const override { return false; }
    void setJustWatching(bool) override {}
    void sendToHost(const QByteArray&) override {}
    void addlinetochat(const QString&, ColorValue) override {}
    void playsounds(const QString&) override {}
    void tallyWord(const QString&, int) override {}
    void tallyWinner(int, const QString&) override {}
    void requestAttention() override {}
};

} // namespace quibo::test
