// SPDX-License-Identifier: MIT
// The board panel with real widgets and mouse events: picks and moves, how host messages land on the
// rows and labels, the countdown, the refusal boxes and the winner banner.
#include "boardpanel.h"
#include "boardrecorder.h"
#include "messages.h"
#include "modalcloser.h"
#include "protocol.h"
#include "tgamestart.h"
#include "tile.h"

#include <QLabel>
#include <QListWidget>
#include <QMainWindow>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <memory>

using namespace quibo;
using quibo::test::BoardRecorder;

namespace {

// A host message as the window's dispatch hands it to the board: decoded from the text after "+".
template <class M>
M decoded(QByteArrayView args) {
    return M::decode(args).value();
}

struct Fixture {
    BoardRecorder ctx;
    QMainWindow window;
    BoardPanel* board = nullptr;

    Fixture() {
        auto* central = new QWidget;
        window.setCentralWidget(central);
        window.resize(767, 510);
        board = new BoardPanel(central);
        ctx.attach(*board);
    }
    QLabel* label(const QString& name) const { return board->findChild<QLabel*>(name); }
    QString text(const QString& name) const {
        const QLabel* l = label(name);
        return l ? l->text() : QStringLiteral("<missing>");
    }
};

// Tiles away from their resting top, in row order: "myletter2,extra3".
QString movedTiles(const BoardPanel& board) {
    QStringList moved;
    for (int n = 1; n <= 10; ++n) {
        if (board.myletter(n)->y() != BoardPanel::myletterTop) moved << board.myletter(n)->objectName();
    }
    for (int n = 1; n <= 10; ++n) {
        if (board.hisletter(n)->y() != BoardPanel::hisletterTop) moved << board.hisletter(n)->objectName();
    }
    for (int n = 1; n <= 6; ++n) {
        if (board.extra(n)->y() != BoardPanel::extraTop) moved << board.extra(n)->objectName();
    }
    return moved.join(QLatin1Char(','));
}

// Plays clicks written as "E2 M5 h3": E = hand tile, M = own tile, H = opponent tile; upper case is the
// left button, lower case the right button, X the middle button on an own tile.
void playClicks(BoardPanel& board, const QString& script) {
    const QStringList steps = script.split(QLatin1Char(' '), Qt::SkipEmptyParts);
    for (const QString& step : steps) {
        const QChar kind = step.at(0);
        const int n = step.mid(1).toInt();
        const Qt::MouseButton button = kind == u'X'     ? Qt::MiddleButton
                                       : kind.isUpper() ? Qt::LeftButton
                                                        : Qt::RightButton;
        switch (kind.toUpper().unicode()) {
        case u'E':
            QTest::mousePress(board.extra(n), button);
            QTest::mouseRelease(board.extra(n), button);
            break;
        case u'M':
        case u'X':
            QTest::mousePress(board.myletter(n), button);
            QTest::mouseRelease(board.myletter(n), button);
            break;
        case u'H':
            QTest::mouseClick(board.hisletter(n), button);
            break;
        default:
            QFAIL("unknown click");
        }
    }
}

} // namespace

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
    void gameStartResetsTheBoardAndLabels();
    void unlimitedGameStartShowsUnlimitedForBoth();
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
    void turnAsksForAttentionOnlyWhenWindowInactive();
    void malformedOrOutOfRangeMessagesChangeNothing();
    void startRequiresAConnection();
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
    QCOMPARE(fx->label("label_timeperturn")->property("tag").toInt(), 30);
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
    b.getnextplayer(decoded<msg::NextPlayer>("1+5+"));
    playClicks(b, clicks);
    QCOMPARE(QString::fromUtf8(fx->ctx.sent.join('|')), sent);
    QCOMPARE(movedTiles(b), moved);
    QCOMPARE((QList<int>{b.pickedextra(), b.pickedmine(), b.pickedhis()}), picks);
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
    if (!turn.isEmpty()) fx->board->getnextplayer(decoded<msg::NextPlayer>(turn));
    fx->ctx.setWatching(watching);
    playClicks(*fx->board, QStringLiteral("E1 M2 M3 H4 e5 m6"));
    QVERIFY(fx->ctx.sent.isEmpty());
    QCOMPARE(movedTiles(*fx->board), QString());
}

