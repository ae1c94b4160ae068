// SPDX-License-Identifier: MIT
// The real desktop program in seat 2 of the real host loses its connection in the middle of a game;
// a stranger who logs in at once is a spectator, and the window comes back to its own seat with its
// key. The window reaches the host through a relay in the test, which breaks both sides of the
// connection the way a dropped network does and shows what travelled.
#include "messagetext.h"
#include "programprocess.h"
#include "rawclient.h"

#include <QTcpServer>
#include <QTcpSocket>
#include <QTemporaryDir>
#include <QTest>
#include <memory>
#include <vector>
#ifdef Q_OS_UNIX
#include <sys/socket.h>
#endif

using namespace quibo;
using namespace quibo::test;

namespace {

void resetSocket(QTcpSocket* socket) {
#ifdef Q_OS_UNIX
    const linger hard{1, 0};
    ::setsockopt(int(socket->socketDescriptor()), SOL_SOCKET, SO_LINGER, &hard, sizeof hard);
#endif
    socket->abort();
}

// Passes bytes between windows and the host, one upstream connection for each window's connection;
// while closed to new connections it keeps them waiting.
class Relay : public QObject {
public:
    struct Pair {
        QTcpSocket* window = nullptr;
        QTcpSocket* host = nullptr;
        FrameSplitter fromHost;
        FrameSplitter fromWindow;
        QList<QByteArray> toWindow;
        QList<QByteArray> toHost;
    };

    explicit Relay(quint16 hostPort)
        : m_hostPort(hostPort) {
        connect(&server, &QTcpServer::newConnection, this, [this] {
            while (QTcpSocket* socket = server.nextPendingConnection()) {
                pairs.push_back(std::make_unique<Pair>());
                pairs.back()->window = socket;
                if (open) link(*pairs.back());
            }
        });
        server.listen(QHostAddress::LocalHost, 0);
    }
    void letThrough() {
        open = true;
        for (auto& pair : pairs) {
            if (!pair->host) link(*pair);
        }
    }
    // Both sides of the newest connection end with a reset.
    void breakConnection() {
        Pair& pair = *pairs.back();
        resetSocket(pair.host);
        resetSocket(pair.window);
    }

    QTcpServer server;
    std::vector<std::unique_ptr<Pair>> pairs;
    bool open = true;

private:
    void link(Pair& pair) {
        pair.host = new QTcpSocket(this);
        QTcpSocket* host = pair.host;
        QTcpSocket* window = pair.window;
        connect(host, &QTcpSocket::readyRead, this, [&pair, host, window] {
            const QByteArray bytes = host->readAll();
            pair.fromHost.feed(bytes, [&pair](QByteArray text) { pair.toWindow << text; });
            window->write(bytes);
        });
        auto forward = [&pair, host, window] {
            const QByteArray bytes = window->readAll();
            pair.fromWindow.feed(bytes, [&pair](QByteArray text) { pair.toHost << text; });
            host->write(bytes);
        };
        connect(window, &QTcpSocket::readyRead, this, forward);
        connect(host, &QTcpSocket::connected, this, forward);
        host->connectToHost(QHostAddress::LocalHost, m_hostPort);
    }

    quint16 m_hostPort;
};

bool has(const QList<QByteArray>& messages, const QByteArray& prefix) {
    for (const QByteArray& m : messages) {
        if (m.startsWith(prefix)) return true;
    }
    return false;
}

} // namespace

class SeatHijackTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void strangerDuringTheHoldIsASpectatorAndTheWindowGetsItsSeatBack();
};

void SeatHijackTest::strangerDuringTheHoldIsASpectatorAndTheWindowGetsItsSeatBack() {
    QTemporaryDir dir;
    QVERIFY(QDir(dir.path()).mkpath(QStringLiteral("host")));
    ProgramProcess host(dir.filePath(QStringLiteral("host")));
    const quint16 port =
        host.startHost({QStringLiteral("--port"), QStringLiteral("0"), QStringLiteral("--seed"),
                        QStringLiteral("3"), QStringLiteral("--hold"), QStringLiteral("20")});
    QVERIFY2(port != 0, qPrintable(host.failure));
    RawClient ann;
    QCOMPARE(ann.connectAndGetSeat(port), 1);
    ann.send(msg::LoginInfo{1, programVersion, "Ann"});
    QVERIFY(ann.waitFor("CMD_newplayerinfo+1+Ann") >= 0);

    Relay relay(port);
    ProgramProcess window(dir.filePath(QStringLiteral("bob")));
    QVERIFY2(window.startWindow({QStringLiteral("Bob"), QStringLiteral("127.0.0.1"), QStringLiteral("false")},
                                relay.server.serverPort()),
             qPrintable(window.failure));
    QVERIFY(ann.waitFor("CMD_newplayerinfo+2+Bob", 30000) >= 0);
    // The first turn is Bob's; when he drops it passes to Ann, whose turns last a minute, so the
    // game stands still on her turn while Bob is away.
    ann.send(msg::StartGame{"Ann", 60, 100, 5});
    QVERIFY(ann.waitFor("CMD_nextplayer+2+", 30000) >= 0);
    QVERIFY(QTest::qWaitFor([&] { return has(relay.pairs.front()->toWindow, "CMD_letters+2+"); }, 30000));
    QVERIFY(has(relay.pairs.front()->toWindow, "CMD_seatkey+2+"));

    relay.open = false;
    relay.breakConnection();
    QVERIFY(ann.waitFor("CMD_playerdisconnected+2+Bob", 30000) >= 0);
    RawClient mallory;
    QCOMPARE(mallory.connectAndGetSeat(port), 3);
    mallory.send(msg::LoginInfo{3, programVersion, "Mallory"});
    QVERIFY(mallory.waitFor("CMD_gamestats+", 30000) >= 0);
    mallory.send(msg::KickHim{1, 1});
    mallory.send(msg::KickHim{3, 1});
    relay.letThrough();

    // The window comes back on the seat the greeting offers, presents its key and is seated in 2.
    const int back = ann.indexOf("CMD_newplayerinfo+2+Bob", ann.indexOf("CMD_playerdisconnected+2+Bob"));
    QVERIFY(back < 0);
    QVERIFY(ann.waitFor("CMD_newplayerinfo+2+Bob", 60000, ann.indexOf("CMD_playerdisconnected+2+Bob")) >= 0);
    QVERIFY(relay.pairs.size() >= 2);
    const Relay::Pair& again = *relay.pairs.back();
    QVERIFY(QTest::qWaitFor([&] { return has(again.toWindow, "CMD_turnstate+1+"); }, 30000));
    QVERIFY(has(again.toWindow, "CMD_sendlogininfo+4"));
    QVERIFY(has(again.toWindow, "CMD_yourseat+2+"));
    QVERIFY(has(again.toWindow, "CMD_letters+2+"));
    QVERIFY(has(again.toHost, "CMD_logininfo+4+1.0.2+Bob+"));
    QCOMPARE(mallory.count("CMD_letters+"), 0);
    QCOMPARE(mallory.count("CMD_yourseat+"), 0);
    QVERIFY(ann.socket.state() == QAbstractSocket::ConnectedState);
    QCOMPARE(ann.count("CMD_playerdisconnected+2+"), 1);
    QCOMPARE(window.process.state(), QProcess::Running);
}

QTEST_GUILESS_MAIN(SeatHijackTest)
#include "tst_seathijack.moc"
