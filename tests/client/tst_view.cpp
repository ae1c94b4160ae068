// SPDX-License-Identifier: MIT
// The player window as a view: it grows and shrinks with everything inside, the board plays from
// the keyboard as it does with the mouse, a screen reader finds the named cells and hears the game,
// its colours keep their contrast on a light and a dark desktop, and its place survives a lying
// settings file.
#include "announcer.h"
#include "boardaccessibility.h"
#include "boardfixture.h"
#include "boardkeys.h"
#include "boardtheme.h"
#include "chatsession.h"
#include "contrast.h"
#include "scalinglayout.h"
#include "tgamestart.h"
#include "windowplacement.h"
#include "windowview.h"

#include <QAccessible>
#include <QApplication>
#include <QFile>
#include <QMenuBar>
#include <QTemporaryDir>

using namespace quibo;
using namespace quibo::test;

namespace {

QString nameOf(QAccessibleInterface* iface) {
    return iface ? iface->text(QAccessible::Name) : QStringLiteral("<none>");
}

// Key presses written as "3 Right Right Return": a key name of Qt's (QKeySequence) or one letter.
void pressKeys(QWidget* target, const QString& script) {
    for (const QString& key : script.split(u' ', Qt::SkipEmptyParts)) {
        const QKeySequence sequence(key);
        QTest::keyClick(target, Qt::Key(sequence[0].key()));
    }
}

} // namespace

// What the pick holds, by row: hand slot, own cell, opponent's cell (0 where nothing is picked).
QList<int> pickedCells(const quibo::BoardPanel& board) {
    const quibo::Pick& pick = board.model().pick();
    const auto in = [&pick](quibo::Row row) {
        return !pick.isNone() && !pick.asked && pick.row == row ? pick.index : 0;
    };
    return {in(quibo::Row::Hand), in(quibo::Row::OwnBoard), in(quibo::Row::OpponentBoard)};
}

class ViewTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void initTestCase();
    void resizeKeepsEveryWidgetInsideAndScalesTheTiles_data();
    void resizeKeepsEveryWidgetInsideAndScalesTheTiles();
    void keysPlayTheBoardAsClicksDo_data();
    void keysPlayTheBoardAsClicksDo();
    void cellsAreNamedAfterAPlacementAndASteal();
    void windowKeysReachTheChatTheBoardTheOptionsAndTheMenus();
    void contrastIsMeasuredAndKept_data();
    void contrastIsMeasuredAndKept();
    void boardKeepsItsContrastOnLightAndDarkDesktops_data();
    void boardKeepsItsContrastOnLightAndDarkDesktops();
    void darkDesktopGivesADarkBoardThatReads();
    void placementFromALyingFileStaysOnTheScreen_data();
    void placementFromALyingFileStaysOnTheScreen();
};

void ViewTest::initTestCase() {
    QStandardPaths::setTestModeEnabled(true);
}

void ViewTest::resizeKeepsEveryWidgetInsideAndScalesTheTiles_data() {
    QTest::addColumn<QSize>("size");
    QTest::newRow("smallest") << QSize(640, 440);
    QTest::newRow("large") << QSize(1280, 900);
    QTest::newRow("full HD") << QSize(1920, 1080);
    QTest::newRow("wide and low") << QSize(2200, 480);
    QTest::newRow("narrow and tall") << QSize(660, 1400);
}

