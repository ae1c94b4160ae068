// SPDX-License-Identifier: MIT
#include "gametext.h"

#include "letters.h"
#include "tablemodel.h"

namespace quibo {

namespace {

QString capital(int code) {
    return QString(QChar::fromLatin1(convertoletter(code))).toUpper();
}

} // namespace

GameText::GameText(const TableModel& model, QObject* parent)
    : QObject(parent)
    , m_model(model) {
    using T = TableModel;
    const T* m = &model;
    connect(m, &T::gameStarted, this, [this](const msg::StartGame& s) {
        add(tr("%1 started a game: play to %2, %3 seconds per turn.")
                .arg(QString::fromUtf8(s.starter))
                .arg(s.targetscore)
                .arg(s.turntime));
    });
    connect(m, &T::letterPlaced, this, [this](const msg::PlaceMyLetter& p) {
        // Slot 0 is a board letter told again to a window that came late, not a move.
        if (p.slot != 0) add(tr("%1 placed %2 in cell %3.").arg(nameOf(p.seat), capital(p.code)).arg(p.cell));
    });
    connect(m, &T::letterRemoved, this, [this](const msg::DiscardLetter& d, int code) {
        add(tr("%1 removed %2 from cell %3.").arg(nameOf(d.seat), capital(code)).arg(d.cell));
    });
    connect(m, &T::handLetterThrown, this, [this](const msg::DiscardExtra& d) {
        add(tr("%1 threw away a hand letter.").arg(nameOf(d.seat)));
    });
    connect(m, &T::lettersSwapped, this, [this](const msg::TradingMyLetter& t) {
        add(tr("%1 swapped cells %2 and %3.").arg(nameOf(t.seat)).arg(t.firstCell).arg(t.secondCell));
    });
    connect(m, &T::letterStolen, this, [this](const msg::StoldLetter& s) {
        add(tr("%1 stole %2 into cell %3.").arg(nameOf(s.seat), capital(s.code)).arg(s.myCell));
    });
    connect(m, &T::wordFormed, this, [this](const msg::FormedWord& w) {
        add(tr("%1 formed %2 for %3.")
                .arg(nameOf(w.seat), QString::fromUtf8(w.word).toUpper())
                .arg(w.points));
    });
    connect(m, &T::timeRanOut, this, [this] { add(tr("Time ran out.")); });
    connect(m, &T::gameWon, this, [this](int d) {
        add(tr("%1 won the game, %2 to %3.")
                .arg(m_model.seatName(d))
                .arg(m_model.seat(d).score)
                .arg(m_model.seat(3 - d).score));
    });
}

QString GameText::nameOf(int seat) const {
    return m_model.seatName(TableModel::displaySeat(seat));
}

} // namespace quibo
