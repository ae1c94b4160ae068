// SPDX-License-Identifier: MIT
// A table with a password over real TCP: who is seated, what the others hear, how fast guesses come,
// and what reaches the log.
#include "hostfixture.h"
#include "tabledoor.h"

#include <QElapsedTimer>
#include <QTest>
#include <algorithm>

using namespace quibo;
using namespace quibo::test;
using namespace std::chrono_literals;

namespace {

const QByteArray password = "open sesame";

QStringList* capturedLog = nullptr;
void captureLog(QtMsgType, const QMessageLogContext&, const QString& text) {
    if (capturedLog) capturedLog->append(text);
}

} // namespace

class PrivateTableTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void onlyTheRightPasswordSeats_data();
    void onlyTheRightPasswordSeats();
    void sixthWrongTryInAWindowIsRefusedUntilTheWindowPassed();
    void doorCountsWrongTriesPerAddressInABoundedTable();
};

void PrivateTableTest::onlyTheRightPasswordSeats_data() {
    QTest::addColumn<bool>("givesPassword");
    QTest::addColumn<QByteArray>("given");
    QTest::addColumn<int>("refusal"); // -1: seated
    QTest::newRow("right") << true << password << -1;
    QTest::newRow("wrong") << true << QByteArray("open sesame!") << int(msg::PasswordNeeded::Wrong);
    QTest::newRow("twice the password") << true << password + password << int(msg::PasswordNeeded::Wrong);
    QTest::newRow("empty") << true << QByteArray() << int(msg::PasswordNeeded::Wrong);
    // What a window sends that knows nothing of passwords.
    QTest::newRow("old-style login") << false << QByteArray() << int(msg::PasswordNeeded::Needed);
}

// Players and spectators alike: the seated player is the table's first, and the newcomer would be
// its second player or, with the password, a spectator too.
void PrivateTableTest::onlyTheRightPasswordSeats() {
    QFETCH(bool, givesPassword);
    QFETCH(QByteArray, given);
    QFETCH(int, refusal);
    HostConfig config;
    config.password = QString::fromUtf8(password);
    // The second's delay is measured once; the other wrong passwords are answered at once.
    const bool measured = given == "open sesame!";
    if (!measured) config.wrongPasswordDelay = 0ms;
    HostFixture table(config);
    QVERIFY(table.server->isPrivate());
    QStringList log;
    capturedLog = &log;
    const QtMessageHandler previous = qInstallMessageHandler(captureLog);

    int seat = 0;
    RawClient* ann = table.connect(&seat);
    ann->send(msg::TablePassword{seat, password});
    ann->send(msg::LoginInfo{seat, programVersion, "Ann"});
    QVERIFY(ann->waitFor("CMD_newplayerinfo+1+Ann") >= 0);

    RawClient* bob = table.connect(&seat);
    QCOMPARE(seat, 2);
    // Before the password nothing a connection sends reaches anybody.
    bob->send(msg::ChatRequest{seat, "hello|clRed"});
    if (givesPassword) bob->send(msg::TablePassword{seat, given});
    QElapsedTimer clock;
    clock.start();
    bob->send(msg::LoginInfo{seat, programVersion, "Bob"});
    if (refusal < 0) {
        QVERIFY(bob->waitFor("CMD_newplayerinfo+2+Bob") >= 0);
        QVERIFY(ann->waitFor("CMD_newplayerinfo+2+Bob") >= 0);
    } else {
        QVERIFY(bob->waitFor(msg::PasswordNeeded{refusal}.encode().chopped(1)) >= 0);
        // A wrong password is answered a second late; a missing one at once.
        if (measured) QVERIFY2(clock.elapsed() >= 900, qPrintable(QString::number(clock.elapsed())));
        QVERIFY(bob->waitForClosed());
        QTRY_COMPARE(table.server->players().isOccupied(2), false);
        QCOMPARE(ann->indexOf("CMD_newplayerinfo+2+"), -1);
    }
    QCOMPARE(ann->indexOf("CMD_chat+"), -1);
    qInstallMessageHandler(previous);
    capturedLog = nullptr;
    // The host logs what happened, never a password.
    QVERIFY(!log.isEmpty());
    for (const QString& line : log) {
        QVERIFY2(!line.contains(QLatin1String("sesame")), qPrintable(line));
    }
}

