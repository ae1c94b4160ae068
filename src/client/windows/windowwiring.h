// SPDX-License-Identifier: MIT
// Where the player window is put together: its parts and the windows attached to it are connected
// here, by signals and slots, and nowhere else.
#pragma once

namespace quibo {

class BoardPanel;
class ChatView;
class HostConnection;
class RecordKeeping;
class ReplayOpener;
class MeaningTips;
class Preferences;
class Tchat;
class Tspylist;
class Ttallylist;

// Every incoming command reaches the handlers registered for it, one line each: first the table
// model's (which the board and the game log follow), then the chat's; the player window registers
// its own for what the chat tells of seats and the connection. Called by the player window as it
// builds itself.
void connectHostMessages(HostConnection& connection, Tchat& window);

// The window's games are written into records, through its connection and each it makes later; the
// window owns the keeping from now on. With an opener, each game kept is analysed and the end-of-game
// summary lists the turns the player missed most.
void keepGameRecords(Tchat& window, RecordKeeping& keeping, ReplayOpener* analyst = nullptr);

// The board's requests (moves and game starts for the host, chat lines, sounds, the tally, the
// player's attention, the end of just-watching, giving the turn to seat 3) reach the player window.
void connectBoard(Tchat& window, BoardPanel& board);

// The chat's messages for the host go through the window; it hears the relayed chat and action
// lines and counts its flood guard on the connection's queue timer.
void connectChat(Tchat& window, ChatView& chat, HostConnection& connection);

// The window's requests for sounds, settings, colour dialogs and the phrase editor reach the
// preferences, and the phrase buttons' choices the chat. Qt disconnects them when either goes.
void connectPreferences(Tchat& window, Preferences& preferences);

// Attaches the spectator list (removing a spectator) and the tally window (View > "View Tally",
// the words and games it records, the seats it reads) and the preferences to the player window. Any
// of them may be null.
void assembleWindows(Tchat& window, Tspylist* spylist, Ttallylist* tally, Preferences* preferences = nullptr);

// Words show their meanings: in "Your Words", in the game summary's word lists and its missed words,
// over the chat's "formed" lines, and through "/define" in the chat.
void showMeanings(Tchat& window, MeaningTips& tips);

} // namespace quibo