void ViewTest::resizeKeepsEveryWidgetInsideAndScalesTheTiles() {
    QFETCH(QSize, size);
    ChatSession s;
    QVERIFY(s.start({QStringLiteral("Ann"), QStringLiteral("127.0.0.1"), QStringLiteral("false")}));
    Tchat& window = *s.chat;
    BoardPanel& board = *window.board();
    const QRect designTile = ScalingLayout::designRect(board.myletter(10));
    QCOMPARE(designTile, QRect(370, 115, 41, 41));
    const qreal designFont = 10; // the status line's points in the design

    window.resize(size);
    QTRY_COMPARE(window.size(), size.expandedTo(window.minimumSizeHint()));
    QWidget* area = window.centralWidget();
    const qreal scale = window.findChild<WindowView*>()->layout()->scale();
    QVERIFY2(scale >= ScalingLayout::minimumScale, qPrintable(QString::number(scale)));
    // Nothing is cut: every widget of the area lies wholly inside the area.
    for (QWidget* w : area->findChildren<QWidget*>()) {
        if (w->isWindow() || !w->isVisibleTo(area) || w->objectName().isEmpty()) continue;
        const QRect inArea(w->mapTo(area, QPoint(0, 0)), w->size());
        QVERIFY2(area->rect().contains(inArea), qPrintable(w->objectName() + QStringLiteral(" at %1,%2 %3x%4")
                                                                                 .arg(inArea.x())
                                                                                 .arg(inArea.y())
                                                                                 .arg(inArea.width())
                                                                                 .arg(inArea.height())));
    }
    // The tiles and the texts grow and shrink with the window.
    QVERIFY(qAbs(board.myletter(10)->width() - Tile::size * scale) <= 1.0);
    QVERIFY2(
        qAbs(board.myletter(10)->x() - designTile.x() * scale) <= 1.0,
        qPrintable(QStringLiteral("%1 %2 %3").arg(board.myletter(10)->x()).arg(designTile.x()).arg(scale)));
    QVERIFY(qAbs(board.findChild<QLabel*>(QStringLiteral("label_status"))->font().pointSizeF() -
                 designFont * scale) < 0.01);
    // A pick lowers the tile by the design's four pixels, scaled.
    board.model().nextplayer(msg::NextPlayer{0, 5});
    QCOMPARE(board.myletter(3)->rowTop(), BoardLayout::myletterTop);

    // Back at the design size every widget is where the design put it.
    window.resize(window.sizeHint());
    QTRY_COMPARE(board.myletter(10)->geometry(), designTile);
    QCOMPARE(window.findChild<WindowView*>()->layout()->scale(), 1.0);
}

void ViewTest::keysPlayTheBoardAsClicksDo_data() {
    QTest::addColumn<QString>("keys");
    QTest::addColumn<QString>("sent");
    QTest::addColumn<QList<int>>("picks"); // hand, own, opponent after the keys

    // The hand holds C A T C E S; the own board H at cell 1, the opponent's O at cell 2.
    QTest::newRow("letter key picks, Enter places") << "T Home Right Right Return"
                                                    << "CMD_placemyletter+1+3+3+" << QList<int>{0, 0, 0};
    QTest::newRow("the same letter again picks the next one")
        << "C C Home Return"
        << "CMD_placemyletter+1+4+1+" << QList<int>{0, 0, 0};
    QTest::newRow("a word typed letter by letter grows from the first empty cell")
        << "T Return A Return"
        << "CMD_placemyletter+1+3+2+|CMD_placemyletter+1+2+3+" << QList<int>{0, 0, 0};
    QTest::newRow("a digit picks its slot") << "5 End Return"
                                            << "CMD_placemyletter+1+5+10+" << QList<int>{0, 0, 0};
    QTest::newRow("a letter not in the hand picks nothing") << "Z"
                                                            << "" << QList<int>{0, 0, 0};
    QTest::newRow("swap two own letters") << "Up Home Return Right Right Return"
                                          << "CMD_tradingmyletter+1+1+3+" << QList<int>{0, 0, 0};
    QTest::newRow("steal from the opponent's row") << "PgUp Home Right Return PgDown Right Right Return"
                                                   << "CMD_stealinghisletter+1+2+4+" << QList<int>{0, 0, 0};
    QTest::newRow("Delete throws a hand letter away") << "Right Right Del"
                                                      << "CMD_discardextra+1+3+" << QList<int>{0, 0, 0};
    QTest::newRow("Delete removes a board letter") << "Up Home Del"
                                                   << "CMD_discardletter+1+1+" << QList<int>{0, 0, 0};
    QTest::newRow("Escape cancels the pick") << "A Esc"
                                             << "" << QList<int>{0, 0, 0};
    QTest::newRow("the cursor stops at the ends") << "Up Up Up Up Left Left Return"
                                                  << "" << QList<int>{0, 0, 1};
    QTest::newRow("a pick stays until placed") << "S"
                                               << "" << QList<int>{6, 0, 0};
}

