// SPDX-License-Identifier: MIT
// QuickInstructions: the panel that teaches the moves of the game with six example pictures.
//
// "panel_help" lies over the whole main window, hidden until the player asks for it (View or Help,
// "Quick Instructions", Ctrl+I); "Done" hides it again. The example pictures are drawn from the real
// tile pictures. Created by the board panel in the main window's central widget and owned by it.
#pragma once

#include <QWidget>

class QLabel;
class QPushButton;

namespace quibo {

class TileSet;

class QuickInstructions : public QWidget {
    Q_OBJECT
public:
    QuickInstructions(const TileSet& tiles, QWidget* centralWidget);

    QPushButton* doneButton() const { return m_done; }
    // Shows the panel above everything else in the window.
    void showOnTop();

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    void addExample(int number, const QPixmap& picture, const QString& text, const QRect& place);

    const TileSet& m_tiles;
    QPushButton* m_done;
};

} // namespace quibo
