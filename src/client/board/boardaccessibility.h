// SPDX-License-Identifier: MIT
// BoardAccessibility: what a screen reader is told about the board.
//
// Through Qt's accessibility interfaces (AT-SPI on Linux) the board shows three lists: the
// opponent's board and the own board of ten cells each, named with their letter and worth ("cell 3,
// C, 3 points", "cell 4, empty"), and the own hand of six ("letter 2, E, 1 point"). A picked tile is
// selected and the keyboard's cursor tile is focused. The lists are the board's first children;
// its other widgets (names, scores, status) follow as they are. A tile tells the reader when its
// letter changes. The letters come from the table model, which only the host's messages fill,
// so nobody at the table can make a name longer than a letter and a number. Owned by the board.
#pragma once

#include "shownboard.h"

#include <QObject>
#include <QString>
#include <array>

class QAccessibleInterface;

namespace quibo {

class BoardKeys;
class BoardPanel;
class TableModel;
class Tile;

class BoardAccessibility : public QObject {
    Q_OBJECT
public:
    // The letters come from the model when given (the window's), else from the board's tiles.
    BoardAccessibility(BoardPanel& board, const BoardKeys* keys, const TableModel* model = nullptr);
    ~BoardAccessibility() override;

    // "cell 3, C, 3 points" or "cell 4, empty" (a hand slot: "letter 2, ...").
    static QString tileName(Row row, int number, int code);
    QString rowName(Row row) const;

    BoardPanel& board() const { return m_board; }
    const ShownBoard& shown() const { return m_shown; }
    const BoardKeys* keys() const { return m_keys; }
    // The row and number of a tile of this board; false for another widget.
    bool locate(const Tile* tile, Row& row, int& number) const;
    QAccessibleInterface* rowInterface(Row row) const;

private:
    BoardPanel& m_board;
    const BoardKeys* m_keys;
    ShownBoard m_shown;
    std::array<unsigned, 3> m_rowIds{};
};

} // namespace quibo
