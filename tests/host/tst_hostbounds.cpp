// SPDX-License-Identifier: MIT
// The bounds that keep one stranger from spoiling the table for the others: the length and rate of
// a seat's chat, the connections one address may have waiting for their login, and a log that shows
// what peers sent without letting them write lines of their own.
#include "chatrate.h"
#include "hostfixture.h"
#include "peertext.h"

#include <QHostAddress>
#include <QTest>
#include <QTimer>
#include <algorithm>
#include <chrono>

using namespace quibo;
using namespace std::chrono_literals;
using quibo::test::HostFixture;
using quibo::test::RawClient;

namespace {

const QHostAddress flooderAddress(QStringLiteral("127.0.0.2"));

// Connects from a loopback address of its own; answers the seat offered, 0 for none.
int connectFrom(RawClient& client, quint16 port, const QHostAddress& from, int timeoutMs = 20000) {
    if (!client.socket.bind(from)) return 0;
    return client.connectAndGetSeat(port, timeoutMs);
}

// Every log message while it lives.
class LogCapture {
public:
    LogCapture() {
        s_messages.clear();
        m_previous = qInstallMessageHandler(
            [](QtMsgType, const QMessageLogContext&, const QString& text) { s_messages << text; });
    }
    ~LogCapture() { qInstallMessageHandler(m_previous); }
    LogCapture(const LogCapture&) = delete;
    LogCapture& operator=(const LogCapture&) = delete;
    static const QStringList& messages() { return s_messages; }

private:
    static inline QStringList s_messages;
    QtMessageHandler m_previous = nullptr;
};

bool hasControlCharacter(const QString& text) {
    return std::any_of(text.cbegin(), text.cend(),
                       [](QChar c) { return c.category() == QChar::Other_Control; });
}

} // namespace

class HostBoundsTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void chatRateHoldsABurstAndRefills_data();
    void chatRateHoldsABurstAndRefills();
    void longLinesAreCutKeepingTheirColour_data();
    void longLinesAreCutKeepingTheirColour();
    void fastChatIsDroppedAndToldOncePerRun();
    void oneAddressHasTwoConnectionsWaitingAtMost();
    void secondLoginOfAConnectionIsIgnored();
    void joinerIsSeatedDuringAConnectionFlood();
    void peerTextInTheLogIsEscaped_data();
    void peerTextInTheLogIsEscaped();
};

void HostBoundsTest::chatRateHoldsABurstAndRefills_data() {
    QTest::addColumn<QList<int>>("millisecondsApart");
    QTest::addColumn<QString>("verdicts"); // P pass, T drop and tell, D drop
    const QList<int> tenAtOnce(10, 0);
    QTest::newRow("a burst of ten passes") << tenAtOnce << QStringLiteral("PPPPPPPPPP");
    QTest::newRow("the eleventh is told, later ones dropped")
        << tenAtOnce + QList<int>{0, 100, 100} << QStringLiteral("PPPPPPPPPPTDD");
    QTest::newRow("half a second refills one line; a steady flood is told once")
        << tenAtOnce + QList<int>{0, 500, 0, 500, 0} << QStringLiteral("PPPPPPPPPPTPDPD");
    QTest::newRow("quiet until the burst is back: dropping is told again")
        << tenAtOnce + QList<int>{0, 5000} + QList<int>(9, 0) + QList<int>{0}
        << QStringLiteral("PPPPPPPPPPTPPPPPPPPPPT");
    QTest::newRow("two a second go on for ever")
        << tenAtOnce + QList<int>(8, 500) << QStringLiteral("PPPPPPPPPPPPPPPPPP");
    QTest::newRow("a long pause refills no more than the burst")
        << QList<int>{0} + tenAtOnce + QList<int>{60000} + tenAtOnce + QList<int>{0}
        << QStringLiteral("PPPPPPPPPPTPPPPPPPPPPTD");
}

