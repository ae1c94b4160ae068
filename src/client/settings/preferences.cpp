// SPDX-License-Identifier: MIT
#include "preferences.h"

#include "boardpanel.h"
#include "tchat.h"
#include "tgamestart.h"
#include "tphrases.h"

namespace quibo {
namespace {

// Without a board the phrase buttons wait at the place the board would give them in the window.
constexpr QPoint boardPlace(68, 18);
constexpr QPoint phrasesOnBoard(BoardLayout::phraseButtonsLeft, BoardLayout::phraseButtonsTop);

QWidget* clientArea(Tchat& window) {
    return window.centralWidget() ? window.centralWidget() : &window;
}

} // namespace

Preferences::Preferences(Tchat& window, SettingsFile file, SoundOutput* soundOutput)
    : m_ownOutput(soundOutput ? nullptr : std::make_unique<ModuleSoundOutput>())
    , m_sounds(soundOutput ? *soundOutput : *m_ownOutput)
    , m_phrases(clientArea(window), boardPlace + phrasesOnBoard)
    , m_settings(file, window, m_phrases)
    , m_colorMenus(window)
    , m_editor(new Tphrases(m_phrases, file, &window)) {
    setOptionsWindow(window.findChild<Tgamestart*>());
    setBoard(window.findChild<BoardPanel*>());
}

Preferences::~Preferences() {
    delete m_editor;
}

void Preferences::playsounds(const QString& name) {
    m_sounds.playsounds(name);
}

void Preferences::loadSettings() {
    m_settings.loadinifile();
}

void Preferences::chooseTextColor() {
    if (m_colorMenus.TextColor1Click()) m_settings.saveinifile();
}

void Preferences::chooseActionColor() {
    if (m_colorMenus.ActionColor1Click()) m_settings.saveinifile();
}

void Preferences::showPhraseEditor() {
    m_editor->PrhaseList1Click();
}

void Preferences::setBoard(BoardPanel* board) {
    if (!board) return;
    m_phrases.placeOn(board, phrasesOnBoard);
    setOptionsWindow(board->gamestart());
}

void Preferences::setOptionsWindow(Tgamestart* options) {
    m_settings.setOptionsWindow(options);
    if (options)
        connect(options, &Tgamestart::settingsChanged, this, &Preferences::saveSettings,
                Qt::UniqueConnection);
}

} // namespace quibo
