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

} // namespace quibo