void HostBoundsTest::chatRateHoldsABurstAndRefills() {
    QFETCH(QList<int>, millisecondsApart);
    QFETCH(QString, verdicts);
    ChatRate rate(10, 2);
    ChatRate::Clock::time_point now{};
    QString seen;
    for (int apart : millisecondsApart) {
        now += std::chrono::milliseconds(apart);
        switch (rate.take(now)) {
        case ChatRate::Verdict::Pass:
            seen += u'P';
            break;
        case ChatRate::Verdict::DropAndTell:
            seen += u'T';
            break;
        case ChatRate::Verdict::Drop:
            seen += u'D';
            break;
        }
    }
    QCOMPARE(seen, verdicts);
}

void HostBoundsTest::longLinesAreCutKeepingTheirColour_data() {
    QTest::addColumn<QByteArray>("command");
    QTest::addColumn<QByteArray>("text");
    QTest::addColumn<QByteArray>("relayed");
    const QByteArray thousand(1000, 'x');
    const QByteArray e = QStringLiteral("\u00e9").toUtf8();
    QTest::newRow("exactly the limit") << QByteArray("CMD_chat") << thousand + "|clNavy"
                                       << "CMD_chat+Bob chats: " + thousand + "|clNavy";
    QTest::newRow("one over") << QByteArray("CMD_chat") << thousand + "y|clNavy"
                              << "CMD_chat+Bob chats: " + thousand + "|clNavy";
    QTest::newRow("65,000 bytes without blanks")
        << QByteArray("CMD_action") << QByteArray(64900, 'z') + "|$00FF8000"
        << "CMD_action+Bob " + QByteArray(1000, 'z') + "|$00FF8000";
    QTest::newRow("cut between two-byte characters") << QByteArray("CMD_chat") << e.repeated(1500) + "|clRed"
                                                     << "CMD_chat+Bob chats: " + e.repeated(1000) + "|clRed";
    QTest::newRow("bars inside stay, the colour after the last")
        << QByteArray("CMD_chat") << "a|b" + thousand + "|clRed"
        << "CMD_chat+Bob chats: a|b" + QByteArray(997, 'x') + "|clRed";
    QTest::newRow("no colour: cut as a whole")
        << QByteArray("CMD_chat") << QByteArray(3000, 'w') << "CMD_chat+Bob chats: " + QByteArray(1000, 'w');
}

void HostBoundsTest::longLinesAreCutKeepingTheirColour() {
    QFETCH(QByteArray, command);
    QFETCH(QByteArray, text);
    QFETCH(QByteArray, relayed);
    HostFixture host;
    RawClient* ann = host.join(QStringLiteral("Ann"));
    RawClient* bob = host.join(QStringLiteral("Bob"));
    bob->send(command + "+2+" + text);
    QVERIFY(ann->waitFor(command + "+Bob") >= 0);
    QCOMPARE(ann->messages.at(ann->indexOf(command + "+Bob")), relayed);
}

