// SPDX-License-Identifier: MIT
#include "replayboard.h"

#include "boardtheme.h"
#include "gamelog.h"
#include "replaylines.h"
#include "tiles.h"

#include <QCoreApplication>
#include <QPainter>

namespace quibo {

namespace {

// The rows stand as on the player window's board: the opponent's above, the own below, the hand
// under both.
constexpr int stripLeft = 8, stripWidth = 407, stripHeight = 51;
constexpr int opponentStripTop = 28, ownStripTop = 92;
constexpr int boardStep = 40, handLeft = 70, handTop = 172, handStep = 48;
constexpr int topSeatLine = 4, bottomSeatLine = 146, statusTop = 222;

void paintTurnMarker(QPainter& p, int top) {
    p.save();
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(QColor(0x8A, 0x4B, 0x08), 1));
    p.setBrush(QColor(0xF5, 0xA6, 0x23));
    const QPointF arrow[] = {{3, 7}, {11, 7}, {11, 2}, {20, 11.5}, {11, 21}, {11, 16}, {3, 16}};
    p.translate(8, top - 2);
    p.drawPolygon(arrow, 7);
    p.restore();
}

} // namespace

ReplayBoard::ReplayBoard(const TableModel& model, QWidget* parent)
    : QWidget(parent)
    , m_model(model) {
    setObjectName(QStringLiteral("replay_board"));
    setFixedSize(designWidth, designHeight);
    const auto repaint = [this] { update(); };
    connect(&model, &TableModel::rowChanged, this, repaint);
    connect(&model, &TableModel::seatsChanged, this, repaint);
    connect(&model, &TableModel::ownSeatChanged, this, repaint);
    connect(&model, &TableModel::turnChanged, this, repaint);
    connect(&model, &TableModel::phaseChanged, this, repaint);
}

QRect ReplayBoard::tileRect(Row row, int index) {
    switch (row) {
    case Row::OpponentBoard:
        return {stripLeft + 4 + boardStep * (index - 1), opponentStripTop + 5, TileSet::side, TileSet::side};
    case Row::OwnBoard:
        return {stripLeft + 4 + boardStep * (index - 1), ownStripTop + 5, TileSet::side, TileSet::side};
    case Row::Hand:
        return {handLeft + handStep * (index - 1), handTop, TileSet::side, TileSet::side};
    }
    return {};
}

QString ReplayBoard::statusText() const {
    if (m_model.phase() == GamePhase::Over && (m_model.winner() == 1 || m_model.winner() == 2)) {
        const int d = m_model.winner();
        const QString name = m_model.seatName(d);
        const int me = m_model.ownSeat();
        if (me >= 1 && me <= 3 && d == TableModel::displaySeat(me))
            return boardText("You have won the game!");
        return boardText("%1 has won the game!").arg(shownSeatName(name, false));
    }
    const int turn = m_model.turnSeat();
    if (turn == 0) return {};
    if (m_model.isOwnTurn()) return tr("Your turn.");
    return m_model.seatName(TableModel::displaySeat(turn)) + boardText("'s turn.");
}

void ReplayBoard::paintEvent(QPaintEvent*) {
    QPainter p(this);
    paintBoardBackground(p, rect(), palette());
    p.setRenderHint(QPainter::Antialiasing);
    const qreal dpr = devicePixelRatioF();
    const QPixmap strip = TileSet::boardStrip({stripWidth, stripHeight}, dpr);
    p.drawPixmap(stripLeft, opponentStripTop, strip);
    p.drawPixmap(stripLeft, ownStripTop, strip);

    paintSeat(p, m_model.topSeat(), topSeatLine);
    paintSeat(p, m_model.bottomSeat(), bottomSeatLine);
    for (Row row : {Row::OpponentBoard, Row::OwnBoard, Row::Hand})
        paintRow(p, row);

    QFont bold = font();
    bold.setBold(true);
    bold.setPointSize(10);
    p.setFont(bold);
    p.setPen(boardColours(palette()).text);
    p.drawText(QRect(4, statusTop, width() - 8, 20), Qt::AlignCenter, statusText());
}

void ReplayBoard::paintSeat(QPainter& p, int d, int top) {
    if (m_model.turnSeat() != 0 && TableModel::displaySeat(m_model.turnSeat()) == d) paintTurnMarker(p, top);
    QFont bold = font();
    bold.setBold(true);
    bold.setPointSize(10);
    p.setFont(bold);
    p.setPen(boardColours(palette()).text);
    // Names come from the record, which anybody may have written: drawn as text, never as markup.
    p.drawText(QRect(34, top, 220, 20), Qt::AlignLeft | Qt::AlignVCenter,
               shownSeatName(m_model.seatName(d), m_model.isOwnDisplaySeat(d)));
    p.drawText(QRect(260, top, 150, 20), Qt::AlignRight | Qt::AlignVCenter,
               QString::number(m_model.seat(d).score));
}

void ReplayBoard::paintRow(QPainter& p, Row row) {
    const int count = row == Row::Hand ? handSlotCount : boardCellCount;
    for (int i = 1; i <= count; ++i) {
        const int code = m_model.code(row, i);
        if (!TileSet::isLetter(code)) continue;
        p.save();
        p.translate(tileRect(row, i).topLeft());
        TileSet::drawTile(p, code);
        p.restore();
    }
}

} // namespace quibo
