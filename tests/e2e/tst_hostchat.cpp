// SPDX-License-Identifier: MIT
// The real desktop program joins the real host executable as the second player beside a raw client
// in seat 1: it logs in, stays seated while seat 1 chats and while a game runs with its turns timing
// out, and its departure is told to the others when it ends on a signal; when the host goes away
// the window stays.
#include "messagetext.h"
#include "programprocess.h"
#include "rawclient.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>
#include <algorithm>
#include <array>
#include <csignal>
#include <memory>

using namespace quibo;
using namespace quibo::test;

namespace {

constexpr quint32 hostSeed = 7;
const QStringList joinAsBob{QStringLiteral("Bob"), QStringLiteral("127.0.0.1"), QStringLiteral("false")};

} // namespace

class HostChatTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void initTestCase();
    void windowLogsInAsTheSecondPlayer();
    void chatAndActionsOfSeatOneAreRelayedToEverySeat();
    void spectatorsChatFloodLeavesTheWindowConnected();
    void windowEndsOnSigtermAndItsDepartureIsRelayed();
    void windowFollowsAGameUntilTheHostGoesAway();

private:
    // Starts a window as Bob and waits until the host has seated and introduced it.
    void startBob(std::unique_ptr<ProgramProcess>& window, const QString& root);

    QTemporaryDir m_dir;
    std::unique_ptr<ProgramProcess> m_host;
    RawClient m_ann;
    quint16 m_port = 0;
    std::unique_ptr<ProgramProcess> m_window;
};

void HostChatTest::initTestCase() {
    QVERIFY(m_dir.isValid());
    QVERIFY(QDir(m_dir.path()).mkpath(QStringLiteral("host")));
    m_host = std::make_unique<ProgramProcess>(m_dir.filePath(QStringLiteral("host")));
    // The second window to sit in seat 2 is a new copy without the first one's key; a host holding
    // the seat for that key would make it a spectator, so seats are freed at once here.
    m_port = m_host->startHost({QStringLiteral("--port"), QStringLiteral("0"), QStringLiteral("--seed"),
                                QString::number(hostSeed), QStringLiteral("--hold"), QStringLiteral("0")});
    QVERIFY2(m_port != 0, qPrintable(m_host->failure));
    QCOMPARE(m_ann.connectAndGetSeat(m_port), 1);
    m_ann.send(msg::LoginInfo{1, programVersion, "Ann"});
    QVERIFY(m_ann.waitFor("CMD_newplayerinfo+1+Ann") >= 0);
}

void HostChatTest::startBob(std::unique_ptr<ProgramProcess>& window, const QString& root) {
    const qsizetype seen = m_ann.messages.size();
    window = std::make_unique<ProgramProcess>(root);
    QVERIFY2(window->startWindow(joinAsBob, m_port), qPrintable(window->failure));
    QVERIFY2(m_ann.waitFor("CMD_newplayerinfo+2+Bob", 30000, int(seen)) >= 0,
             "the window never logged in as Bob in seat 2");
}

void HostChatTest::windowLogsInAsTheSecondPlayer() {
    startBob(m_window, m_dir.filePath(QStringLiteral("bob")));
    // A spectator sees the window's seat as the host keeps it.
    RawClient spectator;
    QCOMPARE(spectator.connectAndGetSeat(m_port), 3);
    spectator.send(msg::LoginInfo{3, programVersion, "Cy"});
    QVERIFY(spectator.waitFor("CMD_existingplayers+2+Bob") >= 0);
    spectator.close();
    QVERIFY(m_ann.waitFor("CMD_playerdisconnected+3+Cy") >= 0);
}

void HostChatTest::chatAndActionsOfSeatOneAreRelayedToEverySeat() {
    QVERIFY(m_window && m_window->process.state() == QProcess::Running);
    const int from = int(m_ann.messages.size());
    m_ann.send(msg::ChatRequest{1, "hello Bob, 2+2 is 4|clNavy"});
    m_ann.send(msg::ActionRequest{1, "waves|$00FF8000"});
    QVERIFY(m_ann.waitFor("CMD_action+", 20000, from) >= 0);
    const QList<QByteArray> relayed = m_ann.messages.mid(from);
    const QList<QByteArray> expected{"CMD_chat+Ann chats: hello Bob, 2+2 is 4|clNavy",
                                     "CMD_action+Ann waves|$00FF8000"};
    QCOMPARE(relayed, expected);
    // The window got the same lines; it is still seated and running.
    QCOMPARE(m_window->process.state(), QProcess::Running);
    QCOMPARE(m_ann.indexOf("CMD_playerdisconnected+2+", from), -1);
}

