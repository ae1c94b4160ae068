// SPDX-License-Identifier: MIT
// The player window's connection and chat, against a stub host over real loopback TCP.
#include "chatsession.h"
#include "chatview.h"
#include "hostconnection.h"
#include "namedwidgets.h"

#include <QAction>
#include <QApplication>
#include <QListWidget>
#include <QMenu>
#include <QMouseEvent>
#include <QPushButton>
#include <QTest>

#ifdef Q_OS_UNIX
#include <sys/socket.h>
#endif

using namespace quibo;
using namespace quibo::test;

class ChatTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void initTestCase() { QStandardPaths::setTestModeEnabled(true); }
    void loginSendsSeatVersionAndName();
    void eachPlayerSeesOwnSeatBelow_data();
    void eachPlayerSeesOwnSeatBelow();
    void chatLinesCarryBoldSpeakerAndColour_data();
    void chatLinesCarryBoldSpeakerAndColour();
    void typedLinesFollowTheSlashRules_data();
    void typedLinesFollowTheSlashRules();
    void chatTypedBeforeTheSeatStaysInTheEntry();
    void nameLabelMenuFollowsHostAndWaiting_data();
    void nameLabelMenuFollowsHostAndWaiting();
    void spectatorsAreListedAndRemovedExactly();
    void spyListRemovesTheSpectatorUnderThePointer();
    void departedPlayerIsShownAsKlot();
    void justWatchingTicksOnlyOnTheHostsAnswer();
    void givingTheTurnToPlayerThree();
    void hostNoticesUseTheirOwnTexts();
    void gameIsFullClosesTheWindow();
    void refusedConnectionSaysWhyAndStaysOpen();
    void unknownHostSaysWhyAndShowsTheLookupError();
    void brokenConnectionSaysWhyThenCloses();
    void hostClosingTheConnectionClosesTheWindow();
    void scrollChatOffItemsShareOneState();
    void phraseCooldownEndsAfterTheQueueTimerTicks();
    void ownLinesReadInTheSecondPerson();
};

void ChatTest::loginSendsSeatVersionAndName() {
    ChatSession s;
    QVERIFY(s.start({QStringLiteral("Ann+Bo"), QStringLiteral("127.0.0.1"), QStringLiteral("false")}));
    s.host.send(0, "CMD_sendlogininfo+4");
    QVERIFY(s.host.waitForMessage(0, "CMD_logininfo+4+1.0.2+Ann+Bo"));
    QCOMPARE(s.chat->mynumber(), 4);
    QVERIFY(s.chat->isconnected());
}

void ChatTest::eachPlayerSeesOwnSeatBelow_data() {
    QTest::addColumn<int>("seat");
    QTest::newRow("seat 1") << 1;
    QTest::newRow("seat 2") << 2;
    QTest::newRow("spectator") << 3;
}

void ChatTest::eachPlayerSeesOwnSeatBelow() {
    QFETCH(int, seat);
    ChatSession s;
    const QString me = QStringLiteral("Me");
    QVERIFY(s.start({me, QStringLiteral("127.0.0.1"), QStringLiteral("false")}));
    QVERIFY(s.seat(seat, me));
    if (seat != 1) s.host.send(0, "CMD_existingplayers+1+Ann");
    if (seat != 2) s.host.send(0, "CMD_existingplayers+2+Bob");
    QVERIFY(
        s.waitForLine(seat == 1 ? QStringLiteral("Bob is Connected.") : QStringLiteral("Ann is Connected.")));
    QTRY_COMPARE(s.seatLabel(1)->text(), seat == 1 ? me : QStringLiteral("Ann"));
    QTRY_COMPARE(s.seatLabel(2)->text(), seat == 2 ? me : QStringLiteral("Bob"));
    // The own seat (seat 1 for those who do not play) is the lower of the two labels.
    const int ownSeat = seat == 2 ? 2 : 1;
    QVERIFY(s.seatLabel(ownSeat)->y() > s.seatLabel(3 - ownSeat)->y());
    QCOMPARE(widgetTag(s.seatLabel(1)), 1);
    QCOMPARE(widgetTag(s.seatLabel(2)), 2);
    QVERIFY(s.hasLine(QStringLiteral("View Quick Instructions by pressing Ctrl+I.")));
    QCOMPARE(s.hasLine(QStringLiteral("You are spying.")), seat > 2);
}

