// SPDX-License-Identifier: MIT
#include "tile.h"

#include "namedwidgets.h"
#include "tiles.h"

#include <QMouseEvent>
#include <QPainter>

namespace quibo {

Tile::Tile(const QString& name, int number, QWidget* parent)
    : QWidget(parent)
    , m_number(number) {
    setObjectName(name);
    setWidgetTag(this, number);
    setFixedSize(size, size);
    setAttribute(Qt::WA_TranslucentBackground);
}

void Tile::clearPicture() {
    m_picture = QPixmap();
    m_code = 0;
    update();
}

void Tile::showLetter(const TileSet& tiles, int code) {
    clearPicture();
    m_picture = tiles.picture(code);
    m_code = TileSet::isLetter(code) ? code : 0;
    update();
}

void Tile::paintEvent(QPaintEvent*) {
    if (m_picture.isNull()) return;
    QPainter painter(this);
    painter.drawPixmap(0, 0, m_picture);
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