// A spectator sends 150 chat lines of 65,000 bytes without a blank as fast as it can. The host cuts
// and drops them, so the window is never sent more than it can queue or show, and stays seated.
void HostChatTest::spectatorsChatFloodLeavesTheWindowConnected() {
    QVERIFY(m_window && m_window->process.state() == QProcess::Running);
    const int from = int(m_ann.messages.size());
    RawClient flooder;
    QCOMPARE(flooder.connectAndGetSeat(m_port), 3);
    flooder.send(msg::LoginInfo{3, programVersion, "Flood"});
    QVERIFY(flooder.waitFor("CMD_newplayerinfo+3+Flood") >= 0);
    const QByteArray line = msg::ChatRequest{3, QByteArray(65000, 'x') + "|clRed"}.encode();
    for (int i = 0; i < 150; ++i)
        flooder.sendRaw(line);
    // The host has worked through the flood once it tells the flooder to slow down (or, without a
    // limit, once it has relayed every line back).
    const auto windowLeft = [&] {
        return m_ann.indexOf("CMD_playerdisconnected+2+", from) >= 0 ||
               m_window->process.state() != QProcess::Running;
    };
    QVERIFY(QTest::qWaitFor(
        [&] {
            return windowLeft() || flooder.has(msg::ChatTooFast{}.encode().chopped(1)) ||
                   flooder.count("CMD_chat+Flood chats: ") == 150;
        },
        60000));
    // A window that was sent too much closes within moments of it.
    (void)QTest::qWaitFor(windowLeft, 5000);
    QVERIFY2(!windowLeft(), "the window left its seat under the flood");
    // A burst of ten and what the rate refilled meanwhile, each cut to 1,000 characters.
    QVERIFY(m_ann.count("CMD_chat+Flood chats: ") <= 30);
    QVERIFY(std::all_of(m_ann.messages.cbegin() + from, m_ann.messages.cend(),
                        [](const QByteArray& m) { return m.size() <= 1100; }));
    flooder.close();
    QVERIFY(m_ann.waitFor("CMD_playerdisconnected+3+Flood", 20000, from) >= 0);
}

void HostChatTest::windowEndsOnSigtermAndItsDepartureIsRelayed() {
    QVERIFY(m_window && m_window->process.state() == QProcess::Running);
    const int from = int(m_ann.messages.size());
    QVERIFY2(m_window->signalAndWait(SIGTERM), "the window did not end on SIGTERM");
    QVERIFY(m_window->exitedCleanly());
    QVERIFY(m_ann.waitFor("CMD_playerdisconnected+", 20000, from) >= 0);
    QCOMPARE(m_ann.messages.mid(from), QList<QByteArray>{"CMD_playerdisconnected+2+Bob"});
    QVERIFY(!QFile::exists(QDir(m_window->workingDirectory()).filePath(QStringLiteral("English"))));
}

// Seat 1 starts a game with one-second turns and throws a letter away on each of its turns; the
// window's turns run out on the host's clock. The window must stay seated through all of it.
void HostChatTest::windowFollowsAGameUntilTheHostGoesAway() {
    std::unique_ptr<ProgramProcess> window;
    startBob(window, m_dir.filePath(QStringLiteral("bob-again")));
    if (QTest::currentTestFailed()) return;
    qsizetype next = m_ann.messages.size();
    m_ann.send(msg::StartGame{"Ann", 1, 30, 5});
    std::array<int, 7> hand{}; // slots 1..6
    int timeups = 0;
    auto playSeatOne = [&] {
        for (; next < m_ann.messages.size(); ++next) {
            const QByteArray& message = m_ann.messages.at(next);
            if (const auto letters = decodeText<msg::Letters>(message); letters && letters->seat == 1) {
                for (const msg::HandLetter& letter : letters->hand)
                    hand.at(std::size_t(letter.slot)) = letter.code;
            } else if (const auto dealt = decodeText<msg::NewLetter>(message); dealt && dealt->seat == 1) {
                hand.at(std::size_t(dealt->slot)) = dealt->code;
            } else if (decodeText<msg::TimeUp>(message)) {
                ++timeups;
            } else if (const auto turn = decodeText<msg::NextPlayer>(message); turn && turn->seat == 1) {
                const auto slot =
                    std::find_if(hand.begin() + 1, hand.end(), [](int code) { return code != 0; });
                if (slot == hand.end()) continue;
                m_ann.send(msg::DiscardExtra{1, int(slot - hand.begin())});
                *slot = 0;
            }
        }
        return timeups >= 3 || window->process.state() != QProcess::Running;
    };
    QVERIFY2(QTest::qWaitFor(playSeatOne, 90000), "the window's turns did not run out three times");
    QCOMPARE(window->process.state(), QProcess::Running);
    QCOMPARE(m_ann.indexOf("CMD_playerdisconnected+2+"), m_ann.indexOf("CMD_playerdisconnected+2+Bob"));
    QCOMPARE(m_ann.count("CMD_playerdisconnected+2+Bob"), 1); // only the first window's departure

    QVERIFY(m_host->terminate());
    QVERIFY(m_host->exitedCleanly());
    QVERIFY(m_ann.waitForClosed());
    QVERIFY(m_ann.has("CMD_tableclosed+"));
    // A host that closes the table says so, and the window stays with its player until told to go.
    QTest::qWait(500);
    QCOMPARE(window->process.state(), QProcess::Running);
    QVERIFY(window->terminate());
    QVERIFY(window->exitedCleanly());
    QVERIFY(!QFile::exists(m_dir.filePath(QStringLiteral("host/English"))));
}

QTEST_GUILESS_MAIN(HostChatTest)
#include "tst_hostchat.moc"
