// SPDX-License-Identifier: MIT
// Typed messages as the test peers keep them: a received message is a text without its terminator,
// so these turn a typed message into that text and read a text back into its type. Shared by the
// scripted host, the raw client, the table view and the end-to-end games.
#pragma once

#include "messages.h"

#include <QByteArray>
#include <QByteArrayView>
#include <concepts>
#include <optional>

namespace quibo::test {

// A message type of messages.h: it knows its command and encodes itself, terminator included.
template <class M>
concept TypedMessage = requires(const M& message) {
    { message.encode() } -> std::same_as<QByteArray>;
    M::command;
};

// The message as it stands in a receive list: the encoding without its terminator.
template <TypedMessage M>
QByteArray textOf(const M& message) {
    QByteArray bytes = message.encode();
    if (bytes.endsWith(messageTerminator)) bytes.chop(1);
    return bytes;
}

// The typed message a received text holds, or nullopt when the text is another command or does
// not decode.
template <TypedMessage M>
std::optional<M> decodeText(QByteArrayView text) {
    const SplitMessage split = splitMessage(text);
    if (split.command != M::command) return std::nullopt;
    return M::decode(split.args);
}

} // namespace quibo::test