void ChatTest::chatLinesCarryBoldSpeakerAndColour_data() {
    QTest::addColumn<QByteArray>("message");
    QTest::addColumn<QString>("line");
    QTest::addColumn<QColor>("colour");
    QTest::addColumn<int>("boldLength");
    QTest::newRow("navy chat") << QByteArray("CMD_chat+Ann chats: hello there|clNavy")
                               << QStringLiteral("Ann chats: hello there") << QColor(0, 0, 0x80) << 10;
    QTest::newRow("hex action") << QByteArray("CMD_action+Ann waves|$00FF8000") << QStringLiteral("Ann waves")
                                << QColor(0, 0x80, 0xFF) << 0;
    QTest::newRow("bar inside the text") << QByteArray("CMD_chat+Ann chats: a|b|clNavy")
                                         << QStringLiteral("Ann chats: a") << QColor(Qt::red) << 10;
    QTest::newRow("no colour") << QByteArray("CMD_chat+Ann chats: plain")
                               << QStringLiteral("Ann chats: plain") << QColor(Qt::red) << 10;
    QTest::newRow("unreadable colour") << QByteArray("CMD_chat+Ann chats: x|clMauve")
                                       << QStringLiteral("Ann chats: x") << QColor(Qt::red) << 10;
}

void ChatTest::chatLinesCarryBoldSpeakerAndColour() {
    QFETCH(QByteArray, message);
    QFETCH(QString, line);
    QFETCH(QColor, colour);
    QFETCH(int, boldLength);
    ChatSession s;
    QVERIFY(s.start({QStringLiteral("Me"), QStringLiteral("127.0.0.1"), QStringLiteral("false")}));
    s.host.send(0, message);
    QVERIFY(s.waitForLine(line));
    QCOMPARE(s.lineColour(line), colour);
    const QTextBlock block = s.block(line);
    for (int i = 0; i < line.size(); ++i) {
        QTextCursor c(block);
        c.setPosition(block.position() + i + 1);
        QCOMPARE(c.charFormat().fontWeight() == QFont::Bold, i < boldLength);
    }
}

void ChatTest::typedLinesFollowTheSlashRules_data() {
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QByteArray>("sent");
    QTest::newRow("chat") << QStringLiteral("hello|there") << QByteArray("CMD_chat+2+hello|there|clBlack");
    QTest::newRow("action") << QStringLiteral("/me waves") << QByteArray("CMD_action+2+waves|clMaroon");
    QTest::newRow("action without blank")
        << QStringLiteral("/mewaves") << QByteArray("CMD_action+2+aves|clMaroon");
    QTest::newRow("other slash") << QStringLiteral("/x") << QByteArray();
}

void ChatTest::typedLinesFollowTheSlashRules() {
    QFETCH(QString, typed);
    QFETCH(QByteArray, sent);
    ChatSession s;
    QVERIFY(s.start({QStringLiteral("Bob"), QStringLiteral("127.0.0.1"), QStringLiteral("false")}));
    QVERIFY(s.seat(2, QStringLiteral("Bob")));
    s.chat->chatView()->setactioncolor(0x000080);
    QTest::keyClicks(s.chat->chatView()->mychat(), typed);
    QTest::keyClick(s.chat->chatView()->mychat(), Qt::Key_Return);
    QCOMPARE(s.chat->chatView()->mychat()->text(), QString());
    // A marker line after it shows what, if anything, went before.
    QTest::keyClicks(s.chat->chatView()->mychat(), QStringLiteral("marker"));
    QTest::keyClick(s.chat->chatView()->mychat(), Qt::Key_Return);
    QVERIFY(s.host.waitForMessage(0, "CMD_chat+2+marker|clBlack"));
    const QList<QByteArray>& got = s.host.messages(0);
    const QByteArray before = got.at(got.indexOf("CMD_chat+2+marker|clBlack") - 1);
    QCOMPARE(before, sent.isEmpty() ? QByteArray("CMD_logininfo+2+1.0.2+Bob") : sent);
}

