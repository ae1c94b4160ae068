// SPDX-License-Identifier: MIT
// SeatHolds: the keys of the two playing seats and the holds on seats whose connection broke. Each
// player who logs in to seat 1 or 2 is given a new key; when that connection breaks, the seat is
// held for the key's holder for a while, and only a login that presents the key gets it back. Owned
// by TServer, which asks it whether a seat may go to a newcomer.
//
// Abuse: a stranger who logs in while a seat is held would like to take it, with its letters, its
// score and, for seat 1, the power to start games, remove players and give the turn away. The key is
// 128 bits from the system's generator, compared in constant time, and spent once it has given the
// seat back, so guessing it is hopeless. A hold ends after the configured time, so a player who
// never returns blocks the seat no longer than that; a removed player's key is forgotten at once.
#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QObject>
#include <array>
#include <chrono>

class QTimer;

namespace quibo {

class SeatHolds : public QObject {
    Q_OBJECT
public:
    // A hold of zero frees a broken seat at once, as a departure always did.
    explicit SeatHolds(std::chrono::milliseconds holdTime, QObject* parent = nullptr);

    static bool isHoldable(int seat) { return seat == 1 || seat == 2; }

    // A new key for the player who just logged in to seat 1 or 2; any earlier key of the seat no
    // longer works. Empty for other seats.
    QByteArray issue(int seat);
    // The seat's connection broke: it is held for the holder of its key, if it has one.
    void hold(int seat);
    bool isHeld(int seat) const;
    // The held seat the key opens, or 0. The seat is no longer held and the key is spent.
    int claim(QByteArrayView key);
    // The seat's player is gone for good (left in order, removed): no hold, and the key is dropped.
    void forget(int seat);

Q_SIGNALS:
    // A hold ran out without its holder; the seat is free again.
    void holdExpired(int seat);

private:
    struct Entry {
        QByteArray key;
        QTimer* timer = nullptr; // runs while the seat is held
    };

    std::chrono::milliseconds m_holdTime;
    std::array<Entry, 3> m_entries{}; // [1] and [2]
};

} // namespace quibo