void ViewTest::keysPlayTheBoardAsClicksDo() {
    QFETCH(QString, keys);
    QFETCH(QString, sent);
    QFETCH(QList<int>, picks);
    Fixture fx;
    BoardPanel& board = *fx.board;
    BoardKeys boardKeys(board);
    fx.window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&fx.window));
    QVERIFY(!boardKeys.cursorOnSomething()); // no ring round a hand not yet dealt
    board.model().letters(decoded<msg::Letters>("1+1+3+2+1+3+20+4+3+5+5+6+19+"));
    QVERIFY(boardKeys.cursorOnSomething());
    board.model().placemyletter(decoded<msg::PlaceMyLetter>("1+0+1+8+"));
    board.model().placemyletter(decoded<msg::PlaceMyLetter>("2+0+2+15+"));

    // Not the own turn: the keys move the cursor but send and pick nothing.
    board.model().nextplayer(decoded<msg::NextPlayer>("2+5+"));
    pressKeys(&board, keys);
    QCOMPARE(fx.ctx.sent.size(), 0);
    QCOMPARE(pickedCells(board), (QList<int>{0, 0, 0}));

    board.model().nextplayer(decoded<msg::NextPlayer>("1+5+"));
    fx.ctx.sent.clear();
    // The cursor starts on the first hand letter, as a new board's does.
    QTest::keyClick(&board, Qt::Key_Down);
    QTest::keyClick(&board, Qt::Key_Down);
    QTest::keyClick(&board, Qt::Key_Home);
    QCOMPARE(boardKeys.row(), Row::Hand);
    pressKeys(&board, keys);
    QCOMPARE(QString::fromUtf8(fx.ctx.sent.join('|')), sent);
    QCOMPARE(pickedCells(board), picks);
}

void ViewTest::cellsAreNamedAfterAPlacementAndASteal() {
    ChatSession s;
    QVERIFY(s.start({QStringLiteral("Ann"), QStringLiteral("127.0.0.1"), QStringLiteral("false")}));
    QVERIFY(s.seat(1, QStringLiteral("Ann")));
    s.host.send(msg::NewPlayerInfo{2, "Bob"});
    s.host.send(msg::StartGame{"Ann", 30, 100, 5});
    s.host.send(msg::Letters{1, {{1, 3}, {2, 1}, {3, 20}, {4, 0}, {5, 0}, {6, 0}}});
    s.host.send(msg::PlaceMyLetter{2, 0, 4, 17}); // Bob's Q in his cell 4
    s.host.send(msg::NextPlayer{1, 5});
    BoardPanel& board = *s.chat->board();
    QTRY_COMPARE(board.model().turnSeat(), 1);
    const Announcer* announcer = s.chat->findChild<Announcer*>();
    QCOMPARE(announcer->lastAnnouncement(), QStringLiteral("Your turn."));
    // The arrow beside the own name is named for what it shows.
    QCOMPARE(nameOf(QAccessible::queryAccessibleInterface(
                 board.findChild<QWidget*>(QStringLiteral("image_Turn1")))),
             QStringLiteral("Has the turn"));

    QAccessibleInterface* boardIface = QAccessible::queryAccessibleInterface(&board);
    QVERIFY(boardIface);
    QAccessibleInterface* opponent = boardIface->child(0);
    QAccessibleInterface* own = boardIface->child(1);
    QAccessibleInterface* hand = boardIface->child(2);
    QCOMPARE(own->role(), QAccessible::List);
    QCOMPARE((QList<int>{opponent->childCount(), own->childCount(), hand->childCount()}),
             (QList<int>{10, 10, 6}));
    QCOMPARE(nameOf(hand->child(0)), QStringLiteral("letter 1, C, 3 points"));
    QCOMPARE(nameOf(opponent->child(3)), QStringLiteral("cell 4, Q, 10 points"));
    QCOMPARE(own->child(2)->parent()->text(QAccessible::Name), own->text(QAccessible::Name));
    QCOMPARE(own->indexOfChild(own->child(2)), 2);

    // Placing the C on cell 3 by keys: the cell reads it, the hand slot is empty.
    board.setFocus();
    QTest::keyClick(&board, Qt::Key_C);
    QVERIFY(hand->child(0)->state().selected);
    QTest::keyClick(&board, Qt::Key_Home);
    QTest::keyClick(&board, Qt::Key_Right);
    QTest::keyClick(&board, Qt::Key_Right);
    QVERIFY(own->child(2)->state().focused);
    QTest::keyClick(&board, Qt::Key_Return);
    QVERIFY(s.host.waitForMessage(0, textOf(msg::PlaceMyLetterRequest{1, 1, 3})));
    s.host.send(msg::PlaceMyLetter{1, 1, 3, 3});
    QTRY_COMPARE(nameOf(own->child(2)), QStringLiteral("cell 3, C, 3 points"));
    QCOMPARE(nameOf(hand->child(0)), QStringLiteral("letter 1, empty"));

    // Bob steals it back into his cell 5: both rows tell, and the reader hears the steal.
    s.host.send(msg::StoldLetter{2, 1, 5, 3, 3});
    QTRY_COMPARE(nameOf(own->child(2)), QStringLiteral("cell 3, empty"));
    QCOMPARE(nameOf(opponent->child(4)), QStringLiteral("cell 5, C, 3 points"));
    QTRY_COMPARE(announcer->lastAnnouncement(), QStringLiteral("Bob stole the C from your board."));

    // A stranger's endless name is not read out whole.
    const_cast<Announcer*>(announcer)->announce(QStringLiteral("x").repeated(5000));
    QCOMPARE(announcer->lastAnnouncement().size(), Announcer::maxCharacters);
}

