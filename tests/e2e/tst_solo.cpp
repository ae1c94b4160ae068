// SPDX-License-Identifier: MIT
// The real desktop program started without a command line hosts a solo game, its own window in seat 1
// as "You". The game is private: it listens on the loopback address only, on a port the system picks,
// so it plays even while another table holds the game port. A raw client on this machine that joins
// is seated beside it. A termination signal ends the program cleanly: the host goes with it, and the
// word file it wrote is removed.
#include "listeningsockets.h"
#include "messages.h"
#include "programprocess.h"
#include "rawclient.h"

#include <QFile>
#include <QTcpServer>
#include <QTemporaryDir>
#include <QTest>
#include <csignal>
#include <memory>

using namespace quibo;
using namespace quibo::test;

namespace {

// A port nothing listens on right now, picked by the system (never the game's own port).
quint16 freePort() {
    for (;;) {
        QTcpServer probe;
        if (!probe.listen(QHostAddress::Any, 0)) return 0;
        if (probe.serverPort() != 7772) return probe.serverPort();
    }
}

// Whether the system shows a connection to the local port already taken in by a listener. A client
// that knocks before the program's own window has connected would take seat 1 from it, so the guest
// waits for this first. Where the system does not tell (no /proc), answers true and the guest relies
// on the window connecting at once after it starts listening.
bool portHasAcceptedConnection(quint16 port) {
#ifdef Q_OS_LINUX
    const QByteArray localPort = ':' + QByteArray::number(port, 16).toUpper().rightJustified(4, '0');
    for (const auto& [ipv6, fields] : quibo::test::tcpTableRows()) {
        // sl, local address, remote address, state ("01" is established)
        if (fields.size() > 3 && fields.at(1).endsWith(localPort) && fields.at(3) == "01") return true;
    }
    return false;
#else
    Q_UNUSED(port);
    return true;
#endif
}

} // namespace

class SoloTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void initTestCase();
    void listensOnLoopbackOnlyBesideATakenGamePort();
    void ownWindowTakesSeatOneAsYou();
    void joiningClientChatsWithTheTable();
    void terminationEndsHostAndWindowAndRemovesTheWordFile();

private:
    QTemporaryDir m_dir;
    std::unique_ptr<ProgramProcess> m_window;
    RawClient m_guest;
    QTcpServer m_table; // another table on the game port
    quint16 m_port = 0;
    quint16 m_soloPort = 0;
};

void SoloTest::initTestCase() {
    QVERIFY(m_dir.isValid());
    m_port = freePort();
    QVERIFY(m_port != 0);
    QVERIFY(m_table.listen(QHostAddress::Any, m_port));
    m_window = std::make_unique<ProgramProcess>(m_dir.path());
    QVERIFY2(m_window->startWindow({}, m_port), qPrintable(m_window->failure));
}

void SoloTest::listensOnLoopbackOnlyBesideATakenGamePort() {
#ifndef Q_OS_LINUX
    QSKIP("the system does not show a process's listeners");
#endif
    QList<Listener> listeners;
    QVERIFY2(QTest::qWaitFor(
                 [&] {
                     listeners = listenersOf(m_window->process.processId());
                     return !listeners.isEmpty() || m_window->process.state() != QProcess::Running;
                 },
                 30000),
             "the solo program never listened");
    QCOMPARE(listeners.size(), 1);
    QVERIFY2(listeners.first().isLoopback() && !listeners.first().ipv6,
             listeners.first().address.constData());
    QVERIFY(listeners.first().port != m_port);
    m_soloPort = listeners.first().port;
}

void SoloTest::ownWindowTakesSeatOneAsYou() {
    QVERIFY(m_soloPort != 0);
    // The program needs a moment before its window connects; then the guest knocks.
    QVERIFY2(QTest::qWaitFor(
                 [&] {
                     if (m_window->process.state() != QProcess::Running) return true;
                     if (!portHasAcceptedConnection(m_soloPort)) return false;
                     if (m_guest.connectTo(m_soloPort, QStringLiteral("127.0.0.1"), 1000)) return true;
                     m_guest.socket.abort();
                     return false;
                 },
                 30000),
             "the solo program's own window never connected");
    QCOMPARE(m_window->process.state(), QProcess::Running);
    // The window connected to its own host first; the guest takes the seat beside it.
    QVERIFY(m_guest.waitFor("CMD_sendlogininfo+") >= 0);
    QCOMPARE(m_guest.messages.first(), QByteArray("CMD_sendlogininfo+2"));
    m_guest.send(msg::LoginInfo{2, programVersion, "Guest"});
    QVERIFY(m_guest.waitFor("CMD_newplayerinfo+2+Guest") >= 0);
    // The window logs in on its own time: before the guest (it is then among the existing players)
    // or after (it is then announced as a new one).
    QVERIFY2(QTest::qWaitFor(
                 [&] {
                     return m_guest.has("CMD_existingplayers+1+You") ||
                            m_guest.has("CMD_newplayerinfo+1+You");
                 },
                 20000),
             "the window never logged in as You in seat 1");
    QVERIFY(QFile::exists(QDir(m_window->workingDirectory()).filePath(QStringLiteral("English"))));
}

void SoloTest::joiningClientChatsWithTheTable() {
    const int from = int(m_guest.messages.size());
    m_guest.send(msg::ChatRequest{2, "hi there|clTeal"});
    QVERIFY(m_guest.waitFor("CMD_chat+", 20000, from) >= 0);
    QCOMPARE(m_guest.messages.mid(from), QList<QByteArray>{"CMD_chat+Guest chats: hi there|clTeal"});
}

void SoloTest::terminationEndsHostAndWindowAndRemovesTheWordFile() {
    QVERIFY2(m_window->signalAndWait(SIGTERM), "the program did not end on SIGTERM");
    QVERIFY(m_window->exitedCleanly());
    QVERIFY(m_guest.waitForClosed());
    QVERIFY(!QFile::exists(QDir(m_window->workingDirectory()).filePath(QStringLiteral("English"))));
}

QTEST_GUILESS_MAIN(SoloTest)
#include "tst_solo.moc"