void ChatTest::chatTypedBeforeTheSeatStaysInTheEntry() {
    ChatSession s;
    QVERIFY(s.start({QStringLiteral("Bob"), QStringLiteral("127.0.0.1"), QStringLiteral("false")}));
    QCOMPARE(s.chat->chatView()->mychat()->text(), QStringLiteral("<Enter Chat Here>"));
    QTest::keyClicks(s.chat->chatView()->mychat(), QStringLiteral("hi"));
    QTest::keyClick(s.chat->chatView()->mychat(), Qt::Key_Return);
    QCOMPARE(s.chat->chatView()->mychat()->text(), QStringLiteral("hi"));
    QVERIFY(s.seat(2, QStringLiteral("Bob")));
    QTest::keyClick(s.chat->chatView()->mychat(), Qt::Key_Return);
    QVERIFY(s.host.waitForMessage(0, "CMD_chat+2+hi|clBlack"));
}

void ChatTest::nameLabelMenuFollowsHostAndWaiting_data() {
    QTest::addColumn<int>("seat");
    QTest::addColumn<bool>("otherSeated");
    QTest::addColumn<bool>("removeEnabled");
    QTest::addColumn<bool>("watchEnabled");
    QTest::newRow("seat 1, opponent seated") << 1 << true << true << true;
    QTest::newRow("seat 1, opponent waiting") << 1 << false << false << true;
    QTest::newRow("seat 2") << 2 << true << false << false;
}

void ChatTest::nameLabelMenuFollowsHostAndWaiting() {
    QFETCH(int, seat);
    QFETCH(bool, otherSeated);
    QFETCH(bool, removeEnabled);
    QFETCH(bool, watchEnabled);
    ChatSession s;
    QVERIFY(s.start({QStringLiteral("Me"), QStringLiteral("127.0.0.1"), QStringLiteral("false")}));
    QVERIFY(s.seat(seat, QStringLiteral("Me")));
    const int other = 3 - seat;
    if (otherSeated) {
        s.host.send(0, "CMD_existingplayers+" + QByteArray::number(other) + "+Zoe");
        QTRY_COMPARE(s.seatLabel(other)->text(), QStringLiteral("Zoe"));
    }
    s.chat->label_playername2ContextPopup(s.seatLabel(other));
    const auto item = [&](const char* name) { return s.chat->findChild<QAction*>(QLatin1String(name)); };
    QCOMPARE(item("RemoveFromGame1")->isEnabled(), removeEnabled);
    QCOMPARE(item("SettoJustWatch1")->isEnabled(), watchEnabled);
    QCOMPARE(item("UnsetJustWatch1")->isEnabled(), watchEnabled);
    QCOMPARE(s.chat->popupKickSeat(), other);

    item("RemoveFromGame1")->trigger();
    item("SettoJustWatch1")->trigger();
    s.chat->kicking(7);
    QTest::keyClicks(s.chat->chatView()->mychat(), QStringLiteral("end"));
    QTest::keyClick(s.chat->chatView()->mychat(), Qt::Key_Return);
    const QByteArray end = "CMD_chat+" + QByteArray::number(seat) + "+end|clBlack";
    QVERIFY(s.host.waitForMessage(0, end));
    const QByteArray me = QByteArray::number(seat);
    const QByteArray him = QByteArray::number(other);
    // Disabled items send nothing, and kicking() itself sends only for the hosting player.
    QCOMPARE(s.host.messages(0).contains("CMD_kickhim+" + me + "+" + him + "+"), removeEnabled);
    QCOMPARE(s.host.messages(0).contains("CMD_kickhim+" + me + "+7+"), seat == 1);
    QCOMPARE(s.host.messages(0).contains("CMD_justwatch+" + him + "+1"), watchEnabled);
}

