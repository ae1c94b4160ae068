// SPDX-License-Identifier: MIT
// Tables on the local network: what a stranger's announcement can make the start window keep and
// show, how often a table's own announcement changes, and a real round through an mDNS responder:
// a host announces, the start window lists it live and joins it on a double-click, and drops it
// when the host ends.
#include "avahitestdaemon.h"
#include "hostfixture.h"
#include "tableannouncer.h"
#include "tablelist.h"
#include "tablelisting.h"
#include "tdownload.h"

#include <QLineEdit>
#include <QSignalSpy>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>
#include <QTreeWidget>
#include <memory>
#include <vector>

using namespace quibo;
using quibo::test::AvahiTestDaemon;
using quibo::test::HostFixture;

class DiscoveryTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void initTestCase();
    void recordsFromStrangersAreBounded_data();
    void recordsFromStrangersAreBounded();
    void directoryKeepsAtMostFiftyTables();
    void directoryJoinsAtTheIPv4AddressWhileOneIsThere();
    void churningStrangersChangeTheAnnouncementAtMostOnceASecond();
    void soloGameIsNeverAnnounced();
    void hostedTableIsListedJoinedOnDoubleClickAndDroppedWhenItEnds();
    void listShowsAtMostFiftyOfTheTablesAnnounced();

private:
    // The responder's tests run only where one can run.
    bool needResponder();
    QTreeWidget* tableView(Tdownload& window) const {
        return window.findChild<QTreeWidget*>(QStringLiteral("listbox_tables"));
    }

    QTemporaryDir m_dir;
    AvahiTestDaemon m_daemon;
    QString m_noResponder;
};

void DiscoveryTest::initTestCase() {
    QStandardPaths::setTestModeEnabled(true);
    QVERIFY(m_dir.isValid());
    m_noResponder = TableBrowser::isBuiltIn() ? m_daemon.start(m_dir.path())
                                              : QStringLiteral("built without avahi-client");
}

bool DiscoveryTest::needResponder() {
    if (m_noResponder.isEmpty()) return true;
    qWarning("no mDNS responder for this test: %s", qPrintable(m_noResponder));
    return false;
}

void DiscoveryTest::recordsFromStrangersAreBounded_data() {
    QTest::addColumn<QList<QByteArray>>("txt");
    QTest::addColumn<QString>("hostName");
    QTest::addColumn<int>("taken");
    QTest::addColumn<int>("free");
    QTest::addColumn<bool>("playing");

    QTest::newRow("the host's own record")
        << txtEntries({"1.0.2", "Ann", 2, 7, true, false}) << "Ann" << 2 << 7 << true;
    QTest::newRow("markup stays text, line breaks and bidi overrides go")
        << QList<QByteArray>{"host=<b>Zed</b>\n\u202Eevil", "taken=1", "free=8", "game=waiting"}
        << "<b>Zed</b>evil" << 1 << 8 << false;
    QTest::newRow("a long name is cut to 40 characters")
        << QList<QByteArray>{"host=" + QByteArray(200, 'x')} << QString(40, u'x') << -1 << -1 << false;
    QTest::newRow("seat counts out of range are unknown")
        << QList<QByteArray>{"taken=100", "free=-1"} << QString() << -1 << -1 << false;
    QTest::newRow("signed and non-numeric counts are unknown")
        << QList<QByteArray>{"taken=+5", "free=x"} << QString() << -1 << -1 << false;
    QTest::newRow("the first of two keys counts, keys in any case")
        << QList<QByteArray>{"HOST=Ann", "host=Mallory", "Taken=3", "game=playing"} << "Ann" << 3 << -1
        << true;
    QList<QByteArray> many(maxTxtEntries, "filler=1");
    many << "host=Late";
    QTest::newRow("entries past the sixteenth are not read") << many << QString() << -1 << -1 << false;
}

void DiscoveryTest::recordsFromStrangersAreBounded() {
    QFETCH(QList<QByteArray>, txt);
    const TableRecord record = tableRecordFromTxt(txt);
    QTEST(record.hostName, "hostName");
    QTEST(record.seatsTaken, "taken");
    QTEST(record.seatsFree, "free");
    QTEST(record.playing, "playing");
}

