// SPDX-License-Identifier: MIT
#include "shownboard.h"

#include "boardpanel.h"
#include "tile.h"

namespace quibo {

Tile* ShownBoard::tile(Row row, int index) const {
    switch (row) {
    case Row::OwnBoard:
        return m_board.myletter(index);
    case Row::OpponentBoard:
        return m_board.hisletter(index);
    case Row::Hand:
        return m_board.extra(index);
    }
    return nullptr;
}

int ShownBoard::code(Row row, int index) const {
    if (m_model) return m_model->code(row, index);
    const Tile* shown = tile(row, index);
    return shown ? shown->shownCode() : 0;
}

int ShownBoard::picked(Row row) const {
    switch (row) {
    case Row::OwnBoard:
        return m_board.pickedmine();
    case Row::OpponentBoard:
        return m_board.pickedhis();
    case Row::Hand:
        return m_board.pickedextra();
    }
    return 0;
}

bool ShownBoard::ownTurn() const {
    if (m_model) return m_model->isOwnTurn();
    return m_board.turnseat() != 0 && m_board.turnseat() == m_board.mynumber();
}

bool ShownBoard::ownSeatPlays() const {
    const int own = m_model ? m_model->ownSeat() : m_board.mynumber();
    return own >= 1 && own <= 3;
}

} // namespace quibo
