// SPDX-License-Identifier: MIT
// FairQueue: the host's receive queue. Every connection has its own first-in-first-out line of
// message texts with a fixed bound, and messages are taken from the connections in turn, so one
// connection that sends faster than the host handles messages can neither use up the host's memory
// nor hold back the messages of the other seats. Owned by TServer.
#pragma once

#include "protocol.h"

#include <QByteArray>
#include <deque>
#include <map>
#include <optional>

namespace quibo {

class FairQueue {
public:
    explicit FairQueue(qsizetype limitPerOrigin)
        : m_limit(limitPerOrigin) {}

    // Appends a message of one connection; answers false, and keeps nothing, when that connection
    // already has limitPerOrigin messages waiting.
    bool push(quint64 origin, QByteArray text);
    // The oldest waiting message of the next connection in turn, with the time it was pushed; connections
    // take turns in the order in which they last became non-empty.
    std::optional<QueuedMessage> takeNext();
    // Drops every message still waiting from one connection (it has ended).
    void removeOrigin(quint64 origin);

    qsizetype size() const { return m_size; }
    qsizetype countFrom(quint64 origin) const;
    bool isEmpty() const { return m_size == 0; }
    qsizetype limitPerOrigin() const { return m_limit; }

private:
    qsizetype m_limit;
    qsizetype m_size = 0;
    std::map<quint64, std::deque<QueuedMessage>> m_lines;
    std::deque<quint64> m_turns; // connections with waiting messages, next one first
};

} // namespace quibo
