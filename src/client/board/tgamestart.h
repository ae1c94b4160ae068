// SPDX-License-Identifier: MIT
// Tgamestart: the game options window, where the hosting player sets the score to play to, the time
// per turn, the steals and the computer's level, and starts a game.
//
// A small tool window of the main window, hidden rather than destroyed, so it keeps its values between
// uses. "Start Game" sends the start command through the player window's connection, announces
// settingsChanged() (the settings file saves the options then) and hides the window. Created and owned
// by the board panel; the settings reader sets its fields through the accessors.
#pragma once

#include "computerlevel.h"

#include <QDialog>

class QCheckBox;
class QHideEvent;
class QComboBox;
class QLineEdit;
class QPushButton;

namespace quibo {

class UpDown;

class Tgamestart : public QDialog {
    Q_OBJECT
public:
    explicit Tgamestart(QWidget* mainWindow);
    // The name a game is started under.
    void setStarterName(const QString& name) { m_starterName = name; }

    QLineEdit* edit_playtoscore() const { return m_playtoscore; }
    QLineEdit* edit_creationtime() const { return m_creationtime; }
    QLineEdit* edit_steals() const { return m_steals; }
    UpDown* UpDown1() const { return m_updown1; }
    UpDown* UpDown2() const { return m_updown2; }
    UpDown* UpDown3() const { return m_updown3; }
    QCheckBox* checkbox_unlimited() const { return m_unlimited; }
    QComboBox* combo_computer() const { return m_computer; }
    ComputerLevel computerLevel() const;
    void setComputerLevel(ComputerLevel level);
    QPushButton* button_start() const { return m_start; }

    // Shows the window, not modal, centred over the main window.
    void showCentred();
    // Sends the start command with the fields' texts, announces settingsChanged(), hides the window.
    void button_startClick();

Q_SIGNALS:
    // The options were used to start a game; the settings file writes them.
    void settingsChanged();
    // "CMD_startgame" with the chosen options, terminator included, for the host.
    void sendRequested(const QByteArray& wholeMessage);
    // The window went out of sight, whether a game was started or not.
    void hidden();

protected:
    void hideEvent(QHideEvent* event) override;

private:
    QLineEdit* makeField(const char* name, const QRect& place);

    QString m_starterName;
    QLineEdit* m_playtoscore;
    QLineEdit* m_creationtime;
    QLineEdit* m_steals;
    UpDown* m_updown1;
    UpDown* m_updown2;
    UpDown* m_updown3;
    QCheckBox* m_unlimited;
    QComboBox* m_computer;
    QPushButton* m_start;
};

} // namespace quibo
