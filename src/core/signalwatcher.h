// SPDX-License-Identifier: MIT
// SignalWatcher: turns the termination signals SIGINT and SIGTERM into a Qt signal on the thread
// that owns the watcher, so a program can close its connections and files and leave its event loop
// normally. The program's main() owns one instance for its life; only one may exist at a time. The
// system's signal handler only writes the signal number into a pipe; everything else happens in
// the event loop.
#pragma once

#include <QObject>
#include <initializer_list>
#include <memory>

class QSocketNotifier;

namespace quibo {

class SignalWatcher : public QObject {
    Q_OBJECT
public:
    // Starts watching the given signals (SIGINT and SIGTERM by default); the previous handlers come
    // back when the watcher is destroyed.
    explicit SignalWatcher(QObject* parent = nullptr);
    SignalWatcher(std::initializer_list<int> signalNumbers, QObject* parent = nullptr);
    ~SignalWatcher() override;

    // False when the pipe or a handler could not be set up (or another watcher exists).
    bool isActive() const { return m_active; }

Q_SIGNALS:
    void signalReceived(int signalNumber);

private:
    void readPipe();

    std::unique_ptr<QSocketNotifier> m_notifier;
    std::vector<std::pair<int, void (*)(int)>> m_previous;
    bool m_active = false;
};

} // namespace quibo
