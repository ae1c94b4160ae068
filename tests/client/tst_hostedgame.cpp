// SPDX-License-Identifier: MIT
// Three player windows in one process at a real host on a port the system picks: seating, chat,
// spectators, giving the turn to player 3 and departures, as the players see them.
#include "boardpanel.h"
#include "chatentry.h"
#include "chatpane.h"
#include "chatview.h"
#include "errorreport.h"
#include "scriptedhost.h"
#include "tchat.h"
#include "tserver.h"
#include "tspylist.h"
#include "windowwiring.h"

#include <QAction>
#include <QLabel>
#include <QPushButton>
#include <QSignalSpy>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>
#include <QTextBlock>
#include <memory>

using namespace quibo;

namespace {

struct Player {
    std::unique_ptr<Tchat> chat = std::make_unique<Tchat>();
    std::unique_ptr<Tspylist> spylist = std::make_unique<Tspylist>();
    std::unique_ptr<QSignalSpy> closed = std::make_unique<QSignalSpy>(chat.get(), &Tchat::closed);

    QStringList lines() const {
        return chat->chatView()->mainchat()->toPlainText().split(u'\n', Qt::SkipEmptyParts);
    }
    bool waitForLine(const QString& line) const {
        return QTest::qWaitFor([&] { return lines().contains(line); }, 20000);
    }
    QColor colourOf(const QString& line) const {
        for (QTextBlock b = chat->chatView()->mainchat()->document()->begin(); b.isValid(); b = b.next()) {
            if (b.text() != line) continue;
            QTextCursor c(b);
            c.setPosition(b.position() + b.length() - 1);
            return c.charFormat().foreground().color();
        }
        return {};
    }
    QString label(int seat) const {
        return qobject_cast<QLabel*>(chat->seatWidget(QStringLiteral("label_playername"), seat))->text();
    }
    void say(const QString& text) const {
        QTest::keyClicks(chat->chatView()->mychat(), text);
        QTest::keyClick(chat->chatView()->mychat(), Qt::Key_Return);
    }
};

} // namespace

class HostedGameTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void initTestCase();
    void playersAndSpectatorTakeTheirSeats();
    void chatReachesEveryoneInTheSpeakersColour();
    void turnGivenToPlayerThreeComesBackWhenHeLeaves();
    void hostRemovesASpectator();
    void departedPlayerIsReplacedByTheComputer();
    void cleanupTestCase();

private:
    std::unique_ptr<Player> join(const QStringList& parameters, int expectedSeat);

    QTemporaryDir m_dir;
    test::ScriptedHost m_side;
    std::unique_ptr<TServer> m_server;
    std::unique_ptr<Player> m_ann, m_bob, m_cy;
    QStringList m_errors;
};

void HostedGameTest::initTestCase() {
    QStandardPaths::setTestModeEnabled(true);
    setErrorReporter([this](const QString& text) { m_errors << text; });
    m_side.listen();
    HostConfig config;
    config.workingDirectory = m_dir.path();
    config.port = 0;
    config.seed = 7;
    m_server = std::make_unique<TServer>(config);
    m_server->setListen(true);
    m_ann = join(
        {QStringLiteral("Ann"), QStringLiteral("203.0.113.9"), QStringLiteral("true"), QStringLiteral("t")},
        1);
    m_bob = join({QStringLiteral("Bob"), QStringLiteral("127.0.0.1"), QStringLiteral("false")}, 2);
    m_cy = join({QStringLiteral("Cy"), QStringLiteral("127.0.0.1"), QStringLiteral("false")}, 3);
}

std::unique_ptr<Player> HostedGameTest::join(const QStringList& parameters, int expectedSeat) {
    auto player = std::make_unique<Player>();
    Tchat& chat = *player->chat;
    chat.setup().gamePort = m_server->listeningPort();
    chat.setup().sideChannelPort = m_side.server.serverPort();
    assembleWindows(chat, player->spylist.get(), nullptr);
    chat.setup().closeDelay = 0;
    chat.setup().hostStarter = [this](HostingMode) { return m_server->listeningPort(); }; // listens already
    chat.setup().parameters = parameters;
    chat.show();
    if (!player->waitForLine(QStringLiteral("You are Connected.")) || chat.mynumber() != expectedSeat)
        return {};
    return player;
}