void BoardPanelTest::unconnectedClicksClearThePickWithoutSending() {
    fx->board->getnextplayer(decoded<msg::NextPlayer>("1+5+"));
    fx->ctx.setConnected(false);
    playClicks(*fx->board, QStringLiteral("E2 M5 e3 m4"));
    QVERIFY(fx->ctx.sent.isEmpty());
    QCOMPARE(fx->board->pickedextra(), 0);
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
    b.placemyletter(decoded<msg::PlaceMyLetter>(s + "+0+4+17+"));
    Tile* expected = ownRow ? b.myletter(4) : b.hisletter(4);
    Tile* other = ownRow ? b.hisletter(4) : b.myletter(4);
    QCOMPARE(expected->shownCode(), 17);
    QCOMPARE(other->shownCode(), 0);

    b.formedword(decoded<msg::FormedWord>(s + "+quiz+22+40+"));
    const QString scoreLabel = seat == 2 ? QStringLiteral("label_score2") : QStringLiteral("label_score1");
    QCOMPARE(fx->text(scoreLabel), QStringLiteral("40"));

    b.discardletter(decoded<msg::DiscardLetter>(s + "+4+"));
    QCOMPARE(expected->shownCode(), 0);
}

void BoardPanelTest::replayedBoardLetterEmptiesNoHandTile() {
    BoardPanel& b = *fx->board;
    b.letters(decoded<msg::Letters>("1+1+5+2+20+3+9+4+14+5+1"));
    b.placemyletter(decoded<msg::PlaceMyLetter>("1+0+1+3+"));
    QCOMPARE(b.myletter(1)->shownCode(), 3);
    for (int slot = 1; slot <= 5; ++slot)
        QVERIFY(b.extra(slot)->shownCode() != 0);
    QVERIFY(!fx->ctx.sounds.isEmpty()); // the own placement is heard

    b.placemyletter(decoded<msg::PlaceMyLetter>("1+2+2+20+"));
    QCOMPARE(b.extra(2)->shownCode(), 0);
    QCOMPARE(b.myletter(2)->shownCode(), 20);
}

void BoardPanelTest::handMessagesReachOnlyTheirOwner() {
    BoardPanel& b = *fx->board;
    b.letters(decoded<msg::Letters>("2+1+5+2+20"));
    QCOMPARE(b.extra(1)->shownCode(), 0);
    b.letters(decoded<msg::Letters>("1+1+5+2+20+3+9+4+14+5+1"));
    QCOMPARE(b.extra(5)->shownCode(), 1);
    QCOMPARE(b.extra(6)->shownCode(), 0);

    b.getnextplayer(decoded<msg::NextPlayer>("1+5+"));
    playClicks(b, QStringLiteral("E2"));
    b.newletter(decoded<msg::NewLetter>("2+6+7+")); // another seat's letter still puts the hand at rest
    QCOMPARE(movedTiles(b), QString());
    QCOMPARE(b.extra(6)->shownCode(), 0);
    b.newletter(decoded<msg::NewLetter>("1+6+7+"));
    QCOMPARE(b.extra(6)->shownCode(), 7);

    b.discardextra(decoded<msg::DiscardExtra>("2+6+"));
    QVERIFY(b.extra(6)->shownCode() != 0);
    b.discardextra(decoded<msg::DiscardExtra>("1+6+"));
    QCOMPARE(b.extra(6)->shownCode(), 0);
    QCOMPARE(fx->ctx.sounds.last(), QStringLiteral("clear"));
}