void DiscoveryTest::directoryKeepsAtMostFiftyTables() {
    TableDirectory directory;
    const auto key = [](int table, int protocol = 0) {
        return TableInstanceKey{1, protocol, QStringLiteral("table %1").arg(table), QStringLiteral("local")};
    };
    for (int table = 0; table < TableDirectory::maxTables + 10; ++table) {
        QCOMPARE(directory.addInstance(key(table)), table < TableDirectory::maxTables);
        directory.resolveInstance(key(table), QStringLiteral("192.0.2.1"), 7772, TableRecord{});
    }
    QCOMPARE(directory.tables().size(), TableDirectory::maxTables);
    // Instances of one table are bounded too: a stranger repeating one name gets no more room.
    for (int protocol = 1; protocol < TableDirectory::maxInstancesPerTable; ++protocol)
        QVERIFY(directory.addInstance(key(0, protocol)));
    QVERIFY(!directory.addInstance(key(0, TableDirectory::maxInstancesPerTable)));
    QVERIFY(!directory.addInstance(key(0, 1))); // known already
    // A table that goes with its last instance makes room for one more.
    directory.removeInstance(key(1));
    QCOMPARE(directory.tables().size(), TableDirectory::maxTables - 1);
    QVERIFY(directory.addInstance(key(TableDirectory::maxTables + 5)));
    QVERIFY(!directory.addInstance(key(TableDirectory::maxTables + 6)));
}

void DiscoveryTest::directoryJoinsAtTheIPv4AddressWhileOneIsThere() {
    TableDirectory directory;
    const TableInstanceKey v6{1, 1, QStringLiteral("Quibo on box"), QStringLiteral("local")};
    const TableInstanceKey v4{1, 0, QStringLiteral("Quibo on box"), QStringLiteral("local")};
    QVERIFY(directory.addInstance(v6));
    QVERIFY(directory.addInstance(v4));
    QVERIFY(directory.tables().isEmpty()); // nothing resolved yet
    directory.resolveInstance(v6, QStringLiteral("fe80::1%eth0"), 7772, TableRecord{});
    QCOMPARE(directory.tables().value(0).joinAddress(), QStringLiteral("[fe80::1%eth0]:7772"));
    directory.resolveInstance(v4, QStringLiteral("192.0.2.7"), 7772, TableRecord{});
    QCOMPARE(directory.tables().value(0).joinAddress(), QStringLiteral("192.0.2.7"));
    directory.resolveInstance(v4, QStringLiteral("192.0.2.7"), 7800, TableRecord{});
    QCOMPARE(directory.tables().value(0).joinAddress(), QStringLiteral("192.0.2.7:7800"));
    directory.removeInstance(v4);
    QCOMPARE(directory.tables().value(0).joinAddress(), QStringLiteral("[fe80::1%eth0]:7772"));
    directory.removeInstance(v6);
    QVERIFY(directory.tables().isEmpty());
}

// Strangers who connect and leave without end change the table's seats each time; the responder
// hears of it at most once a second, and the last state is the one announced.
void DiscoveryTest::churningStrangersChangeTheAnnouncementAtMostOnceASecond() {
    HostConfig config;
    config.announce = true;
    HostFixture host(config);
    QVERIFY(host.server->listing());
    const TableListing& listing = *host.server->listing();
    QElapsedTimer clock;
    clock.start();
    for (int round = 0; round < 20; ++round) {
        test::RawClient stranger;
        QVERIFY(stranger.connectAndGetSeat(host.port()) > 0);
        stranger.close();
        QVERIFY(stranger.waitForClosed());
        QTRY_VERIFY(!host.server->players().isOccupied(1));
    }
    const qint64 seconds = clock.elapsed() / 1000;
    QVERIFY2(
        listing.announcementCount() <= 2 + seconds,
        qPrintable(QStringLiteral("%1 announcements in %2 s").arg(listing.announcementCount()).arg(seconds)));
    QTRY_COMPARE(listing.announcedRecord().seatsTaken, 0);
    QCOMPARE(listing.announcedRecord().seatsFree, SeatTable::maxSeats);
}

void DiscoveryTest::soloGameIsNeverAnnounced() {
    HostConfig config;
    config.announce = true;
    config.port = 0;
    config.dictionaryResource.clear();
    config.reportMissingDictionary = false;
    config.workingDirectory = m_dir.path();
    TServer solo(config);
    solo.setListen(true, TServer::Reach::Private);
    QVERIFY(!solo.listing());
}

