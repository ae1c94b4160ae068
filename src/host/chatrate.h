// SPDX-License-Identifier: MIT
// ChatRate: how many chat and action lines one seat may still send, as a token bucket: a burst of
// lines at once, then a steady number a second, about what a person types. Every line relayed
// costs the host one message to each window, so a seat that sends faster (a script, a held phrase
// button) would make the host push more at every window than it can show. Past the bound lines are
// dropped, and the first drop asks the host to tell the seat; it is told again only after it has
// been quiet until its whole burst came back, so a steady flood hears of it once. One per
// seat, owned by TServer; the caller passes the time, so tests need not wait.
#pragma once

#include <chrono>

namespace quibo {

class ChatRate {
public:
    using Clock = std::chrono::steady_clock;

    enum class Verdict {
        Pass,        // relay the line
        DropAndTell, // drop it; dropping begins, tell the seat
        Drop,        // drop it; the seat has been told
    };

    // A full bucket of burst lines that refills at perSecond lines a second.
    ChatRate(int burst, double perSecond);

    // Takes one line's worth at the time now.
    Verdict take(Clock::time_point now);

private:
    double m_burst;
    double m_perSecond;
    double m_tokens;
    Clock::time_point m_last{};
    bool m_started = false;
    bool m_told = false;
};

} // namespace quibo
