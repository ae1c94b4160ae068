// SPDX-License-Identifier: MIT
// Connects the host connection's messages to the handlers of the player window and its board.
#pragma once

namespace quibo {

class BoardPanel;
class HostConnection;
class Tchat;

// Every incoming command reaches the handler named after it: the seat and chat messages the player
// window, the game's messages the board panel.
void connectHostMessages(HostConnection& connection, Tchat& window, BoardPanel& board);

} // namespace quibo
