// SPDX-License-Identifier: MIT
#include "signalwatcher.h"

#include <QSignalSpy>
#include <QTest>
#include <csignal>

using namespace quibo;

namespace {
volatile std::sig_atomic_t earlierHandlerCalls = 0;
extern "C" void earlierHandler(int) {
    earlierHandlerCalls = earlierHandlerCalls + 1;
}
} // namespace

class SignalWatcherTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void terminationSignalsArriveInTheEventLoop();
    void previousHandlersComeBack();
};

void SignalWatcherTest::terminationSignalsArriveInTheEventLoop() {
    SignalWatcher watcher;
    QVERIFY(watcher.isActive());
    QSignalSpy spy(&watcher, &SignalWatcher::signalReceived);
    std::raise(SIGTERM);
    std::raise(SIGINT);
    QTRY_COMPARE_WITH_TIMEOUT(spy.size(), 2, 20000);
    QCOMPARE(spy.at(0).at(0).toInt(), SIGTERM);
    QCOMPARE(spy.at(1).at(0).toInt(), SIGINT);
}

void SignalWatcherTest::previousHandlersComeBack() {
    std::signal(SIGTERM, earlierHandler);
    {
        SignalWatcher watcher;
        QVERIFY(watcher.isActive());
        // Only one watcher may own the signals at a time.
        SignalWatcher second;
        QVERIFY(!second.isActive());
    }
    std::raise(SIGTERM);
    QCOMPARE(int(earlierHandlerCalls), 1);
    std::signal(SIGTERM, SIG_DFL);
}

QTEST_GUILESS_MAIN(SignalWatcherTest)
#include "tst_signalwatcher.moc"
