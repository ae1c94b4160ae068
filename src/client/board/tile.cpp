// SPDX-License-Identifier: MIT
#include "tile.h"

#include "namedwidgets.h"
#include "scalinglayout.h"
#include "tiles.h"

#include <QAccessible>
#include <QMouseEvent>
#include <QPainter>

namespace quibo {

Tile::Tile(const QString& name, int number, QWidget* parent)
    : QWidget(parent)
    , m_number(number) {
    setObjectName(name);
    setWidgetTag(this, number);
    resize(size, size);
    setAttribute(Qt::WA_TranslucentBackground);
}

namespace {

// A screen reader reads a tile by its letter; tell it when the letter changes.
void letterChanged(Tile* tile, int before) {
    if (tile->shownCode() == before) return;
    QAccessibleEvent event(tile, QAccessible::NameChanged);
    QAccessible::updateAccessibility(&event);
}

} // namespace

void Tile::clearPicture() {
    const int before = m_code;
    m_picture = QPixmap();
    m_code = 0;
    update();
    letterChanged(this, before);
}

void Tile::showLetter(const TileSet& tiles, int code) {
    const int before = m_code;
    m_picture = QPixmap();
    m_picture = tiles.picture(code);
    m_code = TileSet::isLetter(code) ? code : 0;
    update();
    letterChanged(this, before);
}

int Tile::rowTop() const {
    return ScalingLayout::designRect(this).top();
}

void Tile::setRowTop(int designTop) {
    ScalingLayout::moveInDesign(this, QPoint(ScalingLayout::designRect(this).left(), designTop));
}

void Tile::paintEvent(QPaintEvent*) {
    if (m_picture.isNull() || !TileSet::isLetter(m_code)) return;
    QPainter painter(this);
    painter.scale(width() / qreal(size), height() / qreal(size));
    TileSet::drawTile(painter, m_code);
}

void Tile::mousePressEvent(QMouseEvent* event) {
    m_leftDown = event->button() == Qt::LeftButton;
    // The board may move this tile or change the window under the press; keep the number first.
    const int number = m_number;
    Q_EMIT pressed(event->button(), number);
}

void Tile::mouseReleaseEvent(QMouseEvent* event) {
    const bool click =
        m_leftDown && event->button() == Qt::LeftButton && rect().contains(event->position().toPoint());
    m_leftDown = false;
    if (click) Q_EMIT clicked(m_number);
}

} // namespace quibo
