// SPDX-License-Identifier: MIT
#include "passwordmessages.h"

#include "messagefields.h"
#include "protocol.h"

namespace quibo::msg {

QByteArray TablePassword::encode() const {
    return Message(command).field(seat).rest(password).bytes();
}

std::optional<TablePassword> TablePassword::decode(QByteArrayView args) {
    FieldCursor in(args);
    TablePassword m;
    if (!in.seat(m.seat)) return std::nullopt;
    m.password = in.rest();
    return m;
}

QByteArray PasswordNeeded::encode() const {
    return Message(command).field(reason).bytes();
}

std::optional<PasswordNeeded> PasswordNeeded::decode(QByteArrayView args) {
    FieldCursor in(args);
    PasswordNeeded m;
    // A reason this window does not know yet reads as a wrong password: the player is asked again.
    if (!in.number(m.reason)) return std::nullopt;
    if (m.reason != Needed && m.reason != TooManyTries) m.reason = Wrong;
    return m;
}

} // namespace quibo::msg
