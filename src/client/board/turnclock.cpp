// SPDX-License-Identifier: MIT
// The countdown of the current turn. It is the window's own display of the model's clock: the host's
// turn message starts it, the host's move messages stop it, and the host alone ends a turn when
// time runs out.
#include "boardpanel.h"
#include "boardtheme.h"
#include "namedwidgets.h"

#include <QLabel>
#include <QTimer>

namespace quibo {

void BoardPanel::showClock() {
    // Starting a running timer would restart its second; the label keeps its text until the next tick.
    if (!m_model->clockRunning() || m_clockStoppedForOptions) {
        m_turntimer->stop();
        showClockWarning(false);
        return;
    }
    if (!m_turntimer->isActive()) {
        showClockWarning(false);
        m_turntimer->start();
    }
}

void BoardPanel::turntimerTimer() {
    processturntime();
}

void BoardPanel::holdClock() {
    m_clockHeld = true;
    // The count stays where it stopped; the clock's label is too narrow for the sentence, so the
    // status line under the hand says it.
    m_labelStatus->setText(tr("Clock stopped: rearranging"));
}

void BoardPanel::releaseClockHold() {
    // The move that ends a rearranged turn (the computer's comes at once) gives the status line back.
    if (!m_clockHeld) return;
    m_clockHeld = false;
    showTurn();
}

void BoardPanel::showClockWarning(bool on) {
    // The red of the last seconds, made readable on the board of a light or a dark desktop.
    m_labelTurntime->setStyleSheet(
        on ? QStringLiteral("color: %1;").arg(boardColours(palette()).warning.name().toUpper()) : QString());
}

void BoardPanel::processturntime() {
    m_model->tickClock();
    const int left = m_model->secondsLeft();
    // The player on turn is warned through the last seconds: the count in red, a tick each second.
    if (m_model->ownSeat() != 0 && m_model->isOwnTurn() && left <= warningSeconds) {
        showClockWarning(true);
        if (left > 0) Q_EMIT soundRequested(QStringLiteral("tick"));
    }
    showTimeLeft();
}

void BoardPanel::showTimeLeft() {
    const int secondsLeft = m_model->secondsLeft();
    if (secondsLeft <= 0) {
        // The count goes on below zero until the host's next message; the label stays at zero.
        m_labelTurntime->setText(tr("Time: 0:00"));
        return;
    }
    const int minutes = secondsLeft / 60;
    const int seconds = secondsLeft % 60;
    m_labelTurntime->setText(tr("Time: ") + QString::number(minutes) +
                             (seconds < 10 ? QStringLiteral(":0") : QStringLiteral(":")) +
                             QString::number(seconds));
}

} // namespace quibo