void ChatTest::spectatorsAreListedAndRemovedExactly() {
    ChatSession s;
    QVERIFY(s.start({QStringLiteral("Ann"), QStringLiteral("127.0.0.1"), QStringLiteral("false")}));
    QVERIFY(s.seat(1, QStringLiteral("Ann")));
    s.host.send(0, "CMD_newplayerinfo+3+Cy");
    s.host.send(0, "CMD_newplayerinfo+4+Cy");
    s.host.send(0, "CMD_playerdisconnected+5+cy");
    s.host.send(0, "CMD_playerdisconnected+4+cy");
    s.host.send(0, "CMD_playerdisconnected+4+Cy");
    QVERIFY(s.waitForLine(QStringLiteral("Cy has left.")));
    QCOMPARE(s.spylist->entries(), QStringList{QStringLiteral("3: Cy")});
    QCOMPARE(s.lines().count(QStringLiteral("Cy is spying.")), 2);
    QCOMPARE(s.lines().count(QStringLiteral("Cy has left.")), 1);
    QVERIFY(!s.hasLine(QStringLiteral("cy has left.")));
    QCOMPARE(s.lineColour(QStringLiteral("Cy has left.")), QColor(0, 0, 0x80));
}

void ChatTest::spyListRemovesTheSpectatorUnderThePointer() {
    ChatSession s;
    QVERIFY(s.start({QStringLiteral("Ann"), QStringLiteral("127.0.0.1"), QStringLiteral("true")}));
    auto* remove = s.spylist->findChild<QAction*>(QStringLiteral("popup_kickhim"));
    QVERIFY(remove->isEnabled()); // this copy hosts
    QVERIFY(s.seat(1, QStringLiteral("Ann")));
    s.host.send(0, "CMD_newplayerinfo+3+Cy");
    s.host.send(0, "CMD_newplayerinfo+4+Di");
    QVERIFY(s.waitForLine(QStringLiteral("Di is spying.")));
    s.spylist->show();
    QVERIFY(QTest::qWaitForWindowExposed(s.spylist.get()));
    auto* list = s.spylist->findChild<QListWidget*>(QStringLiteral("listbox_spys"));
    QCOMPARE(s.spylist->tag(), -1);
    remove->trigger(); // over no entry: nothing
    // The pointer moves over the second entry (sent directly: the main window overlaps this one).
    const QPointF over = list->visualItemRect(list->item(1)).center();
    QMouseEvent move(QEvent::MouseMove, over, list->viewport()->mapToGlobal(over), Qt::NoButton, Qt::NoButton,
                     {});
    QApplication::sendEvent(list->viewport(), &move);
    QCOMPARE(s.spylist->tag(), 1);
    remove->trigger();
    QVERIFY(s.host.waitForMessage(0, "CMD_kickhim+1+4+"));
    QCOMPARE(s.host.messages(0).count("CMD_kickhim+1+4+"), 1);
    QVERIFY(!s.host.messages(0).contains("CMD_kickhim+1+3+"));
    // The entry stays until the host reports the departure.
    QCOMPARE(s.spylist->entries().size(), 2);
}

