// SPDX-License-Identifier: MIT
// AvahiQtPoll: Avahi's main-loop interface (AvahiPoll) served by Qt's event loop, so that the
// responder's client library runs on the thread of the windows and the host like every socket of
// the program: its descriptors are watched with QSocketNotifier, its timeouts are QTimers, and its
// callbacks run as ordinary events, one at a time. Owned by one AvahiConnection; every watch and
// timeout it hands out is its child and goes with it.
#pragma once

#include <QObject>
#include <avahi-common/watch.h>

namespace quibo {

class AvahiQtPoll : public QObject {
public:
    explicit AvahiQtPoll(QObject* parent = nullptr);
    const AvahiPoll* api() const { return &m_api; }

private:
    AvahiPoll m_api{};
};

} // namespace quibo
