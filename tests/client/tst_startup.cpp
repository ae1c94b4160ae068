// SPDX-License-Identifier: MIT
// Start-up of the player window: what the command line makes it do, and where it connects.
#include "boardpanel.h"
#include "chatsession.h"

#include <QAction>
#include <QPushButton>
#include <QTest>

using namespace quibo;
using namespace quibo::test;

class StartupTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void initTestCase() { QStandardPaths::setTestModeEnabled(true); }
    void commandLineChoosesHostJoinOrSolo_data();
    void commandLineChoosesHostJoinOrSolo();
    void failedListenSaysWhyAndConnectsNothing();
    void windowHasItsFixedClientAreaAndMenus();
};

void StartupTest::commandLineChoosesHostJoinOrSolo_data() {
    QTest::addColumn<QStringList>("parameters");
    QTest::addColumn<bool>("hosts");
    QTest::addColumn<bool>("connects");
    QTest::addColumn<bool>("sideChannel");
    QTest::addColumn<bool>("giveShown");
    QTest::addColumn<QString>("loginName");
    const QString unused = QStringLiteral("203.0.113.9"); // never contacted: the host connects to itself
    QTest::newRow("solo") << QStringList{} << true << true << false << false << QStringLiteral("You");
    QTest::newRow("two parameters") << QStringList{QStringLiteral("Ann"), unused} << false << false << false
                                    << false << QString();
    QTest::newRow("host") << QStringList{QStringLiteral("Ann"), unused, QStringLiteral("true")} << true
                          << true << true << false << QStringLiteral("Ann");
    QTest::newRow("capital True joins")
        << QStringList{QStringLiteral("Ann"), QStringLiteral("127.0.0.1"), QStringLiteral("True")} << false
        << true << true << false << QStringLiteral("Ann");
    QTest::newRow("join with give") << QStringList{QStringLiteral("Ann"), QStringLiteral("127.0.0.1"),
                                                   QStringLiteral("false"), QStringLiteral("t")}
                                    << false << true << true << true << QStringLiteral("Ann");
    QTest::newRow("host, give flag not t")
        << QStringList{QStringLiteral("Ann"), unused, QStringLiteral("true"), QStringLiteral("T"),
                       QStringLiteral("extra")}
        << true << true << true << false << QStringLiteral("Ann");
}

void StartupTest::commandLineChoosesHostJoinOrSolo() {
    QFETCH(QStringList, parameters);
    QFETCH(bool, hosts);
    QFETCH(bool, connects);
    QFETCH(bool, sideChannel);
    QFETCH(bool, giveShown);
    QFETCH(QString, loginName);
    ChatSession s;
    QWidget download;
    s.chat->setDownloadWindow(&download);
    int hostStarts = 0;
    s.chat->setHostStarter([&] { ++hostStarts; });
    s.chat->setParameters(parameters);
    s.chat->show();

    QCOMPARE(hostStarts, hosts ? 1 : 0);
    QCOMPARE(s.chat->runsHost(), hosts);
    QCOMPARE(download.isVisible(), parameters.isEmpty());
    if (parameters.isEmpty()) {
        QCOMPARE(s.lines(), QStringList{QStringLiteral("Loading Solo Game..Please wait.")});
        QCOMPARE(s.lineColour(s.lines().first()), QColor(0x1B, 0x62, 0x83));
    } else {
        QCOMPARE(s.lines(),
                 (QStringList{QStringLiteral("Press CONTROL-I in order to see QUICK INSTRUCTIONS!"),
                              QStringLiteral("Loading Multi-player Game.. Please Wait.")}));
    }
    QCOMPARE(s.chat->board()->buttonGive()->isVisible(), giveShown);
    QCOMPARE(s.chat->board()->buttonStart()->isVisible(), hosts);
    QCOMPARE(s.chat->findChild<QAction*>(QStringLiteral("StartGame1"))->isEnabled(), hosts);

    if (connects) {
        QVERIFY(s.host.waitForPeers(1));
        s.host.send(0, "CMD_sendlogininfo+1");
        QVERIFY(s.host.waitForMessage(0, "CMD_logininfo+1+1.0.2+" + loginName.toUtf8()));
    }
    if (sideChannel) QVERIFY(s.side.waitForPeers(1));
    // What should not happen has had time to happen by now.
    QTest::qWait(200);
    QCOMPARE(int(s.host.peers.size()), connects ? 1 : 0);
    QCOMPARE(int(s.side.peers.size()), sideChannel ? 1 : 0);
    // The side connection is held open and never used.
    if (sideChannel) QCOMPARE(s.side.peers.at(0)->socket->bytesAvailable(), 0);
}

void StartupTest::failedListenSaysWhyAndConnectsNothing() {
    ChatSession s;
    QStringList reported;
    const ErrorReporter previous = setErrorReporter([&](const QString& text) { reported << text; });
    s.chat->setHostStarter([] { throw ESockException("Listen - Error Binding Socket"); });
    s.chat->setParameters({QStringLiteral("Ann"), QStringLiteral("127.0.0.1"), QStringLiteral("true")});
    s.chat->show();
    setErrorReporter(previous);
    QCOMPARE(reported, QStringList{QStringLiteral("Listen - Error Binding Socket")});
    QVERIFY(s.hasLine(QStringLiteral("Could not start the game host: Listen - Error Binding Socket")));
    QVERIFY(!s.chat->board()->buttonStart()->isVisible());
    QTest::qWait(200);
    QCOMPARE(int(s.host.peers.size()), 0);
    QCOMPARE(int(s.side.peers.size()), 0);
}

void StartupTest::windowHasItsFixedClientAreaAndMenus() {
    Tchat chat;
    chat.show();
    QCOMPARE(chat.windowTitle(), QStringLiteral("Quibo"));
    QCOMPARE(chat.centralWidget()->size(), QSize(767, 510));
    QCOMPARE(chat.minimumSize(), chat.maximumSize());
    QCOMPARE(chat.chatView()->mainchat()->geometry(), QRect(25, 282, 715, 188));
    QCOMPARE(chat.chatView()->mychat()->geometry(), QRect(25, 469, 715, 22));
    const char* items[] = {"StartGame1",
                           "Exit1",
                           "PlaySounds1",
                           "TextColor1",
                           "ActionColor1",
                           "TextSize1",
                           "N8",
                           "N10",
                           "N12",
                           "N14",
                           "ScrollChatOff2",
                           "ClearMainChat2",
                           "JustWatch1",
                           "ViewTally1",
                           "SpyList1",
                           "PrhaseList1",
                           "QuickInstructions1",
                           "Content1",
                           "QuickInstructions2",
                           "About1",
                           "RemoveFromGame1",
                           "SettoJustWatch1",
                           "UnsetJustWatch1",
                           "Copy1",
                           "ClearMainChat1",
                           "ScrollChatOff1",
                           "Paste1"};
    for (const char* name : items)
        QVERIFY2(chat.findChild<QAction*>(QLatin1String(name)), name);
    QVERIFY(chat.findChild<QAction*>(QStringLiteral("PlaySounds1"))->isChecked());
    QCOMPARE(chat.findChild<QAction*>(QStringLiteral("N12"))->data().toInt(), 12);
    QCOMPARE(chat.findChild<QAction*>(QStringLiteral("Content1"))->shortcut(), QKeySequence(Qt::Key_F1));
}

QTEST_MAIN(StartupTest)
#include "tst_startup.moc"
