// SPDX-License-Identifier: MIT
// Tchat: the player window.
#pragma once

#include <QMainWindow>

namespace quibo {

class Tchat : public QMainWindow {
    Q_OBJECT
public:
    explicit Tchat(QWidget* parent = nullptr);
};

} // namespace quibo
