// SPDX-License-Identifier: MIT
// The host's receive queue over real connections: an idle host runs no timer, a message that finds
// the queue empty is handled at once, and messages that wait are handled 10 ms apart. Times come
// from the host's own record of when each message was queued and handled.
#include "hostfixture.h"

#include <QSignalSpy>
#include <QTest>
#include <chrono>
#include <vector>

using namespace quibo;
using namespace std::chrono_literals;
using quibo::test::HostFixture;
using quibo::test::RawClient;

namespace {

using Clock = std::chrono::steady_clock;

struct Handled {
    Clock::time_point arrived;
    Clock::time_point handled;
};

QByteArray chatLine(int seat, int number) {
    return msg::ChatRequest{seat, "line " + QByteArray::number(number) + "|clBlack"}.encode();
}

} // namespace

class HostQueueTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void idleHostRunsNoTimer();
    void restingHostHandlesAtOnceAndPacesWhatWaits();
};

void HostQueueTest::idleHostRunsNoTimer() {
    HostFixture host;
    RawClient* ann = host.join(QStringLiteral("Ann"));
    ann->sendRaw(chatLine(1, 0));
    QVERIFY(ann->waitFor("CMD_chat+Ann chats: line 0") >= 0);
    QTRY_VERIFY_WITH_TIMEOUT(!host.server->socktimer().isActive(), 20000);
    QSignalSpy ticks(&host.server->socktimer(), &QTimer::timeout);
    QVERIFY(!ticks.wait(300));
    QCOMPARE(ticks.count(), 0);
    QVERIFY(!host.server->rules().turntimer().isActive());
}

void HostQueueTest::restingHostHandlesAtOnceAndPacesWhatWaits() {
    HostFixture host;
    RawClient* ann = host.join(QStringLiteral("Ann"));
    std::vector<Handled> handled;
    QObject::connect(host.server.get(), &TServer::messageHandled,
                     [&handled](Clock::time_point arrived, Clock::time_point at) {
                         handled.push_back({arrived, at});
                     });

    // One at a time, each sent once the last was answered: none waits for a tick.
    for (int number = 1; number <= 3; ++number) {
        QTRY_VERIFY_WITH_TIMEOUT(!host.server->socktimer().isActive(), 20000);
        ann->sendRaw(chatLine(1, number));
        QVERIFY(ann->waitFor("CMD_chat+Ann chats: line " + QByteArray::number(number)) >= 0);
    }
    QCOMPARE(handled.size(), size_t(3));
    for (const Handled& h : handled)
        QVERIFY2(h.handled - h.arrived < 1ms, qPrintable(QString::number((h.handled - h.arrived) / 1us)));

    // A burst cut into the queue in one piece: the first at once, the others 10 ms apart.
    handled.clear();
    QByteArray burst;
    for (int number = 10; number < 15; ++number)
        burst += chatLine(1, number);
    host.server->takeBytes(host.server->players()[1].sock, burst);
    QVERIFY(ann->waitFor("CMD_chat+Ann chats: line 14") >= 0);
    QCOMPARE(handled.size(), size_t(5));
    QVERIFY(handled[0].handled - handled[0].arrived < 1ms);
    for (size_t i = 1; i < handled.size(); ++i)
        QVERIFY2(handled[i].handled - handled[i - 1].handled >= 10ms,
                 qPrintable(QString::number((handled[i].handled - handled[i - 1].handled) / 1us)));
}

QTEST_GUILESS_MAIN(HostQueueTest)
#include "tst_hostqueue.moc"
