// SPDX-License-Identifier: MIT
// The countdown of the current turn. It is the window's own display: the host's turn message starts
// it, the host's move messages stop it (a rearrangement until the turn's next move, which the
// display says), and the host alone ends a turn when time runs out.
#include "boardpanel.h"
#include "boardtheme.h"
#include "namedwidgets.h"

#include <QLabel>
#include <QTimer>
#include <limits>

namespace quibo {

void BoardPanel::startClock() {
    m_turnsecsleft = widgetTag(m_labelTimeperturn);
    m_clockHeld = false;
    showClockWarning(false);
    // Starting a running timer would restart its second; the label keeps its text until the next tick.
    if (!m_turntimer->isActive()) m_turntimer->start();
}

void BoardPanel::stopClock() {
    m_turntimer->stop();
    showClockWarning(false);
    // The move that ends a rearranged turn (the computer's comes at once) gives the status line back.
    if (m_clockHeld) {
        m_clockHeld = false;
        showTurn(m_turnseat);
    }
}

void BoardPanel::holdClock() {
    stopClock();
    m_clockHeld = true;
    // The count stays where it stopped; the clock's label is too narrow for the sentence, so the
    // status line under the hand says it.
    m_labelStatus->setText(tr("Clock stopped: rearranging"));
}

void BoardPanel::showClockWarning(bool on) {
    // The red of the last seconds, made readable on the board of a light or a dark desktop.
    m_labelTurntime->setStyleSheet(
        on ? QStringLiteral("color: %1;").arg(boardColours(palette()).warning.name().toUpper()) : QString());
}

void BoardPanel::processturntime() {
    if (m_turnsecsleft > std::numeric_limits<int>::min()) --m_turnsecsleft;
    // The player on turn is warned through the last seconds: the count in red, a tick each second.
    if (m_mynumber != 0 && m_turnseat == m_mynumber && m_turnsecsleft <= warningSeconds) {
        showClockWarning(true);
        if (m_turnsecsleft > 0) Q_EMIT soundRequested(QStringLiteral("tick"));
    }
    showTimeLeft();
}

void BoardPanel::showTimeLeft() {
    if (m_turnsecsleft <= 0) {
        // The count goes on below zero until the host's next message; the label stays at zero.
        m_labelTurntime->setText(tr("Time: 0:00"));
        return;
    }
    const int minutes = m_turnsecsleft / 60;
    const int seconds = m_turnsecsleft % 60;
    m_labelTurntime->setText(tr("Time: ") + QString::number(minutes) +
                             (seconds < 10 ? QStringLiteral(":0") : QStringLiteral(":")) +
                             QString::number(seconds));
}

} // namespace quibo
