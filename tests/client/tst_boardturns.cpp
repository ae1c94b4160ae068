// SPDX-License-Identifier: MIT
// The board panel through a game: its start and a joining window's stats, the turn marker, words,
// the winner banner, the countdown, the refusal boxes, the player's attention and malformed messages.
#include "boardfixture.h"
#include "modalcloser.h"
#include "protocol.h"
#include "tgamestart.h"

#include <QListWidget>
#include <QPushButton>
#include <QTimer>
#include <memory>

using namespace quibo;
using namespace quibo::test;

class BoardTurnsTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void init();
    void cleanup();

    void gameStartResetsTheBoardAndLabels();
    void unlimitedGameStartShowsUnlimitedForBoth();
    void computerLevelIsShownBesideTheOptions();
    void joiningWindowTakesTheRunningGamesStats();
    void turnMarkerFollowsRenamedSeatWidgets();
    void ownWordIsListedTalliedAndAnnounced();
    void opponentWordOnlyUpdatesItsScoreAndChat();
    void winnerShowsBannerAndEndsClicks();
    void countdownText_data();
    void countdownText();
    void rearrangementFreezesTheCountdown();
    void refusalBoxWaitsWhileMessagesGoOn();
    void refusalForAnotherSeatShowsNothing();
    void refusedStealOfAScoredWordSaysSo();
    void turnAsksForAttentionOnlyWhenWindowInactive();
    void malformedOrOutOfRangeMessagesChangeNothing();
    void startRequiresAConnection();
};

static std::unique_ptr<Fixture> fx;

void BoardTurnsTest::init() {
    fx = std::make_unique<Fixture>();
    fx->window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&fx->window));
}

void BoardTurnsTest::cleanup() {
    fx.reset();
}

void BoardTurnsTest::gameStartResetsTheBoardAndLabels() {
    BoardPanel& b = *fx->board;
    fx->board->model().newplayerinfo({1, "Ann"});
    b.model().letters(decoded<msg::Letters>("1+1+5"));
    b.model().placemyletter(decoded<msg::PlaceMyLetter>("2+0+3+4+"));
    b.model().formedword(decoded<msg::FormedWord>("1+cat+5+55+"));
    b.model().winner(decoded<msg::Winner>("1+"));
    fx->ctx.setWatching(true);
    fx->ctx.clear();

    b.model().startgame(decoded<msg::StartGame>("Ann+45+300+5+"));
    QCOMPARE(b.extra(1)->shownCode(), 0);
    QCOMPARE(b.hisletter(3)->shownCode(), 0);
    QVERIFY(b.findChild<QWidget*>(QStringLiteral("panel_winner"))->isHidden());
    QVERIFY(b.buttonStart()->isHidden());
    QVERIFY(!fx->ctx.watching);
    QCOMPARE(fx->text("label_score1"), QStringLiteral("0"));
    QCOMPARE(b.listboxMywords()->count(), 0);
    QCOMPARE(b.labelMywords()->text(), QStringLiteral("Your Words: (0)"));
    QCOMPARE(fx->text("label_timeperturn"), QStringLiteral("Time per Turn: 45"));
    QCOMPARE(fx->board->model().options().turntime, 45);
    QCOMPARE(fx->text("label_playtoscore"), QStringLiteral("Play to Score: 300"));
    QCOMPARE(fx->text("label_steals"), QStringLiteral("# of Steals: 5"));
    QCOMPARE(fx->text("label_status1"), QStringLiteral("Steals Left: 5"));
    QCOMPARE(fx->text("label_status2"), QStringLiteral("Steal Left: 5"));
    QCOMPARE(fx->text("label_status"), QString());
    QCOMPARE(fx->text("label_playername2"), QStringLiteral("Klot")); // nobody took seat 2
    QCOMPARE(fx->ctx.chat, QStringList{QStringLiteral("You have started a game.")});
    QVERIFY(fx->ctx.sounds.isEmpty());
    QVERIFY(!b.turntimer()->isActive());

    b.model().nextplayer(decoded<msg::NextPlayer>("2+4+"));
    QCOMPARE(fx->text("label_status2"), QStringLiteral("Steals Left: 4"));
    QCOMPARE(fx->text("label_status"), QStringLiteral("Klot's turn."));
}

