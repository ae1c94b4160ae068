// SPDX-License-Identifier: MIT
// Preferences: the player window's personal touches in one place: the settings file, the chat's
// colours and text size with their menu items, the phrase buttons with their editor, and the sounds.
//
// The player window creates one after building its widgets and forwards `loadinifile`,
// `saveinifile`, `playsounds` and "Phrase List" to it; the menu items are connected by their object
// names. Owned by the player window for the life of the program.
#pragma once

#include "chatappearance.h"
#include "clientsettings.h"
#include "gamesounds.h"
#include "phrasebuttons.h"
#include "settingsfile.h"
#include "tphrases.h"

#include <QObject>
#include <QPoint>
#include <QPointer>
#include <memory>

namespace quibo {

struct PreferencesSetup {
    QWidget* chatWindow = nullptr;      // holds mainchat, mychat and the menu items
    QWidget* optionsWindow = nullptr;   // the game options window; may be set later
    QWidget* phraseParent = nullptr;    // where the phrase buttons sit (the board panel)
    QPoint phrasesAt;                   // top left of b_phrase1 within phraseParent
    SoundOutput* soundOutput = nullptr; // null: play through the machine's audio output
};

class Preferences : public QObject {
    Q_OBJECT
public:
    Preferences(const PreferencesSetup& setup, ChatContext& context, SettingsFile file);
    ~Preferences() override;

    // Connects "Play Sounds", "Text Color", "Action Color" and the "Text Size" items.
    void attachMenus() { m_appearance.attachMenus(); }
    void setOptionsWindow(QWidget* optionsWindow) { m_settings.setOptionsWindow(optionsWindow); }

    void loadinifile() { m_settings.loadinifile(); }
    void saveinifile() { m_settings.saveinifile(); }
    void playsounds(const QString& name) { m_sounds.playsounds(name); }
    void PrhaseList1Click() { m_editor->PrhaseList1Click(); }

    // The colours typed chat and actions are sent with.
    ColorValue textColor() const { return m_appearance.textColor(); }
    ColorValue actionColor() const { return m_appearance.actionColor(); }

    ChatAppearance& appearance() { return m_appearance; }
    PhraseButtons& phraseButtons() { return m_phrases; }
    Tphrases& phraseEditor() { return *m_editor; }

private:
    std::unique_ptr<EffectSoundOutput> m_ownOutput;
    ChatAppearance m_appearance;
    PhraseButtons m_phrases;
    ClientSettings m_settings;
    QPointer<Tphrases> m_editor; // a window of the player window, which owns it
    GameSounds m_sounds;
};

} // namespace quibo
