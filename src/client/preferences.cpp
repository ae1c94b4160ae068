// SPDX-License-Identifier: MIT
#include "preferences.h"

#include "boardpanel.h"
#include "tchat.h"
#include "tgamestart.h"
#include "tphrases.h"

namespace quibo {
namespace {

// Where the phrase buttons go: under the hand row of the board panel, or at the same place of the
// window when it has no board.
QWidget* phraseParent(Tchat& window)
{
    if (auto* board = window.findChild<BoardPanel*>())
        return board;
    return window.centralWidget() ? window.centralWidget() : &window;
}

QPoint phrasePlace(const QWidget* parent)
{
    const QPoint onBoard(BoardPanel::phraseButtonsLeft, BoardPanel::phraseButtonsTop);
    // The board panel sits at (68, 18) of the window's client area.
    return qobject_cast<const BoardPanel*>(parent) ? onBoard : onBoard + QPoint(68, 18);
}

} // namespace

// The phrase buttons reach the player window through ChatContext.
class Preferences::WindowContext final : public ChatContext {
public:
    explicit WindowContext(Tchat& window) : m_window(window) {}
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
    , m_phrases(phraseParent(window), phrasePlace(phraseParent(window)), *m_context,
                [&window] { return window.actioncolor(); })
    , m_settings(file, window, m_phrases)
    , m_colorMenus(window, [this] { m_settings.saveinifile(); })
    , m_editor(new Tphrases(m_phrases, file, &window))
{
    TchatHooks& hooks = window.hooks();
    hooks.playSound = [this](const QString& name) { m_sounds.playsounds(name); };
    hooks.loadSettings = [this] { m_settings.loadinifile(); };
    hooks.saveSettings = [this] { m_settings.saveinifile(); };
    hooks.chooseTextColor = [this] { m_colorMenus.TextColor1Click(); };
    hooks.chooseActionColor = [this] { m_colorMenus.ActionColor1Click(); };
    hooks.showPhraseEditor = [this] { m_editor->PrhaseList1Click(); };
    setOptionsWindow(window.findChild<Tgamestart*>());
}

Preferences::~Preferences()
{
    TchatHooks& hooks = m_window.hooks();
    for (auto* hook : {&hooks.loadSettings, &hooks.saveSettings, &hooks.chooseTextColor, &hooks.chooseActionColor,
                       &hooks.showPhraseEditor})
        *hook = nullptr;
    hooks.playSound = nullptr;
    delete m_editor;
}

void Preferences::setOptionsWindow(Tgamestart* options)
{
    m_settings.setOptionsWindow(options);
    if (options)
        connect(options, &Tgamestart::settingsChanged, this, &Preferences::saveSettings, Qt::UniqueConnection);
}

} // namespace quibo
