// SPDX-License-Identifier: MIT
// TchatHooks: the places where the player window hands work to parts of the program that are
// attached from outside (sounds, the settings file, the phrase editor, the tally window).
//
// Owned by Tchat; whoever builds the program assigns the members once after creating the windows.
// An unassigned hook does nothing, so the player window works on its own in tests.
#pragma once

#include <QString>
#include <functional>

namespace quibo {

struct TchatHooks {
    // Plays the named sound ("entered", "gameover", ...). Tchat calls it only while "Play Sounds"
    // is ticked.
    std::function<void(const QString& name)> playSound;

    // Reads the settings file and applies it to the windows (on the own arrival).
    std::function<void()> loadSettings;
    // Writes the player's changeable settings (after "Play Sounds" or a text size is chosen).
    std::function<void()> saveSettings;

    // Options > "Text Color" and "Action Color": pick and store the colour (Tchat::settextcolor,
    // Tchat::setactioncolor), then save.
    std::function<void()> chooseTextColor;
    std::function<void()> chooseActionColor;

    // View > "Phrase List": fill and show the phrase editor.
    std::function<void()> showPhraseEditor;

    // View > "View Tally": reload the followed-opponent list and show the tally window.
    std::function<void()> showTally;
    // A word the local player formed, with its points, and a winner announced (display seat 1 or 2
    // and the name its label shows), for the tally of followed opponents.
    std::function<void(const QString& word, int points)> tallyWord;
    std::function<void(int displaySeat, const QString& winnerName)> tallyWinner;
};

} // namespace quibo
