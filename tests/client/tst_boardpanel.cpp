// SPDX-License-Identifier: MIT
// The board panel with real widgets and mouse events: the named widgets, picks and moves, and how
// host messages land on the rows and labels.
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

class BoardPanelTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void init();
    void cleanup();

    void everyNamedWidgetIsInPlace();
    void clicksSendMovesAndMovePicks_data();
    void clicksSendMovesAndMovePicks();
    void clicksCountOnlyOnOwnTurnAndWhileNotWatching_data();
    void clicksCountOnlyOnOwnTurnAndWhileNotWatching();
    void unconnectedClicksClearThePickWithoutSending();
    void boardChangesLandOnTheDisplaySeatsRow_data();
    void boardChangesLandOnTheDisplaySeatsRow();
    void replayedBoardLetterEmptiesNoHandTile();
    void handMessagesReachOnlyTheirOwner();
    void swapsAndRemovalsRedrawTheRow();
    void stealMovesTheLetterBetweenRows_data();
    void stealMovesTheLetterBetweenRows();
    void stealsLeftLabel_data();
    void stealsLeftLabel();
};

static std::unique_ptr<Fixture> fx;

void BoardPanelTest::init() {
    fx = std::make_unique<Fixture>();
    fx->window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&fx->window));
}

void BoardPanelTest::cleanup() {
    fx.reset();
}

void BoardPanelTest::everyNamedWidgetIsInPlace() {
    BoardPanel& b = *fx->board;
    QCOMPARE(b.objectName(), QStringLiteral("panel_board"));
    QCOMPARE(b.geometry(), QRect(68, 18, 530, 261));
    QCOMPARE(b.myletter(10)->geometry(), QRect(370, 115, 41, 41));
    QCOMPARE(b.hisletter(10)->geometry(), QRect(371, 32, 41, 41));
    QCOMPARE(b.extra(6)->geometry(), QRect(310, 173, 41, 41));
    QCOMPARE(b.myletter(4)->property("tag").toInt(), 4);
    QCOMPARE(fx->text("label_playername1"), QStringLiteral("<Waiting>"));
    QCOMPARE(fx->label("label_playername2")->property("tag").toInt(), 2);
    QCOMPARE(fx->text("label_timeperturn"), QStringLiteral("Time per Turn: 30 "));
    QCOMPARE(fx->board->model().options().turntime, 30);
    QCOMPARE(fx->text("label_turntime"), QStringLiteral("Time: 0:00"));
    QCOMPARE(fx->text("label_score1"), QStringLiteral("0"));
    QVERIFY(fx->label("image_Turn1")->isHidden());
    QCOMPARE(fx->label("image_Turn2")->size(), QSize(23, 23));
    QVERIFY(fx->label("image_eyes2")->isHidden());
    QVERIFY(b.findChild<QWidget*>(QStringLiteral("panel_winner"))->isHidden());
    QCOMPARE(b.listboxMywords()->geometry(), QRect(600, 40, 121, 238));
    QCOMPARE(b.listboxMywords()->parentWidget(), fx->window.centralWidget());
    // The tiles start empty.
    QCOMPARE(b.myletter(1)->shownCode(), 0);
}

