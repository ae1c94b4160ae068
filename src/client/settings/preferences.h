// SPDX-License-Identifier: MIT
// settings/: the player's settings file, colours, phrase buttons' texts and sounds.
//
// Preferences: the player window's personal touches in one place: the settings file, the colour
// menu items, the phrase buttons with their editor, and the sounds.
//
// Created once after the player window (and its board, when there is one); its slots answer the
// window's requests for sounds, settings, the colour dialogs and "Phrase List" (connected by
// connectPreferences), it places the phrase buttons on the
// board panel and saves the settings when the options window starts a game. Owned by whoever owns
// the player window, and destroyed before it.
#pragma once

#include "clientsettings.h"
#include "colormenus.h"
#include "gamesounds.h"
#include "phrasebuttons.h"
#include "settingsfile.h"
#include "soundmodule.h"
#include "tphrases.h"

#include <QObject>
#include <QPointer>
#include <memory>

namespace quibo {

class BoardPanel;
class Tchat;
class Tgamestart;

class Preferences : public QObject {
    Q_OBJECT
public:
    // soundOutput null: play through the machine's audio output, by the sound module.
    Preferences(Tchat& window, SettingsFile file, SoundOutput* soundOutput = nullptr);
    ~Preferences() override;

    // The board panel, found in the player window when it already exists: the phrase buttons move
    // onto it, under the hand row, and its game options window is loaded and saved.
    void setBoard(BoardPanel* board);
    void setOptionsWindow(Tgamestart* options);

    ClientSettings& settings() { return m_settings; }
    ColorMenus& colorMenus() { return m_colorMenus; }
    PhraseButtons& phraseButtons() { return m_phrases; }
    Tphrases& phraseEditor() { return *m_editor; }
    GameSounds& sounds() { return m_sounds; }

    // The player window's requests.
    void playsounds(const QString& name);
    void loadSettings();
    void saveSettings() { m_settings.saveinifile(); }
    void chooseTextColor();
    void chooseActionColor();
    void showPhraseEditor();

private:
    std::unique_ptr<ModuleSoundOutput> m_ownOutput;
    GameSounds m_sounds;
    PhraseButtons m_phrases;
    ClientSettings m_settings;
    ColorMenus m_colorMenus;
    QPointer<Tphrases> m_editor; // a window of the player window, which also owns it
};

} // namespace quibo
