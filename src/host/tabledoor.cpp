// SPDX-License-Identifier: MIT
#include "tabledoor.h"

#include "secretcompare.h"

#include <QCryptographicHash>
#include <algorithm>

namespace quibo {

namespace {

QByteArray digestOf(QByteArrayView password) {
    return QCryptographicHash::hash(password, QCryptographicHash::Sha256);
}

} // namespace

TableDoor::TableDoor(const QString& password, int wrongTriesAllowed, Clock::duration window)
    : m_digest(password.isEmpty() ? QByteArray() : digestOf(password.toUtf8()))
    , m_allowed(wrongTriesAllowed)
    , m_window(window) {}

void TableDoor::dropOld(QList<Clock::time_point>& tries, Clock::time_point now) const {
    while (!tries.isEmpty() && now - tries.constFirst() >= m_window)
        tries.removeFirst();
}

void TableDoor::makeRoom(Clock::time_point now) {
    for (auto it = m_wrongTries.begin(); it != m_wrongTries.end();) {
        dropOld(it.value(), now);
        it = it.value().isEmpty() ? m_wrongTries.erase(it) : std::next(it);
    }
    if (m_wrongTries.size() < maxAddresses) return;
    const auto stalest = std::min_element(m_wrongTries.begin(), m_wrongTries.end(),
                                          [](const auto& a, const auto& b) { return a.last() < b.last(); });
    m_wrongTries.erase(stalest);
}

TableDoor::Verdict TableDoor::knock(const QString& address, QByteArrayView password, Clock::time_point now) {
    if (!isLocked()) return Verdict::Enter;
    auto it = m_wrongTries.find(address);
    if (it != m_wrongTries.end()) {
        dropOld(it.value(), now);
        if (it.value().size() >= m_allowed) return Verdict::TooManyTries;
    }
    if (sameSecret(digestOf(password), m_digest)) return Verdict::Enter;
    if (it == m_wrongTries.end()) {
        if (m_wrongTries.size() >= maxAddresses) makeRoom(now);
        it = m_wrongTries.insert(address, {});
    }
    it.value().append(now);
    return Verdict::Wrong;
}

} // namespace quibo
