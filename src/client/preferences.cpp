// SPDX-License-Identifier: MIT
#include "preferences.h"

#include "namedchild.h"

#include <QAction>

namespace quibo {

Preferences::Preferences(const PreferencesSetup& setup, ChatContext& context, SettingsFile file)
    : m_ownOutput(setup.soundOutput ? nullptr : std::make_unique<EffectSoundOutput>())
    , m_appearance(setup.chatWindow, [this] { saveinifile(); })
    , m_phrases(setup.phraseParent, setup.phrasesAt, context, [this] { return m_appearance.actionColor(); })
    , m_settings(file, setup.chatWindow, m_appearance, m_phrases)
    , m_editor(new Tphrases(m_phrases, file, setup.chatWindow))
    , m_sounds(findNamed<QAction>(setup.chatWindow, QStringLiteral("PlaySounds1")),
               setup.soundOutput ? *setup.soundOutput : *m_ownOutput) {
    m_settings.setOptionsWindow(setup.optionsWindow);
    if (auto* item = findNamed<QAction>(setup.chatWindow, QStringLiteral("PrhaseList1")))
        connect(item, &QAction::triggered, this, &Preferences::PrhaseList1Click);
}

Preferences::~Preferences() {
    delete m_editor;
}

} // namespace quibo
