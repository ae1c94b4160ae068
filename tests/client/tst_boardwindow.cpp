// SPDX-License-Identifier: MIT
// The board inside the real player window, over a real connection to a scripted host: the window's
// queue hands the game messages to the board, clicks on the board's tiles reach the host, the options
// window sends the start command, and a refusal box leaves the queue running.
#include "boardpanel.h"
#include "hostconnection.h"
#include "modalcloser.h"
#include "namedwidgets.h"
#include "scriptedhost.h"
#include "tchat.h"
#include "tgamestart.h"
#include "tile.h"

#include <QAction>
#include <QCheckBox>
#include <QLabel>
#include <QPushButton>
#include <QTest>

using namespace quibo;
using quibo::test::ScriptedHost;

namespace {

constexpr int patience = 20000;

struct Table {
    ScriptedHost host;
    ScriptedHost sideChannel;
    Tchat window;

    // Starts the window as a joining copy of `name` and logs it in on `seat` with both players seated.
    bool seat(int seatNumber, const QString& name) {
        if (!host.listen() || !sideChannel.listen()) return false;
        window.setup().gamePort = host.port();
        window.setup().sideChannelPort = sideChannel.port();
        window.setup().parameters = {name, QStringLiteral("127.0.0.1"), QStringLiteral("false")};
        window.show();
        if (!QTest::qWaitFor([this] { return host.connected(); }, patience)) return false;
        host.send(msg::SendLoginInfo{seatNumber});
        if (!QTest::qWaitFor([this] { return host.has("CMD_logininfo+"); }, patience)) return false;
        host.send(msg::NewPlayerInfo{1, seatNumber == 1 ? name.toUtf8() : QByteArray("Ann")});
        host.send(msg::NewPlayerInfo{2, seatNumber == 2 ? name.toUtf8() : QByteArray("Bo")});
        return QTest::qWaitFor(
            [this] { return window.connection()->queuedMessages() == 0 && window.mynumber() != 0; },
            patience);
    }
    BoardPanel& board() { return *window.board(); }
    QString text(const QString& name) { return board().findChild<QLabel*>(name)->text(); }
    // Waits until the window's queue is empty, so everything sent so far has been handled.
    bool drained() {
        return QTest::qWaitFor([this] { return window.connection()->queuedMessages() == 0; }, patience);
    }
};

} // namespace

class BoardWindowTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void clicksOnTheWindowsTilesReachTheHost();
    void seatTwoSeesItselfBelow();
    void optionsWindowStartsAGameThroughTheConnection();
    void refusalBoxLetsTheQueueRunOn();
};

void BoardWindowTest::clicksOnTheWindowsTilesReachTheHost() {
    Table t;
    QVERIFY(t.seat(1, QStringLiteral("Ann")));
    QCOMPARE(t.host.take("CMD_logininfo+"), QByteArray("CMD_logininfo+1+1.0.2+Ann"));
    t.host.send("CMD_startgame+Ann+30+100+5+");
    t.host.send("CMD_letters+1+1+3+2+1+3+20");
    t.host.send("CMD_nextplayer+1+5+");
    QTRY_COMPARE_WITH_TIMEOUT(t.board().model().turnSeat(), 1, patience);
    QCOMPARE(t.board().extra(3)->shownCode(), 20);

    QTest::mouseClick(t.board().extra(1), Qt::LeftButton);
    QTest::mouseClick(t.board().myletter(4), Qt::LeftButton);
    QTRY_VERIFY_WITH_TIMEOUT(t.host.has("CMD_placemyletter+"), patience);
    QCOMPARE(t.host.take("CMD_placemyletter+"), QByteArray("CMD_placemyletter+1+1+4+"));

    t.host.send("CMD_placemyletter+1+1+4+3+");
    t.host.send("CMD_winner+1+");
    QTRY_VERIFY_WITH_TIMEOUT(t.board().findChild<QWidget*>(QStringLiteral("panel_winner"))->isVisible(),
                             patience);
    QCOMPARE(t.board().myletter(4)->shownCode(), 3);
    QCOMPARE(t.board().extra(1)->shownCode(), 0);
    QCOMPARE(t.text(QStringLiteral("label_winner1")), QStringLiteral("You have won the game!"));
    QVERIFY(t.board().buttonStart()->isVisible()); // seat 1 holds the hosting player's controls

    QTest::mouseClick(t.board().extra(2), Qt::LeftButton);
    QTest::mouseClick(t.board().myletter(5), Qt::LeftButton);
    QTest::qWait(50);
    QVERIFY(!t.host.has("CMD_placemyletter+")); // the game is over
}