// A seat past its burst has its lines dropped and hears of it once; once its rate has refilled it
// chats again, and the next flood is told again. Phrases are actions and share the rate. The queue
// is worked off at once, so the rate's refill during the burst plays no part.
void HostBoundsTest::fastChatIsDroppedAndToldOncePerRun() {
    HostConfig config;
    config.chatLinesPerSecond = 20; // the whole burst is back after half a second
    HostFixture host(config);
    RawClient* ann = host.join(QStringLiteral("Ann"));
    RawClient* bob = host.join(QStringLiteral("Bob"));
    QByteArray burst;
    for (int i = 0; i < 15; ++i) {
        burst += i % 3 == 0 ? msg::ActionRequest{2, "waves " + QByteArray::number(i) + "|clRed"}.encode()
                            : msg::ChatRequest{2, "line " + QByteArray::number(i) + "|clRed"}.encode();
    }
    const auto floodAtOnce = [&] {
        host.server->pauseQueue();
        bob->sendRaw(burst);
        QTRY_COMPARE_WITH_TIMEOUT(host.server->receivedlist().size(), 15, 20000);
        for (int i = 0; i < 15; ++i)
            host.server->socktimerTimer();
        host.server->resumeQueue();
    };
    floodAtOnce();
    QVERIFY(bob->waitFor(msg::ChatTooFast::command) >= 0);
    // Ann's own line comes after everything Bob sent: she is not held back by his rate.
    ann->send(msg::ChatRequest{1, "after|clBlack"});
    QVERIFY(ann->waitFor("CMD_chat+Ann chats: after") >= 0);
    QCOMPARE(ann->count("CMD_chat+Bob chats: ") + ann->count("CMD_action+Bob "), 10);
    QVERIFY(ann->has("CMD_chat+Bob chats: line 8|clRed"));
    QVERIFY(!ann->has("CMD_action+Bob waves 12|clRed"));
    QCOMPARE(bob->count(msg::ChatTooFast::command), 1);
    QCOMPARE(ann->count(msg::ChatTooFast::command), 0);

    QTest::qWait(600); // the rate refills
    floodAtOnce();
    QTRY_COMPARE_WITH_TIMEOUT(bob->count(msg::ChatTooFast::command), 2, 20000);
    QTRY_COMPARE_WITH_TIMEOUT(ann->count("CMD_chat+Bob chats: ") + ann->count("CMD_action+Bob "), 20, 20000);
}

void HostBoundsTest::oneAddressHasTwoConnectionsWaitingAtMost() {
    HostFixture host;
    RawClient* ann = host.join(QStringLiteral("Ann"));
    RawClient first;
    RawClient second;
    RawClient third;
    QCOMPARE(connectFrom(first, host.port(), flooderAddress), 2);
    QCOMPARE(connectFrom(second, host.port(), flooderAddress), 3);
    QVERIFY(third.socket.bind(flooderAddress) && third.connectTo(host.port()));
    QVERIFY(third.waitForClosed());
    QVERIFY(third.messages.isEmpty()); // closed before it had a seat
    QVERIFY(!host.server->players()[4].occupied);

    // A login makes room for the next connection from the same address.
    first.send(msg::LoginInfo{2, programVersion, "First"});
    QVERIFY(ann->waitFor("CMD_newplayerinfo+2+First") >= 0);
    RawClient fourth;
    QCOMPARE(connectFrom(fourth, host.port(), flooderAddress), 4);
    // Other addresses are not held back meanwhile.
    RawClient* local = host.connect();
    QVERIFY(local->has("CMD_sendlogininfo+5"));
}

// Each login announces a name to every window and issues a key: a connection gets one.
void HostBoundsTest::secondLoginOfAConnectionIsIgnored() {
    HostFixture host;
    RawClient* ann = host.join(QStringLiteral("Ann"));
    RawClient* bob = host.join(QStringLiteral("Bob"));
    for (int i = 0; i < 20; ++i)
        bob->send(msg::LoginInfo{2, programVersion, "Mallory" + QByteArray::number(i)});
    bob->send(msg::ChatRequest{2, "still Bob|clRed"});
    QVERIFY(ann->waitFor("CMD_chat+Bob chats: still Bob|clRed") >= 0);
    QCOMPARE(ann->count("CMD_newplayerinfo+2+"), 1);
    QCOMPARE(bob->count(msg::SeatKey::command), 1);
    QCOMPARE(host.server->players()[2].name, QByteArray("Bob"));
}