void ChatTest::departedPlayerIsShownAsKlot() {
    ChatSession s;
    QVERIFY(s.start({QStringLiteral("Bob"), QStringLiteral("127.0.0.1"), QStringLiteral("false")}));
    QVERIFY(s.seat(2, QStringLiteral("Bob")));
    s.host.send(0, "CMD_existingplayers+1+Ann");
    s.host.send(0, "CMD_justwatching+1+1");
    QVERIFY(s.waitForLine(QStringLiteral("Ann is just watching")));
    QVERIFY(s.chat->seatWidget(QStringLiteral("image_eyes"), 1)->isVisible());
    s.host.send(0, "CMD_playerdisconnected+1+Ann");
    QVERIFY(s.waitForLine(QStringLiteral("Ann disconnected.")));
    QCOMPARE(s.seatLabel(1)->text(), QStringLiteral("Klot"));
    QVERIFY(!s.chat->seatWidget(QStringLiteral("image_eyes"), 1)->isVisible());
}

void ChatTest::justWatchingTicksOnlyOnTheHostsAnswer() {
    ChatSession s;
    QVERIFY(s.start({QStringLiteral("Bob"), QStringLiteral("127.0.0.1"), QStringLiteral("false")}));
    QVERIFY(s.seat(2, QStringLiteral("Bob")));
    auto* justWatch = s.chat->findChild<QAction*>(QStringLiteral("JustWatch1"));
    justWatch->trigger();
    QVERIFY(s.host.waitForMessage(0, "CMD_justwatch+2+1"));
    QVERIFY(!justWatch->isChecked());
    s.host.send(0, "CMD_justwatching+2+1");
    QVERIFY(s.waitForLine(QStringLiteral("You are just watching")));
    QVERIFY(justWatch->isChecked());
    QCOMPARE(s.lineColour(QStringLiteral("You are just watching")), QColor(0, 0x80, 0));
    justWatch->trigger();
    QVERIFY(s.host.waitForMessage(0, "CMD_justwatch+2+2"));
    s.host.send(0, "CMD_justwatching+2+2");
    s.host.send(0, "CMD_justwatching+3+1");
    QVERIFY(s.waitForLine(QStringLiteral("You are now playing again")));
    QVERIFY(!justWatch->isChecked());
    QVERIFY(!s.chat->seatWidget(QStringLiteral("image_eyes"), 2)->isVisible());
}

void ChatTest::givingTheTurnToPlayerThree() {
    ChatSession s;
    QVERIFY(s.start(
        {QStringLiteral("Ann"), QStringLiteral("127.0.0.1"), QStringLiteral("false"), QStringLiteral("t")}));
    QVERIFY(s.seat(1, QStringLiteral("Ann")));
    QPushButton* give = s.chat->findChild<QPushButton*>(QStringLiteral("button_give"));
    QVERIFY(give->isVisible());
    QTest::mouseClick(give, Qt::LeftButton);
    QVERIFY(s.host.waitForMessage(0, "CMD_give3+1+"));
    s.host.send(0, "CMD_cantgive+1+");
    QVERIFY(s.waitForLine(QStringLiteral("You cannot give player 3 your turn.")));
    s.host.send(0, "CMD_giving3+1+Cy+");
    QVERIFY(s.waitForLine(QStringLiteral("The host has given Cy the ability to play.")));
    QCOMPARE(s.seatLabel(1)->text(), QStringLiteral("Cy"));
    s.chat->findChild<QPushButton*>(QStringLiteral("button_start"))->hide();
    s.host.send(0, "CMD_giveback+Ann+");
    QVERIFY(s.waitForLine(QStringLiteral("The Game is over since player 3 left")));
    QCOMPARE(s.seatLabel(1)->text(), QStringLiteral("Ann"));
    // Seat 1 holds the hosting player's controls, also when the host runs elsewhere.
    QVERIFY(s.chat->findChild<QPushButton*>(QStringLiteral("button_start"))->isVisible());
}

