// SPDX-License-Identifier: MIT
// ClientSettings: loads the player's preferences from the settings file into the windows
// (`loadinifile`) and saves what the player can change (`saveinifile`).
//
// Loading applies, in this order: the chat text size (and a check mark on the matching "Text Size"
// item), the text and action colours, the nine phrases, the sound switch, whether chat lines show
// their time, the three game options, "Unlimited Steals" and the computer's level. Saving writes the
// size, the colours, the options' current texts, the unlimited flag, the level, the sound switch and
// the chat times; a failed write is shown in the
// error box and ends the save, except for the colours, whose failures pass silently. Owned by the player
// window's preferences.
#pragma once

#include "settingsfile.h"

#include <QPointer>

namespace quibo {

class PhraseButtons;
class Tchat;
class Tgamestart;

class ClientSettings {
public:
    ClientSettings(SettingsFile file, Tchat& window, PhraseButtons& phrases);

    // The game options window, whose fields are loaded and saved; none until the board exists.
    void setOptionsWindow(Tgamestart* options);
    const SettingsFile& file() const { return m_file; }

    void loadinifile();
    void saveinifile();

private:
    void loadTextSize();
    void loadColors();
    void loadPhrases();
    void loadSoundSwitch();
    void loadChatTimes();
    void loadOptions();
    void loadUnlimited();
    void loadComputerLevel();

    SettingsFile m_file;
    Tchat& m_window;
    PhraseButtons& m_phrases;
    QPointer<Tgamestart> m_options;
};

} // namespace quibo