void BoardTurnsTest::unlimitedGameStartShowsUnlimitedForBoth() {
    fx->board->model().newplayerinfo({2, "Bo"});
    fx->board->model().startgame(decoded<msg::StartGame>("Ann+30+100+10000+"));
    QCOMPARE(fx->text("label_steals"), QStringLiteral("# of Steals: Unlimited"));
    QCOMPARE(fx->text("label_status1"), QStringLiteral("Steals Left: Unlimited"));
    QCOMPARE(fx->text("label_status2"), QStringLiteral("Steals Left: Unlimited"));
    QCOMPARE(fx->text("label_playername2"), QStringLiteral("Bo"));
}

void BoardTurnsTest::computerLevelIsShownBesideTheOptions() {
    fx->board->model().startgame(decoded<msg::StartGame>("Ann+30+100+5+strong+"));
    QCOMPARE(fx->text("label_computer"), QStringLiteral("Computer: Strong"));
    fx->board->model().startgame(decoded<msg::StartGame>("Ann+30+100+5+"));
    QCOMPARE(fx->text("label_computer"), QStringLiteral("Computer: Normal"));
    fx->board->model().gamestats(decoded<msg::GameStats>("60+200+5+48+61+easy+"));
    QCOMPARE(fx->text("label_computer"), QStringLiteral("Computer: Easy"));
}

void BoardTurnsTest::joiningWindowTakesTheRunningGamesStats() {
    fx->board->model().gamestats(decoded<msg::GameStats>("60+200+10000+48+61+"));
    QCOMPARE(fx->text("label_score1"), QStringLiteral("48"));
    QCOMPARE(fx->text("label_score2"), QStringLiteral("61"));
    QCOMPARE(fx->text("label_timeperturn"), QStringLiteral("Time per Turn: 60"));
    QCOMPARE(fx->text("label_playtoscore"), QStringLiteral("Play to Score: 200"));
    QCOMPARE(fx->text("label_steals"), QStringLiteral("# of Steals: Unlimited"));
    QCOMPARE(fx->text("label_turntime"), QStringLiteral("Time: 0:00")); // the clock waits for a turn
    fx->board->model().nextplayer(decoded<msg::NextPlayer>("1+5+"));
    QCOMPARE(fx->board->model().secondsLeft(), 60);
}

void BoardTurnsTest::turnMarkerFollowsRenamedSeatWidgets() {
    // The seat-2 window shows its own seat's set, under its own names, by the own row.
    fx->ctx.setSeat(2);
    fx->board->model().newplayerinfo({2, "Bo"});
    QVERIFY(fx->label("label_playername2")->y() > fx->label("label_playername1")->y());
    fx->board->model().nextplayer(decoded<msg::NextPlayer>("2+3+"));
    auto* bottomMarker = fx->board->findChild<QLabel*>(QStringLiteral("image_Turn2"));
    QVERIFY(bottomMarker->isVisible());
    QVERIFY(bottomMarker->y() > 80); // the set that stands by the own row
    QVERIFY(fx->board->findChild<QLabel*>(QStringLiteral("image_Turn1"))->isHidden());
    QCOMPARE(fx->text("label_status2"), QStringLiteral("Steals Left: 3"));
    QCOMPARE(fx->text("label_status"), QStringLiteral("Place a Letter"));
    fx->board->model().formedword(decoded<msg::FormedWord>("2+bat+5+17+"));
    QCOMPARE(fx->text("label_score2"), QStringLiteral("17"));
    // Back in seat 1 the sets stand as built.
    fx->ctx.setSeat(1);
    QVERIFY(fx->label("label_playername1")->y() > fx->label("label_playername2")->y());
}

void BoardTurnsTest::ownWordIsListedTalliedAndAnnounced() {
    fx->board->model().newplayerinfo({1, "Ann"});
    fx->board->model().formedword(decoded<msg::FormedWord>("1+cat+5+5+"));
    fx->board->model().formedword(decoded<msg::FormedWord>("1+cats+6+11+"));
    QCOMPARE(fx->board->listboxMywords()->item(0)->text(), QStringLiteral("cats : 6"));
    QCOMPARE(fx->board->listboxMywords()->item(1)->text(), QStringLiteral("cat : 5"));
    QCOMPARE(fx->board->labelMywords()->text(), QStringLiteral("Your Words: (2)"));
    QCOMPARE(fx->text("label_score1"), QStringLiteral("11"));
    QCOMPARE(fx->ctx.chat.last(), QStringLiteral("For 6 points you formed CATS"));
    QCOMPARE(fx->ctx.words, (QStringList{QStringLiteral("cat:5"), QStringLiteral("cats:6")}));
    QCOMPARE(fx->ctx.sounds.count(QStringLiteral("goodword")), 2);
}

