// SPDX-License-Identifier: MIT
// ShownBoard: what the board shows, for the views that steer it or describe it (the keys, the
// screen reader): the letter of each cell and slot, the pick and whose turn it is.
//
// The letters, the pick and the turn come from the table model: the window's when given, else the
// board's own. Rows are the model's: the own board (bottom), the opponent's board (top) and the
// hand. A plain value that borrows the board and the model.
#pragma once

#include "tablemodel.h"

namespace quibo {

class BoardPanel;
class Tile;

class ShownBoard {
public:
    ShownBoard(const BoardPanel& board, const TableModel* model)
        : m_board(board)
        , m_model(model) {}

    // The rows from top to bottom as on the screen: the order Up and Down walk and a reader meets them.
    static constexpr Row rowsDown[] = {Row::OpponentBoard, Row::OwnBoard, Row::Hand};

    static int length(Row row) { return row == Row::Hand ? handSlotCount : boardCellCount; }
    Tile* tile(Row row, int index) const;
    // The letter code shown at a row's cell or slot (1-based); 0 when empty.
    int code(Row row, int index) const;
    // The picked cell or slot of a row; 0 when none of it is picked.
    int picked(Row row) const;
    bool ownTurn() const;
    // The window's seat plays (seat 1, 2 or player 3): the lower board is its own.
    bool ownSeatPlays() const;

private:
    const TableModel& table() const;

    const BoardPanel& m_board;
    const TableModel* m_model;
};

} // namespace quibo