void ViewTest::windowKeysReachTheChatTheBoardTheOptionsAndTheMenus() {
    ChatSession s;
    QVERIFY(s.start({QStringLiteral("Ann"), QStringLiteral("127.0.0.1"), QStringLiteral("true")}));
    QVERIFY(s.seat(1, QStringLiteral("Ann")));
    Tchat& window = *s.chat;
    window.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&window));
    QTRY_COMPARE(QApplication::focusWidget(), window.board());
    QTest::keyClick(&window, Qt::Key_T, Qt::ControlModifier);
    QTRY_COMPARE(QApplication::focusWidget(), window.chatView()->mychat());
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    QCOMPARE(QApplication::focusWidget(), window.chatView()->mainchat());
    QTest::keyClick(&window, Qt::Key_B, Qt::ControlModifier);
    QTRY_COMPARE(QApplication::focusWidget(), window.board());
    QTest::keyClick(window.board(), Qt::Key_G, Qt::ControlModifier);
    QTRY_VERIFY(window.board()->gamestart()->isVisible());
    window.board()->gamestart()->hide();
    window.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&window));
    // A lone Alt opens the first menu.
    QTest::keyPress(window.board(), Qt::Key_Alt);
    QTest::keyRelease(window.board(), Qt::Key_Alt);
    QTRY_VERIFY(window.menuBar()->activeAction() != nullptr);
    QCOMPARE(window.menuBar()->activeAction(), window.menuBar()->actions().constFirst());
}

void ViewTest::contrastIsMeasuredAndKept_data() {
    QTest::addColumn<QColor>("text");
    QTest::addColumn<QColor>("background");
    QTest::addColumn<double>("ratio");
    QTest::addColumn<bool>("kept"); // readableOn leaves the colour as it is

    QTest::newRow("black on white") << QColor(Qt::black) << QColor(Qt::white) << 21.0 << true;
    QTest::newRow("white on white") << QColor(Qt::white) << QColor(Qt::white) << 1.0 << false;
    QTest::newRow("grey 0x76 just passes") << QColor(0x76, 0x76, 0x76) << QColor(Qt::white) << 4.54 << true;
    QTest::newRow("grey 0x77 just fails") << QColor(0x77, 0x77, 0x77) << QColor(Qt::white) << 4.48 << false;
    QTest::newRow("status colour on white") << QColor(0x1B, 0x62, 0x83) << QColor(Qt::white) << 6.73 << true;
    QTest::newRow("status colour on a dark pane")
        << QColor(0x1B, 0x62, 0x83) << QColor(0x2B, 0x2B, 0x2B) << 2.10 << false;
    QTest::newRow("black on a dark pane") << QColor(Qt::black) << QColor(0x2B, 0x2B, 0x2B) << 1.48 << false;
    QTest::newRow("yellow on white") << QColor(Qt::yellow) << QColor(Qt::white) << 1.07 << false;
    QTest::newRow("light grey on a middle grey")
        << QColor(0xC0, 0xC0, 0xC0) << QColor(0x80, 0x80, 0x80) << 2.17 << false;
}