void BoardPanelTest::swapsAndRemovalsRedrawTheRow() {
    BoardPanel& b = *fx->board;
    b.placemyletter(decoded<msg::PlaceMyLetter>("2+0+1+3+"));
    b.tradingmyletter(decoded<msg::TradingMyLetter>("2+1+0+3+3+"));
    QCOMPARE(b.hisletter(1)->shownCode(), 0);
    QCOMPARE(b.hisletter(3)->shownCode(), 3);
    QCOMPARE(fx->ctx.sounds, QStringList{QStringLiteral("place")}); // every window hears a swap

    fx->ctx.sounds.clear();
    b.discardletter(decoded<msg::DiscardLetter>("2+3+"));
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
    b.placemyletter(decoded<msg::PlaceMyLetter>(QByteArray::number(victim) + "+0+6+19+"));
    b.stoldletter(decoded<msg::StoldLetter>(QByteArray::number(stealer) + "+" + QByteArray::number(victim) +
                                            "+2+6+19+"));
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
    fx->board->getnextplayer(decoded<msg::NextPlayer>("2+" + QByteArray::number(stealsLeft) + "+"));
    QCOMPARE(fx->text("label_status2"), shown);
    QVERIFY(fx->label("image_Turn2")->isVisible());
    QVERIFY(fx->label("image_Turn1")->isHidden());
}

void BoardPanelTest::gameStartResetsTheBoardAndLabels() {
    BoardPanel& b = *fx->board;
    fx->label("label_playername1")->setText(QStringLiteral("Ann"));
    b.letters(decoded<msg::Letters>("1+1+5"));
    b.placemyletter(decoded<msg::PlaceMyLetter>("2+0+3+4+"));
    b.formedword(decoded<msg::FormedWord>("1+cat+5+55+"));
    b.winner(decoded<msg::Winner>("1+"));
    fx->ctx.setWatching(true);
    fx->ctx.clear();

    b.startthegame(decoded<msg::StartGame>("Ann+45+300+5+"));
    QCOMPARE(b.extra(1)->shownCode(), 0);
    QCOMPARE(b.hisletter(3)->shownCode(), 0);
    QVERIFY(b.findChild<QWidget*>(QStringLiteral("panel_winner"))->isHidden());
    QVERIFY(b.buttonStart()->isHidden());
    QVERIFY(!fx->ctx.watching);
    QCOMPARE(fx->text("label_score1"), QStringLiteral("0"));
    QCOMPARE(b.listboxMywords()->count(), 0);
    QCOMPARE(b.labelMywords()->text(), QStringLiteral("Your Words: (0)"));
    QCOMPARE(fx->text("label_timeperturn"), QStringLiteral("Time per Turn: 45"));
    QCOMPARE(fx->label("label_timeperturn")->property("tag").toInt(), 45);
    QCOMPARE(fx->text("label_playtoscore"), QStringLiteral("Play to Score: 300"));
    QCOMPARE(fx->text("label_steals"), QStringLiteral("# of Steals: 5"));
    QCOMPARE(fx->text("label_status1"), QStringLiteral("Steals Left: 5"));
    QCOMPARE(fx->text("label_status2"), QStringLiteral("Steal Left: 5"));
    QCOMPARE(fx->text("label_status"), QString());
    QCOMPARE(fx->text("label_playername2"), QStringLiteral("Klot")); // nobody took seat 2
    QCOMPARE(fx->ctx.chat, QStringList{QStringLiteral("Ann has started a game.")});
    QVERIFY(fx->ctx.sounds.isEmpty());
    QVERIFY(!b.turntimer()->isActive());

    b.getnextplayer(decoded<msg::NextPlayer>("2+4+"));
    QCOMPARE(fx->text("label_status2"), QStringLiteral("Steals Left: 4"));
    QCOMPARE(fx->text("label_status"), QStringLiteral("Klot's turn."));
}

void BoardPanelTest::unlimitedGameStartShowsUnlimitedForBoth() {
    fx->label("label_playername2")->setText(QStringLiteral("Bo"));
    fx->board->startthegame(decoded<msg::StartGame>("Ann+30+100+10000+"));
    QCOMPARE(fx->text("label_steals"), QStringLiteral("# of Steals: Unlimited"));
    QCOMPARE(fx->text("label_status1"), QStringLiteral("Steals Left: Unlimited"));
    QCOMPARE(fx->text("label_status2"), QStringLiteral("Steals Left: Unlimited"));
    QCOMPARE(fx->text("label_playername2"), QStringLiteral("Bo"));
}

