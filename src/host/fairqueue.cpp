// SPDX-License-Identifier: MIT
#include "fairqueue.h"

#include <algorithm>

namespace quibo {

bool FairQueue::push(quint64 origin, QByteArray text) {
    std::deque<QueuedMessage>& line = m_lines[origin];
    if (qsizetype(line.size()) >= m_limit) return false;
    if (line.empty()) m_turns.push_back(origin);
    line.push_back(QueuedMessage{std::move(text), origin, std::chrono::steady_clock::now()});
    ++m_size;
    return true;
}

std::optional<QueuedMessage> FairQueue::takeNext() {
    if (m_turns.empty()) return std::nullopt;
    const quint64 origin = m_turns.front();
    m_turns.pop_front();
    const auto it = m_lines.find(origin);
    QueuedMessage message = std::move(it->second.front());
    it->second.pop_front();
    --m_size;
    if (it->second.empty())
        m_lines.erase(it);
    else
        m_turns.push_back(origin);
    return message;
}

void FairQueue::removeOrigin(quint64 origin) {
    const auto it = m_lines.find(origin);
    if (it == m_lines.end()) return;
    m_size -= qsizetype(it->second.size());
    m_lines.erase(it);
    std::erase(m_turns, origin);
}

qsizetype FairQueue::countFrom(quint64 origin) const {
    const auto it = m_lines.find(origin);
    return it == m_lines.end() ? 0 : qsizetype(it->second.size());
}

} // namespace quibo
