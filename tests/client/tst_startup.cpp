// SPDX-License-Identifier: MIT
// Start-up of the player window: what the command line makes it do, and where it connects.
#include "boardpanel.h"
#include "chatsession.h"
#include "modalcloser.h"
#include "tdownload.h"

#include <QAction>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>

using namespace quibo;
using namespace quibo::test;

class StartupTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void initTestCase() { QStandardPaths::setTestModeEnabled(true); }
    void commandLineChoosesHostJoinOrSolo_data();
    void commandLineChoosesHostJoinOrSolo();
    void failedListenSaysWhyAndOffersSolo_data();
    void failedListenSaysWhyAndOffersSolo();
    void startWindowChoiceStartsThatModeAndIsRemembered_data();
    void startWindowChoiceStartsThatModeAndIsRemembered();
    void optionLikeSavedNameOrAddressIsNotOffered_data();
    void optionLikeSavedNameOrAddressIsNotOffered();
    void failedJoinOffersTheAddressAgain();
    void tableLinkJoinsAsksForANameOrIsRefused_data();
    void tableLinkJoinsAsksForANameOrIsRefused();
    void windowOpensAtItsDesignClientAreaWithMenus();
};

void StartupTest::commandLineChoosesHostJoinOrSolo_data() {
    QTest::addColumn<QStringList>("parameters");
    QTest::addColumn<bool>("hosts");
    QTest::addColumn<bool>("connects");
    QTest::addColumn<bool>("sideChannel");
    QTest::addColumn<bool>("giveShown");
    QTest::addColumn<QString>("loginName");
    QTest::addColumn<bool>("startWindowShown");
    const QString unused = QStringLiteral("203.0.113.9"); // never contacted: the host connects to itself
    QTest::newRow("solo") << QStringList{} << true << true << false << false << QStringLiteral("You") << true;
    // A name alone reaches nobody; the start window asks for the address.
    QTest::newRow("name alone") << QStringList{QStringLiteral("Ann")} << false << false << false << false
                                << QString() << true;
    // A missing host flag is not "true": name and address join.
    QTest::newRow("name and address join")
        << QStringList{QStringLiteral("Ann"), QStringLiteral("127.0.0.1")} << false << true << true << false
        << QStringLiteral("Ann") << false;
    QTest::newRow("host") << QStringList{QStringLiteral("Ann"), unused, QStringLiteral("true")} << true
                          << true << true << false << QStringLiteral("Ann") << false;
    QTest::newRow("capital True joins")
        << QStringList{QStringLiteral("Ann"), QStringLiteral("127.0.0.1"), QStringLiteral("True")} << false
        << true << true << false << QStringLiteral("Ann") << false;
    QTest::newRow("join with give") << QStringList{QStringLiteral("Ann"), QStringLiteral("127.0.0.1"),
                                                   QStringLiteral("false"), QStringLiteral("t")}
                                    << false << true << true << true << QStringLiteral("Ann") << false;
    QTest::newRow("host, give flag not t")
        << QStringList{QStringLiteral("Ann"), unused, QStringLiteral("true"), QStringLiteral("T"),
                       QStringLiteral("extra")}
        << true << true << true << false << QStringLiteral("Ann") << false;
}