void BoardTurnsTest::opponentWordOnlyUpdatesItsScoreAndChat() {
    fx->board->model().newplayerinfo({2, "Bo"});
    fx->board->model().formedword(decoded<msg::FormedWord>("2+dog+5+9+"));
    QCOMPARE(fx->board->listboxMywords()->count(), 0);
    QCOMPARE(fx->text("label_score2"), QStringLiteral("9"));
    QCOMPARE(fx->text("label_score1"), QStringLiteral("0"));
    QCOMPARE(fx->ctx.chat, QStringList{QStringLiteral("For 5 points Bo formed DOG")});
    QVERIFY(fx->ctx.words.isEmpty());
    QVERIFY(fx->ctx.sounds.isEmpty());

    fx->ctx.setSeat(4); // a spectator hears every word
    fx->board->model().formedword(decoded<msg::FormedWord>("2+dogs+6+15+"));
    QCOMPARE(fx->ctx.sounds, QStringList{QStringLiteral("goodword")});
}

void BoardTurnsTest::winnerShowsBannerAndEndsClicks() {
    BoardPanel& b = *fx->board;
    fx->board->model().newplayerinfo({1, "Ann"});
    b.model().nextplayer(decoded<msg::NextPlayer>("3+5+")); // player 3 wins in seat 1's place
    b.model().winner(decoded<msg::Winner>("3+"));
    QCOMPARE(fx->text("label_winner1"), QStringLiteral("You have won the game!"));
    QCOMPARE(fx->text("label_winner2"), fx->text("label_winner1"));
    QVERIFY(b.findChild<QWidget*>(QStringLiteral("panel_winner"))->isVisible());
    QCOMPARE(fx->ctx.winners, QStringList{QStringLiteral("1:Ann")});
    QCOMPARE(fx->ctx.chat.last(), QStringLiteral("You have won the game!"));
    QCOMPARE(fx->ctx.sounds.mid(fx->ctx.sounds.size() - 2),
             (QStringList{QStringLiteral("winner"), QStringLiteral("gameover")}));
    QVERIFY(b.buttonStart()->isVisible());
    QVERIFY(!b.turntimer()->isActive());
    QCOMPARE(b.model().turnSeat(), 0);
    QCOMPARE(b.model().secondsLeft(), 0);

    fx->ctx.setSeat(3);
    playClicks(b, QStringLiteral("E1 M2 e3"));
    QVERIFY(fx->ctx.sent.isEmpty());
    QCOMPARE(movedTiles(b), QString());

    fx->ctx.setHost(false);
    b.buttonStart()->hide();
    b.model().winner(decoded<msg::Winner>("2+"));
    QVERIFY(b.buttonStart()->isHidden()); // only the hosting window offers a new game
}

void BoardTurnsTest::countdownText_data() {
    QTest::addColumn<int>("timePerTurn");
    QTest::addColumn<int>("ticks");
    QTest::addColumn<QString>("shown");
    QTest::newRow("first second of 30") << 30 << 1 << "Time: 0:29";
    QTest::newRow("last second of 30") << 30 << 29 << "Time: 0:01";
    QTest::newRow("30 runs out") << 30 << 30 << "Time: 0:00";
    QTest::newRow("stays at zero below it") << 30 << 34 << "Time: 0:00";
    QTest::newRow("two minutes") << 120 << 1 << "Time: 1:59";
    QTest::newRow("seconds padded") << 66 << 1 << "Time: 1:05";
    QTest::newRow("minutes not padded") << 601 << 1 << "Time: 10:00";
    QTest::newRow("no time at all") << 0 << 1 << "Time: 0:00";
}

void BoardTurnsTest::countdownText() {
    QFETCH(int, timePerTurn);
    QFETCH(int, ticks);
    QFETCH(QString, shown);
    BoardPanel& b = *fx->board;
    b.model().startgame(decoded<msg::StartGame>("Ann+" + QByteArray::number(timePerTurn) + "+100+5+"));
    b.model().nextplayer(decoded<msg::NextPlayer>("2+5+"));
    QVERIFY(b.turntimer()->isActive());
    QCOMPARE(b.turntimer()->interval(), 1000);
    for (int i = 0; i < ticks; ++i)
        b.turntimerTimer();
    QCOMPARE(fx->text("label_turntime"), shown);
}

