// SPDX-License-Identifier: MIT
// The board panel in a main window with a BoardRecorder around it, and the helpers its tests share:
// decoding a host message as the dispatch does, the tiles away from rest, and scripted clicks.
#pragma once

#include "boardpanel.h"
#include "boardrecorder.h"
#include "messages.h"
#include "tile.h"

#include <QLabel>
#include <QMainWindow>
#include <QTest>

namespace quibo::test {

using namespace quibo;

// A host message as the window's dispatch hands it to the board: decoded from the text after "+".
template <class M>
M decoded(QByteArrayView args) {
    return M::decode(args).value();
}

struct Fixture {
    BoardRecorder ctx;
    QMainWindow window;
    BoardPanel* board = nullptr;

    Fixture() {
        auto* central = new QWidget;
        window.setCentralWidget(central);
        window.resize(767, 510);
        board = new BoardPanel(central);
        ctx.attach(*board);
    }
    QLabel* label(const QString& name) const { return board->findChild<QLabel*>(name); }
    QString text(const QString& name) const {
        const QLabel* l = label(name);
        return l ? l->text() : QStringLiteral("<missing>");
    }
};

// The pick in progress as the old three numbers: hand slot, own cell, opponent's cell (0 when that
// row has no pick, or its move was already sent).
inline int picked(const BoardPanel& board, Row row) {
    const Pick& pick = board.model().pick();
    return pick.row == row && !pick.asked ? pick.index : 0;
}

// Tiles away from their resting top, in row order: "myletter2,extra3".
inline QString movedTiles(const BoardPanel& board) {
    QStringList moved;
    for (int n = 1; n <= 10; ++n) {
        if (board.myletter(n)->y() != BoardLayout::myletterTop) moved << board.myletter(n)->objectName();
    }
    for (int n = 1; n <= 10; ++n) {
        if (board.hisletter(n)->y() != BoardLayout::hisletterTop) moved << board.hisletter(n)->objectName();
    }
    for (int n = 1; n <= 6; ++n) {
        if (board.extra(n)->y() != BoardLayout::extraTop) moved << board.extra(n)->objectName();
    }
    return moved.join(QLatin1Char(','));
}

// Plays clicks written as "E2 M5 h3": E = hand tile, M = own tile, H = opponent tile; upper case is the
// left button, lower case the right button, X the middle button on an own tile.
inline void playClicks(BoardPanel& board, const QString& script) {
    const QStringList steps = script.split(QLatin1Char(' '), Qt::SkipEmptyParts);
    for (const QString& step : steps) {
        const QChar kind = step.at(0);
        const int n = step.mid(1).toInt();
        const Qt::MouseButton button = kind == u'X'     ? Qt::MiddleButton
                                       : kind.isUpper() ? Qt::LeftButton
                                                        : Qt::RightButton;
        switch (kind.toUpper().unicode()) {
        case u'E':
            QTest::mousePress(board.extra(n), button);
            QTest::mouseRelease(board.extra(n), button);
            break;
        case u'M':
        case u'X':
            QTest::mousePress(board.myletter(n), button);
            QTest::mouseRelease(board.myletter(n), button);
            break;
        case u'H':
            QTest::mouseClick(board.hisletter(n), button);
            break;
        default:
            QFAIL("unknown click");
        }
    }
}

} // namespace quibo::test
