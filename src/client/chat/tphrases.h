// SPDX-License-Identifier: MIT
// Tphrases: the phrase editor window "Quibo - Phrase Buttons".
//
// Nine one-line boxes `phrase1` .. `phrase9` (50 characters at most) and "Done". Opening it copies
// the buttons' phrases into the boxes; "Done" gives the boxes' texts to the buttons, stores them in
// the settings file as "Phrase1" .. "Phrase9" (so they come back at the next start) and hides the
// window. When the file cannot be written the error is shown and the editor stays open. Created with
// the player window and only shown and hidden while the program runs.
#pragma once

#include "settingsfile.h"

#include <QWidget>
#include <array>

class QLineEdit;

namespace quibo {

class PhraseButtons;

class Tphrases : public QWidget {
    Q_OBJECT
public:
    static constexpr int maxPhraseLength = 50;

    Tphrases(PhraseButtons& buttons, SettingsFile file, QWidget* parent = nullptr);

    QLineEdit* box(int number) const { return m_boxes.at(size_t(number - 1)); }

    // "Phrase List": fills the boxes from the buttons and shows the editor (not modal).
    void PrhaseList1Click();
    // "Done".
    void SelButton8Click();

private:
    PhraseButtons& m_buttons;
    SettingsFile m_file;
    std::array<QLineEdit*, 9> m_boxes{};
};

} // namespace quibo
