// SPDX-License-Identifier: MIT
// replay/: looking back at kept games: the list of records, the replay window, the text of a game.
//
// ReplayBoard: the table of a replayed game as a picture: both seats' names and scores, both board
// rows, the own hand where the record knew it, whose turn it is and who won.
//
// A pure view of a table model, which it reads whenever it paints; it keeps nothing of its own and
// takes no clicks, since a replay only shows what happened. Owned by the replay window, which owns
// the model too.
#pragma once

#include "tablemodel.h"

#include <QRect>
#include <QWidget>

namespace quibo {

class ReplayBoard : public QWidget {
    Q_OBJECT
public:
    static constexpr int designWidth = 440, designHeight = 250;

    explicit ReplayBoard(const TableModel& model, QWidget* parent = nullptr);

    // Where the tile of a row's cell or slot (1-based) is drawn, in the board's coordinates.
    static QRect tileRect(Row row, int index);
    // The line under the hand: who won, or whose turn it is; empty before the first turn.
    QString statusText() const;

    QSize sizeHint() const override { return {designWidth, designHeight}; }
    QSize minimumSizeHint() const override { return sizeHint(); }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    void paintSeat(QPainter& painter, int displaySeatNumber, int top);
    void paintRow(QPainter& painter, Row row);

    const TableModel& m_model;
};

} // namespace quibo
