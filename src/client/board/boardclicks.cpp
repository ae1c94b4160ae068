// SPDX-License-Identifier: MIT
// Tile clicks. A click changes the model's pick or sends one move to the host; the tiles' letters
// change only when the host answers. The model keeps the pick and knows what completes a move.
#include "boardpanel.h"
#include "endgamequestion.h"
#include "tgamestart.h"
#include "tile.h"

#include <QMessageBox>
#include <QPointer>

namespace quibo {

bool BoardPanel::turnGatePassed() const {
    return m_model->isOwnTurn() && !m_justWatching;
}

void BoardPanel::send(const QByteArray& message) {
    if (m_connected && !message.isEmpty()) Q_EMIT sendRequested(message);
}

void BoardPanel::extra1MouseDown(Qt::MouseButton button, int tile) {
    if (!extra(tile) || !turnGatePassed()) return;
    if (button == Qt::RightButton) {
        send(msg::DiscardExtra{m_model->ownSeat(), tile}.encode());
        return;
    }
    if (button == Qt::LeftButton) m_model->pickHandLetter(tile);
}

void BoardPanel::hisletter1Click(int tile) {
    if (!hisletter(tile) || !turnGatePassed()) return;
    m_model->pickOpponentLetter(tile);
}

void BoardPanel::myletter1MouseDown(Qt::MouseButton button, int tile) {
    if (!myletter(tile) || !turnGatePassed()) return;
    if (button == Qt::RightButton) {
        send(msg::DiscardLetter{m_model->ownSeat(), tile}.encode());
        return;
    }
    if (button == Qt::LeftButton) send(m_model->chooseOwnCell(tile));
}

void BoardPanel::startGameRequested() {
    if (!m_connected) {
        informModally(tr("You are not connected"));
        return;
    }
    if (m_model->phase() == GamePhase::Running) {
        // A new game throws the running one away: the player says so first.
        QPointer<BoardPanel> self(this);
        if (!confirmEndingGame(window()) || self.isNull()) return;
        // The old game's countdown stands still while the options are chosen; the host's next turn
        // message, or the options window going, sets it going again.
        if (m_model->phase() == GamePhase::Running) {
            m_clockStoppedForOptions = true;
            showClock();
        }
    }
    m_gamestart->showCentred();
}

} // namespace quibo
