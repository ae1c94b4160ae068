// SPDX-License-Identifier: MIT
// TileSet: the 27 tile pictures and the board's background strip, drawn by the program at start.
//
// Picture 0 is fully transparent; pictures 1 to 26 are the letters A to Z, each a square tile with the
// capital letter and, small at its lower right, the letter's worth. Pictures are drawn at the screen's
// device pixel ratio so they stay crisp on high-density screens. Owned by whoever shows tiles (the
// board panel, the quick-instruction panel).
#pragma once

#include <QPixmap>

class QPainter;
#include <QSize>
#include <array>

namespace quibo {

class TileSet {
public:
    static constexpr int count = 27;
    static constexpr int side = 41;

    explicit TileSet(qreal devicePixelRatio = 1.0);

    // The picture of letter code `code`; codes outside 0..26 give the transparent picture.
    const QPixmap& picture(int code) const;
    static bool isLetter(int code) { return code >= 1 && code <= 26; }

    // Draws letter code `code` as a tile of side by side units at the painter's origin; scale the
    // painter for another size.
    static void drawTile(QPainter& painter, int code);

    // The background strip behind a board row of ten places.
    static QPixmap boardStrip(QSize size, qreal devicePixelRatio);

private:
    static QPixmap paintTile(int code, qreal devicePixelRatio);
    std::array<QPixmap, count> m_pictures;
};

} // namespace quibo
