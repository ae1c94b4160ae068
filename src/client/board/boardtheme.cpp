// SPDX-License-Identifier: MIT
#include "boardtheme.h"

#include "contrast.h"

#include <QLinearGradient>
#include <QPainter>
#include <QPalette>

namespace quibo {

BoardColours boardColours(const QPalette& palette) {
    const QColor text = palette.color(QPalette::WindowText);
    const bool dark = isDarkPalette(palette.color(QPalette::Window), text);
    BoardColours c;
    c.text = text;
    // A felt green, pale on a light desktop and deep on a dark one.
    c.top = dark ? QColor(0x2A, 0x3A, 0x2D) : QColor(0xF3, 0xF7, 0xF1);
    c.bottom = dark ? QColor(0x1E, 0x2B, 0x21) : QColor(0xDD, 0xE8, 0xDA);
    c.edge = dark ? QColor(0x4F, 0x68, 0x4B) : QColor(0x9A, 0xB0, 0x95);
    // Contrast is symmetric: the background moves away from the text as far as it must.
    c.top = readableOn(c.top, text);
    c.bottom = readableOn(c.bottom, text);
    const QColor worse =
        contrastRatio(c.top, QColor(0xD0, 0, 0)) < contrastRatio(c.bottom, QColor(0xD0, 0, 0)) ? c.top
                                                                                               : c.bottom;
    c.warning = readableOn(QColor(0xD0, 0x00, 0x00), worse);
    return c;
}

void paintBoardBackground(QPainter& painter, const QRect& rect, const QPalette& palette) {
    const BoardColours c = boardColours(palette);
    QLinearGradient back(0, rect.top(), 0, rect.bottom());
    back.setColorAt(0.0, c.top);
    back.setColorAt(1.0, c.bottom);
    painter.fillRect(rect, back);
    painter.setPen(c.edge);
    painter.drawRect(rect.adjusted(0, 0, -1, -1));
}

} // namespace quibo