void HostedGameTest::playersAndSpectatorTakeTheirSeats() {
    QVERIFY(m_ann && m_bob && m_cy);
    for (Player* p : {m_ann.get(), m_bob.get(), m_cy.get()}) {
        QTRY_COMPARE(p->label(1), QStringLiteral("Ann"));
        QTRY_COMPARE(p->label(2), QStringLiteral("Bob"));
    }
    // Each player sees the own seat at the bottom.
    const auto y = [](const Player& p, int seat) {
        return p.chat->seatWidget(QStringLiteral("label_playername"), seat)->y();
    };
    QVERIFY(y(*m_ann, 1) > y(*m_ann, 2));
    QVERIFY(y(*m_bob, 2) > y(*m_bob, 1));
    QVERIFY(m_ann->waitForLine(QStringLiteral("Cy is spying.")));
    QVERIFY(m_cy->lines().contains(QStringLiteral("You are spying.")));
    QCOMPARE(m_ann->spylist->entries(), QStringList{QStringLiteral("3: Cy")});
    QCOMPARE(m_cy->spylist->entries(), QStringList{QStringLiteral("3: Cy")});
    QVERIFY(m_ann->chat->board()->buttonStart()->isVisible());
    QVERIFY(!m_bob->chat->board()->buttonStart()->isVisible());
}

void HostedGameTest::chatReachesEveryoneInTheSpeakersColour() {
    m_bob->chat->chatView()->settextcolor(0x800000);
    m_bob->chat->chatView()->setactioncolor(0x008000);
    m_bob->say(QStringLiteral("hello there"));
    m_bob->say(QStringLiteral("/me waves"));
    for (Player* p : {m_ann.get(), m_bob.get(), m_cy.get()}) {
        QVERIFY(p->waitForLine(QStringLiteral("Bob waves")));
        // Bob's own window tells his line in the second person.
        const QString line = p == m_bob.get() ? QStringLiteral("You chat: hello there")
                                              : QStringLiteral("Bob chats: hello there");
        QCOMPARE(p->colourOf(line), QColor(0, 0, 0x80));
        QCOMPARE(p->colourOf(QStringLiteral("Bob waves")), QColor(0, 0x80, 0));
    }
}

void HostedGameTest::turnGivenToPlayerThreeComesBackWhenHeLeaves() {
    QPushButton* give = m_ann->chat->board()->buttonGive();
    QVERIFY(give->isVisible());
    QTest::mouseClick(give, Qt::LeftButton);
    for (Player* p : {m_ann.get(), m_bob.get(), m_cy.get()}) {
        QVERIFY(p->waitForLine(QStringLiteral("The host has given Cy the ability to play.")));
        QCOMPARE(p->label(1), QStringLiteral("Cy"));
    }
    m_cy->chat->close();
    for (Player* p : {m_ann.get(), m_bob.get()}) {
        QVERIFY(p->waitForLine(QStringLiteral("The Game is over since player 3 left")));
        QCOMPARE(p->label(1), QStringLiteral("Ann"));
        QVERIFY(p->waitForLine(QStringLiteral("Cy has left.")));
        QCOMPARE(p->colourOf(QStringLiteral("Cy has left.")), QColor(0, 0, 0x80));
        QCOMPARE(p->spylist->entries(), QStringList());
    }
}

void HostedGameTest::hostRemovesASpectator() {
    auto dee = join({QStringLiteral("Dee"), QStringLiteral("127.0.0.1"), QStringLiteral("false")}, 3);
    QVERIFY(dee);
    QVERIFY(m_ann->waitForLine(QStringLiteral("Dee is spying.")));
    m_bob->chat->kicking(3); // not the host: nothing happens
    m_ann->chat->kicking(3);
    QVERIFY(dee->closed->wait(20000));
    QVERIFY(m_bob->waitForLine(QStringLiteral("Dee has left.")));
    QCOMPARE(m_ann->spylist->entries(), QStringList());
    // Removal is not a break: the removed window does not come back.
    QVERIFY(!dee->lines().contains(QStringLiteral("Connection lost. Reconnecting...")));
    QTest::qWait(2500); // past the first try's delay
    QCOMPARE(m_ann->lines().count(QStringLiteral("Dee is spying.")), 1);
}

void HostedGameTest::departedPlayerIsReplacedByTheComputer() {
    m_bob->chat->close();
    QVERIFY(m_ann->waitForLine(QStringLiteral("Bob disconnected.")));
    QCOMPARE(m_ann->label(2), QStringLiteral("Klot"));
    QVERIFY(m_ann->chat->isVisible());
}

void HostedGameTest::cleanupTestCase() {
    // The hosting player leaving takes the host with it: the other windows hear that the table
    // closed and stay with their players.
    auto eve = join({QStringLiteral("Eve"), QStringLiteral("127.0.0.1"), QStringLiteral("false")}, 2);
    QVERIFY(eve);
    m_ann->chat->close();
    m_server.reset();
    QVERIFY(eve->waitForLine(QStringLiteral("The host closed the table.")));
    QTRY_VERIFY_WITH_TIMEOUT(!eve->chat->isconnected(), 20000);
    QCOMPARE(eve->closed->count(), 0);
    QVERIFY(eve->chat->isVisible());
    QCOMPARE(m_errors, QStringList());
    setErrorReporter({});
}

QTEST_MAIN(HostedGameTest)
#include "tst_hostedgame.moc"