// A flooder holds connections that never log in and connects and resets without a pause; a player
// joining meanwhile from another address gets a seat at once.
void HostBoundsTest::joinerIsSeatedDuringAConnectionFlood() {
    HostFixture host;
    host.join(QStringLiteral("Ann"));
    std::vector<std::unique_ptr<RawClient>> idle;
    for (int i = 0; i < 12; ++i) {
        idle.push_back(std::make_unique<RawClient>());
        QVERIFY(idle.back()->socket.bind(flooderAddress));
        idle.back()->socket.connectToHost(QHostAddress::LocalHost, host.port());
    }
    int resets = 0;
    QTimer churn;
    churn.setInterval(0);
    QObject::connect(&churn, &QTimer::timeout, [&] {
        auto* flood = new RawClient(&churn);
        flood->socket.bind(flooderAddress);
        QObject::connect(&flood->socket, &QTcpSocket::connected, flood, [flood, &resets] {
            flood->reset();
            ++resets;
            flood->deleteLater();
        });
        flood->socket.connectToHost(QHostAddress::LocalHost, host.port());
    });
    churn.start();
    QTRY_VERIFY_WITH_TIMEOUT(resets >= 100, 20000);

    RawClient joiner;
    const int seat = joiner.connectAndGetSeat(host.port(), 2000);
    churn.stop();
    QVERIFY2(seat >= 2, qPrintable(joiner.messages.join(' ')));
    QVERIFY(!joiner.has("CMD_full+"));
    const int flooderSeats = int(std::count_if(
        idle.cbegin(), idle.cend(), [](const auto& client) { return client->has("CMD_sendlogininfo+"); }));
    QVERIFY(flooderSeats <= 2);
}

void HostBoundsTest::peerTextInTheLogIsEscaped_data() {
    QTest::addColumn<QString>("field");
    QTest::addColumn<QByteArray>("hostile");
    QTest::addColumn<QString>("escaped");
    const QByteArray forged = "quibo.host: seat 1 removes seat 2";
    for (const QString& field :
         {QStringLiteral("name"), QStringLiteral("version"), QStringLiteral("starter")}) {
        QTest::addRow("newline in %s", qPrintable(field))
            << field << "Eve\n" + forged << QStringLiteral("Eve\\n");
        QTest::addRow("carriage return in %s", qPrintable(field))
            << field << "Eve\r" + forged << QStringLiteral("Eve\\r");
        QTest::addRow("escape in %s", qPrintable(field))
            << field << QByteArray("Eve\x1b[2J") << QStringLiteral("Eve\\x1b[2J");
        QTest::addRow("NUL in %s", qPrintable(field))
            << field << QByteArray("Eve\0 hidden", 11) << QStringLiteral("Eve\\x00 hidden");
    }
}

void HostBoundsTest::peerTextInTheLogIsEscaped() {
    QFETCH(QString, field);
    QFETCH(QByteArray, hostile);
    QFETCH(QString, escaped);
    HostFixture host;
    LogCapture log;
    const bool inLogin = field != QLatin1String("starter");
    RawClient* ann = host.connect();
    ann->send(msg::LoginInfo{1, field == QLatin1String("version") ? hostile : QByteArray(programVersion),
                             field == QLatin1String("name") ? hostile : QByteArray("Ann")});
    QVERIFY(ann->waitFor("CMD_newplayerinfo+1+") >= 0);
    if (!inLogin) {
        ann->send(msg::StartGame{hostile, 30, 100, 5});
        QVERIFY(ann->waitFor("CMD_startgame+") >= 0);
    }
    ann->reset();
    QTRY_VERIFY_WITH_TIMEOUT(!host.server->players()[1].occupied, 20000);

    const QStringList& lines = LogCapture::messages();
    for (const QString& line : lines)
        QVERIFY2(!hasControlCharacter(line), qPrintable(escapedForLog(line)));
    // The starter is not logged at all: the line names the stored name of the seat that started.
    const QString wanted = inLogin ? escaped : QStringLiteral("game started by Ann");
    QVERIFY2(
        std::any_of(lines.cbegin(), lines.cend(), [&](const QString& line) { return line.contains(wanted); }),
        qPrintable(lines.join(u'|')));
}

QTEST_GUILESS_MAIN(HostBoundsTest)
#include "tst_hostbounds.moc"
