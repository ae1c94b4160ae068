// SPDX-License-Identifier: MIT
#include "errorreport.h"
#include "heldport.h"
#include "rawclient.h"
#include "tsock.h"

#include <QDeadlineTimer>
#include <QScopeGuard>
#include <QSignalSpy>
#include <QTcpServer>
#include <QTest>
#include <cerrno>
#include <memory>

#ifdef Q_OS_LINUX
#include <arpa/inet.h>
#include <fcntl.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>
#endif

using namespace quibo;
using quibo::test::RawClient;

namespace {

// Records the events of one or more TSocks as short strings, in the order they happened.
struct EventLog {
    QStringList events;

    void attach(TSock& sock) {
        QObject::connect(&sock, &TSock::OnDisconnect,
                         [this](TSock*) { events << QStringLiteral("disconnect"); });
        QObject::connect(&sock, &TSock::OnInfo, [this](TSock*, TSocketInfo code, const QString& text) {
            if (code == TSocketInfo::Close || code == TSocketInfo::Error)
                events << QStringLiteral("%1:%2").arg(int(code)).arg(text);
        });
    }
};

// A listener on a free port whose accepted connections are kept and can be observed.
struct Listener {
    TSock sock;
    std::vector<TSock*> accepted;

    Listener() {
        sock.setPortName(QStringLiteral("0"));
        QObject::connect(&sock, &TSock::OnAccept, [this](TSock* s) { accepted.push_back(s->Accept()); });
        sock.setListen(true);
    }
    // An accepted TSock takes the listener's parent, here none: the listener's owner deletes it.
    ~Listener() {
        for (TSock* s : accepted)
            delete s;
    }
    Listener(const Listener&) = delete;
    Listener& operator=(const Listener&) = delete;
    quint16 port() const { return sock.listeningPort(); }
    bool waitForAccepted(std::size_t n = 1) {
        return QTest::qWaitFor([&] { return accepted.size() >= n; }, 20000);
    }
};

QString exceptionText(const std::function<void()>& operation) {
    try {
        operation();
    } catch (const ESockException& e) {
        return QString::fromUtf8(e.what());
    }
    return QString();
}

} // namespace

class TSockTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void dataSentBeforeConnectArrives();
    void peerCloseGivesDisconnectThenSocketClosed();
    void closeInDisconnectHandlerReportsClosedTwice();
    void resetIsReportedAsErrorOnly_data();
    void resetIsReportedAsErrorOnly();
    void refusedConnectionIsReportedAsError();
    void acceptCopiesHandlersAndMarksConnected();
    void operationsInTheWrongStateRaise_data();
    void operationsInTheWrongStateRaise();
    void listeningOnAPortInUseRaises();
    void burstOfConnectionsWaitsUntilAccepted();
    void closeReportsEvenWhenAlreadyClosedButListenersDoNot();
    void closedConnectionDropsWhatItCouldNotSendWithinASecond();
    void handlerExceptionsGoToTheErrorReport();
    void errorNumbersHaveTheirNames_data();
    void errorNumbersHaveTheirNames();
};

void TSockTest::dataSentBeforeConnectArrives() {
    Listener listener;
    QByteArray received;
    QObject::connect(&listener.sock, &TSock::OnRead, [&](TSock* s, int) { received += s->Receive(); });

    TSock client;
    bool connected = false;
    QObject::connect(&client, &TSock::OnConnect, [&](TSock*) { connected = true; });
    client.setHostName(QStringLiteral("127.0.0.1"));
    client.setPortName(QString::number(listener.port()));
    QCOMPARE(client.Open(), false);
    client.Send("first ");
    client.Send("second");
    QTRY_VERIFY_WITH_TIMEOUT(connected, 20000);
    QVERIFY(client.Connected());
    QTRY_COMPARE_WITH_TIMEOUT(received, QByteArray("first second"), 20000);
}

void TSockTest::peerCloseGivesDisconnectThenSocketClosed() {
    Listener listener;
    RawClient peer;
    QVERIFY(peer.connectTo(listener.port()));
    QVERIFY(listener.waitForAccepted());
    EventLog log;
    log.attach(*listener.accepted.front());

    peer.close();
    QTRY_COMPARE_WITH_TIMEOUT(log.events, (QStringList{"disconnect", "2:Socket Closed"}), 20000);
    QVERIFY(!listener.accepted.front()->Connected());
}

