// SPDX-License-Identifier: MIT
#include "tiles.h"

#include "letters.h"

#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>

namespace quibo {

namespace {

QPixmap blankPixmap(QSize size, qreal dpr) {
    QPixmap pixmap(size * dpr);
    pixmap.setDevicePixelRatio(dpr);
    pixmap.fill(Qt::transparent);
    return pixmap;
}

void paintTileFace(QPainter& p, const QRectF& r) {
    QPainterPath shape;
    shape.addRoundedRect(r.adjusted(1, 1, -1, -1), 4, 4);
    // A soft shadow to the lower right gives the tile its depth.
    p.fillPath(shape.translated(1, 1), QColor(0, 0, 0, 70));
    QLinearGradient face(r.topLeft(), r.bottomRight());
    face.setColorAt(0.0, QColor(0xFF, 0xF4, 0xD6));
    face.setColorAt(1.0, QColor(0xEB, 0xD2, 0x9B));
    p.fillPath(shape, face);
    p.setPen(QPen(QColor(0x8A, 0x6A, 0x34), 1.0));
    p.drawPath(shape);
}

} // namespace

TileSet::TileSet(qreal devicePixelRatio) {
    const qreal dpr = devicePixelRatio > 0 ? devicePixelRatio : 1.0;
    for (int code = 0; code < count; ++code)
        m_pictures[size_t(code)] = paintTile(code, dpr);
}

const QPixmap& TileSet::picture(int code) const {
    return m_pictures[size_t(isLetter(code) ? code : 0)];
}

QPixmap TileSet::paintTile(int code, qreal dpr) {
    QPixmap pixmap = blankPixmap({side, side}, dpr);
    if (!isLetter(code)) return pixmap;
    QPainter p(&pixmap);
    drawTile(p, code);
    return pixmap;
}

void TileSet::drawTile(QPainter& p, int code) {
    if (!isLetter(code)) return;
    p.save();
    p.setRenderHint(QPainter::Antialiasing);
    p.setRenderHint(QPainter::TextAntialiasing);
    const QRectF r(0, 0, side - 1, side - 1);
    paintTileFace(p, r);

    p.setPen(QColor(0x2B, 0x1D, 0x0E));
    QFont letterFont(QStringLiteral("Arial"));
    letterFont.setPixelSize(24);
    letterFont.setBold(true);
    p.setFont(letterFont);
    const QChar letter = QChar(u'A' + (code - 1));
    p.drawText(QRectF(1, 1, side - 8, side - 6), Qt::AlignCenter, QString(letter));

    QFont worthFont(QStringLiteral("Arial"));
    worthFont.setPixelSize(9);
    worthFont.setBold(true);
    p.setFont(worthFont);
    p.drawText(QRectF(side - 18, side - 15, 14, 11), Qt::AlignRight | Qt::AlignBottom,
               QString::number(letterworth(code)));
    p.restore();
}

QPixmap TileSet::boardStrip(QSize size, qreal dpr) {
    QPixmap pixmap = blankPixmap(size, dpr > 0 ? dpr : 1.0);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    const QRectF whole(0.5, 0.5, size.width() - 1, size.height() - 1);
    QLinearGradient wood(whole.topLeft(), whole.bottomLeft());
    wood.setColorAt(0.0, QColor(0x3E, 0x6B, 0x4F));
    wood.setColorAt(1.0, QColor(0x2A, 0x4D, 0x39));
    p.setPen(QPen(QColor(0x1E, 0x36, 0x28), 1.0));
    p.setBrush(wood);
    p.drawRoundedRect(whole, 5, 5);
    // Ten sunken places, one under each tile.
    const qreal placeWidth = (size.width() - 6) / 10.0;
    p.setPen(QPen(QColor(0x1E, 0x36, 0x28, 160), 1.0));
    p.setBrush(QColor(0x24, 0x42, 0x31));
    for (int i = 0; i < 10; ++i) {
        const QRectF place(3 + i * placeWidth + 1, 3, placeWidth - 2, size.height() - 6);
        p.drawRoundedRect(place, 3, 3);
    }
    return pixmap;
}

} // namespace quibo