void BoardPanelTest::joiningWindowTakesTheRunningGamesStats() {
    fx->board->gamestats(decoded<msg::GameStats>("60+200+10000+48+61+"));
    QCOMPARE(fx->text("label_score1"), QStringLiteral("48"));
    QCOMPARE(fx->text("label_score2"), QStringLiteral("61"));
    QCOMPARE(fx->text("label_timeperturn"), QStringLiteral("Time per Turn: 60"));
    QCOMPARE(fx->text("label_playtoscore"), QStringLiteral("Play to score: 200"));
    QCOMPARE(fx->text("label_steals"), QStringLiteral("# of Steals: Unlimited"));
    QCOMPARE(fx->text("label_turntime"), QStringLiteral("Time: 0:00")); // the clock waits for a turn
    fx->board->getnextplayer(decoded<msg::NextPlayer>("1+5+"));
    QCOMPARE(fx->board->turnsecsleft(), 60);
}

void BoardPanelTest::turnMarkerFollowsRenamedSeatWidgets() {
    // The seat-2 window exchanges the names of the two seat sets after login (lower-case "t" included).
    fx->ctx.setSeat(2);
    const QString names[] = {QStringLiteral("label_playername"), QStringLiteral("label_score"),
                             QStringLiteral("label_status"), QStringLiteral("image_Turn"),
                             QStringLiteral("image_eyes")};
    for (const QString& base : names) {
        QWidget* top = fx->board->findChild<QWidget*>(base + QLatin1Char('2'));
        QWidget* bottom = fx->board->findChild<QWidget*>(base + QLatin1Char('1'));
        top->setObjectName(QStringLiteral("temp"));
        bottom->setObjectName(base + QLatin1Char('2'));
        top->setObjectName(base == QStringLiteral("image_Turn") ? QStringLiteral("image_turn1")
                                                                : base + QLatin1Char('1'));
    }
    auto* bottomName = fx->board->findChild<QLabel*>(QStringLiteral("label_playername2"));
    bottomName->setText(QStringLiteral("Bo"));
    fx->board->getnextplayer(decoded<msg::NextPlayer>("2+3+"));
    auto* bottomMarker = fx->board->findChild<QLabel*>(QStringLiteral("image_Turn2"));
    QVERIFY(bottomMarker->isVisible());
    QVERIFY(bottomMarker->y() > 80); // the set that stands by the own row
    QVERIFY(fx->board->findChild<QLabel*>(QStringLiteral("image_turn1"))->isHidden());
    QCOMPARE(fx->text("label_status2"), QStringLiteral("Steals Left: 3"));
    QCOMPARE(fx->text("label_status"), QStringLiteral("Place a Letter"));
    fx->board->formedword(decoded<msg::FormedWord>("2+bat+5+17+"));
    QCOMPARE(fx->text("label_score2"), QStringLiteral("17"));
}

void BoardPanelTest::ownWordIsListedTalliedAndAnnounced() {
    fx->label("label_playername1")->setText(QStringLiteral("Ann"));
    fx->board->formedword(decoded<msg::FormedWord>("1+cat+5+5+"));
    fx->board->formedword(decoded<msg::FormedWord>("1+cats+6+11+"));
    QCOMPARE(fx->board->listboxMywords()->item(0)->text(), QStringLiteral("cats : 6"));
    QCOMPARE(fx->board->listboxMywords()->item(1)->text(), QStringLiteral("cat : 5"));
    QCOMPARE(fx->board->labelMywords()->text(), QStringLiteral("Your Words: (2)"));
    QCOMPARE(fx->text("label_score1"), QStringLiteral("11"));
    QCOMPARE(fx->ctx.chat.last(), QStringLiteral("For 6 points Ann formed CATS"));
    QCOMPARE(fx->ctx.words, (QStringList{QStringLiteral("cat:5"), QStringLiteral("cats:6")}));
    QCOMPARE(fx->ctx.sounds.count(QStringLiteral("goodword")), 2);
}

