// SPDX-License-Identifier: MIT
// Tile clicks and picks. A click changes the local pick or sends one move to the host; the tiles'
// letters change only when the host answers. At most one of the three picks is set at any time.
#include "boardpanel.h"
#include "tgamestart.h"
#include "tile.h"

#include <QMessageBox>

namespace quibo {

bool BoardPanel::turnGatePassed() const {
    return m_turnseat != 0 && m_turnseat == m_mynumber && !m_justWatching;
}

void BoardPanel::send(const QByteArray& message) {
    if (m_connected) Q_EMIT sendRequested(message);
}

void BoardPanel::resettiles() {
    m_pickedextra = 0;
    m_pickedmine = 0;
    m_pickedhis = 0;
    for (Tile* tile : m_hisletters)
        tile->setRowTop(hisletterTop);
    for (Tile* tile : m_myletters)
        tile->setRowTop(myletterTop);
    for (Tile* tile : m_extras)
        tile->setRowTop(extraTop);
}

void BoardPanel::extra1MouseDown(Qt::MouseButton button, int tile) {
    Tile* hand = extra(tile);
    if (!hand || !turnGatePassed()) return;
    if (button == Qt::RightButton) {
        send(msg::DiscardExtra{m_mynumber, tile}.encode());
        return;
    }
    if (button != Qt::LeftButton) return;
    if (hand->rowTop() != extraTop) {
        // A second press on the lifted tile puts it back.
        hand->setRowTop(extraTop);
        m_pickedextra = 0;
        return;
    }
    resettiles();
    m_pickedextra = tile;
    hand->setRowTop(extraPickedTop);
}

void BoardPanel::hisletter1Click(int tile) {
    Tile* his = hisletter(tile);
    if (!his || !turnGatePassed()) return;
    if (m_pickedhis == tile) {
        his->setRowTop(hisletterTop);
        m_pickedhis = 0;
        return;
    }
    resettiles();
    his->setRowTop(hisletterPickedTop);
    m_pickedhis = tile;
}

void BoardPanel::myletter1MouseDown(Qt::MouseButton button, int tile) {
    Tile* mine = myletter(tile);
    if (!mine || !turnGatePassed()) return;
    const int me = m_mynumber;
    if (button == Qt::RightButton) {
        send(msg::DiscardLetter{me, tile}.encode());
        return;
    }
    if (button != Qt::LeftButton) return;
    if (m_pickedextra != 0) {
        send(msg::PlaceMyLetterRequest{me, m_pickedextra, tile}.encode());
        Tile* hand = extra(m_pickedextra);
        hand->setRowTop(extraTop);
        m_pickedextra = 0;
    } else if (m_pickedmine != 0) {
        // Both tiles stay lowered until the host's answer puts every tile at rest.
        send(msg::TradingMyLetterRequest{me, m_pickedmine, tile}.encode());
        m_pickedmine = 0;
        mine->setRowTop(myletterPickedTop);
    } else if (m_pickedhis != 0) {
        send(msg::StealingHisLetter{me, m_pickedhis, tile}.encode());
        m_pickedhis = 0;
    } else {
        m_pickedmine = tile;
        mine->setRowTop(myletterPickedTop);
    }
}

void BoardPanel::startGameRequested() {
    if (m_connected) {
        m_gamestart->showCentred();
        return;
    }
    informModally(tr("You are not connected"));
}

} // namespace quibo