void BoardPanelTest::clicksSendMovesAndMovePicks_data() {
    QTest::addColumn<QString>("clicks");
    QTest::addColumn<QString>("sent");
    QTest::addColumn<QString>("moved");
    QTest::addColumn<QList<int>>("picks"); // hand, own, opponent

    QTest::newRow("place a hand letter") << "E2 M5"
                                         << "CMD_placemyletter+1+2+5+"
                                         << "" << QList<int>{0, 0, 0};
    QTest::newRow("place on an empty cell picks nothing first") << "E6 M10"
                                                                << "CMD_placemyletter+1+6+10+"
                                                                << "" << QList<int>{0, 0, 0};
    QTest::newRow("swap two own tiles, both stay lowered") << "M1 M4"
                                                           << "CMD_tradingmyletter+1+1+4+"
                                                           << "myletter1,myletter4" << QList<int>{0, 0, 0};
    QTest::newRow("swap a tile with itself") << "M3 M3"
                                             << "CMD_tradingmyletter+1+3+3+"
                                             << "myletter3" << QList<int>{0, 0, 0};
    QTest::newRow("steal, opponent tile stays lowered") << "H2 M7"
                                                        << "CMD_stealinghisletter+1+2+7+"
                                                        << "hisletter2" << QList<int>{0, 0, 0};
    QTest::newRow("remove a board letter keeps the hand pick") << "E1 m6"
                                                               << "CMD_discardletter+1+6+"
                                                               << "extra1" << QList<int>{1, 0, 0};
    QTest::newRow("throw away a hand letter") << "e4"
                                              << "CMD_discardextra+1+4+"
                                              << "" << QList<int>{0, 0, 0};
    QTest::newRow("hand pick cancels own pick") << "M2 E3"
                                                << ""
                                                << "extra3" << QList<int>{3, 0, 0};
    QTest::newRow("opponent pick cancels hand pick") << "E3 H9"
                                                     << ""
                                                     << "hisletter9" << QList<int>{0, 0, 9};
    QTest::newRow("second press puts the hand tile back") << "M2 E3 E3"
                                                          << ""
                                                          << "" << QList<int>{0, 0, 0};
    QTest::newRow("second click puts the opponent tile back") << "H5 H5"
                                                              << ""
                                                              << "" << QList<int>{0, 0, 0};
    QTest::newRow("own tile with nothing picked") << "M9"
                                                  << ""
                                                  << "myletter9" << QList<int>{0, 9, 0};
    QTest::newRow("middle button does nothing") << "X4"
                                                << ""
                                                << "" << QList<int>{0, 0, 0};
    QTest::newRow("right button on opponent tile does nothing") << "h4"
                                                                << ""
                                                                << "" << QList<int>{0, 0, 0};
}

void BoardPanelTest::clicksSendMovesAndMovePicks() {
    QFETCH(QString, clicks);
    QFETCH(QString, sent);
    QFETCH(QString, moved);
    QFETCH(QList<int>, picks);
    BoardPanel& b = *fx->board;
    b.model().nextplayer(decoded<msg::NextPlayer>("1+5+"));
    playClicks(b, clicks);
    QCOMPARE(QString::fromUtf8(fx->ctx.sent.join('|')), sent);
    QCOMPARE(movedTiles(b), moved);
    QCOMPARE((QList<int>{picked(b, Row::Hand), picked(b, Row::OwnBoard), picked(b, Row::OpponentBoard)}),
             picks);
}

void BoardPanelTest::clicksCountOnlyOnOwnTurnAndWhileNotWatching_data() {
    QTest::addColumn<QByteArray>("turn");
    QTest::addColumn<bool>("watching");
    QTest::newRow("before any turn") << QByteArray() << false;
    QTest::newRow("opponent's turn") << QByteArray("2+5+") << false;
    QTest::newRow("just watching") << QByteArray("1+5+") << true;
}

void BoardPanelTest::clicksCountOnlyOnOwnTurnAndWhileNotWatching() {
    QFETCH(QByteArray, turn);
    QFETCH(bool, watching);
    if (!turn.isEmpty()) fx->board->model().nextplayer(decoded<msg::NextPlayer>(turn));
    fx->ctx.setWatching(watching);
    playClicks(*fx->board, QStringLiteral("E1 M2 M3 H4 e5 m6"));
    QVERIFY(fx->ctx.sent.isEmpty());
    QCOMPARE(movedTiles(*fx->board), QString());
}

void BoardPanelTest::unconnectedClicksClearThePickWithoutSending() {
    fx->board->model().nextplayer(decoded<msg::NextPlayer>("1+5+"));
    fx->ctx.setConnected(false);
    playClicks(*fx->board, QStringLiteral("E2 M5 e3 m4"));
    QVERIFY(fx->ctx.sent.isEmpty());
    QCOMPARE(picked(*fx->board, Row::Hand), 0);
    QCOMPARE(movedTiles(*fx->board), QString());
}

