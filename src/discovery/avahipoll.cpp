// SPDX-License-Identifier: MIT
#include "avahipoll.h"

#include <QDateTime>
#include <QSocketNotifier>
#include <QTimer>
#include <algorithm>
#include <sys/time.h>

// The library's opaque watch and timeout types are ours to define.
struct AvahiWatch : public QObject {
    AvahiWatchCallback callback = nullptr;
    void* userdata = nullptr;
    int fd = -1;
    AvahiWatchEvent happened = AvahiWatchEvent(0); // what the running callback was called for
    QSocketNotifier* readable = nullptr;
    QSocketNotifier* writable = nullptr;
};

struct AvahiTimeout : public QObject {
    AvahiTimeoutCallback callback = nullptr;
    void* userdata = nullptr;
    QTimer timer;
};

namespace {

void fire(AvahiWatch* watch, AvahiWatchEvent event) {
    // The callback may free the watch: it is then only disabled, and deleted after this event.
    watch->happened = event;
    watch->callback(watch, watch->fd, event, watch->userdata);
    watch->happened = AvahiWatchEvent(0);
}

void watchUpdate(AvahiWatch* watch, AvahiWatchEvent events) {
    watch->readable->setEnabled((events & AVAHI_WATCH_IN) != 0);
    watch->writable->setEnabled((events & AVAHI_WATCH_OUT) != 0);
}

AvahiWatch* watchNew(const AvahiPoll* api, int fd, AvahiWatchEvent events, AvahiWatchCallback callback,
                     void* userdata) {
    auto* watch = new AvahiWatch;
    watch->setParent(static_cast<QObject*>(api->userdata));
    watch->callback = callback;
    watch->userdata = userdata;
    watch->fd = fd;
    // A hang-up or an error shows as readability; the library then reads and sees it.
    watch->readable = new QSocketNotifier(fd, QSocketNotifier::Read, watch);
    watch->writable = new QSocketNotifier(fd, QSocketNotifier::Write, watch);
    QObject::connect(watch->readable, &QSocketNotifier::activated, watch,
                     [watch] { fire(watch, AVAHI_WATCH_IN); });
    QObject::connect(watch->writable, &QSocketNotifier::activated, watch,
                     [watch] { fire(watch, AVAHI_WATCH_OUT); });
    watchUpdate(watch, events);
    return watch;
}

AvahiWatchEvent watchGetEvents(AvahiWatch* watch) {
    return watch->happened;
}

void watchFree(AvahiWatch* watch) {
    watch->readable->setEnabled(false);
    watch->writable->setEnabled(false);
    watch->callback = [](AvahiWatch*, int, AvahiWatchEvent, void*) {};
    watch->deleteLater();
}

// Milliseconds from now to an absolute time of the system clock, 0 for one that has passed.
int millisecondsUntil(const struct timeval* when) {
    struct timeval now {};
    gettimeofday(&now, nullptr);
    const qint64 ms =
        (qint64(when->tv_sec) - now.tv_sec) * 1000 + (qint64(when->tv_usec) - now.tv_usec) / 1000;
    return int(std::clamp<qint64>(ms, 0, 24 * 3600 * 1000));
}

void timeoutUpdate(AvahiTimeout* timeout, const struct timeval* when) {
    if (!when) {
        timeout->timer.stop();
        return;
    }
    timeout->timer.start(millisecondsUntil(when));
}

AvahiTimeout* timeoutNew(const AvahiPoll* api, const struct timeval* when, AvahiTimeoutCallback callback,
                         void* userdata) {
    auto* timeout = new AvahiTimeout;
    timeout->setParent(static_cast<QObject*>(api->userdata));
    timeout->callback = callback;
    timeout->userdata = userdata;
    timeout->timer.setSingleShot(true);
    QObject::connect(&timeout->timer, &QTimer::timeout, timeout,
                     [timeout] { timeout->callback(timeout, timeout->userdata); });
    timeoutUpdate(timeout, when);
    return timeout;
}

void timeoutFree(AvahiTimeout* timeout) {
    timeout->timer.stop();
    timeout->callback = [](AvahiTimeout*, void*) {};
    timeout->deleteLater();
}

} // namespace

namespace quibo {

AvahiQtPoll::AvahiQtPoll(QObject* parent)
    : QObject(parent) {
    m_api.userdata = this;
    m_api.watch_new = watchNew;
    m_api.watch_update = watchUpdate;
    m_api.watch_get_events = watchGetEvents;
    m_api.watch_free = watchFree;
    m_api.timeout_new = timeoutNew;
    m_api.timeout_update = timeoutUpdate;
    m_api.timeout_free = timeoutFree;
}

} // namespace quibo
