// SPDX-License-Identifier: MIT
// Tdownload: the window shown beside a solo game at start-up. It tells the player how a game
// against other people is started (from the lobby, or from the command line) and lets them go on
// with the solo game. Not modal; "Play Solo Game" only closes it. Created once at start-up.
#pragma once

#include <QDialog>

namespace quibo {

class Tdownload : public QDialog {
    Q_OBJECT
public:
    explicit Tdownload(QWidget* parent = nullptr);
};

} // namespace quibo
