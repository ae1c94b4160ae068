// SPDX-License-Identifier: MIT
// A reset host is a new host: after sessions that leave a game running, seat 3 holding seat 1's
// turns, a full table or messages waiting behind a paused queue, resetTable() brings the host back
// so that the next session sends exactly what it sends on a freshly built host.
#include "messages.h"
#include "tserver.h"
#include "wordlists.h"

#include <QCoreApplication>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>
#include <functional>
#include <vector>

using namespace quibo;

namespace {

// A host without a wire: what it sends is written down, seat by seat, in order.
class RecordingHost : public TServer {
public:
    using TServer::TServer;
    void sendToSeat(int seat, const QByteArray& message) override {
        // A seat key comes from the system's generator, so two hosts never send the same one.
        if (SeatTable::isSeat(seat) && players()[seat].sock)
            sent += QByteArray::number(seat) + ':' +
                    (message.startsWith(cmd::seatkey) ? QByteArray(cmd::seatkey) : message);
    }
    QByteArray sent;
};

// A session drives the host through in-process connections, as the fuzzer does.
struct Table {
    RecordingHost& host;
    std::vector<TSock*> socks;

    TSock* connect() {
        auto* sock = new TSock(&host);
        host.admit(sock);
        socks.push_back(sock);
        return sock;
    }
    void send(TSock* sock, const QByteArray& message) { host.takeBytes(sock, message); }
    TSock* join(const QByteArray& name) {
        TSock* sock = connect();
        send(sock, msg::LoginInfo{sock->Tag, programVersion, name}.encode());
        workOff();
        return sock;
    }
    void workOff() {
        for (int tick = 0; tick < 100 && !host.receivedlist().isEmpty(); ++tick)
            host.socktimerTimer();
    }
    void clock(int ticks) {
        for (int i = 0; i < ticks; ++i)
            host.turntimerTimer();
    }
};

using Session = std::function<void(Table&)>;

void play(RecordingHost& host, const Session& session) {
    Table table{host, {}};
    session(table);
    QCoreApplication::sendPostedEvents();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

// The session every case plays after the reset: a solo game with moves and the computer's turns.
void probe(Table& t) {
    TSock* ann = t.join("Ann");
    TSock* ben = t.join("Ben");
    t.send(ann, msg::StartGame{"Ann", 30, 40, 2, ComputerLevel::Strong}.encode());
    t.workOff();
    t.send(ben, msg::PlaceMyLetterRequest{2, 1, 1}.encode());
    t.send(ben, msg::DiscardExtra{2, 2}.encode());
    t.workOff();
    t.clock(40);
    t.send(ann, msg::ChatRequest{1, "hi|clNavy"}.encode());
    t.workOff();
    t.host.disconnectsock(2);
    QCoreApplication::sendPostedEvents();
    t.clock(8);
    t.join("Cy");
}

} // namespace

class TableResetTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void initTestCase() { QStandardPaths::setTestModeEnabled(true); }
    void resetHostSendsWhatAFreshHostSends_data();
    void resetHostSendsWhatAFreshHostSends();
};

void TableResetTest::resetHostSendsWhatAFreshHostSends_data() {
    QTest::addColumn<Session>("before");
    QTest::newRow("game under way") << Session([](Table& t) {
        TSock* ann = t.join("Ann");
        t.join("Ben");
        t.send(ann, msg::StartGame{"Ann", 5, 300, 1, ComputerLevel::Easy}.encode());
        t.workOff();
        t.clock(3);
        t.send(ann, msg::JustWatch{1, 1}.encode());
        t.workOff();
    });
    QTest::newRow("seat 3 holds seat 1's turns") << Session([](Table& t) {
        TSock* ann = t.join("Ann");
        t.join("Ben");
        t.join("Cy");
        t.send(ann, msg::Give3{1}.encode());
        t.send(ann, msg::StartGame{"Ann", 9, 20, unlimitedSteals, std::nullopt}.encode());
        t.workOff();
    });
    QTest::newRow("full table, seats freed") << Session([](Table& t) {
        for (int i = 0; i < 10; ++i)
            t.connect();
        t.host.disconnectsock(4);
        t.host.disconnectsock(1);
    });
    QTest::newRow("messages waiting behind a paused queue") << Session([](Table& t) {
        TSock* ann = t.join("Ann");
        t.host.pauseQueue();
        for (int i = 0; i < 10; ++i)
            t.send(ann, msg::ChatRequest{1, "flood|clRed"}.encode());
    });
}

void TableResetTest::resetHostSendsWhatAFreshHostSends() {
    QFETCH(Session, before);
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    HostConfig config;
    config.workingDirectory = dir.path();
    config.dictionaryRecords = wordRecordsFromList("at\ncat\ntea\n").records;
    config.computerWords = {QStringLiteral("a"), QStringLiteral("at"), QStringLiteral("cat"),
                            QStringLiteral("tea"), QStringLiteral("z")};
    config.seed = 7;
    config.maxQueuedPerConnection = 64;

    RecordingHost fresh(config);
    play(fresh, probe);

    RecordingHost reused(config);
    play(reused, before);
    QVERIFY(!reused.sent.isEmpty());
    reused.resetTable();
    QCOMPARE(reused.players().playercount, 0);
    QVERIFY(reused.receivedlist().isEmpty());
    QVERIFY(!reused.socktimer().isActive());
    QVERIFY(!reused.rules().gamerunning());
    QVERIFY(!reused.rules().turntimer().isActive());
    reused.sent.clear();
    play(reused, probe);
    QCOMPARE(reused.sent, fresh.sent);
}

QTEST_GUILESS_MAIN(TableResetTest)
#include "tst_tablereset.moc"
