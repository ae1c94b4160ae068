// SPDX-License-Identifier: MIT
// The command names of the game's text protocol, defined once for both sides.
#pragma once

#include <QtGlobal>

namespace quibo::cmd {

// Player window to host, in the host's dispatch order.
inline constexpr char logininfo[] = "CMD_logininfo";
inline constexpr char kickhim[] = "CMD_kickhim";
inline constexpr char chat[] = "CMD_chat";
inline constexpr char action[] = "CMD_action";
inline constexpr char justwatch[] = "CMD_justwatch";
inline constexpr char startgame[] = "CMD_startgame";
inline constexpr char placemyletter[] = "CMD_placemyletter";
inline constexpr char discardextra[] = "CMD_discardextra";
inline constexpr char tradingmyletter[] = "CMD_tradingmyletter";
inline constexpr char stealinghisletter[] = "CMD_stealinghisletter";
inline constexpr char discardletter[] = "CMD_discardletter";
inline constexpr char give3[] = "CMD_give3";

// Host to player window (chat, action, startgame, placemyletter, discardextra, discardletter and
// tradingmyletter travel both ways under the names above).
inline constexpr char sendlogininfo[] = "CMD_sendlogininfo";
inline constexpr char newplayerinfo[] = "CMD_newplayerinfo";
inline constexpr char havewrongversion[] = "CMD_havewrongversion";
inline constexpr char wrongversion[] = "CMD_wrongversion";
inline constexpr char existingplayers[] = "CMD_existingplayers";
inline constexpr char playerdisconnected[] = "CMD_playerdisconnected";
inline constexpr char justwatching[] = "CMD_justwatching";
inline constexpr char nextplayer[] = "CMD_nextplayer";
inline constexpr char winner[] = "CMD_winner";
inline constexpr char full[] = "CMD_full";
inline constexpr char letters[] = "CMD_letters";
inline constexpr char newletter[] = "CMD_newletter";
inline constexpr char notvalid[] = "CMD_notvalid";
inline constexpr char formedword[] = "CMD_formedword";
inline constexpr char stoldletter[] = "CMD_stoldletter";
inline constexpr char timeup[] = "CMD_timeup";
inline constexpr char gamestats[] = "CMD_gamestats";
inline constexpr char toomany[] = "CMD_toomany";
inline constexpr char giving3[] = "CMD_giving3";
inline constexpr char giveback[] = "CMD_giveback";
inline constexpr char cantgive[] = "CMD_cantgive";
// Added after the first version: windows that do not know it ignore it.
inline constexpr char chattoofast[] = "CMD_chattoofast";
// Added later; a window that does not know them ignores them.
inline constexpr char seatkey[] = "CMD_seatkey";
inline constexpr char yourseat[] = "CMD_yourseat";
inline constexpr char earlierword[] = "CMD_earlierword";
inline constexpr char turnstate[] = "CMD_turnstate";
inline constexpr char tableclosed[] = "CMD_tableclosed";
// Private tables; a peer that does not know them ignores them.
inline constexpr char tablepassword[] = "CMD_tablepassword";
inline constexpr char passwordneeded[] = "CMD_passwordneeded";

} // namespace quibo::cmd

namespace quibo {

// The version every copy sends at login; the host compares it with its own.
inline constexpr char programVersion[] = "1.0.2";

// The port the host listens on unless told otherwise.
inline constexpr quint16 defaultGamePort = 7772;

} // namespace quibo
