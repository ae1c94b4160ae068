// SPDX-License-Identifier: MIT
// Test helper: a RulesOutbox that records every message with the seat it went to.
#pragma once

#include "seattable.h"

#include <QByteArray>
#include <QList>

namespace quibo::test {

class RecordingOutbox : public RulesOutbox {
public:
    struct Sent {
        int seat;
        QByteArray text; // without the terminator
    };

    void sendToSeat(int seat, const QByteArray& message) override {
        if (!message.endsWith('\xFF')) ++unterminated;
        sent.append(Sent{seat, message.endsWith('\xFF') ? message.chopped(1) : message});
    }

    // The texts one seat received, in order.
    QList<QByteArray> to(int seat) const {
        QList<QByteArray> texts;
        for (const Sent& s : sent) {
            if (s.seat == seat) texts << s.text;
        }
        return texts;
    }

    // The texts one seat received whose command is the given one ("CMD_x").
    QList<QByteArray> to(int seat, const char* command) const {
        QList<QByteArray> texts;
        const QByteArray prefix = QByteArray(command) + '+';
        for (const QByteArray& text : to(seat)) {
            if (text.startsWith(prefix)) texts << text;
        }
        return texts;
    }

    void clear() { sent.clear(); }

    QList<Sent> sent;
    int unterminated = 0;
};

} // namespace quibo::test