void BoardTurnsTest::rearrangementFreezesTheCountdown() {
    BoardPanel& b = *fx->board;
    b.model().nextplayer(decoded<msg::NextPlayer>("1+5+"));
    const QString turnStatus = fx->text("label_status");
    b.turntimerTimer();
    b.model().notvalid(decoded<msg::NotValid>("2+")); // another seat's refusal leaves the clock running
    QVERIFY(b.turntimer()->isActive());
    b.model().tradingmyletter(decoded<msg::TradingMyLetter>("1+1+3+2+4+"));
    QVERIFY(!b.turntimer()->isActive());
    QCOMPARE(fx->text("label_turntime"), QStringLiteral("Time: 0:29"));
    QCOMPARE(fx->text("label_status"), QStringLiteral("Clock stopped: rearranging"));
    b.model().stoldletter(decoded<msg::StoldLetter>("1+2+3+3+5+"));
    b.model().timeup(decoded<msg::TimeUp>(""));
    QVERIFY(!b.turntimer()->isActive());
    QCOMPARE(fx->text("label_status"), QStringLiteral("Clock stopped: rearranging"));
    // The move that closes the turn gives the status line back.
    b.model().discardextra(decoded<msg::DiscardExtra>("1+2+"));
    QCOMPARE(fx->text("label_status"), turnStatus);
    b.model().nextplayer(decoded<msg::NextPlayer>("2+5+"));
    QVERIFY(b.turntimer()->isActive());
    QCOMPARE(b.model().secondsLeft(), 30);
}

void BoardTurnsTest::refusalBoxWaitsWhileMessagesGoOn() {
    BoardPanel& b = *fx->board;
    b.model().nextplayer(decoded<msg::NextPlayer>("1+0+"));
    playClicks(b, QStringLiteral("H3"));
    fx->ctx.sounds.clear();
    QString statusWhileOpen;
    QStringList soundsWhileOpen;
    auto box = test::closeNextModal([&](QWidget*) {
        // Queued messages are handled while the box waits for the player.
        b.model().nextplayer(decoded<msg::NextPlayer>("2+5+"));
        statusWhileOpen = fx->text("label_status");
        soundsWhileOpen = fx->ctx.sounds;
    });
    b.model().toomany(decoded<msg::TooMany>("1+"));
    QTRY_COMPARE_WITH_TIMEOUT(fx->ctx.sounds.size(), 1, 20000);
    QCOMPARE(box->opened, 1);
    QCOMPARE(box->text, QStringLiteral("You have used all your steals."));
    QCOMPARE(statusWhileOpen, QStringLiteral("<Waiting>'s turn."));
    QVERIFY(soundsWhileOpen.isEmpty());
    QCOMPARE(fx->ctx.sounds, QStringList{QStringLiteral("badword")});
    QCOMPARE(picked(b, Row::OpponentBoard), 0);

    auto second = test::closeNextModal();
    b.model().notvalid(decoded<msg::NotValid>("1+"));
    QTRY_COMPARE_WITH_TIMEOUT(second->opened, 1, 20000);
    QTRY_COMPARE_WITH_TIMEOUT(fx->ctx.sounds.size(), 2, 20000);
    QCOMPARE(
        second->text,
        QStringLiteral("You can steal a letter only if you can use it immediately to create a valid word."));
    QCOMPARE(fx->ctx.sounds.last(), QStringLiteral("badword"));
    QCOMPARE(movedTiles(b), QString());
}

void BoardTurnsTest::refusalForAnotherSeatShowsNothing() {
    fx->board->model().nextplayer(decoded<msg::NextPlayer>("2+0+"));
    fx->board->model().notvalid(decoded<msg::NotValid>("2+"));
    fx->board->model().toomany(decoded<msg::TooMany>("2+"));
    QCoreApplication::processEvents(); // a refusal box would open from a posted call
    QVERIFY(fx->ctx.sounds.isEmpty());
    QVERIFY(!QApplication::activeModalWidget());
}

// The host refuses a steal that would spell a word the player already scored like one that spells
// none; the window tells the two apart.
void BoardTurnsTest::refusedStealOfAScoredWordSaysSo() {
    BoardPanel& b = *fx->board;
    b.model().newplayerinfo({1, "Ann"});
    b.model().placemyletter(decoded<msg::PlaceMyLetter>("1+0+1+6+"));  // F
    b.model().placemyletter(decoded<msg::PlaceMyLetter>("1+0+2+15+")); // O
    b.model().placemyletter(decoded<msg::PlaceMyLetter>("2+0+4+24+")); // X on the opponent's board
    b.model().formedword(decoded<msg::FormedWord>("1+fox+13+13+"));
    b.model().nextplayer(decoded<msg::NextPlayer>("1+5+"));
    // Onto cell 3 the X spells FOX; onto cell 4 it leaves a gap.
    const QString expected[] = {
        QStringLiteral("You already scored FOX."),
        QStringLiteral("You can steal a letter only if you can use it immediately to create a valid word.")};
    for (int cell : {3, 4}) {
        auto box = test::closeNextModal();
        b.model().pickOpponentLetter(4);
        QVERIFY(!b.model().chooseOwnCell(cell).isEmpty());
        b.model().notvalid(decoded<msg::NotValid>("1+"));
        QTRY_COMPARE_WITH_TIMEOUT(fx->ctx.sounds.count(QStringLiteral("badword")), cell - 2, 20000);
        QCOMPARE(box->text, expected[cell - 3]);
    }
}

