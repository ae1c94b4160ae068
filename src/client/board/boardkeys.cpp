// SPDX-License-Identifier: MIT
#include "boardkeys.h"

#include "boardpanel.h"
#include "tile.h"

#include <QEvent>
#include <QKeyEvent>
#include <QPainter>
#include <cmath>

namespace quibo {

namespace {

// The ring round the tile under the cursor, drawn over the whole board while the board has the
// focus. It takes no mouse input, so clicks reach the tiles beneath.
class CursorRing : public QWidget {
public:
    CursorRing(BoardPanel& board, BoardKeys& keys)
        : QWidget(&board)
        , m_board(board)
        , m_keys(keys) {
        setObjectName(QStringLiteral("ring_cursor"));
        setAttribute(Qt::WA_TransparentForMouseEvents);
        setFocusPolicy(Qt::NoFocus);
        setGeometry(board.rect());
        raise();
    }

protected:
    void paintEvent(QPaintEvent*) override {
        if (!m_keys.cursorOnSomething() || !m_board.hasFocus()) return;
        const Tile* tile = m_keys.cursorTile();
        QPainter p(this);
        p.setRenderHint(QPainter::Antialiasing);
        const qreal unit = std::max(1.0, tile->width() / qreal(Tile::size));
        const QRectF around = QRectF(tile->geometry()).adjusted(-2 * unit, -2 * unit, 2 * unit, 2 * unit);
        // A dark ring inside a light one reads on the light and the dark board alike.
        p.setBrush(Qt::NoBrush);
        p.setPen(QPen(QColor(0xFF, 0xFF, 0xFF), 5 * unit));
        p.drawRoundedRect(around, 6 * unit, 6 * unit);
        p.setPen(QPen(QColor(0x00, 0x4E, 0xC2), 3 * unit));
        p.drawRoundedRect(around, 6 * unit, 6 * unit);
    }

private:
    BoardPanel& m_board;
    BoardKeys& m_keys;
};

int rowPlace(Row row) {
    return row == Row::OpponentBoard ? 0 : row == Row::OwnBoard ? 1 : 2;
}

// Centre of tile n of a row, in design coordinates.
int centreOf(Row row, int n) {
    if (row == Row::Hand) return BoardLayout::extraLeft + BoardLayout::extraStep * (n - 1) + Tile::size / 2;
    const int left = row == Row::OwnBoard ? BoardLayout::myletterLeft : BoardLayout::hisletterLeft;
    return left + BoardLayout::boardStep * (n - 1) + Tile::size / 2;
}

} // namespace

BoardKeys::BoardKeys(BoardPanel& board, const TableModel* model)
    : QObject(&board)
    , m_board(board)
    , m_shown(board, model) {
    setObjectName(QStringLiteral("boardkeys"));
    board.setFocusPolicy(Qt::StrongFocus);
    board.installEventFilter(this);
    m_ring = new CursorRing(board, *this);
    connect(this, &BoardKeys::cursorMoved, m_ring, qOverload<>(&QWidget::update));
}

Tile* BoardKeys::cursorTile() const {
    return m_shown.tile(m_row, m_column);
}

bool BoardKeys::cursorOnSomething() const {
    if (!cursorTile()) return false;
    // An empty board cell is a place to put a letter; an empty hand slot, or a hand after the game
    // is over, is nothing at all.
    return m_row != Row::Hand ||
           (m_board.model().phase() != GamePhase::Over && m_shown.code(Row::Hand, m_column) != 0);
}

bool BoardKeys::eventFilter(QObject* watched, QEvent* event) {
    switch (event->type()) {
    case QEvent::KeyPress:
        if (handleKey(*static_cast<QKeyEvent*>(event))) return true;
        break;
    case QEvent::FocusIn:
    case QEvent::FocusOut:
        m_ring->update();
        break;
    case QEvent::Resize:
        m_ring->setGeometry(m_board.rect());
        break;
    default:
        break;
    }
    return QObject::eventFilter(watched, event);
}

bool BoardKeys::handleKey(const QKeyEvent& event) {
    // Shortcuts with Ctrl or Alt belong to the window's menus.
    if (event.modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier)) return false;
    switch (event.key()) {
    case Qt::Key_Left:
        moveAlong(-1);
        return true;
    case Qt::Key_Right:
        moveAlong(1);
        return true;
    case Qt::Key_Home:
        moveTo(m_row, 1);
        return true;
    case Qt::Key_End:
        moveTo(m_row, ShownBoard::length(m_row));
        return true;
    case Qt::Key_Up:
        changeRow(-1);
        return true;
    case Qt::Key_Down:
        changeRow(1);
        return true;
    case Qt::Key_PageUp:
        moveTo(Row::OpponentBoard, nearestColumn(m_row, m_column, Row::OpponentBoard));
        return true;
    case Qt::Key_PageDown:
        moveTo(Row::OwnBoard, nearestColumn(m_row, m_column, Row::OwnBoard));
        return true;
    case Qt::Key_Return:
    case Qt::Key_Enter:
    case Qt::Key_Space:
        activate();
        return true;
    case Qt::Key_Delete:
    case Qt::Key_Backspace:
        throwAway();
        return true;
    case Qt::Key_Escape:
        m_board.model().clearPick();
        return true;
    default:
        break;
    }
    const int key = event.key();
    if (key >= Qt::Key_1 && key <= Qt::Key_6) {
        pickHandSlot(key - Qt::Key_1 + 1);
        return true;
    }
    if (key >= Qt::Key_A && key <= Qt::Key_Z) return pickHandLetter(key - Qt::Key_A + 1);
    return false;
}

