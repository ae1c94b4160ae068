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
constexpr QPoint phrasesOnBoard(BoardPanel::phraseButtonsLeft, BoardPanel::phraseButtonsTop);

QWidget* clientArea(Tchat& window) {
    return window.centralWidget() ? window.centralWidget() : &window;
}

} // namespace

// The phrase buttons reach the player window through ChatContext.
class Preferences::WindowContext final : public ChatContext {
public:
    explicit WindowContext(Tchat& window)
        : m_window(window) {}
    bool isconnected() const override { return m_window.isconnected(); }
    int mynumber() const override { return m_window.mynumber(); }
    bool canchat() const override { return m_window.canchat(); }
    void setCanchat(bool on) override { m_window.setCanchat(on); }
    void sendToHost(const QByteArray& message) override { m_window.sendToHost(message); }

private:
    Tchat& m_window;
};

Preferences::Preferences(Tchat& window, SettingsFile file, SoundOutput* soundOutput)
    : m_window(window)
    , m_context(std::make_unique<WindowContext>(window))
    , m_ownOutput(soundOutput ? nullptr : std::make_unique<EffectSoundOutput>())
    , m_sounds(soundOutput ? *soundOutput : *m_ownOutput)
    , m_phrases(clientArea(window), boardPlace + phrasesOnBoard, *m_context,
                [&window] { return window.actioncolor(); })
    , m_settings(file, window, m_phrases)
    , m_colorMenus(window, [this] { m_settings.saveinifile(); })
    , m_editor(new Tphrases(m_phrases, file, &window)) {
    TchatHooks& hooks = window.hooks();
    hooks.playSound = [this](const QString& name) { m_sounds.playsounds(name); };
    hooks.loadSettings = [this] { m_settings.loadinifile(); };
    hooks.saveSettings = [this] { m_settings.saveinifile(); };
    hooks.chooseTextColor = [this] { m_colorMenus.TextColor1Click(); };
    hooks.chooseActionColor = [this] { m_colorMenus.ActionColor1Click(); };
    hooks.showPhraseEditor = [this] { m_editor->PrhaseList1Click(); };
    setOptionsWindow(window.findChild<Tgamestart*>());
    setBoard(window.findChild<BoardPanel*>());
}

Preferences::~Preferences() {
    TchatHooks& hooks = m_window.hooks();
    for (auto* hook : {&hooks.loadSettings, &hooks.saveSettings, &hooks.chooseTextColor,
                       &hooks.chooseActionColor, &hooks.showPhraseEditor})
        *hook = nullptr;
    hooks.playSound = nullptr;
    delete m_editor;
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