void BoardTurnsTest::turnAsksForAttentionOnlyWhenWindowInactive() {
    QWidget elsewhere;
    elsewhere.show();
    elsewhere.activateWindow();
    QTRY_VERIFY_WITH_TIMEOUT(!fx->window.isActiveWindow(), 10000);
    fx->board->model().nextplayer(decoded<msg::NextPlayer>("2+5+"));
    QCOMPARE(fx->ctx.attentionRequests, 0);
    fx->board->model().nextplayer(decoded<msg::NextPlayer>("1+5+"));
    QCOMPARE(fx->ctx.attentionRequests, 1);

    fx->window.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&fx->window, 10000));
    fx->board->model().nextplayer(decoded<msg::NextPlayer>("1+5+"));
    QCOMPARE(fx->ctx.attentionRequests, 1);
}

void BoardTurnsTest::malformedOrOutOfRangeMessagesChangeNothing() {
    BoardPanel& b = *fx->board;
    // The board's handlers behind a dispatch, as in the window: a message that does not decode is
    // dropped before it reaches the board.
    Dispatcher d;
    TableModel* m = &b.model();
    d.on(m, &TableModel::placemyletter);
    d.on(m, &TableModel::startgame);
    d.on(m, &TableModel::letters);
    d.on(m, &TableModel::newletter);
    d.on(m, &TableModel::stoldletter);
    d.on(m, &TableModel::tradingmyletter);
    d.on(m, &TableModel::nextplayer);
    d.on(m, &TableModel::winner);
    QVERIFY(!d.dispatch("CMD_placemyletter+1+0+x+3+"));
    QVERIFY(!d.dispatch("CMD_startgame+Ann+30+"));
    QCOMPARE(fx->text("label_timeperturn"), QStringLiteral("Time per Turn: 30 "));
    QVERIFY(!d.dispatch("CMD_letters+1+1+5+2"));
    QCOMPARE(b.extra(1)->shownCode(), 0); // a broken deal shows no letter at all

    QVERIFY(!d.dispatch("CMD_placemyletter+1+0+11+3+"));
    QVERIFY(!d.dispatch("CMD_placemyletter+1+9+0+3+"));
    QVERIFY(!d.dispatch("CMD_letters+1+7+3+0+5"));
    QVERIFY(!d.dispatch("CMD_newletter+1+-1+3+"));
    QVERIFY(!d.dispatch("CMD_stoldletter+1+2+12+-4+3+"));
    QVERIFY(!d.dispatch("CMD_tradingmyletter+2+0+3+99+4+"));
    QVERIFY(!d.dispatch("CMD_placemyletter+2+0+1+99+")); // unknown letter code: dropped, tile stays empty
    QCOMPARE(b.hisletter(1)->shownCode(), 0);
    for (int n = 1; n <= 10; ++n)
        QCOMPARE(b.myletter(n)->shownCode(), 0);
    QVERIFY(d.dispatch("CMD_nextplayer+7+5+"));
    QVERIFY(d.dispatch("CMD_winner+8+"));
    QVERIFY(b.findChild<QWidget*>(QStringLiteral("panel_winner"))->isVisible());
}

void BoardTurnsTest::startRequiresAConnection() {
    fx->ctx.setConnected(false);
    auto box = test::closeNextModal();
    fx->board->startGameRequested();
    QCOMPARE(box->text, QStringLiteral("You are not connected"));
    QVERIFY(!fx->board->gamestart()->isVisible());

    fx->ctx.setConnected(true);
    QTest::mouseClick(fx->board->buttonStart(), Qt::LeftButton);
    QVERIFY(fx->board->gamestart()->isVisible());
    QVERIFY(!fx->board->gamestart()->isModal());
}

QTEST_MAIN(BoardTurnsTest)
#include "tst_boardturns.moc"