void StartupTest::commandLineChoosesHostJoinOrSolo() {
    QFETCH(QStringList, parameters);
    QFETCH(bool, hosts);
    QFETCH(bool, connects);
    QFETCH(bool, sideChannel);
    QFETCH(bool, giveShown);
    QFETCH(QString, loginName);
    QFETCH(bool, startWindowShown);
    ChatSession s;
    QWidget download;
    s.chat->setup().download = &download;
    int hostStarts = 0;
    s.chat->setup().hostStarter = [&](HostingMode) {
        ++hostStarts;
        return s.port;
    };
    s.chat->setup().parameters = parameters;
    s.chat->show();

    QCOMPARE(hostStarts, hosts ? 1 : 0);
    QCOMPARE(s.chat->runsHost(), hosts);
    QCOMPARE(download.isVisible(), startWindowShown);
    if (parameters.isEmpty()) {
        QCOMPARE(s.lines(), QStringList{QStringLiteral("Loading Solo Game. Please wait.")});
        QCOMPARE(s.lineColour(s.lines().first()), QColor(0x1B, 0x62, 0x83));
    } else {
        QCOMPARE(s.lines().mid(0, 1), QStringList{QStringLiteral("Loading Multi-player Game. Please wait.")});
        // What follows: where others join a hosted table, or what a name alone lacks.
        QStringList expected;
        if (hosts) expected << QStringLiteral("Others join this table at ");
        if (parameters.size() == 1) expected << QStringLiteral("The host's address is missing. ");
        QCOMPARE(s.lines().size(), 1 + expected.size());
        for (int i = 0; i < expected.size(); ++i)
            QVERIFY2(s.lines().at(1 + i).startsWith(expected.at(i)), qPrintable(s.lines().at(1 + i)));
        if (hosts) QVERIFY(s.lines().at(1).endsWith(QStringLiteral(":%1.").arg(s.port)));
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

void StartupTest::failedListenSaysWhyAndOffersSolo_data() {
    QTest::addColumn<QByteArray>("error");
    QTest::addColumn<bool>("playSolo");
    QTest::addColumn<QString>("line");
    QTest::addColumn<QStringList>("reported");
    const QString busy = QStringLiteral("Another table or program already uses port %1 on this computer");
    QTest::newRow("port taken, solo accepted")
        << QByteArray("Listen - Error Binding Socket") << true << busy << QStringList{};
    QTest::newRow("port taken, solo declined")
        << QByteArray("Listen - Error Binding Socket") << false << busy << QStringList{};
    QTest::newRow("other failure") << QByteArray("Listen - Error Starting Listen") << false
                                   << QStringLiteral(
                                          "Could not start the game host: Listen - Error Starting Listen")
                                   << QStringList{QStringLiteral("Listen - Error Starting Listen")};
}

void StartupTest::failedListenSaysWhyAndOffersSolo() {
    QFETCH(QByteArray, error);
    QFETCH(bool, playSolo);
    QFETCH(QString, line);
    QFETCH(QStringList, reported);
    ChatSession s;
    QStringList errors;
    const ErrorReporter previous = setErrorReporter([&](const QString& text) { errors << text; });
    QList<HostingMode> starts;
    s.chat->setup().hostStarter = [&](HostingMode mode) {
        starts << mode;
        if (mode == HostingMode::Table) throw ESockException(error.toStdString());
        return s.port;
    };
    const bool busy = reported.isEmpty();
    std::shared_ptr<ModalRecord> offer;
    if (busy) {
        offer = closeNextModal([playSolo](QWidget* modal) {
            auto* box = qobject_cast<QMessageBox*>(modal);
            QVERIFY(box);
            const QList<QAbstractButton*> buttons = box->buttons();
            for (QAbstractButton* button : buttons) {
                if ((box->buttonRole(button) == QMessageBox::AcceptRole) == playSolo) button->click();
            }
        });
    }
    s.chat->setup().parameters = {QStringLiteral("Ann"), QStringLiteral("127.0.0.1"), QStringLiteral("true")};
    s.chat->show();
    setErrorReporter(previous);
    QCOMPARE(errors, reported);
    const QString expected = line.arg(s.port);
    QVERIFY2(!s.lines().filter(expected).isEmpty(), qPrintable(s.lines().join(u'\n')));
    if (busy) {
        QCOMPARE(offer->opened, 1);
        QCOMPARE(offer->objectName, QStringLiteral("box_playsolo"));
        // The system's own words stay as the code after the plain ones.
        QVERIFY(offer->text.contains(QStringLiteral("Listen - Error Binding Socket")));
    }
    QCOMPARE(starts.size(), playSolo ? 2 : 1);
    if (playSolo) {
        // The solo game takes over in this window: its own host, the player as "You".
        QCOMPARE(starts.last(), HostingMode::Solo);
        QVERIFY(s.host.waitForPeers(1));
        s.host.send(msg::SendLoginInfo{1});
        QVERIFY(s.host.waitForMessage(0, textOf(msg::LoginInfo{1, programVersion, "You"})));
        QVERIFY(s.chat->board()->buttonStart()->isVisible());
    } else {
        QVERIFY(!s.chat->board()->buttonStart()->isVisible());
    }
    QTest::qWait(200);
    QCOMPARE(int(s.host.peers.size()), playSolo ? 1 : 0);
    QCOMPARE(int(s.side.peers.size()), 0);
}

void StartupTest::startWindowChoiceStartsThatModeAndIsRemembered_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("address");
    QTest::addColumn<QString>("button");
    QTest::addColumn<QStringList>("commandLine");
    const QString ann = QStringLiteral("Ann");
    const QString local = QStringLiteral("127.0.0.1");
    QTest::newRow("host") << ann << QString() << QStringLiteral("button_host")
                          << QStringList{ann, local, QStringLiteral("true")};
    QTest::newRow("join") << ann << local << QStringLiteral("button_join")
                          << QStringList{ann, local, QStringLiteral("false")};
    QTest::newRow("join needs an address")
        << ann << QString() << QStringLiteral("button_join") << QStringList{};
    QTest::newRow("host needs a name")
        << QStringLiteral("  ") << local << QStringLiteral("button_host") << QStringList{};
    // The restarted program must never take a name or an address for an option of its own.
    QTest::newRow("name that is an option")
        << QStringLiteral("-platformpluginpath") << local << QStringLiteral("button_join") << QStringList{};
    QTest::newRow("hosting name that is an option")
        << QStringLiteral(" -reverse") << QString() << QStringLiteral("button_host") << QStringList{};
    QTest::newRow("address that is an option")
        << ann << QStringLiteral("-display") << QStringLiteral("button_join") << QStringList{};
}

void StartupTest::startWindowChoiceStartsThatModeAndIsRemembered() {
    QFETCH(QString, name);
    QFETCH(QString, address);
    QFETCH(QString, button);
    QFETCH(QStringList, commandLine);
    QTemporaryDir dir;
    const SettingsFile settings(dir.filePath(QStringLiteral("kivolobby.ini")));
    Tdownload start;
    start.setSettings(settings);
    QSignalSpy chosen(&start, &Tdownload::startRequested);
    start.offer(QString(), QString());
    start.findChild<QLineEdit*>(QStringLiteral("edit_name"))->setText(name);
    start.findChild<QLineEdit*>(QStringLiteral("edit_address"))->setText(address);
    start.findChild<QComboBox*>(QStringLiteral("combo_dictionary"))->setCurrentIndex(1);
    QTest::mouseClick(start.findChild<QPushButton*>(button), Qt::LeftButton);
    if (commandLine.isEmpty()) {
        QCOMPARE(chosen.count(), 0);
        QVERIFY(start.isVisible()); // the player is told what is missing
        QVERIFY(start.findChild<QLabel*>(QStringLiteral("label_problem"))->isVisible());
        return;
    }
    QCOMPARE(chosen.count(), 1);
    QCOMPARE(chosen.first().first().toStringList(), commandLine);

    // The copy started with that command line hosts or joins, under that name.
    ChatSession s;
    bool hosted = false;
    s.chat->setup().hostStarter = [&](HostingMode) {
        hosted = true;
        return s.port;
    };
    QVERIFY(s.start(commandLine));
    QCOMPARE(hosted, button == QStringLiteral("button_host"));
    s.host.send(msg::SendLoginInfo{2});
    QVERIFY(s.host.waitForMessage(0, textOf(msg::LoginInfo{2, programVersion, name.toUtf8()})));

    Tdownload later;
    later.setSettings(settings);
    QCOMPARE(later.findChild<QLineEdit*>(QStringLiteral("edit_name"))->text(), name);
    QCOMPARE(later.findChild<QLineEdit*>(QStringLiteral("edit_address"))->text(), address);
    // A hosting copy reads the word list its player chose.
    const bool hosting = button == QStringLiteral("button_host");
    QCOMPARE(settings.read(QStringLiteral("Dictionary"), QString()),
             hosting ? QStringLiteral("large") : QString());
    QCOMPARE(later.findChild<QComboBox*>(QStringLiteral("combo_dictionary"))->currentIndex(),
             hosting ? 1 : 0);
}

void StartupTest::tableLinkJoinsAsksForANameOrIsRefused_data() {
    QTest::addColumn<QString>("link"); // %1: the host's port
    QTest::addColumn<QString>("remembered");
    QTest::addColumn<QString>("outcome"); // "joins", "asks" or "refused"
    QTest::newRow("remembered name joins") << "quibo://127.0.0.1:%1/"
                                           << "Ann"
                                           << "joins";
    QTest::newRow("no name remembered") << "quibo://127.0.0.1:%1"
                                        << ""
                                        << "asks";
    // A link is anybody's text: a path, or a name that would be an option, is not used at all.
    QTest::newRow("link with a path") << "quibo://127.0.0.1:%1/-platform"
                                      << "Ann"
                                      << "refused";
    QTest::newRow("option-like remembered name") << "quibo://127.0.0.1:%1"
                                                 << "-reverse"
                                                 << "asks";
}

void StartupTest::tableLinkJoinsAsksForANameOrIsRefused() {
    QFETCH(QString, link);
    QFETCH(QString, remembered);
    QFETCH(QString, outcome);
    ChatSession s;
    // A table the link names is somewhere else than the game port.
    s.chat->setup().gamePort = 9;
    s.chat->setup().rememberedName = remembered;
    QSignalSpy asked(s.chat.get(), &Tchat::startWindowRequested);
    bool solo = false;
    s.chat->setup().hostStarter = [&](HostingMode mode) {
        solo = mode == HostingMode::Solo;
        return quint16(9);
    };
    s.chat->setup().parameters = {link.arg(s.port)};
    s.chat->show();
    if (outcome == QLatin1String("joins")) {
        QVERIFY(s.host.waitForPeers(1));
        s.host.send(msg::SendLoginInfo{2});
        QVERIFY(s.host.waitForMessage(0, textOf(msg::LoginInfo{2, programVersion, "Ann"})));
        QCOMPARE(asked.count(), 0);
        return;
    }
    // Asking for a name, or refusing the link, leaves the player at a solo game with the start window.
    QVERIFY(solo);
    QCOMPARE(asked.count(), 1);
    const QString address = asked.first().at(1).toString();
    if (outcome == QLatin1String("asks")) {
        QCOMPARE(address, QStringLiteral("127.0.0.1:%1").arg(s.port));
        QVERIFY(s.notices.isEmpty());
    } else {
        QVERIFY(address.isEmpty());
        QCOMPARE(s.notices.size(), 1);
        QVERIFY(s.notices.first().contains(QLatin1String("quibo://HOST:PORT")));
    }
    QTest::qWait(100);
    QCOMPARE(int(s.host.peers.size()), 0);
}

void StartupTest::optionLikeSavedNameOrAddressIsNotOffered_data() {
    QTest::addColumn<QString>("key");
    QTest::addColumn<QString>("field");
    QTest::newRow("name") << QString::fromLatin1(Tdownload::nameKey) << QStringLiteral("edit_name");
    QTest::newRow("address") << QString::fromLatin1(Tdownload::addressKey) << QStringLiteral("edit_address");
}

void StartupTest::optionLikeSavedNameOrAddressIsNotOffered() {
    QFETCH(QString, key);
    QFETCH(QString, field);
    QTemporaryDir dir;
    const SettingsFile settings(dir.filePath(QStringLiteral("kivolobby.ini")));
    settings.write(key, QStringLiteral("-platformpluginpath"));
    Tdownload start;
    start.setSettings(settings);
    start.offer(QString(), QString());
    QCOMPARE(start.findChild<QLineEdit*>(field)->text(), QString());
    const QLabel* problem = start.findChild<QLabel*>(QStringLiteral("label_problem"));
    QVERIFY(problem->isVisible());
    QVERIFY2(problem->text().contains(QStringLiteral("\"-platformpluginpath\"")),
             qPrintable(problem->text()));
}

void StartupTest::failedJoinOffersTheAddressAgain() {
    ChatSession s;
    QVERIFY(s.host.closeAndHoldPort()); // nothing listens on the game port now
    Tdownload start;
    s.chat->setup().download = &start;
    QObject::connect(s.chat.get(), &Tchat::startWindowRequested, &start, &Tdownload::offer);
    s.chat->setup().parameters = {QStringLiteral("Ann"), QStringLiteral("127.0.0.1")};
    s.chat->show();
    QTRY_VERIFY_WITH_TIMEOUT(start.isVisible(), 20000);
    QVERIFY(!s.lines().filter(QStringLiteral("Could not connect to the host")).isEmpty());
    QCOMPARE(start.findChild<QLineEdit*>(QStringLiteral("edit_address"))->text(),
             QStringLiteral("127.0.0.1"));
    QCOMPARE(start.findChild<QLineEdit*>(QStringLiteral("edit_name"))->text(), QStringLiteral("Ann"));
}

void StartupTest::windowOpensAtItsDesignClientAreaWithMenus() {
    Tchat chat;
    chat.show();
    QCOMPARE(chat.windowTitle(), QStringLiteral("Quibo"));
    QCOMPARE(chat.centralWidget()->size(), QSize(767, 510));
    // It opens at the design's size and may then be resized.
    QVERIFY(chat.maximumSize().width() > chat.width() && chat.minimumSizeHint().width() < chat.width());
    QCOMPARE(chat.chatView()->mainchat()->geometry(), QRect(25, 282, 715, 188));
    QCOMPARE(chat.chatView()->mychat()->geometry(), QRect(25, 469, 715, 22));
    const char* items[] = {"StartGame1",
                           "HostOrJoin1",
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
