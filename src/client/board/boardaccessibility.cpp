// SPDX-License-Identifier: MIT
#include "boardaccessibility.h"

#include "boardkeys.h"
#include "boardpanel.h"
#include "letters.h"
#include "tile.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QHash>
#include <QPointer>
#include <QWindow>

namespace quibo {

namespace {

// The boards that have their accessibility set up; the interface factory looks a tile's board up.
QHash<const BoardPanel*, BoardAccessibility*>& registry() {
    static QHash<const BoardPanel*, BoardAccessibility*> boards;
    return boards;
}

BoardAccessibility* accessibilityOf(const QWidget* widget) {
    for (const QWidget* w = widget; w; w = w->parentWidget())
        if (auto* board = qobject_cast<const BoardPanel*>(w)) return registry().value(board);
    return nullptr;
}

int rowLength(Row row) {
    return ShownBoard::length(row);
}

// One row of tiles as a list; it has no widget of its own, the tiles are its items.
class RowInterface : public QAccessibleInterface {
public:
    RowInterface(BoardAccessibility& owner, Row row)
        : m_owner(&owner)
        , m_board(&owner.board())
        , m_row(row) {}

    bool isValid() const override { return m_board; }
    QObject* object() const override { return nullptr; }
    QWindow* window() const override { return m_board ? m_board->window()->windowHandle() : nullptr; }
    QAccessibleInterface* parent() const override { return QAccessible::queryAccessibleInterface(m_board); }
    QAccessibleInterface* child(int index) const override {
        if (!m_owner || index < 0 || index >= rowLength(m_row)) return nullptr;
        return QAccessible::queryAccessibleInterface(m_owner->shown().tile(m_row, index + 1));
    }
    int childCount() const override { return rowLength(m_row); }
    int indexOfChild(const QAccessibleInterface* child) const override {
        for (int i = 0; i < childCount(); ++i)
            if (child && m_owner && child->object() == m_owner->shown().tile(m_row, i + 1)) return i;
        return -1;
    }
    QAccessibleInterface* childAt(int x, int y) const override {
        for (int i = 0; i < childCount(); ++i)
            if (QAccessibleInterface* c = child(i); c && c->rect().contains(x, y)) return c;
        return nullptr;
    }
    QString text(QAccessible::Text t) const override {
        return t == QAccessible::Name && m_owner ? m_owner->rowName(m_row) : QString();
    }
    void setText(QAccessible::Text, const QString&) override {}
    QRect rect() const override {
        QRect all;
        for (int i = 0; i < childCount(); ++i)
            if (QAccessibleInterface* c = child(i)) all = all.united(c->rect());
        return all;
    }
    QAccessible::Role role() const override { return QAccessible::List; }
    QAccessible::State state() const override {
        QAccessible::State s;
        s.invisible = !m_board || !m_board->isVisible();
        return s;
    }

private:
    QPointer<BoardAccessibility> m_owner;
    QPointer<BoardPanel> m_board;
    Row m_row;
};

// One tile: a list item named by its letter, selected while picked, focused under the cursor.
class TileInterface : public QAccessibleWidget {
public:
    TileInterface(Tile* tile, BoardAccessibility& owner)
        : QAccessibleWidget(tile, QAccessible::ListItem)
        , m_owner(&owner) {}

    QString text(QAccessible::Text t) const override {
        Row row;
        int number = 0;
        const auto* tile = static_cast<const Tile*>(widget());
        if (t != QAccessible::Name || !m_owner || !m_owner->locate(tile, row, number))
            return QAccessibleWidget::text(t);
        return BoardAccessibility::tileName(row, number, m_owner->shown().code(row, number));
    }
    QAccessibleInterface* parent() const override {
        Row row;
        int number = 0;
        if (m_owner && m_owner->locate(static_cast<const Tile*>(widget()), row, number))
            return m_owner->rowInterface(row);
        return QAccessibleWidget::parent();
    }
    QAccessible::State state() const override {
        QAccessible::State s = QAccessibleWidget::state();
        Row row;
        int number = 0;
        if (!m_owner || !m_owner->locate(static_cast<const Tile*>(widget()), row, number)) return s;
        const BoardPanel& board = m_owner->board();
        s.selectable = true;
        s.selected = m_owner->shown().picked(row) == number;
        const BoardKeys* keys = m_owner->keys();
        s.focusable = keys != nullptr;
        s.focused = keys && board.hasFocus() && keys->cursorTile() == widget();
        return s;
    }

private:
    QPointer<BoardAccessibility> m_owner;
};

// The board: its three rows first, then its other widgets (names, scores, status lines) as Qt
// offers them; the tiles appear only inside their rows.
class BoardInterface : public QAccessibleWidget {
public:
    BoardInterface(BoardPanel* board, BoardAccessibility& owner)
        : QAccessibleWidget(board, QAccessible::Grouping)
        , m_owner(&owner) {}