void TSockTest::closeInDisconnectHandlerReportsClosedTwice() {
    // The host closes a departing connection from its disconnect handler; the close that follows
    // the event reports once more.
    Listener listener;
    RawClient peer;
    QVERIFY(peer.connectTo(listener.port()));
    QVERIFY(listener.waitForAccepted());
    EventLog log;
    TSock* accepted = listener.accepted.front();
    log.attach(*accepted);
    QObject::disconnect(accepted, &TSock::OnDisconnect, nullptr, nullptr); // in place of the log's
    QObject::connect(accepted, &TSock::OnDisconnect, [&](TSock* s) {
        log.events << QStringLiteral("disconnect");
        s->Close();
    });
    peer.close();
    QTRY_COMPARE_WITH_TIMEOUT(log.events, (QStringList{"disconnect", "2:Socket Closed", "2:Socket Closed"}),
                              20000);
}

void TSockTest::resetIsReportedAsErrorOnly_data() {
    QTest::addColumn<QByteArray>("unreadData");
    QTest::newRow("idle connection") << QByteArray();
    QTest::newRow("data in flight") << QByteArray(5000, 'x');
}

void TSockTest::resetIsReportedAsErrorOnly() {
    QFETCH(QByteArray, unreadData);
    Listener listener;
    RawClient peer;
    QVERIFY(peer.connectTo(listener.port()));
    QVERIFY(listener.waitForAccepted());
    EventLog log;
    TSock* accepted = listener.accepted.front();
    log.attach(*accepted);
    QByteArray received;
    QObject::connect(accepted, &TSock::OnRead, [&](TSock* s, int) { received += s->Receive(); });
    if (!unreadData.isEmpty()) {
        peer.sendRaw(unreadData);
        QTRY_COMPARE_WITH_TIMEOUT(received.size(), unreadData.size(), 20000);
    }

    peer.reset();
    QTRY_COMPARE_WITH_TIMEOUT(log.events, QStringList{"7:Error #10054 (WSAECONNRESET)"}, 20000);
    // Nothing else follows: the owner decides to close.
    QTest::qWait(100);
    QCOMPARE(log.events.size(), 1);
    accepted->Close();
    QCOMPARE(log.events.last(), QStringLiteral("2:Socket Closed"));
}

void TSockTest::refusedConnectionIsReportedAsError() {
    quint16 freePort = 0;
    int held = -1;
    {
        QTcpServer probe;
        QVERIFY(probe.listen(QHostAddress::LocalHost, 0));
        freePort = probe.serverPort();
        probe.close();
        held = test::holdPort(freePort);
    }
    QVERIFY(held >= 0);
    const auto release = qScopeGuard([held] { test::releasePort(held); });
    TSock client;
    EventLog log;
    log.attach(client);
    client.setHostName(QStringLiteral("127.0.0.1"));
    client.setPortName(QString::number(freePort));
    client.Open();
    QTRY_COMPARE_WITH_TIMEOUT(log.events, QStringList{"7:Error #10061 (WSAECONNREFUSED)"}, 20000);
    QVERIFY(!client.Connected());
}

void TSockTest::acceptCopiesHandlersAndMarksConnected() {
    Listener listener;
    QStringList listenerReports;
    TSock* readSender = nullptr;
    listener.sock.Blocking = true;
    listener.sock.BlockingTimeout = 17;
    QObject::connect(&listener.sock, &TSock::OnRead, [&](TSock* s, int) {
        readSender = s;
        s->Receive();
    });
    QObject::connect(&listener.sock, &TSock::OnInfo, [&](TSock* s, TSocketInfo code, const QString& text) {
        if (s == &listener.sock && code == TSocketInfo::Accept) listenerReports << text;
    });

    RawClient peer;
    QVERIFY(peer.connectTo(listener.port()));
    QVERIFY(listener.waitForAccepted());
    TSock* accepted = listener.accepted.front();
    QVERIFY(accepted);
    QCOMPARE(listenerReports, QStringList{"Created New TSock Structure"});
    QVERIFY(accepted->Connected());
    QCOMPARE(accepted->Blocking, true);
    QCOMPARE(accepted->BlockingTimeout, 17);
    QCOMPARE(accepted->PortName(), QStringLiteral("0"));
    QCOMPARE(accepted->HostName(), QStringLiteral("127.0.0.1"));
    // The connection's reports reach the listener's receivers; accepting stays the listener's own.
    QStringList acceptedReports;
    QObject::connect(&listener.sock, &TSock::OnInfo, [&](TSock* s, TSocketInfo, const QString& text) {
        if (s == accepted) acceptedReports << text;
    });
    QSignalSpy listenerAccepts(&listener.sock, &TSock::OnAccept);
    Q_EMIT accepted->OnAccept(accepted);
    QCOMPARE(listenerAccepts.count(), 0);

    peer.send("hello");
    QTRY_COMPARE_WITH_TIMEOUT(readSender, accepted, 20000);
    QVERIFY(acceptedReports.contains(QStringLiteral("Non-Blocking Incoming Data")));
}

