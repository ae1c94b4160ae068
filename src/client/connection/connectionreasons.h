// SPDX-License-Identifier: MIT
// What a player reads when a connection fails: the reason in plain words, then the socket's code
// for whoever helps them ("nobody is listening at 127.0.0.1 port 7772: is the table open? Error
// #10061 (WSAECONNREFUSED)"). The socket's reports speak the classic Windows Sockets numbers on
// every platform; a report without a number (a missing greeting) is already plain and stays.
#pragma once

#include <QString>

namespace quibo {

// The plain reason for a socket report such as "Error #10054 (WSAECONNRESET)" of a connection to
// `host` at `port`, followed by the report itself; the report unchanged when it names no number
// the player can be told more about.
QString plainConnectionReason(const QString& socketReport, const QString& host, quint16 port);

} // namespace quibo
