// SPDX-License-Identifier: MIT
// The board's own colours, taken from the desktop's palette: a light board on a light desktop, a
// dark one on a dark desktop. Whatever the palette, the board's background keeps a contrast of at
// least 4.5 to the palette's text, in which the names, scores and status lines are written, and the
// game's warning colour (the last seconds of a turn) is made readable on it.
#pragma once

#include <QColor>

class QPainter;
class QPalette;
class QRect;

namespace quibo {

struct BoardColours {
    QColor top; // the background's gradient runs from top to bottom
    QColor bottom;
    QColor edge;    // the panel's outline
    QColor text;    // the palette's text colour
    QColor warning; // the countdown's last seconds
};

BoardColours boardColours(const QPalette& palette);
void paintBoardBackground(QPainter& painter, const QRect& rect, const QPalette& palette);

} // namespace quibo
