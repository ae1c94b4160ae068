// SPDX-License-Identifier: MIT
// A reset window is a new window: after sessions that leave seat 2's view with a game and its clock
// running, a game won and its summary shown, a window closed by a full table, a connection broken
// while holding a seat key, or a table the host closed, WindowReset brings the window back so that
// the next session sends and shows exactly what it does on a freshly built window.
#include "boardpanel.h"
#include "chatpane.h"
#include "chatview.h"
#include "errorreport.h"
#include "hostconnection.h"
#include "messages.h"
#include "socketerrors.h"
#include "tchat.h"
#include "tspylist.h"
#include "ttallylist.h"
#include "windowreset.h"
#include "windowwiring.h"

#include <QListWidget>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>
#include <functional>

using namespace quibo;

namespace {

// A player window fed in process through its receive queue, as the fuzzer feeds it.
class Window {
public:
    explicit Window(const QString& directory)
        : spylist(new Tspylist(&chat))
        , tally(new Ttallylist(directory, &chat)) {
        chat.setup().closeDelay = 0;
        assembleWindows(chat, spylist, tally);
        QObject::connect(&chat, &Tchat::sentToHost, [this](const QByteArray& m) { record += m; });
        QObject::connect(&chat, &Tchat::closed, [this] { record += "<closed>"; });
        reset = std::make_unique<WindowReset>(chat, spylist, tally);
    }

    void hear(const QByteArray& message) {
        chat.connection()->takeBytes(message);
        for (int tick = 0; tick < 100 && chat.connection()->queuedMessages() > 0; ++tick)
            chat.connection()->Timer1Timer();
        QCoreApplication::sendPostedEvents();
    }
    void breakConnection() {
        TSock* sock = chat.connection()->sock();
        Q_EMIT sock->OnInfo(sock, TSocketInfo::Error, socketErrorText(10054));
    }

    // Plays a session from a connection just made; answers what the window sent and showed.
    QByteArray play(const std::function<void(Window&)>& session) {
        record.clear();
        TSock* sock = chat.connection()->sock();
        Q_EMIT sock->OnConnect(sock);
        session(*this);
        QCoreApplication::sendPostedEvents();
        note();
        return record + "\n" + chat.chatView()->mainchat()->toPlainText().toUtf8();
    }

    // Writes down who sits where and what the board keeps of the turn.
    void note() {
        BoardPanel* board = chat.board();
        record += QStringLiteral("\nseats %1|%2 at %3,%4 me %5 turn %6 %7s words %8 spies %9")
                      .arg(chat.model()->seatName(1), chat.model()->seatName(2))
                      .arg(chat.seatWidget(QStringLiteral("label_playername"), 1)->y())
                      .arg(chat.seatWidget(QStringLiteral("label_playername"), 2)->y())
                      .arg(chat.mynumber())
                      .arg(board->model().turnSeat())
                      .arg(board->model().secondsLeft())
                      .arg(board->listboxMywords()->count())
                      .arg(spylist->findChild<QListWidget*>()->count())
                      .toUtf8();
    }

    Tchat chat;
    Tspylist* spylist;
    Ttallylist* tally;
    std::unique_ptr<WindowReset> reset;
    QByteArray record;
};

using Session = std::function<void(Window&)>;

void seatTwoInAGame(Window& w) {
    w.hear(msg::SendLoginInfo{2}.encode());
    w.hear(msg::SeatKey{2, "key2"}.encode());
    w.hear(msg::NewPlayerInfo{1, "Ann"}.encode());
    w.hear(msg::NewPlayerInfo{2, "Ben"}.encode());
    w.hear(msg::NewPlayerInfo{4, "Spy"}.encode());
    w.hear(msg::StartGame{"Ann", 30, 40, 2, ComputerLevel::Easy}.encode());
    w.hear(msg::Letters{2, {{1, 1}, {2, 5}, {3, 20}}}.encode());
    w.hear(msg::EarlierWord{2, "AT", 2}.encode());
    w.hear(msg::TurnState{2, 12, true, 1, 2}.encode());
    w.hear(msg::NextPlayer{2, 1}.encode());
    w.hear(msg::ChatTooFast{}.encode());
    w.chat.board()->turntimerTimer();
}

// The session every case plays after the reset: seat 2 logs in and the clock ticks before a game
// starts, then the host closes the connection.
void probe(Window& w) {
    w.hear(msg::SendLoginInfo{2}.encode());
    w.hear(msg::ExistingPlayers{1, "Cy"}.encode());
    w.hear(msg::NewPlayerInfo{2, "Dee"}.encode());
    w.chat.board()->turntimerTimer();
    w.note();
    w.hear(msg::StartGame{"Cy", 20, 30, 1, std::nullopt}.encode());
    w.hear(msg::Letters{2, {{1, 3}, {2, 4}}}.encode());
    w.hear(msg::NextPlayer{2, 1}.encode());
    w.chat.board()->turntimerTimer();
    w.hear(msg::Chat::relayed("Cy", "hi|clNavy").encode());
    w.chat.connection()->sock()->Close();
}

} // namespace

class WindowResetTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void initTestCase() {
        QStandardPaths::setTestModeEnabled(true);
        // Sends without a socket fail; that is no news here.
        setErrorReporter([](const QString&) {});
    }
    void resetWindowActsLikeAFreshOne_data();
    void resetWindowActsLikeAFreshOne();
};

void WindowResetTest::resetWindowActsLikeAFreshOne_data() {
    QTest::addColumn<Session>("before");
    QTest::newRow("seat 2 with a game and its clock running") << Session(seatTwoInAGame);
    QTest::newRow("closed by a full table") << Session([](Window& w) {
        seatTwoInAGame(w);
        w.hear(msg::Full{}.encode());
    });
    QTest::newRow("won, the summary shown, then full") << Session([](Window& w) {
        seatTwoInAGame(w);
        w.hear(msg::Winner{2}.encode());
        w.hear(msg::Full{}.encode());
    });
    QTest::newRow("broken while holding a seat key") << Session([](Window& w) {
        seatTwoInAGame(w);
        w.breakConnection();
    });
    QTest::newRow("table closed by the host") << Session([](Window& w) {
        seatTwoInAGame(w);
        w.hear(msg::TableClosed{}.encode());
        w.chat.connection()->sock()->Close();
    });
}

void WindowResetTest::resetWindowActsLikeAFreshOne() {
    QFETCH(Session, before);
    QTemporaryDir freshDir;
    QTemporaryDir reusedDir;
    Window fresh(freshDir.path());
    const QByteArray expected = fresh.play(probe);
    QVERIFY(expected.contains("<closed>"));

    Window reused(reusedDir.path());
    reused.play(before);
    reused.reset->reset();
    QCOMPARE(reused.play(probe), expected);
}

QTEST_MAIN(WindowResetTest)
#include "tst_windowreset.moc"