    int childCount() const override { return int(children().size()); }
    QAccessibleInterface* child(int index) const override {
        const QList<QAccessibleInterface*> all = children();
        return index >= 0 && index < all.size() ? all.at(index) : nullptr;
    }
    int indexOfChild(const QAccessibleInterface* child) const override {
        return int(children().indexOf(const_cast<QAccessibleInterface*>(child)));
    }

private:
    QList<QAccessibleInterface*> children() const {
        QList<QAccessibleInterface*> all;
        if (!m_owner) return all;
        for (const Row row : ShownBoard::rowsDown)
            all << m_owner->rowInterface(row);
        for (QObject* object : widget()->children()) {
            auto* w = qobject_cast<QWidget*>(object);
            if (!w || w->isWindow() || qobject_cast<Tile*>(w) ||
                w->objectName() == QLatin1String("ring_cursor"))
                continue;
            if (QAccessibleInterface* iface = QAccessible::queryAccessibleInterface(w)) all << iface;
        }
        return all;
    }

    QPointer<BoardAccessibility> m_owner;
};

QAccessibleInterface* boardInterfaces(const QString& key, QObject* object) {
    auto* widget = qobject_cast<QWidget*>(object);
    BoardAccessibility* owner = accessibilityOf(widget);
    if (!owner) return nullptr;
    if (key == QLatin1String("quibo::Tile")) return new TileInterface(static_cast<Tile*>(widget), *owner);
    if (key == QLatin1String("quibo::BoardPanel") && widget == &owner->board())
        return new BoardInterface(static_cast<BoardPanel*>(widget), *owner);
    return nullptr;
}

} // namespace

BoardAccessibility::BoardAccessibility(BoardPanel& board, const BoardKeys* keys, const TableModel* model)
    : QObject(&board)
    , m_board(board)
    , m_keys(keys)
    , m_shown(board, model) {
    setObjectName(QStringLiteral("boardaccessibility"));
    static const bool installed = [] {
        QAccessible::installFactory(boardInterfaces);
        return true;
    }();
    Q_UNUSED(installed);
    registry().insert(&board, this);
    for (const Row row : ShownBoard::rowsDown)
        m_rowIds[size_t(row)] = QAccessible::registerAccessibleInterface(new RowInterface(*this, row));
    board.setAccessibleName(tr("Board"));
}

BoardAccessibility::~BoardAccessibility() {
    registry().remove(&m_board);
    for (const unsigned id : m_rowIds)
        QAccessible::deleteAccessibleInterface(id);
}

QString BoardAccessibility::tileName(Row row, int number, int code) {
    const QString place = row == Row::Hand ? tr("letter %1").arg(number) : tr("cell %1").arg(number);
    if (code < 1 || code > 26) return tr("%1, empty").arg(place);
    const int worth = letterworth(code);
    const QString letter(QChar(u'A' + (code - 1)));
    return worth == 1 ? tr("%1, %2, 1 point").arg(place, letter)
                      : tr("%1, %2, %3 points").arg(place, letter).arg(worth);
}

QString BoardAccessibility::rowName(Row row) const {
    // A spectator's lower board is seat 1's, not the spectator's own.
    const bool playing = m_shown.ownSeatPlays();
    switch (row) {
    case Row::OpponentBoard:
        return playing ? tr("Opponent's board") : tr("Upper board");
    case Row::OwnBoard:
        return playing ? tr("Your board") : tr("Lower board");
    case Row::Hand:
        return tr("Your letters");
    }
    return QString();
}

bool BoardAccessibility::locate(const Tile* tile, Row& row, int& number) const {
    for (const Row r : ShownBoard::rowsDown) {
        for (int n = 1; n <= rowLength(r); ++n) {
            if (m_shown.tile(r, n) == tile) {
                row = r;
                number = n;
                return true;
            }
        }
    }
    return false;
}

QAccessibleInterface* BoardAccessibility::rowInterface(Row row) const {
    return QAccessible::accessibleInterface(m_rowIds[size_t(row)]);
}

} // namespace quibo