void BoardPanelTest::boardChangesLandOnTheDisplaySeatsRow_data() {
    QTest::addColumn<int>("me");
    QTest::addColumn<int>("seat");
    QTest::addColumn<bool>("ownRow");
    QTest::newRow("seat 1 sees own move below") << 1 << 1 << true;
    QTest::newRow("seat 1 sees seat 2 above") << 1 << 2 << false;
    QTest::newRow("seat 1 sees player 3 below") << 1 << 3 << true;
    QTest::newRow("seat 2 sees own move below") << 2 << 2 << true;
    QTest::newRow("seat 2 sees player 3 above") << 2 << 3 << false;
    QTest::newRow("player 3 sees own move below") << 3 << 3 << true;
    QTest::newRow("player 3 sees seat 2 above") << 3 << 2 << false;
    QTest::newRow("spectator sees seat 1 below") << 5 << 1 << true;
    QTest::newRow("spectator sees seat 2 above") << 5 << 2 << false;
    QTest::newRow("spectator sees player 3 below") << 5 << 3 << true;
}

void BoardPanelTest::boardChangesLandOnTheDisplaySeatsRow() {
    QFETCH(int, me);
    QFETCH(int, seat);
    QFETCH(bool, ownRow);
    fx->ctx.setSeat(me);
    BoardPanel& b = *fx->board;
    const QByteArray s = QByteArray::number(seat);
    b.model().placemyletter(decoded<msg::PlaceMyLetter>(s + "+0+4+17+"));
    Tile* expected = ownRow ? b.myletter(4) : b.hisletter(4);
    Tile* other = ownRow ? b.hisletter(4) : b.myletter(4);
    QCOMPARE(expected->shownCode(), 17);
    QCOMPARE(other->shownCode(), 0);

    b.model().formedword(decoded<msg::FormedWord>(s + "+quiz+22+40+"));
    const QString scoreLabel = seat == 2 ? QStringLiteral("label_score2") : QStringLiteral("label_score1");
    QCOMPARE(fx->text(scoreLabel), QStringLiteral("40"));

    b.model().discardletter(decoded<msg::DiscardLetter>(s + "+4+"));
    QCOMPARE(expected->shownCode(), 0);
}

void BoardPanelTest::replayedBoardLetterEmptiesNoHandTile() {
    BoardPanel& b = *fx->board;
    b.model().letters(decoded<msg::Letters>("1+1+5+2+20+3+9+4+14+5+1"));
    b.model().placemyletter(decoded<msg::PlaceMyLetter>("1+0+1+3+"));
    QCOMPARE(b.myletter(1)->shownCode(), 3);
    for (int slot = 1; slot <= 5; ++slot)
        QVERIFY(b.extra(slot)->shownCode() != 0);
    QVERIFY(!fx->ctx.sounds.isEmpty()); // the own placement is heard

    b.model().placemyletter(decoded<msg::PlaceMyLetter>("1+2+2+20+"));
    QCOMPARE(b.extra(2)->shownCode(), 0);
    QCOMPARE(b.myletter(2)->shownCode(), 20);
}

void BoardPanelTest::handMessagesReachOnlyTheirOwner() {
    BoardPanel& b = *fx->board;
    b.model().letters(decoded<msg::Letters>("2+1+5+2+20"));
    QCOMPARE(b.extra(1)->shownCode(), 0);
    b.model().letters(decoded<msg::Letters>("1+1+5+2+20+3+9+4+14+5+1"));
    QCOMPARE(b.extra(5)->shownCode(), 1);
    QCOMPARE(b.extra(6)->shownCode(), 0);

    b.model().nextplayer(decoded<msg::NextPlayer>("1+5+"));
    playClicks(b, QStringLiteral("E2"));
    b.model().newletter(
        decoded<msg::NewLetter>("2+6+7+")); // another seat's letter still puts the hand at rest
    QCOMPARE(movedTiles(b), QString());
    QCOMPARE(b.extra(6)->shownCode(), 0);
    b.model().newletter(decoded<msg::NewLetter>("1+6+7+"));
    QCOMPARE(b.extra(6)->shownCode(), 7);

    b.model().discardextra(decoded<msg::DiscardExtra>("2+6+"));
    QVERIFY(b.extra(6)->shownCode() != 0);
    b.model().discardextra(decoded<msg::DiscardExtra>("1+6+"));
    QCOMPARE(b.extra(6)->shownCode(), 0);
    QCOMPARE(fx->ctx.sounds.last(), QStringLiteral("clear"));
}