void BoardPanelTest::opponentWordOnlyUpdatesItsScoreAndChat() {
    fx->label("label_playername2")->setText(QStringLiteral("Bo"));
    fx->board->formedword(decoded<msg::FormedWord>("2+dog+5+9+"));
    QCOMPARE(fx->board->listboxMywords()->count(), 0);
    QCOMPARE(fx->text("label_score2"), QStringLiteral("9"));
    QCOMPARE(fx->text("label_score1"), QStringLiteral("0"));
    QCOMPARE(fx->ctx.chat, QStringList{QStringLiteral("For 5 points Bo formed DOG")});
    QVERIFY(fx->ctx.words.isEmpty());
    QVERIFY(fx->ctx.sounds.isEmpty());

    fx->ctx.setSeat(4); // a spectator hears every word
    fx->board->formedword(decoded<msg::FormedWord>("2+dogs+6+15+"));
    QCOMPARE(fx->ctx.sounds, QStringList{QStringLiteral("goodword")});
}

void BoardPanelTest::winnerShowsBannerAndEndsClicks() {
    BoardPanel& b = *fx->board;
    fx->label("label_playername1")->setText(QStringLiteral("Ann"));
    b.getnextplayer(decoded<msg::NextPlayer>("3+5+")); // player 3 wins in seat 1's place
    b.winner(decoded<msg::Winner>("3+"));
    QCOMPARE(fx->text("label_winner1"), QStringLiteral("Ann has won the game!"));
    QCOMPARE(fx->text("label_winner2"), fx->text("label_winner1"));
    QVERIFY(b.findChild<QWidget*>(QStringLiteral("panel_winner"))->isVisible());
    QCOMPARE(fx->ctx.winners, QStringList{QStringLiteral("1:Ann")});
    QCOMPARE(fx->ctx.chat.last(), QStringLiteral("Ann has Won the Game!"));
    QCOMPARE(fx->ctx.sounds.mid(fx->ctx.sounds.size() - 2),
             (QStringList{QStringLiteral("winner"), QStringLiteral("gameover")}));
    QVERIFY(b.buttonStart()->isVisible());
    QVERIFY(!b.turntimer()->isActive());
    QCOMPARE(b.turnseat(), 0);
    QCOMPARE(b.turnsecsleft(), 0);

    fx->ctx.setSeat(3);
    playClicks(b, QStringLiteral("E1 M2 e3"));
    QVERIFY(fx->ctx.sent.isEmpty());
    QCOMPARE(movedTiles(b), QString());

    fx->ctx.setHost(false);
    b.buttonStart()->hide();
    b.winner(decoded<msg::Winner>("2+"));
    QVERIFY(b.buttonStart()->isHidden()); // only the hosting window offers a new game
}