void ViewTest::contrastIsMeasuredAndKept() {
    QFETCH(QColor, text);
    QFETCH(QColor, background);
    QFETCH(double, ratio);
    QFETCH(bool, kept);
    QVERIFY2(qAbs(contrastRatio(text, background) - ratio) < 0.01,
             qPrintable(QString::number(contrastRatio(text, background))));
    QCOMPARE(contrastRatio(background, text), contrastRatio(text, background));
    const QColor readable = readableOn(text, background);
    QVERIFY(contrastRatio(readable, background) >= minimumTextContrast);
    QCOMPARE(readable == text, kept);
    // Moved no further than it must: a little less would not read.
    if (!kept) QVERIFY(contrastRatio(readable, background) < minimumTextContrast + 0.05);
}

void ViewTest::boardKeepsItsContrastOnLightAndDarkDesktops_data() {
    QTest::addColumn<QColor>("window");
    QTest::addColumn<QColor>("text");
    QTest::addColumn<bool>("dark");
    QTest::newRow("light desktop") << QColor(0xEF, 0xEF, 0xEF) << QColor(Qt::black) << false;
    QTest::newRow("dark desktop") << QColor(0x35, 0x35, 0x35) << QColor(0xF0, 0xF0, 0xF0) << true;
    QTest::newRow("dark with grey text") << QColor(0x20, 0x20, 0x20) << QColor(0x90, 0x90, 0x90) << true;
    QTest::newRow("light with grey text") << QColor(0xF8, 0xF8, 0xF8) << QColor(0x70, 0x70, 0x70) << false;
}

void ViewTest::boardKeepsItsContrastOnLightAndDarkDesktops() {
    QFETCH(QColor, window);
    QFETCH(QColor, text);
    QFETCH(bool, dark);
    QPalette palette;
    palette.setColor(QPalette::Window, window);
    palette.setColor(QPalette::WindowText, text);
    const BoardColours c = boardColours(palette);
    QCOMPARE(relativeLuminance(c.bottom) < 0.18, dark);
    for (const QColor& back : {c.top, c.bottom}) {
        QVERIFY2(contrastRatio(c.text, back) >= minimumTextContrast, qPrintable(back.name()));
        QVERIFY2(contrastRatio(c.warning, back) >= minimumTextContrast, qPrintable(c.warning.name()));
    }
}

