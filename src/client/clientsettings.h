// SPDX-License-Identifier: MIT
// ClientSettings: loads the player's preferences from the settings file into the windows
// (`loadinifile`) and saves what the player can change (`saveinifile`).
//
// Loading applies, in this order: the chat text size (and a check mark on the matching "Text Size"
// item), the text and action colours, the nine phrases, the sound switch, the three game options
// and "Unlimited Steals". Saving writes the size, the colours, the options' current texts, the
// unlimited flag and the sound switch; a failed write is shown in the error box and ends the save,
// except for the colours, whose failures pass silently. Widgets are found by object name in the
// player window and in the game options window. Owned by the player window's preferences.
#pragma once

#include "settingsfile.h"

#include <QPointer>

class QWidget;

namespace quibo {

class ChatAppearance;
class PhraseButtons;

class ClientSettings {
public:
    ClientSettings(SettingsFile file, QWidget* chatWindow, ChatAppearance& appearance,
                   PhraseButtons& phrases);

    void setOptionsWindow(QWidget* optionsWindow) { m_optionsWindow = optionsWindow; }
    const SettingsFile& file() const { return m_file; }

    void loadinifile();
    void saveinifile();

private:
    void loadTextSize();
    void loadColors();
    void loadPhrases();
    void loadSoundSwitch();
    void loadOption(const char* key, const char* defaultText, const char* editName, const char* spinName);
    void loadUnlimited();

    SettingsFile m_file;
    QPointer<QWidget> m_chatWindow;
    QPointer<QWidget> m_optionsWindow;
    ChatAppearance& m_appearance;
    PhraseButtons& m_phrases;
};

} // namespace quibo