void TSockTest::operationsInTheWrongStateRaise_data() {
    QTest::addColumn<QString>("operation");
    QTest::addColumn<QString>("message");
    QTest::newRow("send closed") << "send"
                                 << "Send - Socket Not Connected";
    QTest::newRow("receive closed") << "receive"
                                    << "Receive - Socket Not Connected";
    QTest::newRow("accept without listening") << "accept"
                                              << "Accept - Socket Not In Listening Mode";
    QTest::newRow("send on listener") << "listener-send"
                                      << "Send - Cannot Send On A Listener Socket";
    QTest::newRow("receive on listener") << "listener-receive"
                                         << "Receive - Cannot Receive On A Listener Socket";
    QTest::newRow("bad dotted address") << "open-bad-address"
                                        << "Host Lookup - Could Not Find Host Entry";
    QTest::newRow("unknown service") << "open-bad-port"
                                     << "Port Lookup - Could Not Find Service Entry";
}

void TSockTest::operationsInTheWrongStateRaise() {
    QFETCH(QString, operation);
    QFETCH(QString, message);
    TSock sock;
    sock.setPortName(QStringLiteral("0"));
    sock.setHostName(QStringLiteral("127.0.0.1"));
    if (operation.startsWith(QLatin1String("listener"))) sock.setListen(true);
    const QHash<QString, std::function<void()>> operations = {
        {"send", [&] { sock.Send("x"); }},
        {"receive", [&] { sock.Receive(); }},
        {"accept", [&] { sock.Accept(); }},
        {"listener-send", [&] { sock.Send("x"); }},
        {"listener-receive", [&] { sock.Receive(); }},
        {"open-bad-address",
         [&] {
             sock.setHostName(QStringLiteral("1.2.3.x"));
             sock.Open();
         }},
        {"open-bad-port",
         [&] {
             sock.setPortName(QStringLiteral("no-such-service-here"));
             sock.Open();
         }},
    };
    QCOMPARE(exceptionText(operations.value(operation)), message);
}

void TSockTest::listeningOnAPortInUseRaises() {
    Listener first;
    TSock second;
    second.setPortName(QString::number(first.port()));
    QCOMPARE(exceptionText([&] { second.setListen(true); }), QStringLiteral("Listen - Error Binding Socket"));
    QVERIFY(!second.Listen());
}

// While the program is busy and accepts nobody, the system completes a burst of connections and
// holds them for the listener, so none of them waits for a retried connection request.
void TSockTest::burstOfConnectionsWaitsUntilAccepted() {
#ifdef Q_OS_LINUX
    Listener listener;
    constexpr int burst = 40;
    sockaddr_in to{};
    to.sin_family = AF_INET;
    to.sin_port = htons(listener.port());
    to.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    std::vector<int> fds;
    for (int i = 0; i < burst; ++i) {
        const int fd = ::socket(AF_INET, SOCK_STREAM | SOCK_NONBLOCK | SOCK_CLOEXEC, 0);
        QVERIFY(fd >= 0);
        fds.push_back(fd);
        (void)::connect(fd, reinterpret_cast<const sockaddr*>(&to), sizeof to);
    }
    // The event loop does not run here, so the listener accepts nothing meanwhile.
    QDeadlineTimer deadline(5000);
    int connected = 0;
    for (int fd : fds) {
        pollfd ready{fd, POLLOUT, 0};
        int error = 0;
        socklen_t size = sizeof error;
        if (::poll(&ready, 1, int(deadline.remainingTime())) == 1 &&
            ::getsockopt(fd, SOL_SOCKET, SO_ERROR, &error, &size) == 0 && error == 0)
            ++connected;
    }
    for (int fd : fds)
        ::close(fd);
    QCOMPARE(connected, burst);
#else
    QSKIP("counts connections through the system's own sockets");
#endif
}

