// SPDX-License-Identifier: MIT
#include "chatrate.h"

#include <algorithm>

namespace quibo {

ChatRate::ChatRate(int burst, double perSecond)
    : m_burst(std::max(burst, 1))
    , m_perSecond(std::max(perSecond, 0.0))
    , m_tokens(m_burst) {}

ChatRate::Verdict ChatRate::take(Clock::time_point now) {
    if (m_started && now > m_last) {
        const double seconds = std::chrono::duration<double>(now - m_last).count();
        m_tokens = std::min(m_burst, m_tokens + seconds * m_perSecond);
    }
    // A clock that steps back (it should not) neither refills nor drains.
    if (!m_started || now > m_last) m_last = now;
    m_started = true;
    // A seat that was quiet until its whole burst came back has stopped flooding: should it start
    // again, it is told again. Lines that pass one at a time under a steady flood do not count.
    if (m_tokens >= m_burst) m_told = false;
    if (m_tokens >= 1.0) {
        m_tokens -= 1.0;
        return Verdict::Pass;
    }
    if (m_told) return Verdict::Drop;
    m_told = true;
    return Verdict::DropAndTell;
}

} // namespace quibo
