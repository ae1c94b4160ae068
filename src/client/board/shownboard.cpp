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
    return table().code(row, index);
}

int ShownBoard::picked(Row row) const {
    const Pick& pick = table().pick();
    return !pick.isNone() && pick.row == row ? pick.index : 0;
}

bool ShownBoard::ownTurn() const {
    return table().isOwnTurn();
}

bool ShownBoard::ownSeatPlays() const {
    const int own = table().ownSeat();
    return own >= 1 && own <= 3;
}

const TableModel& ShownBoard::table() const {
    return m_model ? *m_model : m_board.model();
}

} // namespace quibo
