// SPDX-License-Identifier: MIT
// The game options window, the question before a running game is ended, the quick-instruction
// panel and the tile pictures.
#include "boardpanel.h"
#include "boardrecorder.h"
#include "endgamequestion.h"
#include "quickinstructions.h"
#include "tablemodel.h"
#include "tchat.h"
#include "tgamestart.h"
#include "tiles.h"
#include "updown.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QMainWindow>
#include <QMessageBox>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>
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
    void endingARunningGameAsksFirst();
};

namespace {

// Answers the end-game question with `button` when it opens, counting the questions asked. The
// answerer stops with the test step that made it.
class QuestionAnswerer {
public:
    explicit QuestionAnswerer(QMessageBox::StandardButton button) {
        QObject::connect(&m_timer, &QTimer::timeout, [this, button] {
            auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            if (!box || box->objectName() != QLatin1String(endGameQuestionName)) return;
            ++asked;
            text = box->text();
            box->button(button)->click();
        });
        m_timer.start(10);
    }
    int asked = 0;
    QString text;

private:
    QTimer m_timer;
};

} // namespace

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
    // Enter starts, whichever key a desktop lets press the focused button.
    QCOMPARE(options.focusWidget(), options.button_start());
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

void GameStartTest::endingARunningGameAsksFirst() {
    BoardRecorder ctx;
    QMainWindow window;
    auto* central = new QWidget;
    window.setCentralWidget(central);
    BoardPanel board(central);
    ctx.attach(board);
    Tgamestart* options = board.gamestart();
    {
        QuestionAnswerer answer(QMessageBox::No);
        board.startGameRequested(); // no game runs: nothing to ask
        QCOMPARE(answer.asked, 0);
        QVERIFY(options->isVisible());
        options->hide();
    }
    board.model().startgame(msg::StartGame::decode("Ann+30+300+5+").value());
    board.model().nextplayer(msg::NextPlayer::decode("2+5+").value());
    QVERIFY(board.turntimer()->isActive());
    {
        QuestionAnswerer answer(QMessageBox::No);
        board.startGameRequested();
        QCOMPARE(answer.asked, 1);
        QCOMPARE(answer.text, QStringLiteral("End the running game?"));
        QVERIFY(!options->isVisible());
        QVERIFY(board.turntimer()->isActive());
    }
    {
        QuestionAnswerer answer(QMessageBox::Yes);
        board.startGameRequested();
        QCOMPARE(answer.asked, 1);
        QVERIFY(options->isVisible());
        QVERIFY(!board.turntimer()->isActive()); // the old game's clock waits for the choice
        // The host's next turn does not set it going behind the options window.
        board.model().nextplayer(msg::NextPlayer::decode("1+5+").value());
        QVERIFY(!board.turntimer()->isActive());
        options->hide();
        QVERIFY(board.turntimer()->isActive());
    }

    // Leaving through "Exit" while the own seat plays asks too; "No" keeps the window.
    Tchat chat;
    QSignalSpy closed(&chat, &Tchat::closed);
    QAction* exit = chat.findChild<QAction*>(QStringLiteral("Exit1"));
    QVERIFY(exit);
    {
        QuestionAnswerer answer(QMessageBox::No);
        exit->trigger(); // no seat, no game
        QCOMPARE(answer.asked, 0);
        QCOMPARE(closed.count(), 1);
    }
    Tchat playing;
    QSignalSpy playingClosed(&playing, &Tchat::closed);
    playing.model()->sendlogininfo({2});
    playing.model()->startgame(msg::StartGame::decode("Ann+30+300+5+").value());
    exit = playing.findChild<QAction*>(QStringLiteral("Exit1"));
    {
        QuestionAnswerer answer(QMessageBox::No);
        exit->trigger();
        QCOMPARE(answer.asked, 1);
        QCOMPARE(playingClosed.count(), 0);
    }
    {
        QuestionAnswerer answer(QMessageBox::Yes);
        exit->trigger();
        QCOMPARE(answer.asked, 1);
        QCOMPARE(playingClosed.count(), 1);
    }
}

QTEST_MAIN(GameStartTest)
#include "tst_gamestart.moc"
