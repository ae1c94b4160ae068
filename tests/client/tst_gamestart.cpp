// SPDX-License-Identifier: MIT
// The game options window, the quick-instruction panel and the tile pictures.
#include "boardpanel.h"
#include "boardrecorder.h"
#include "quickinstructions.h"
#include "tgamestart.h"
#include "tiles.h"
#include "updown.h"

#include <QCheckBox>
#include <QComboBox>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QMainWindow>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>
#include <QToolButton>

using namespace quibo;
using quibo::test::BoardRecorder;

class GameStartTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void optionsStartWithTheirDesignValues();
    void arrowsStepAndStopAtTheirLimits_data();
    void arrowsStepAndStopAtTheirLimits();
    void startSendsTheOptionsSavesAndHides_data();
    void startSendsTheOptionsSavesAndHides();
    void quickInstructionsShowTheirTextsAndHideOnDone();
    void tilePicturesShowTheirLetterCrisply();
    void quickInstructionPicturesAreDrawnWhole();
    void optionsWindowOpensOverTheMainWindowAndGivesTheScoreShown();
};

void GameStartTest::optionsStartWithTheirDesignValues() {
    BoardRecorder ctx;
    Tgamestart options(nullptr);
    ctx.attach(options);
    QCOMPARE(options.windowTitle(), QStringLiteral("Quibo - Game Start"));
    QCOMPARE(options.edit_playtoscore()->text(), QStringLiteral("200"));
    QCOMPARE(options.edit_creationtime()->text(), QStringLiteral("30"));
    QCOMPARE(options.edit_steals()->text(), QStringLiteral("5"));
    QVERIFY(options.checkbox_unlimited()->isChecked());
    for (QLineEdit* field :
         {options.edit_playtoscore(), options.edit_creationtime(), options.edit_steals()}) {
        QVERIFY(field->isReadOnly());
        QCOMPARE(field->focusPolicy(), Qt::NoFocus); // Tab passes the fields by
    }
}

void GameStartTest::arrowsStepAndStopAtTheirLimits_data() {
    QTest::addColumn<int>("which");
    QTest::addColumn<int>("start");
    QTest::addColumn<int>("presses"); // positive: up arrow, negative: down arrow
    QTest::addColumn<QString>("shown");
    QTest::newRow("score steps by 50") << 1 << 200 << 2 << "300";
    QTest::newRow("score stops at 1000, no separator") << 1 << 950 << 3 << "1000";
    QTest::newRow("score stops at 100") << 1 << 150 << -4 << "100";
    QTest::newRow("time steps by 5") << 2 << 30 << -1 << "25";
    QTest::newRow("time stops at 20") << 2 << 20 << -1 << "20";
    QTest::newRow("time stops at 120") << 2 << 115 << 2 << "120";
    QTest::newRow("steals stop at 0") << 3 << 1 << -3 << "0";
    QTest::newRow("steals stop at 20") << 3 << 19 << 5 << "20";
}

void GameStartTest::arrowsStepAndStopAtTheirLimits() {
    QFETCH(int, which);
    QFETCH(int, start);
    QFETCH(int, presses);
    QFETCH(QString, shown);
    BoardRecorder ctx;
    Tgamestart options(nullptr);
    ctx.attach(options);
    options.show();
    QVERIFY(QTest::qWaitForWindowExposed(&options));
    UpDown* arrows = which == 1 ? options.UpDown1() : which == 2 ? options.UpDown2() : options.UpDown3();
    QLineEdit* field = which == 1   ? options.edit_playtoscore()
                       : which == 2 ? options.edit_creationtime()
                                    : options.edit_steals();
    arrows->setPosition(start);
    QToolButton* button = presses > 0 ? arrows->upButton() : arrows->downButton();
    for (int i = 0; i < std::abs(presses); ++i)
        QTest::mouseClick(button, Qt::LeftButton);
    QCOMPARE(field->text(), shown);
    QCOMPARE(arrows->position(), shown.toInt());
}

void GameStartTest::startSendsTheOptionsSavesAndHides_data() {
    QTest::addColumn<bool>("unlimited");
    QTest::addColumn<QString>("computer");
    QTest::addColumn<QByteArray>("sent");
    QTest::newRow("unlimited steals") << true << "Normal" << QByteArray("CMD_startgame+Ann+35+250+10000+");
    QTest::newRow("limited steals") << false << "Normal" << QByteArray("CMD_startgame+Ann+35+250+7+");
    QTest::newRow("strong computer") << false << "Strong" << QByteArray("CMD_startgame+Ann+35+250+7+strong+");
    QTest::newRow("easy computer") << true << "Easy" << QByteArray("CMD_startgame+Ann+35+250+10000+easy+");
    QTest::newRow("expert computer") << false << "Expert" << QByteArray("CMD_startgame+Ann+35+250+7+expert+");
}