void ChatTest::hostNoticesUseTheirOwnTexts() {
    ChatSession s;
    QVERIFY(s.start({QStringLiteral("Ann"), QStringLiteral("127.0.0.1"), QStringLiteral("false")}));
    s.host.send(0, "CMD_havewrongversion+Bob+Bo");
    s.host.send(0, "CMD_wrongversion+");
    QVERIFY(s.waitForLine(QStringLiteral("You have a differnt version of the game then the host.")));
    QVERIFY(s.hasLine(QStringLiteral("Bob+Bo has a different version of the game then you.")));
    s.host.send(0, "CMD_chattoofast+");
    QVERIFY(s.waitForLine(QStringLiteral(
        "You are chatting faster than the others can read: some of your lines were not sent.")));
}

void ChatTest::gameIsFullClosesTheWindow() {
    ChatSession s;
    QVERIFY(s.start({QStringLiteral("Ann"), QStringLiteral("127.0.0.1"), QStringLiteral("false")}));
    s.host.send(0, "CMD_full+");
    QVERIFY(s.closedSpy->wait(20000));
    QCOMPARE(s.notices, QStringList{QStringLiteral("Game is full")});
    QVERIFY(!s.chat->isVisible());
}

void ChatTest::refusedConnectionSaysWhyAndStaysOpen() {
    ChatSession s;
    QVERIFY(s.host.closeAndHoldPort()); // nothing listens on the game port now
    s.chat->setup().parameters = {QStringLiteral("Ann"), QStringLiteral("127.0.0.1"),
                                  QStringLiteral("false")};
    s.chat->show();
    QTRY_VERIFY_WITH_TIMEOUT(!s.lines().filter(QStringLiteral("Could not connect to the host")).isEmpty(),
                             20000);
    QVERIFY(s.lines()
                .filter(QStringLiteral("Could not connect to the host"))
                .first()
                .endsWith(QStringLiteral(": is the table open? Error #10061 (WSAECONNREFUSED)")));
    QVERIFY(s.lines()
                .filter(QStringLiteral("Could not connect to the host"))
                .first()
                .contains(QStringLiteral("the host: nobody is listening at 127.0.0.1 port ")));
    QVERIFY(s.chat->isVisible());
    QCOMPARE(s.closedSpy->count(), 0);
}

void ChatTest::unknownHostSaysWhyAndShowsTheLookupError() {
    ChatSession s;
    QStringList reported;
    const ErrorReporter previous = setErrorReporter([&](const QString& text) { reported << text; });
    s.chat->setup().parameters = {QStringLiteral("Ann"), QStringLiteral("no-such-host.invalid"),
                                  QStringLiteral("false")};
    s.chat->show();
    QTRY_VERIFY_WITH_TIMEOUT(!reported.isEmpty(), 30000);
    setErrorReporter(previous);
    QCOMPARE(reported, QStringList{QStringLiteral("Host Lookup - Could Not Find Host Entry")});
    QVERIFY(
        s.hasLine(QStringLiteral("Could not connect to the host: no computer called no-such-host.invalid was "
                                 "found: check the address. Error #11001 (WSAHOST_NOT_FOUND)")));
    QVERIFY(s.chat->isVisible());
}

void ChatTest::brokenConnectionSaysWhyThenCloses() {
    ChatSession s;
    QVERIFY(s.start({QStringLiteral("Ann"), QStringLiteral("127.0.0.1"), QStringLiteral("false")}));
    QVERIFY(s.seat(2, QStringLiteral("Ann")));
    // The window tries the host again after a break; nobody answers these tries.
    s.chat->connection()->setReconnectDelays({50});
    QVERIFY(s.host.closeAndHoldPort()); // the tries find nobody
#ifdef Q_OS_UNIX
    const linger hard{1, 0};
    QTcpSocket* socket = s.host.peers.at(0)->socket;
    ::setsockopt(int(socket->socketDescriptor()), SOL_SOCKET, SO_LINGER, &hard, sizeof hard);
    socket->abort();
#endif
    QVERIFY(s.closedSpy->wait(20000));
    QVERIFY(!s.lines().filter(QStringLiteral("The connection to the host was lost")).isEmpty());
}