void TSockTest::closeReportsEvenWhenAlreadyClosedButListenersDoNot() {
    TSock sock;
    EventLog log;
    log.attach(sock);
    sock.Close();
    sock.Close();
    QCOMPARE(log.events, (QStringList{"2:Socket Closed", "2:Socket Closed"}));

    Listener listener;
    EventLog listenerLog;
    listenerLog.attach(listener.sock);
    listener.sock.Close();
    QVERIFY(listenerLog.events.isEmpty());
    QVERIFY(!listener.sock.Listen());
}

void TSockTest::closedConnectionDropsWhatItCouldNotSendWithinASecond() {
#ifndef Q_OS_LINUX
    QSKIP("needs a peer socket with a fixed small receive buffer");
#else
    Listener listener;
    // A peer that reads nothing for a while, with a receive window too small to hide the output.
    const int peer = ::socket(AF_INET, SOCK_STREAM, 0);
    QVERIFY(peer >= 0);
    const int small = 4096;
    ::setsockopt(peer, SOL_SOCKET, SO_RCVBUF, &small, sizeof small);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_port = htons(listener.port());
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    QCOMPARE(::connect(peer, reinterpret_cast<const sockaddr*>(&address), sizeof address), 0);
    QVERIFY(listener.waitForAccepted());

    const QByteArray output(16 * 1024 * 1024, 'x');
    listener.accepted.front()->Send(output);
    listener.accepted.front()->Close();
    QTest::qWait(2500); // the peer wakes up well after the second it had
    ::fcntl(peer, F_SETFL, O_NONBLOCK);
    qint64 received = 0;
    const bool ended = QTest::qWaitFor(
        [&] {
            char buffer[65536];
            for (;;) {
                const ssize_t n = ::recv(peer, buffer, sizeof buffer, 0);
                if (n > 0) {
                    received += n;
                    continue;
                }
                return n == 0 || (errno != EAGAIN && errno != EWOULDBLOCK);
            }
        },
        60000);
    ::close(peer);
    QVERIFY(ended);
    QVERIFY2(received < output.size() / 2, qPrintable(QString::number(received)));
#endif
}

void TSockTest::handlerExceptionsGoToTheErrorReport() {
    QStringList reported;
    const ErrorReporter previous = setErrorReporter([&](const QString& m) { reported << m; });
    Listener listener;
    QObject::connect(&listener.sock, &TSock::OnRead, [](TSock* s, int) {
        s->Receive();
        throw std::runtime_error("handler failed");
    });
    RawClient peer;
    QVERIFY(peer.connectTo(listener.port()));
    peer.send("one");
    QTRY_COMPARE_WITH_TIMEOUT(reported, QStringList{"handler failed"}, 20000);
    // The loop goes on: the next event is handled as well.
    peer.send("two");
    QTRY_COMPARE_WITH_TIMEOUT(reported.size(), 2, 20000);
    setErrorReporter(previous);
}

void TSockTest::errorNumbersHaveTheirNames_data() {
    QTest::addColumn<int>("number");
    QTest::addColumn<QString>("text");
    QTest::newRow("first") << 10004 << "Error #10004 (WSAEINTR)";
    QTest::newRow("would block") << 10035 << "Error #10035 (WSAEWOULDBLOCK)";
    QTest::newRow("reset") << 10054 << "Error #10054 (WSAECONNRESET)";
    QTest::newRow("end of the run") << 10071 << "Error #10071 (WSAEREMOTE)";
    QTest::newRow("after the run") << 10072 << "Error #10072 (UNKNOWN ERROR)";
    QTest::newRow("disconnect") << 10101 << "Error #10101 (WSAEDISCON)";
    QTest::newRow("host not found") << 11001 << "Error #11001 (WSAHOST_NOT_FOUND)";
    QTest::newRow("no data") << 11004 << "Error #11004 (WSANO_DATA)";
    QTest::newRow("unknown") << 0 << "Error #0 (UNKNOWN ERROR)";
}

void TSockTest::errorNumbersHaveTheirNames() {
    QFETCH(int, number);
    QFETCH(QString, text);
    QCOMPARE(socketErrorText(number), text);
}

QTEST_GUILESS_MAIN(TSockTest)
#include "tst_tsock.moc"