void GameStartTest::startSendsTheOptionsSavesAndHides() {
    QFETCH(bool, unlimited);
    QFETCH(QString, computer);
    QFETCH(QByteArray, sent);
    BoardRecorder ctx;
    Tgamestart options(nullptr);
    ctx.attach(options);
    QSignalSpy saved(&options, &Tgamestart::settingsChanged);
    options.showCentred();
    QVERIFY(QTest::qWaitForWindowExposed(&options));
    options.UpDown1()->stepUp();
    options.UpDown2()->stepUp();
    options.UpDown3()->setPosition(7);
    options.checkbox_unlimited()->setChecked(unlimited);
    auto* level = options.findChild<QComboBox*>(QStringLiteral("combo_computer"));
    QVERIFY(level);
    level->setCurrentText(computer);

    QTest::mouseClick(options.button_start(), Qt::LeftButton);
    QCOMPARE(ctx.sent, QList<QByteArray>{sent});
    QCOMPARE(saved.count(), 1);
    QVERIFY(options.isHidden());
    QCOMPARE(options.edit_steals()->text(), QStringLiteral("7")); // kept for a later game
}

void GameStartTest::quickInstructionsShowTheirTextsAndHideOnDone() {
    BoardRecorder ctx;
    QMainWindow window;
    auto* central = new QWidget;
    window.setCentralWidget(central);
    BoardPanel board(central);
    ctx.attach(board);
    QuickInstructions* help = board.quickInstructions();
    QCOMPARE(help->objectName(), QStringLiteral("panel_help"));
    QCOMPARE(help->geometry(), QRect(23, 18, 722, 475));
    QVERIFY(help->isHidden());
    QCOMPARE(
        help->findChild<QLabel*>(QStringLiteral("label_help6"))->text(),
        QStringLiteral(
            "6. You can remove a letter on your board by right clicking on it. This will end your turn. "));
    QCOMPARE(
        help->findChild<QLabel*>(QStringLiteral("label_helpheading"))->text(),
        QStringLiteral(
            "Try to \"MORPH\" your word into a new word by adding or deleting letters from your board."));
    for (int n = 1; n <= 6; ++n)
        QVERIFY(!help->findChild<QLabel*>(QStringLiteral("image_help%1").arg(n))->pixmap().isNull());

    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    help->showOnTop();
    QVERIFY(help->isVisible());
    QCOMPARE(central->children().last(), help); // in front of the board
    QTest::mouseClick(help->doneButton(), Qt::LeftButton);
    QVERIFY(help->isHidden());
}

void GameStartTest::tilePicturesShowTheirLetterCrisply() {
    const TileSet sharp(2.0);
    const QImage blank = sharp.picture(0).toImage();
    QCOMPARE(blank.size(), QSize(82, 82));
    bool anyInk = false;
    for (int y = 0; y < blank.height(); ++y)
        for (int x = 0; x < blank.width(); ++x)
            anyInk = anyInk || qAlpha(blank.pixel(x, y)) != 0;
    QVERIFY(!anyInk);
    QCOMPARE(sharp.picture(26).deviceIndependentSize(), QSizeF(41, 41));
    QVERIFY(sharp.picture(1).toImage() != sharp.picture(2).toImage());
    QVERIFY(qAlpha(sharp.picture(5).toImage().pixel(41, 41)) == 255); // the face is opaque
    QCOMPARE(sharp.picture(27).toImage(), blank);                     // out of range draws nothing
}

void GameStartTest::quickInstructionPicturesAreDrawnWhole() {
    QWidget central;
    BoardPanel board(&central);
    for (int n = 1; n <= 6; ++n) {
        const QImage picture = board.quickInstructions()
                                   ->findChild<QLabel*>(QStringLiteral("image_help%1").arg(n))
                                   ->pixmap()
                                   .toImage();
        // Nothing runs into the right edge: the board strip ends inside the picture.
        for (int y = 0; y < picture.height(); ++y)
            QCOMPARE(qAlpha(picture.pixel(picture.width() - 1, y)), 0);
    }
}

void GameStartTest::optionsWindowOpensOverTheMainWindowAndGivesTheScoreShown() {
    BoardRecorder ctx;
    QMainWindow window;
    auto* central = new QWidget;
    window.setCentralWidget(central);
    window.setGeometry(260, 180, 767, 510);
    BoardPanel board(central);
    ctx.attach(board);
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    const auto scoreShown = [&board] {
        return board.findChild<QLabel*>(QStringLiteral("label_playtoscore"))->text();
    };
    QCOMPARE(scoreShown(), QStringLiteral("Play to Score: 200"));
    board.startGameRequested();
    Tgamestart* options = board.gamestart();
    QVERIFY(QTest::qWaitForWindowExposed(options));
    const QPoint offset = options->frameGeometry().center() - window.frameGeometry().center();
    QVERIFY2(offset.manhattanLength() <= 4,
             qPrintable(QStringLiteral("%1,%2").arg(offset.x()).arg(offset.y())));
    options->UpDown1()->stepUp();
    QCOMPARE(scoreShown(), QStringLiteral("Play to Score: 250"));
    // Once a game runs, the label shows that game's score.
    board.model().startgame(msg::StartGame::decode("Ann+30+300+5+").value());
    options->UpDown1()->stepUp();
    QCOMPARE(scoreShown(), QStringLiteral("Play to Score: 300"));
}

QTEST_MAIN(GameStartTest)
#include "tst_gamestart.moc"
