// SPDX-License-Identifier: MIT
// BoardKeys: plays the board from the keyboard, the same moves the mouse makes.
//
// A cursor stands on one tile of the three rows (opponent's board, own board, own hand) and is drawn
// as a ring while the board has the focus. Left and Right move along a row, Home and End to its
// ends; Up and Down change rows (Up from the own board, or Page Up, goes to the opponent's row to
// steal; Down or Page Down comes back). Enter or Space acts on the tile under the cursor as a left
// click does: pick a hand letter, place it, pick an own letter and swap it with a second, pick an
// opponent's letter and drop it on the own board to steal it. Delete or Backspace throws the hand
// letter or the board letter away, as the right button does. A letter key or 1 to 6 picks that hand
// letter at once (the same letter again picks the next one of that letter) and puts the cursor on
// the own board, on its first empty cell when it comes from another row; after a placement the
// cursor moves on to the next empty cell, as in typing. Escape cancels the pick.
//
// Every key goes through the board's click handlers, so the turn gate, "Just Watch" and the host's
// judgement hold as for the mouse; the keys send nothing the mouse could not. Owned by the board.
#pragma once

#include "shownboard.h"

#include <QObject>

class QKeyEvent;
class QWidget;

namespace quibo {

class BoardPanel;
class TableModel;
class Tile;

class BoardKeys : public QObject {
    Q_OBJECT
public:
    // The letters come from the model when given (the window's), else from the board's tiles.
    explicit BoardKeys(BoardPanel& board, const TableModel* model = nullptr);

    Row row() const { return m_row; }
    // 1-based: a board cell (1..10) or a hand slot (1..6).
    int column() const { return m_column; }
    Tile* cursorTile() const;
    // The ring is drawn: the cursor stands on a board cell or on a hand letter.
    bool cursorOnSomething() const;
    // Handles one key; false for keys the board does not use (Tab, shortcuts).
    bool handleKey(const QKeyEvent& event);

Q_SIGNALS:
    void cursorMoved();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void moveTo(Row row, int column);
    void moveAlong(int step);
    void changeRow(int step);
    void activate();
    void throwAway();
    bool pickHandLetter(int code);
    void pickHandSlot(int slot);
    // The column of the other row whose tile stands nearest above or below this one.
    int nearestColumn(Row from, int column, Row to) const;
    // The first empty cell of the own board from first on, or otherwise when none is.
    int emptyCellFrom(int first, int otherwise) const;

    BoardPanel& m_board;
    ShownBoard m_shown;
    QWidget* m_ring = nullptr;
    Row m_row = Row::Hand;
    int m_column = 1;
};

} // namespace quibo
