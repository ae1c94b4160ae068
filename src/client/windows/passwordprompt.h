// SPDX-License-Identifier: MIT
// PasswordPrompt: asks the player for the password of a private table, after the host said it
// needs one, that the one given was wrong, or that too many wrong ones came from this address.
// Not modal, so the window goes on showing its chat; the answer comes as a signal. Created by the
// player window when a host first asks, and parented to it. The password is shown as dots and
// kept nowhere but in the window's memory for this run.
//
// Abuse: a hostile host may ask again and again, or ask a window that was seated. It gains nothing
// the player does not type: the prompt only opens, and only the player's answer sends anything, to
// that same host; Cancel leaves the table.
#pragma once

#include "passwordmessages.h"

#include <QDialog>

class QLabel;
class QLineEdit;

namespace quibo {

class PasswordPrompt : public QDialog {
    Q_OBJECT
public:
    explicit PasswordPrompt(QWidget* parent = nullptr);

    // Shows the prompt with the host's reason and an empty field.
    void ask(int reason);

Q_SIGNALS:
    // The player typed a password and chose "Join".
    void passwordGiven(const QString& password);
    // The player closed the prompt without one.
    void givenUp();

private:
    QLabel* m_reason = nullptr;
    QLineEdit* m_password = nullptr;
};

} // namespace quibo