void BoardPanelTest::countdownText_data() {
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

void BoardPanelTest::countdownText() {
    QFETCH(int, timePerTurn);
    QFETCH(int, ticks);
    QFETCH(QString, shown);
    BoardPanel& b = *fx->board;
    b.startthegame(decoded<msg::StartGame>("Ann+" + QByteArray::number(timePerTurn) + "+100+5+"));
    b.getnextplayer(decoded<msg::NextPlayer>("2+5+"));
    QVERIFY(b.turntimer()->isActive());
    QCOMPARE(b.turntimer()->interval(), 1000);
    for (int i = 0; i < ticks; ++i)
        b.processturntime();
    QCOMPARE(fx->text("label_turntime"), shown);
}

void BoardPanelTest::rearrangementFreezesTheCountdown() {
    BoardPanel& b = *fx->board;
    b.getnextplayer(decoded<msg::NextPlayer>("1+5+"));
    b.processturntime();
    b.notvalid(decoded<msg::NotValid>("2+")); // another seat's refusal leaves the clock running
    QVERIFY(b.turntimer()->isActive());
    b.tradingmyletter(decoded<msg::TradingMyLetter>("1+1+3+2+4+"));
    QVERIFY(!b.turntimer()->isActive());
    QCOMPARE(fx->text("label_turntime"), QStringLiteral("Time: 0:29"));
    b.stoldletter(decoded<msg::StoldLetter>("1+2+3+3+5+"));
    b.timeup(decoded<msg::TimeUp>(""));
    QVERIFY(!b.turntimer()->isActive());
    b.getnextplayer(decoded<msg::NextPlayer>("2+5+"));
    QVERIFY(b.turntimer()->isActive());
    QCOMPARE(b.turnsecsleft(), 30);
}

void BoardPanelTest::refusalBoxWaitsWhileMessagesGoOn() {
    BoardPanel& b = *fx->board;
    b.getnextplayer(decoded<msg::NextPlayer>("1+0+"));
    playClicks(b, QStringLiteral("H3"));
    fx->ctx.sounds.clear();
    QString statusWhileOpen;
    QStringList soundsWhileOpen;
    auto box = test::closeNextModal([&](QWidget*) {
        // Queued messages are handled while the box waits for the player.
        b.getnextplayer(decoded<msg::NextPlayer>("2+5+"));
        statusWhileOpen = fx->text("label_status");
        soundsWhileOpen = fx->ctx.sounds;
    });
    b.toomany(decoded<msg::TooMany>("1+"));
    QTRY_COMPARE_WITH_TIMEOUT(fx->ctx.sounds.size(), 1, 20000);
    QCOMPARE(box->opened, 1);
    QCOMPARE(box->text, QStringLiteral("You have used all your steals."));
    QCOMPARE(statusWhileOpen, QStringLiteral("<Waiting>'s turn."));
    QVERIFY(soundsWhileOpen.isEmpty());
    QCOMPARE(fx->ctx.sounds, QStringList{QStringLiteral("badword")});
    QCOMPARE(b.pickedhis(), 0);

    auto second = test::closeNextModal();
    b.notvalid(decoded<msg::NotValid>("1+"));
    QTRY_COMPARE_WITH_TIMEOUT(second->opened, 1, 20000);
    QTRY_COMPARE_WITH_TIMEOUT(fx->ctx.sounds.size(), 2, 20000);
    QCOMPARE(
        second->text,
        QStringLiteral("You can steal a letter only if you can use it immediately to create a valid word."));
    QCOMPARE(fx->ctx.sounds.last(), QStringLiteral("badword"));
    QCOMPARE(movedTiles(b), QString());
}

void BoardPanelTest::refusalForAnotherSeatShowsNothing() {
    fx->board->getnextplayer(decoded<msg::NextPlayer>("2+0+"));
    fx->board->notvalid(decoded<msg::NotValid>("2+"));
    fx->board->toomany(decoded<msg::TooMany>("2+"));
    QCoreApplication::processEvents(); // a refusal box would open from a posted call
    QVERIFY(fx->ctx.sounds.isEmpty());
    QVERIFY(!QApplication::activeModalWidget());
}

void BoardPanelTest::turnAsksForAttentionOnlyWhenWindowInactive() {
    QWidget elsewhere;
    elsewhere.show();
    elsewhere.activateWindow();
    QTRY_VERIFY_WITH_TIMEOUT(!fx->window.isActiveWindow(), 10000);
    fx->board->getnextplayer(decoded<msg::NextPlayer>("2+5+"));
    QCOMPARE(fx->ctx.attentionRequests, 0);
    fx->board->getnextplayer(decoded<msg::NextPlayer>("1+5+"));
    QCOMPARE(fx->ctx.attentionRequests, 1);

    fx->window.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&fx->window, 10000));
    fx->board->getnextplayer(decoded<msg::NextPlayer>("1+5+"));
    QCOMPARE(fx->ctx.attentionRequests, 1);
}

void BoardPanelTest::malformedOrOutOfRangeMessagesChangeNothing() {
    BoardPanel& b = *fx->board;
    // The board's handlers behind a dispatch, as in the window: a message that does not decode is
    // dropped before it reaches the board.
    Dispatcher d;
    d.on(&b, &BoardPanel::placemyletter);
    d.on(&b, &BoardPanel::startthegame);
    d.on(&b, &BoardPanel::letters);
    d.on(&b, &BoardPanel::newletter);
    d.on(&b, &BoardPanel::stoldletter);
    d.on(&b, &BoardPanel::tradingmyletter);
    d.on(&b, &BoardPanel::getnextplayer);
    d.on(&b, &BoardPanel::winner);
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

void BoardPanelTest::startRequiresAConnection() {
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

QTEST_MAIN(BoardPanelTest)
#include "tst_boardpanel.moc"