void ViewTest::darkDesktopGivesADarkBoardThatReads() {
    const QPalette before = QApplication::palette();
    QPalette dark;
    for (auto group : {QPalette::Active, QPalette::Inactive, QPalette::Disabled}) {
        dark.setColor(group, QPalette::Window, QColor(0x35, 0x35, 0x35));
        dark.setColor(group, QPalette::WindowText, QColor(0xF0, 0xF0, 0xF0));
        dark.setColor(group, QPalette::Base, QColor(0x2B, 0x2B, 0x2B));
        dark.setColor(group, QPalette::Text, QColor(0xF0, 0xF0, 0xF0));
        dark.setColor(group, QPalette::Button, QColor(0x45, 0x45, 0x45));
        dark.setColor(group, QPalette::ButtonText, QColor(0xF0, 0xF0, 0xF0));
    }
    QApplication::setPalette(dark);
    {
        ChatSession s;
        QVERIFY(s.start({QStringLiteral("Ann"), QStringLiteral("127.0.0.1"), QStringLiteral("false")}));
        QVERIFY(s.seat(1, QStringLiteral("Ann")));
        s.host.send(msg::NewPlayerInfo{2, "Bob"});
        s.host.send(msg::StartGame{"Ann", 30, 100, 5});
        s.host.send(msg::Letters{1, {{1, 17}, {2, 21}, {3, 9}, {4, 26}, {5, 5}, {6, 19}}});
        s.host.send(msg::PlaceMyLetter{2, 0, 1, 3});
        s.host.send(msg::NextPlayer{1, 5});
        BoardPanel& board = *s.chat->board();
        QTRY_COMPARE(board.model().turnSeat(), 1);
        s.chat->resize(1100, 760);
        QTRY_VERIFY(board.width() > 700);
        const QImage shot = s.chat->grab().toImage();
        // The board's background (left of the own row) is dark, the chat pane's too.
        const QPoint boardPoint = board.mapTo(s.chat.get(), QPoint(4, board.height() / 2));
        QVERIFY2(relativeLuminance(shot.pixelColor(boardPoint)) < 0.05,
                 qPrintable(shot.pixelColor(boardPoint).name()));
        const QColor text = board.findChild<QLabel*>(QStringLiteral("label_playername1"))
                                ->palette()
                                .color(QPalette::WindowText);
        QVERIFY(contrastRatio(text, shot.pixelColor(boardPoint)) >= minimumTextContrast);
        // A chat line in the status colour is brought to a readable contrast on the dark pane.
        const QColor status = s.lineColour(QStringLiteral("You are Connected."));
        QVERIFY2(contrastRatio(status, dark.color(QPalette::Base)) >= minimumTextContrast,
                 qPrintable(status.name()));
        if (const QString dir = qEnvironmentVariable("QUIBO_VIEW_SHOTS"); !dir.isEmpty())
            shot.save(dir + QStringLiteral("/dark-palette.png"));
        // The game options keep the desktop's dark background under its light captions.
        Tgamestart options(s.chat.get());
        const QImage optionsShot = options.grab().toImage();
        QVERIFY(contrastRatio(options.palette().color(QPalette::WindowText), optionsShot.pixelColor(2, 2)) >=
                minimumTextContrast);
    }
    QApplication::setPalette(before);
}

void ViewTest::placementFromALyingFileStaysOnTheScreen_data() {
    QTest::addColumn<QString>("lines");
    QTest::addColumn<QRect>("geometry"); // empty: nothing usable
    QTest::addColumn<bool>("maximized");
    const QRect screen(0, 0, 1920, 1080);
    QTest::newRow("as saved") << "WindowLeft=100\nWindowTop=50\nWindowWidth=900\nWindowHeight=700\n"
                              << QRect(100, 50, 900, 700) << false;
    QTest::newRow("maximised keeps its normal size") << "WindowLeft=0\nWindowTop=0\nWindowWidth=800\n"
                                                        "WindowHeight=600\nWindowMaximized=1\n"
                                                     << QRect(0, 0, 800, 600) << true;
    QTest::newRow("nothing saved") << "" << QRect() << false;
    QTest::newRow("no number") << "WindowWidth=wide\nWindowHeight=600\n" << QRect() << false;
    QTest::newRow("below the smallest") << "WindowLeft=10\nWindowTop=10\nWindowWidth=20\nWindowHeight=5\n"
                                        << QRect(10, 10, 640, 440) << false;
    QTest::newRow("beyond the screen")
        << "WindowLeft=0\nWindowTop=0\nWindowWidth=99999\nWindowHeight=2147483647\n"
        << screen << false;
    QTest::newRow("off the screen")
        << "WindowLeft=-5000\nWindowTop=90000\nWindowWidth=800\nWindowHeight=600\n"
        << QRect(0, 480, 800, 600) << false;
    QTest::newRow("a number past int") << "WindowLeft=99999999999\nWindowWidth=800\nWindowHeight=600\n"
                                       << QRect(0, 0, 800, 600) << false;
}

void ViewTest::placementFromALyingFileStaysOnTheScreen() {
    QFETCH(QString, lines);
    QFETCH(QRect, geometry);
    QFETCH(bool, maximized);
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("kivolobby.ini"));
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write("[Quibo]\n" + lines.toUtf8());
    file.close();
    const auto placement =
        WindowPlacement::read(SettingsFile(path), QSize(640, 440), QRect(0, 0, 1920, 1080));
    QCOMPARE(placement.has_value(), !geometry.isEmpty());
    if (!placement) return;
    QCOMPARE(placement->geometry, geometry);
    QCOMPARE(placement->maximized, maximized);
}

QTEST_MAIN(ViewTest)
#include "tst_view.moc"
