// SPDX-License-Identifier: MIT
// Tile: one 41 by 41 letter tile of the board panel.
//
// A tile is either empty (no picture) or shows one picture of the tile set; the picture is the
// window's only record of the letter. The letter is drawn at the tile's size, so it stays sharp
// when the window grows. The tile reports mouse presses with their button and left-button
// clicks (press and release on the tile); the board panel decides what they mean. Owned by the board
// panel.
#pragma once

#include <QPixmap>
#include <QWidget>

namespace quibo {

class TileSet;

class Tile : public QWidget {
    Q_OBJECT
public:
    static constexpr int size = 41;

    Tile(const QString& name, int number, QWidget* parent);

    int number() const { return m_number; }
    // Removes the picture.
    void clearPicture();
    // Empties the tile, then draws the picture of letter code `code` (0 draws the transparent one).
    void showLetter(const TileSet& tiles, int code);
    // The code whose picture the tile shows; 0 when it is empty.
    int shownCode() const { return m_code; }
    bool hasPicture() const { return !m_picture.isNull(); }
    QSize sizeHint() const override { return {size, size}; }
    // The tile's top within its row in the window's design coordinates (at rest or picked),
    // whatever size the window has.
    int rowTop() const;
    void setRowTop(int designTop);

Q_SIGNALS:
    void pressed(Qt::MouseButton button, int number);
    void clicked(int number);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    int m_number;
    int m_code = 0;
    QPixmap m_picture;
    bool m_leftDown = false;
};

} // namespace quibo