void DiscoveryTest::hostedTableIsListedJoinedOnDoubleClickAndDroppedWhenItEnds() {
    if (!needResponder()) QSKIP(qPrintable(m_noResponder));
    HostConfig config;
    config.announce = true;
    auto host = std::make_unique<HostFixture>(config);
    host->join(QStringLiteral("Ann"));
    const QString port = QString::number(host->port());

    Tdownload window;
    window.findChild<QLineEdit*>(QStringLiteral("edit_name"))->setText(QStringLiteral("Bob"));
    QSignalSpy joins(&window, &Tdownload::startRequested);
    window.show();
    QTreeWidget* view = tableView(window);
    QVERIFY(view);
    const auto row = [&] { return view->topLevelItemCount() == 1 ? view->topLevelItem(0) : nullptr; };
    QTRY_VERIFY_WITH_TIMEOUT(row() && row()->text(TableList::HostColumn) == QLatin1String("Ann"), 5000);
    QCOMPARE(row()->text(TableList::PlayersColumn), QStringLiteral("1"));
    QCOMPARE(row()->text(TableList::FreeColumn), QStringLiteral("8"));
    QCOMPARE(row()->text(TableList::GameColumn), QStringLiteral("waiting"));

    // A second player sits down: the row follows.
    host->join(QStringLiteral("Cy"));
    QTRY_COMPARE_WITH_TIMEOUT(row() ? row()->text(TableList::PlayersColumn) : QString(), QStringLiteral("2"),
                              5000);
    QCOMPARE(row()->text(TableList::FreeColumn), QStringLiteral("7"));

    // The system's own browser sees the same table.
    QProcess browse;
    browse.start(QStringLiteral("avahi-browse"),
                 {QStringLiteral("-rtp"), QString::fromLatin1(tableServiceType)});
    if (browse.waitForFinished(10000)) {
        const QByteArray seen = browse.readAllStandardOutput();
        QVERIFY2(seen.contains("\"host=Ann\"") && seen.contains(';' + port.toLatin1() + ';'),
                 seen.constData());
    }

    QCOMPARE(joins.count(), 0); // nothing is joined before the player chooses
    const QPoint onRow = view->visualItemRect(row()).center();
    QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, onRow);
    QCOMPARE(joins.count(), 0); // a click only selects
    QTest::mouseDClick(view->viewport(), Qt::LeftButton, {}, onRow);
    QCOMPARE(joins.count(), 1);
    const QStringList commandLine = joins.at(0).at(0).toStringList();
    const QStringList loopback{QStringLiteral("127.0.0.1:") + port, QStringLiteral("[::1]:") + port};
    QVERIFY2(commandLine.size() == 3 && loopback.contains(commandLine.at(1)),
             qPrintable(commandLine.join(u' ')));
    QCOMPARE(commandLine, Tdownload::joinCommandLine(QStringLiteral("Bob"), commandLine.at(1)));

    window.show();
    QTRY_VERIFY_WITH_TIMEOUT(row(), 5000);
    host.reset();
    QTRY_COMPARE_WITH_TIMEOUT(view->topLevelItemCount(), 0, 5000);
}

// Anybody on the network may announce any number of tables; the window lists fifty, and takes
// the others when room is made and it looks again.
void DiscoveryTest::listShowsAtMostFiftyOfTheTablesAnnounced() {
    if (!needResponder()) QSKIP(qPrintable(m_noResponder));
    const int flood = TableDirectory::maxTables + 5;
    std::vector<std::unique_ptr<TableAnnouncer>> announcers;
    for (int i = 0; i < flood; ++i)
        announcers.push_back(
            std::make_unique<TableAnnouncer>(QStringLiteral("Flood %1").arg(i), quint16(7000 + i),
                                             TableRecord{"1.0.2", QStringLiteral("F%1").arg(i), 1, 8}));
    QTRY_VERIFY_WITH_TIMEOUT(std::all_of(announcers.begin(), announcers.end(),
                                         [](const auto& a) { return !a->announcedName().isEmpty(); }),
                             10000);

    Tdownload window;
    window.show();
    QTreeWidget* view = tableView(window);
    QTRY_COMPARE_WITH_TIMEOUT(view->topLevelItemCount(), TableDirectory::maxTables, 10000);
    // Ten of the listed tables end: ten rows go, and the next look takes five more.
    int ended = 0;
    for (auto& announcer : announcers) {
        const QString shown = QStringLiteral("F") + announcer->announcedName().mid(6);
        if (ended < 10 && !view->findItems(shown, Qt::MatchExactly, TableList::HostColumn).isEmpty()) {
            announcer.reset();
            ++ended;
        }
    }
    QCOMPARE(ended, 10);
    QTRY_COMPARE_WITH_TIMEOUT(view->topLevelItemCount(), TableDirectory::maxTables - 10, 5000);
    window.hide();
    window.show();
    QTRY_COMPARE_WITH_TIMEOUT(view->topLevelItemCount(), flood - 10, 10000);
}

QTEST_MAIN(DiscoveryTest)
#include "tst_discovery.moc"