void BoardKeys::moveTo(Row row, int column) {
    m_row = row;
    m_column = std::clamp(column, 1, ShownBoard::length(row));
    Q_EMIT cursorMoved();
}

void BoardKeys::moveAlong(int step) {
    moveTo(m_row, m_column + step);
}

void BoardKeys::changeRow(int step) {
    const Row to = ShownBoard::rowsDown[std::clamp(rowPlace(m_row) + step, 0, 2)];
    moveTo(to, nearestColumn(m_row, m_column, to));
}

int BoardKeys::nearestColumn(Row from, int column, Row to) const {
    if (from == to) return column;
    const int x = centreOf(from, column);
    int best = 1;
    for (int n = 2; n <= ShownBoard::length(to); ++n)
        if (std::abs(centreOf(to, n) - x) < std::abs(centreOf(to, best) - x)) best = n;
    return best;
}

void BoardKeys::activate() {
    switch (m_row) {
    case Row::OpponentBoard:
        m_board.hisletter1Click(m_column);
        break;
    case Row::OwnBoard: {
        const bool placing = m_shown.picked(Row::Hand) > 0;
        m_board.myletter1MouseDown(Qt::LeftButton, m_column);
        // As in typing, the next letter goes after the one just placed.
        if (placing) m_column = emptyCellFrom(m_column + 1, m_column);
        break;
    }
    case Row::Hand:
        m_board.extra1MouseDown(Qt::LeftButton, m_column);
        break;
    }
    Q_EMIT cursorMoved();
}

void BoardKeys::throwAway() {
    if (m_row == Row::OwnBoard)
        m_board.myletter1MouseDown(Qt::RightButton, m_column);
    else if (m_row == Row::Hand)
        m_board.extra1MouseDown(Qt::RightButton, m_column);
}

bool BoardKeys::pickHandLetter(int code) {
    // The same letter again picks the next hand tile that shows it.
    const int after = m_shown.picked(Row::Hand);
    for (int i = 1; i <= handSlotCount; ++i) {
        const int slot = (after + i - 1) % handSlotCount + 1;
        if (m_shown.code(Row::Hand, slot) == code) {
            if (slot != after) pickHandSlot(slot);
            return true;
        }
    }
    return false;
}

void BoardKeys::pickHandSlot(int slot) {
    // Picking the tile already picked would put it back; a key only ever picks.
    if (m_shown.picked(Row::Hand) != slot) m_board.extra1MouseDown(Qt::LeftButton, slot);
    if (m_shown.picked(Row::Hand) != slot) return; // not the own turn: the cursor stays
    // From another row the cursor goes where a word grows: the first empty cell of the own board.
    const int column =
        m_row == Row::OwnBoard ? m_column : emptyCellFrom(1, nearestColumn(Row::Hand, slot, Row::OwnBoard));
    moveTo(Row::OwnBoard, column);
}

int BoardKeys::emptyCellFrom(int first, int otherwise) const {
    for (int n = first; n <= boardCellCount; ++n)
        if (m_shown.code(Row::OwnBoard, n) == 0) return n;
    return otherwise;
}

} // namespace quibo
