// SPDX-License-Identifier: MIT
#include "signalwatcher.h"

#include <QLoggingCategory>
#include <QSocketNotifier>
#include <atomic>
#include <cerrno>
#include <csignal>
#include <utility>
#include <vector>

#ifdef Q_OS_UNIX
#include <fcntl.h>
#include <unistd.h>
#endif

namespace quibo {
namespace {

Q_LOGGING_CATEGORY(lcSignals, "quibo.signals")

// The pipe's ends; the handler may touch nothing but these (async-signal-safe writes only).
std::atomic<int> writeEnd{-1};
int readEnd = -1;

extern "C" void onSignal(int signalNumber) {
#ifdef Q_OS_UNIX
    const int savedErrno = errno;
    const unsigned char byte = static_cast<unsigned char>(signalNumber);
    const int fd = writeEnd.load();
    if (fd >= 0) {
        [[maybe_unused]] const auto written = ::write(fd, &byte, 1);
    }
    errno = savedErrno;
#else
    Q_UNUSED(signalNumber);
#endif
}

} // namespace

SignalWatcher::SignalWatcher(QObject* parent)
    : SignalWatcher({SIGINT, SIGTERM}, parent) {}

SignalWatcher::SignalWatcher(std::initializer_list<int> signalNumbers, QObject* parent)
    : QObject(parent) {
#ifdef Q_OS_UNIX
    if (writeEnd.load() >= 0) {
        qCWarning(lcSignals) << "another signal watcher is active";
        return;
    }
    int fds[2];
    if (::pipe2(fds, O_CLOEXEC | O_NONBLOCK) != 0) {
        qCWarning(lcSignals) << "cannot create the signal pipe";
        return;
    }
    readEnd = fds[0];
    writeEnd.store(fds[1]);
    m_notifier = std::make_unique<QSocketNotifier>(readEnd, QSocketNotifier::Read);
    connect(m_notifier.get(), &QSocketNotifier::activated, this, &SignalWatcher::readPipe);
    for (const int number : signalNumbers)
        m_previous.emplace_back(number, std::signal(number, onSignal));
    m_active = true;
#else
    Q_UNUSED(signalNumbers);
#endif
}

SignalWatcher::~SignalWatcher() {
#ifdef Q_OS_UNIX
    if (!m_active) return;
    for (const auto& [number, previous] : m_previous)
        std::signal(number, previous == SIG_ERR ? SIG_DFL : previous);
    m_notifier.reset();
    ::close(writeEnd.exchange(-1));
    ::close(std::exchange(readEnd, -1));
#endif
}

void SignalWatcher::readPipe() {
#ifdef Q_OS_UNIX
    unsigned char byte = 0;
    while (::read(readEnd, &byte, 1) == 1) {
        qCInfo(lcSignals) << "received signal" << int(byte);
        Q_EMIT signalReceived(int(byte));
    }
#endif
}

} // namespace quibo
