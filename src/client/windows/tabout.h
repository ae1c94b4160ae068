// SPDX-License-Identifier: MIT
// Tabout: the about window (Help > About). Shows the game's name, its version in the label
// "version" (the same text every copy sends at login) and the credits. Owned by the program's
// start-up code, which creates it once and shows it on demand.
#pragma once

#include <QDialog>

namespace quibo {

class Tabout : public QDialog {
    Q_OBJECT
public:
    explicit Tabout(QWidget* parent = nullptr);
};

} // namespace quibo
