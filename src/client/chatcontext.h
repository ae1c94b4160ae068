// SPDX-License-Identifier: MIT
// ChatContext: what the phrase buttons need from the player window (Tchat implements it): whether
// the host has given us a seat, which one, the phrase flood guard, and the connection to the host.
#pragma once

#include <QByteArray>

namespace quibo {

class ChatContext {
public:
    virtual bool isconnected() const = 0;
    virtual int mynumber() const = 0;
    // The flood guard: a phrase may be sent only while canchat() holds. setCanchat(false) starts
    // the cooldown, which the window's timer ends after 101 ticks.
    virtual bool canchat() const = 0;
    virtual void setCanchat(bool on) = 0;
    // Sends one whole message, terminator included.
    virtual void sendToHost(const QByteArray& message) = 0;

protected:
    ~ChatContext() = default;
};

// The flood guard's state, for the window to hold and tick from its 1 ms timer.
class FloodGuard {
public:
    static constexpr int cooldownTicks = 100; // the flag returns once the count exceeds this

    bool canchat() const { return m_canchat; }
    void setCanchat(bool on) {
        m_canchat = on;
        m_chatticks = 0;
    }
    // One timer tick: counts while the flag is off and turns it on again after 101 ticks.
    void tick() {
        if (m_canchat) return;
        if (++m_chatticks > cooldownTicks) setCanchat(true);
    }
    int chatticks() const { return m_chatticks; }

private:
    bool m_canchat = true;
    int m_chatticks = 0;
};

} // namespace quibo