void ChatTest::hostClosingTheConnectionClosesTheWindow() {
    ChatSession s;
    QVERIFY(s.start({QStringLiteral("Ann"), QStringLiteral("127.0.0.1"), QStringLiteral("false")}));
    QVERIFY(s.seat(2, QStringLiteral("Ann")));
    s.host.peers.at(0)->socket->disconnectFromHost();
    QVERIFY(s.closedSpy->wait(20000));
    QVERIFY(!s.chat->isVisible());
}

void ChatTest::scrollChatOffItemsShareOneState() {
    Tchat chat;
    auto* inMenu = chat.findChild<QAction*>(QStringLiteral("ScrollChatOff2"));
    auto* inPopup = chat.findChild<QAction*>(QStringLiteral("ScrollChatOff1"));
    QCOMPARE(inMenu->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_S));
    inMenu->trigger();
    QVERIFY(inMenu->isChecked() && inPopup->isChecked());
    inPopup->trigger();
    QVERIFY(!inMenu->isChecked() && !inPopup->isChecked());
    QVERIFY(!chat.chatView()->mainchat()->scrollChatOff());
}

void ChatTest::phraseCooldownEndsAfterTheQueueTimerTicks() {
    Tchat chat;
    QVERIFY(chat.chatView()->canchat());
    QVERIFY(!chat.connection()->timer1Running());
    chat.chatView()->setCanchat(false);
    QVERIFY(chat.connection()->timer1Running());
    // The guard opens only through the timer's own ticks, more than 100 of them.
    for (int tick = 0; tick < 100; ++tick)
        chat.connection()->Timer1Timer();
    QVERIFY(!chat.chatView()->canchat());
    chat.connection()->Timer1Timer();
    QVERIFY(chat.chatView()->canchat());
    // Nothing queued and no cooldown: the timer rests.
    QVERIFY(!chat.connection()->timer1Running());
}

// The host's echo of our own lines reads "You ..."; a line under the same name that we did not send
// keeps its name, and only the last maxAwaitedEchoes lines sent are waited for.
void ChatTest::ownLinesReadInTheSecondPerson() {
    ChatSession s;
    QVERIFY(s.start({QStringLiteral("Bob"), QStringLiteral("127.0.0.1"), QStringLiteral("false")}));
    QVERIFY(s.seat(2, QStringLiteral("Bob")));
    ChatView& view = *s.chat->chatView();
    const auto type = [&view](const QString& text) {
        QTest::keyClicks(view.mychat(), text);
        QTest::keyClick(view.mychat(), Qt::Key_Return);
    };
    type(QStringLiteral("hello"));
    view.sendPhrase(QStringLiteral("Way To Go!"));
    s.host.send("CMD_chat+Bob chats: not mine|clBlack");
    s.host.send("CMD_chat+Bob chats: hello|clBlack");
    s.host.send("CMD_action+Bob says: Way To Go!|clBlack");
    QVERIFY(s.waitForLine(QStringLiteral("You say: Way To Go!")));
    QVERIFY(s.hasLine(QStringLiteral("Bob chats: not mine")));
    QVERIFY(s.hasLine(QStringLiteral("You chat: hello")));
    QVERIFY(!s.hasLine(QStringLiteral("Bob chats: hello")));

    const int sent = int(ChatView::maxAwaitedEchoes) + 1;
    for (int i = 0; i < sent; ++i)
        type(QStringLiteral("line%1").arg(i));
    // The first was forgotten; the last is ours and takes those before it with it.
    for (const int i : {0, sent - 1, 1})
        s.host.send(QByteArray("CMD_chat+Bob chats: line") + QByteArray::number(i) + "|clBlack");
    QVERIFY(s.waitForLine(QStringLiteral("Bob chats: line1")));
    QVERIFY(s.hasLine(QStringLiteral("Bob chats: line0")));
    QVERIFY(s.hasLine(QStringLiteral("You chat: line%1").arg(sent - 1)));
}

QTEST_MAIN(ChatTest)
#include "tst_chat.moc"