// Five wrong passwords from one address in the window: the sixth try, the right password, is
// refused; once the window has passed since the first wrong one, the right password seats again.
void PrivateTableTest::sixthWrongTryInAWindowIsRefusedUntilTheWindowPassed() {
    HostConfig config;
    config.password = QString::fromUtf8(password);
    config.wrongPasswordDelay = 0ms;
    config.wrongPasswordWindow = 2s;
    HostFixture table(config);
    QElapsedTimer sinceFirst;
    sinceFirst.start();
    auto tryOnce = [&](const QByteArray& given) {
        int seat = 0;
        RawClient* client = table.connect(&seat);
        client->send(msg::TablePassword{seat, given});
        client->send(msg::LoginInfo{seat, programVersion, "Eve"});
        (void)QTest::qWaitFor(
            [&] {
                return client->indexOf("CMD_passwordneeded+") >= 0 ||
                       client->indexOf("CMD_newplayerinfo+") >= 0;
            },
            20000);
        const int index = client->indexOf("CMD_passwordneeded+");
        const int answer =
            index < 0 ? -1 : decodeText<msg::PasswordNeeded>(client->messages.at(index))->reason;
        client->close();
        (void)QTest::qWaitFor([&] { return !table.server->players().isOccupied(seat); }, 20000);
        return answer;
    };
    for (int i = 1; i <= config.wrongPasswordsAllowed; ++i)
        QCOMPARE(tryOnce("guess " + QByteArray::number(i)), int(msg::PasswordNeeded::Wrong));
    if (sinceFirst.elapsed() < 1500) QCOMPARE(tryOnce(password), int(msg::PasswordNeeded::TooManyTries));
    QTest::qWait(std::max(0, int(2000 - sinceFirst.elapsed())) + 100);
    QCOMPARE(tryOnce(password), -1);
}

// The door on its own, its clock driven by the test: the bound per address, its end, and the bound
// on the addresses it counts.
void PrivateTableTest::doorCountsWrongTriesPerAddressInABoundedTable() {
    TableDoor door(QString::fromUtf8(password), 5, 60s);
    const TableDoor::Clock::time_point start{};
    using V = TableDoor::Verdict;
    for (int i = 0; i < 5; ++i)
        QCOMPARE(door.knock(QStringLiteral("192.0.2.1"), "wrong", start + i * 1s), V::Wrong);
    QCOMPARE(door.knock(QStringLiteral("192.0.2.1"), password, start + 10s), V::TooManyTries);
    // Another address is not held back by the first one's guesses.
    QCOMPARE(door.knock(QStringLiteral("192.0.2.2"), password, start + 10s), V::Enter);
    // A minute after the first wrong try, one try is free again; it was wrong, so the door closes.
    QCOMPARE(door.knock(QStringLiteral("192.0.2.1"), "wrong", start + 60s), V::Wrong);
    QCOMPARE(door.knock(QStringLiteral("192.0.2.1"), password, start + 60s + 500ms), V::TooManyTries);
    QCOMPARE(door.knock(QStringLiteral("192.0.2.1"), password, start + 61s), V::Enter);
    // A stranger with ever new addresses fills no more than the bounded table.
    for (int i = 0; i < TableDoor::maxAddresses + 100; ++i)
        (void)door.knock(QStringLiteral("2001:db8::%1").arg(i, 0, 16), "wrong", start + 70s);
    QVERIFY(door.countedAddresses() <= TableDoor::maxAddresses);
    // Without a password the door is open.
    QCOMPARE(TableDoor(QString(), 5, 60s).knock(QStringLiteral("192.0.2.1"), "x", start), V::Enter);
}

QTEST_GUILESS_MAIN(PrivateTableTest)
#include "tst_privatetable.moc"
