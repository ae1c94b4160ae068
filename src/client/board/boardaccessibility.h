// SPDX-License-Identifier: MIT
// BoardAccessibility: what a screen reader is told about the board.
//
// Through Qt's accessibility interfaces (AT-SPI on Linux) the board shows three lists: the
// opponent's board and the own board of ten cells each, named with their letter and worth ("cell 3,
// C, 3 points", "cell 4, empty"), and the own hand of six ("letter 2, E, 1 point"). A picked tile is
// selected and the keyboard's cursor tile is focused. The lists are the board's first children;
// its other widgets (names, scores, status) follow as they are. A tile tells the reader when its
// letter changes. The names come from what the board shows, and the tiles come from the host alone,
// so nobody at the table can make a name longer than a letter and a number. Owned by the board.
#pragma once

#include <QObject>
#include <QString>
#include <array>

class QAccessibleInterface;

namespace quibo {

class BoardKeys;
class BoardPanel;
class Tile;

class BoardAccessibility : public QObject {
    Q_OBJECT
public:
    enum class Row { Opponent, Own, Hand };

    BoardAccessibility(BoardPanel& board, const BoardKeys* keys);
    ~BoardAccessibility() override;

    // "cell 3, C, 3 points" or "cell 4, empty" (a hand slot: "letter 2, ...").
    static QString tileName(Row row, int number, int code);
    static QString rowName(Row row);

    BoardPanel& board() const { return m_board; }
    const BoardKeys* keys() const { return m_keys; }
    // The row and number of a tile of this board; false for another widget.
    bool locate(const Tile* tile, Row& row, int& number) const;
    QAccessibleInterface* rowInterface(Row row) const;

private:
    BoardPanel& m_board;
    const BoardKeys* m_keys;
    std::array<unsigned, 3> m_rowIds{};
};

} // namespace quibo
