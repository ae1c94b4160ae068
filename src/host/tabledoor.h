// SPDX-License-Identifier: MIT
// TableDoor: who may sit at a private table. It keeps the table's password (as a digest, compared
// in constant time) and counts the wrong passwords each address gave. Owned by TServer, which asks
// it about every password a window gives; a table without a password has an open door.
//
// Abuse: a stranger who can reach the port would like to guess the password. Each address may give
// a wrong password only a few times in a sliding window of time (five a minute); past that every
// try from it, the right password included, is refused until its oldest wrong try is a window old.
// TServer answers every wrong try a second late and lets one address wait with only a few
// connections, so guesses come slowly. Since the digests are compared whole, the time of an answer
// tells neither how much of a guess was right nor how long the password is. Addresses are counted in
// a table of bounded size: a stranger with very many addresses pushes out the oldest entries, and
// still has only a few tries per address. The caller passes the time, so tests need not wait.
#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QHash>
#include <QList>
#include <QString>
#include <chrono>

namespace quibo {

class TableDoor {
public:
    using Clock = std::chrono::steady_clock;

    enum class Verdict {
        Enter,        // the table's password
        Wrong,        // not the table's password; counted against the address
        TooManyTries, // the address gave too many wrong passwords lately; not even looked at
    };

    // Addresses whose tries are counted at once; more push out the one that tried least lately.
    static constexpr qsizetype maxAddresses = 4096;

    // An empty password leaves the table public.
    TableDoor(const QString& password, int wrongTriesAllowed, Clock::duration window);

    bool isLocked() const { return !m_digest.isEmpty(); }
    // Judges a password given from an address at the time now.
    Verdict knock(const QString& address, QByteArrayView password, Clock::time_point now);
    // Forgets every counted try (a table reset).
    void forgetTries() { m_wrongTries.clear(); }
    qsizetype countedAddresses() const { return m_wrongTries.size(); }

private:
    void dropOld(QList<Clock::time_point>& tries, Clock::time_point now) const;
    void makeRoom(Clock::time_point now);

    QByteArray m_digest;
    int m_allowed;
    Clock::duration m_window;
    QHash<QString, QList<Clock::time_point>> m_wrongTries; // oldest first
};

} // namespace quibo