void BoardWindowTest::seatTwoSeesItselfBelow() {
    Table t;
    QVERIFY(t.seat(2, QStringLiteral("Bo")));
    t.host.send("CMD_startgame+Ann+30+100+5+");
    t.host.send("CMD_placemyletter+2+0+1+2+");
    t.host.send("CMD_placemyletter+1+0+1+1+");
    t.host.send("CMD_nextplayer+2+4+");
    QVERIFY(t.drained());
    QTRY_COMPARE_WITH_TIMEOUT(t.board().model().turnSeat(), 2, patience);
    QCOMPARE(t.board().myletter(1)->shownCode(), 2);
    QCOMPARE(t.board().hisletter(1)->shownCode(), 1);

    // The own name, steals and turn marker stand by the own row, at the bottom.
    auto* ownName = t.board().findChild<QLabel*>(QStringLiteral("label_playername2"));
    QCOMPARE(ownName->text(), QStringLiteral("Bo"));
    QVERIFY(ownName->y() > t.board().hisletter(1)->y());
    QCOMPARE(t.text(QStringLiteral("label_status2")), QStringLiteral("Steals Left: 4"));
    QCOMPARE(t.text(QStringLiteral("label_status")), QStringLiteral("Place a Letter"));
    QWidget* marker = findNamedWidget(&t.board(), u"image_Turn2");
    QVERIFY(marker && marker->isVisible() && marker->y() > t.board().hisletter(1)->y());

    QTest::mouseClick(t.board().hisletter(1), Qt::LeftButton);
    QTest::mouseClick(t.board().myletter(2), Qt::LeftButton);
    QTRY_VERIFY_WITH_TIMEOUT(t.host.has("CMD_stealinghisletter+"), patience);
    QCOMPARE(t.host.take("CMD_stealinghisletter+"), QByteArray("CMD_stealinghisletter+2+1+2+"));
}

void BoardWindowTest::optionsWindowStartsAGameThroughTheConnection() {
    Table t;
    QVERIFY(t.seat(1, QStringLiteral("Ann")));
    QTest::mouseClick(t.board().buttonStart(), Qt::LeftButton);
    Tgamestart* options = t.board().gamestart();
    QVERIFY(options->isVisible());
    options->checkbox_unlimited()->setChecked(false);
    QTest::mouseClick(options->button_start(), Qt::LeftButton);
    QTRY_VERIFY_WITH_TIMEOUT(t.host.has("CMD_startgame+"), patience);
    QCOMPARE(t.host.take("CMD_startgame+"), QByteArray("CMD_startgame+Ann+30+200+5+"));
    QVERIFY(options->isHidden());
}

void BoardWindowTest::refusalBoxLetsTheQueueRunOn() {
    Table t;
    QVERIFY(t.seat(1, QStringLiteral("Ann")));
    t.host.send("CMD_startgame+Ann+30+100+0+");
    t.host.send("CMD_nextplayer+1+0+");
    QTRY_COMPARE_WITH_TIMEOUT(t.board().model().turnSeat(), 1, patience);

    QString statusWhileOpen;
    auto box = test::closeNextModal([&](QWidget*) {
        if (!QTest::qWaitFor([&] { return t.board().model().turnSeat() == 2; }, patience)) return;
        statusWhileOpen = t.text(QStringLiteral("label_status"));
    });
    t.host.send("CMD_toomany+1+");
    t.host.send("CMD_nextplayer+2+0+");
    QTRY_COMPARE_WITH_TIMEOUT(box->opened, 1, patience);
    QCOMPARE(box->text, QStringLiteral("You have used all your steals."));
    QCOMPARE(statusWhileOpen, QStringLiteral("Bo's turn."));
}

QTEST_MAIN(BoardWindowTest)
#include "tst_boardwindow.moc"
