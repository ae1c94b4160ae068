// SPDX-License-Identifier: MIT
#include "seatholds.h"

#include "seatmessages.h"
#include "secretcompare.h"

#include <QRandomGenerator>
#include <QTimer>

namespace quibo {

SeatHolds::SeatHolds(std::chrono::milliseconds holdTime, QObject* parent)
    : QObject(parent)
    , m_holdTime(holdTime) {
    for (int seat = 1; seat <= 2; ++seat) {
        auto* timer = new QTimer(this);
        timer->setSingleShot(true);
        connect(timer, &QTimer::timeout, this, [this, seat] {
            m_entries[std::size_t(seat)].key.clear();
            Q_EMIT holdExpired(seat);
        });
        m_entries[std::size_t(seat)].timer = timer;
    }
}

QByteArray SeatHolds::issue(int seat) {
    if (!isHoldable(seat)) return {};
    Entry& entry = m_entries[std::size_t(seat)];
    entry.timer->stop();
    // The system's generator, never the game's seeded one: a key must not be foreseeable from a
    // seed or from the letters dealt.
    std::array<quint32, msg::seatKeyLength / 8> words{};
    QRandomGenerator::system()->fillRange(words.data(), qsizetype(words.size()));
    QByteArray key;
    for (const quint32 word : words)
        key += QByteArray::number(word, 16).rightJustified(8, '0');
    entry.key = key;
    return key;
}

void SeatHolds::hold(int seat) {
    if (!isHoldable(seat)) return;
    Entry& entry = m_entries[std::size_t(seat)];
    if (entry.key.isEmpty() || m_holdTime <= std::chrono::milliseconds::zero()) {
        forget(seat);
        return;
    }
    entry.timer->start(m_holdTime);
}

bool SeatHolds::isHeld(int seat) const {
    return isHoldable(seat) && m_entries[std::size_t(seat)].timer->isActive();
}

int SeatHolds::claim(QByteArrayView key) {
    if (key.isEmpty()) return 0;
    int opened = 0;
    // Both seats are compared whatever the first answer, again so that timing tells nothing.
    for (int seat = 1; seat <= 2; ++seat) {
        const Entry& entry = m_entries[std::size_t(seat)];
        if (sameSecret(entry.key, key) && isHeld(seat)) opened = seat;
    }
    if (opened != 0) forget(opened);
    return opened;
}

void SeatHolds::forget(int seat) {
    if (!isHoldable(seat)) return;
    Entry& entry = m_entries[std::size_t(seat)];
    entry.timer->stop();
    entry.key.clear();
}

} // namespace quibo