void BoardPanelTest::swapsAndRemovalsRedrawTheRow() {
    BoardPanel& b = *fx->board;
    b.model().placemyletter(decoded<msg::PlaceMyLetter>("2+0+1+3+"));
    b.model().tradingmyletter(decoded<msg::TradingMyLetter>("2+1+0+3+3+"));
    QCOMPARE(b.hisletter(1)->shownCode(), 0);
    QCOMPARE(b.hisletter(3)->shownCode(), 3);
    QCOMPARE(fx->ctx.sounds, QStringList{QStringLiteral("place")}); // every window hears a swap

    fx->ctx.sounds.clear();
    b.model().discardletter(decoded<msg::DiscardLetter>("2+3+"));
    QCOMPARE(b.hisletter(3)->shownCode(), 0);
    QVERIFY(fx->ctx.sounds.isEmpty()); // the opponent's removal is silent for a player
}

void BoardPanelTest::stealMovesTheLetterBetweenRows_data() {
    QTest::addColumn<int>("me");
    QTest::addColumn<int>("stealer");
    QTest::addColumn<bool>("stealerBelow");
    QTest::addColumn<bool>("heard");
    QTest::newRow("own steal") << 1 << 1 << true << true;
    QTest::newRow("opponent's steal") << 1 << 2 << false << false;
    QTest::newRow("player 3 steals in seat 1's place") << 2 << 3 << false << false;
    QTest::newRow("spectator") << 4 << 2 << false << true;
}

void BoardPanelTest::stealMovesTheLetterBetweenRows() {
    QFETCH(int, me);
    QFETCH(int, stealer);
    QFETCH(bool, stealerBelow);
    QFETCH(bool, heard);
    fx->ctx.setSeat(me);
    BoardPanel& b = *fx->board;
    const int victim = stealer == 2 ? 1 : 2;
    b.model().placemyletter(decoded<msg::PlaceMyLetter>(QByteArray::number(victim) + "+0+6+19+"));
    b.model().stoldletter(decoded<msg::StoldLetter>(QByteArray::number(stealer) + "+" +
                                                    QByteArray::number(victim) + "+2+6+19+"));
    Tile* gained = stealerBelow ? b.myletter(2) : b.hisletter(2);
    Tile* lost = stealerBelow ? b.hisletter(6) : b.myletter(6);
    QCOMPARE(gained->shownCode(), 19);
    QCOMPARE(lost->shownCode(), 0);
    QCOMPARE(fx->ctx.sounds.contains(QStringLiteral("roundover")), heard);
}

void BoardPanelTest::stealsLeftLabel_data() {
    QTest::addColumn<int>("stealsLeft");
    QTest::addColumn<QString>("shown");
    QTest::newRow("limited") << 4 << "Steals Left: 4";
    QTest::newRow("100 is still a number") << 100 << "Steals Left: 100";
    QTest::newRow("101 is unlimited") << 101 << "Steals Left: Unlimited";
    QTest::newRow("unlimited setting") << 10000 << "Steals Left: Unlimited";
    QTest::newRow("negative shows 0") << -3 << "Steals Left: 0";
}

void BoardPanelTest::stealsLeftLabel() {
    QFETCH(int, stealsLeft);
    QFETCH(QString, shown);
    fx->board->model().nextplayer(decoded<msg::NextPlayer>("2+" + QByteArray::number(stealsLeft) + "+"));
    QCOMPARE(fx->text("label_status2"), shown);
    QVERIFY(fx->label("image_Turn2")->isVisible());
    QVERIFY(fx->label("image_Turn1")->isHidden());
}

QTEST_MAIN(BoardPanelTest)
#include "tst_boardpanel.moc"
