// SPDX-License-Identifier: MIT
// Whole games through the board: the real host program, real player windows in this process, and
// moves made only by clicking the windows' tiles. The tests' word-playing bot looks at the tiles the
// way a person would and picks the move; the test carries it out with the mouse.
#include "boardpanel.h"
#include "chatpane.h"
#include "chatview.h"
#include "gamesummarywindow.h"
#include "letters.h"
#include "messages.h"
#include "programprocess.h"
#include "recordkeeping.h"
#include "replayopener.h"
#include "scriptedhost.h"
#include "tchat.h"
#include "tile.h"
#include "windowwiring.h"
#include "wordplanner.h"

#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QRegularExpression>
#include <QSet>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <algorithm>
#include <memory>
#ifdef Q_OS_UNIX
#include <sys/socket.h>
#endif

using namespace quibo;
using quibo::test::PlannedMove;
using quibo::test::Position;
using quibo::test::ProgramProcess;
using quibo::test::WordPlanner;

namespace {

constexpr int patience = 30000;
constexpr int wholeGame = 240000;

constexpr quint32 hostSeed = 20261208;

// A player window joining the host under a name.
struct Player {
    test::ScriptedHost sideChannel;
    Tchat window;

    bool join(quint16 port, const QString& name) {
        if (!sideChannel.listen()) return false;
        window.setup().gamePort = port;
        window.setup().sideChannelPort = sideChannel.port();
        window.setup().parameters = {name, QStringLiteral("127.0.0.1"), QStringLiteral("false")};
        window.show();
        return QTest::qWaitFor([this] { return window.mynumber() != 0; }, patience);
    }
    BoardPanel& board() { return *window.board(); }
    bool gameOver() { return board().findChild<QWidget*>(QStringLiteral("panel_winner"))->isVisible(); }
    QString banner() { return board().findChild<QLabel*>(QStringLiteral("label_winner1"))->text(); }
};

// What a seat's board shows: both rows, the hand and the words it formed.
Position shownPosition(const BoardPanel& b) {
    Position now;
    for (int c = 1; c <= boardCells; ++c) {
        now.board[size_t(c - 1)] = b.myletter(c)->shownCode();
        now.hisBoard[size_t(c - 1)] = b.hisletter(c)->shownCode();
    }
    for (int k = 1; k <= handSlots; ++k)
        now.hand[size_t(k - 1)] = b.extra(k)->shownCode();
    const QListWidget* list = b.listboxMywords();
    for (int i = 0; i < list->count(); ++i)
        now.formed.insert(list->item(i)->text().section(QLatin1Char(' '), 0, 0).toLatin1());
    return now;
}

// Plays a seat by clicking its window's tiles whenever its turn begins: reads the tiles and the own
// words off the board, asks the bot for a move and clicks it. It never steals: a refused steal would
// leave the turn open until the host's clock ends it.
class TilePlayer : public QObject {
public:
    TilePlayer(Player& player, const WordPlanner& planner)
        : m_player(player)
        , m_planner(planner) {
        connect(&player.board(), &BoardPanel::turnBegan, this, [this](int seat) {
            if (seat == m_player.window.mynumber()) QTimer::singleShot(0, this, [this] { play(); });
        });
    }
    int moves = 0;
    // A paused player lets its turns wait; resume plays a turn that began meanwhile.
    bool paused = false;
    void resume() {
        paused = false;
        play();
    }

private:
    void play() {
        BoardPanel& b = m_player.board();
        if (paused || b.model().turnSeat() != m_player.window.mynumber()) return;
        ++moves;
        const PlannedMove move = m_planner.choose(position());
        switch (move.kind) {
        case PlannedMove::Kind::Place:
            QTest::mouseClick(b.extra(move.slot), Qt::LeftButton);
            QTest::mouseClick(b.myletter(move.cell), Qt::LeftButton);
            break;
        case PlannedMove::Kind::DiscardExtra:
            QTest::mouseClick(b.extra(move.slot), Qt::RightButton);
            break;
        case PlannedMove::Kind::DiscardLetter:
            QTest::mouseClick(b.myletter(move.cell), Qt::RightButton);
            break;
        case PlannedMove::Kind::Steal:
            QTest::mouseClick(b.hisletter(move.hisCell), Qt::LeftButton);
            QTest::mouseClick(b.myletter(move.cell), Qt::LeftButton);
            break;
        }
    }

    Position position() const { return shownPosition(m_player.board()); }

    Player& m_player;
    const WordPlanner& m_planner;
};

// Plays a seat with key presses on its board alone, as a player without a mouse would: a hand
// letter by its letter (or its slot number when the hand holds it twice), the cursor along the rows
// by the arrows, Enter to place or steal, Delete to throw away.
class KeyPlayer : public QObject {
public:
    KeyPlayer(Player& player, const WordPlanner& planner)
        : m_player(player)
        , m_planner(planner) {
        connect(&player.board(), &BoardPanel::turnBegan, this, [this](int seat) {
            if (seat == m_player.window.mynumber()) QTimer::singleShot(0, this, [this] { play(); });
        });
    }
    int moves = 0;
    QSet<PlannedMove::Kind> kinds;

private:
    void key(Qt::Key k) { QTest::keyClick(&m_player.board(), k); }
    // From any row to the start of `row`: Down twice reaches the hand, Up from there the own board.
    void toRow(int upsFromHand, int column) {
        key(Qt::Key_Down);
        key(Qt::Key_Down);
        for (int i = 0; i < upsFromHand; ++i)
            key(Qt::Key_Up);
        key(Qt::Key_Home);
        for (int i = 1; i < column; ++i)
            key(Qt::Key_Right);
    }
    void play() {
        BoardPanel& b = m_player.board();
        if (!b.model().isOwnTurn()) return;
        ++moves;
        const Position now = position();
        const PlannedMove move = m_planner.choose(now);
        kinds.insert(move.kind);
        switch (move.kind) {
        case PlannedMove::Kind::Place: {
            const int code = now.hand[size_t(move.slot - 1)];
            const bool twice = std::count(now.hand.begin(), now.hand.end(), code) > 1;
            key(twice ? Qt::Key(Qt::Key_1 + move.slot - 1) : Qt::Key(Qt::Key_A + code - 1));
            key(Qt::Key_Home);
            for (int i = 1; i < move.cell; ++i)
                key(Qt::Key_Right);
            key(Qt::Key_Return);
            break;
        }
        case PlannedMove::Kind::DiscardExtra:
            toRow(0, move.slot);
            key(Qt::Key_Delete);
            break;
        case PlannedMove::Kind::DiscardLetter:
            toRow(1, move.cell);
            key(Qt::Key_Delete);
            break;
        case PlannedMove::Kind::Steal:
            toRow(2, move.hisCell);
            key(Qt::Key_Return);
            key(Qt::Key_PageDown);
            key(Qt::Key_Home);
            for (int i = 1; i < move.cell; ++i)
                key(Qt::Key_Right);
            key(Qt::Key_Return);
            break;
        }
    }

    Position position() const { return shownPosition(m_player.board()); }

    Player& m_player;
    const WordPlanner& m_planner;
};

// Passes a window's connections on to the host, and can break them all with a reset on both sides,
// as a dropped network does.
class ResetRelay : public QObject {
public:
    bool listen(quint16 hostPort) {
        m_hostPort = hostPort;
        connect(&m_server, &QTcpServer::newConnection, this, &ResetRelay::accept);
        return m_server.listen(QHostAddress::LocalHost, 0);
    }
    quint16 port() const { return m_server.serverPort(); }
    int connections = 0;

    void resetAll() {
        for (QTcpSocket* socket : findChildren<QTcpSocket*>()) {
#ifdef Q_OS_UNIX
            const linger hard{1, 0};
            ::setsockopt(int(socket->socketDescriptor()), SOL_SOCKET, SO_LINGER, &hard, sizeof hard);
#endif
            socket->abort();
            socket->deleteLater();
        }
    }

private:
    void accept() {
        while (QTcpSocket* window = m_server.nextPendingConnection()) {
            ++connections;
            window->setParent(this);
            auto* host = new QTcpSocket(this);
            connect(window, &QTcpSocket::readyRead, host, [window, host] { host->write(window->readAll()); });
            connect(host, &QTcpSocket::readyRead, window, [window, host] { window->write(host->readAll()); });
            connect(host, &QTcpSocket::connected, window, [window, host] { host->write(window->readAll()); });
            host->connectToHost(QHostAddress::LocalHost, m_hostPort);
        }
    }

    QTcpServer m_server;
    quint16 m_hostPort = 0;
};

// The options window cannot go below 100 points; a short game is started with the same command.
QByteArray shortGame(const QString& starter, int target) {
    return msg::StartGame{starter.toUtf8(), 120, target, 5}.encode();
}

// The winner's own window says so in the second person, the other window names the winner.
bool oneWinnerTold(const QString& first, const QString& second) {
    const QString you = QStringLiteral("You have won the game!");
    const QString other = QStringLiteral(" has won the game!");
    return (first == you && second.endsWith(other) && second != you) ||
           (second == you && first.endsWith(other) && first != you);
}

} // namespace

class BoardGamesTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void initTestCase();
    void twoWindowsPlayToAWinner();
    void soloGameAgainstTheComputerEnds();
    void soloGameByKeysAloneEnds();
    void droppedSeatTwoComesBackAndTheGameEnds();

private:
    std::unique_ptr<WordPlanner> m_planner;
};

void BoardGamesTest::initTestCase() {
    m_planner = std::make_unique<WordPlanner>(WordPlanner::fromWordFile(QStringLiteral(QUIBO_WORD_LIST)));
    QVERIFY2(m_planner->wordCount() > 100000, "the word list could not be read");
}

void BoardGamesTest::twoWindowsPlayToAWinner() {
    QTemporaryDir hostDir;
    ProgramProcess host(hostDir.path());
    const quint16 port = host.startHost(hostSeed);
    if (port == 0) QSKIP("the host program does not serve games in this build");
    Player ann;
    QVERIFY(ann.join(port, QStringLiteral("Ann")));
    QCOMPARE(ann.window.mynumber(), 1);
    Player bo;
    QVERIFY(bo.join(port, QStringLiteral("Bo")));
    QCOMPARE(bo.window.mynumber(), 2);
    QTRY_COMPARE_WITH_TIMEOUT(ann.board().findChild<QLabel*>(QStringLiteral("label_playername2"))->text(),
                              QStringLiteral("Bo"), patience);

    TilePlayer annPlays(ann, *m_planner);
    TilePlayer boPlays(bo, *m_planner);
    const int target = 25;
    ann.window.sendToHost(shortGame(QStringLiteral("Ann"), target));
    QTRY_VERIFY_WITH_TIMEOUT(ann.gameOver() && bo.gameOver(), wholeGame);

    QVERIFY(oneWinnerTold(ann.banner(), bo.banner()));
    QVERIFY(annPlays.moves + boPlays.moves >= 3); // at least two words took more than one move
    const bool annWon = ann.banner() == QStringLiteral("You have won the game!");
    QVERIFY((annWon ? ann : bo).board().listboxMywords()->count() > 0);
    const QString winnerScore = annWon ? QStringLiteral("label_score1") : QStringLiteral("label_score2");
    QVERIFY(ann.board().findChild<QLabel*>(winnerScore)->text().toInt() >= target);
    QVERIFY(ann.board().buttonStart()->isVisible()); // seat 1 may start the next game
    QCOMPARE(ann.board().model().turnSeat(), 0);
}

void BoardGamesTest::soloGameAgainstTheComputerEnds() {
    QTemporaryDir hostDir;
    ProgramProcess host(hostDir.path());
    const quint16 port = host.startHost(hostSeed);
    if (port == 0) QSKIP("the host program does not serve games in this build");
    Player you;
    QVERIFY(you.join(port, QStringLiteral("You")));
    // The game is kept as a record, and the summary learns from it what the player missed.
    const QString games = hostDir.filePath(QStringLiteral("games"));
    ReplayOpener analyst(games);
    keepGameRecords(you.window, *new RecordKeeping(games, 10), &analyst);
    TilePlayer plays(you, *m_planner);
    you.window.sendToHost(shortGame(QStringLiteral("You"), 25));
    QTRY_COMPARE_WITH_TIMEOUT(you.board().findChild<QLabel*>(QStringLiteral("label_playername2"))->text(),
                              QStringLiteral("Klot"), patience);
    QTRY_VERIFY_WITH_TIMEOUT(you.gameOver(), wholeGame);
    // The own seat named "You" reads as a person.
    QVERIFY(you.banner() == QStringLiteral("You have won the game!") ||
            you.banner() == QStringLiteral("Klot has won the game!"));

    // Once worked out, "Missed:" lists at most three turns, each with the better word and its points,
    // or says that every turn was the best.
    auto* missed =
        you.board().summaryWindow()->findChild<QListWidget*>(QStringLiteral("listbox_summarymissed"));
    QVERIFY(missed);
    QTRY_VERIFY_WITH_TIMEOUT(missed->isVisible() && missed->count() > 0 &&
                                 !missed->item(0)->text().startsWith(QStringLiteral("Working out")),
                             patience);
    QVERIFY(missed->count() <= 3);
    const QRegularExpression line(
        QStringLiteral("^Turn \\d+: [A-Z]+ for \\d+ instead of (no word|[A-Z]+ for \\d+)"));
    for (int i = 0; i < missed->count(); ++i) {
        const QString text = missed->item(i)->text();
        QVERIFY2(line.match(text).hasMatch() ||
                     text == QStringLiteral("Nothing: every turn was the best one."),
                 qPrintable(text));
    }
}

void BoardGamesTest::soloGameByKeysAloneEnds() {
    QTemporaryDir hostDir;
    ProgramProcess host(hostDir.path());
    const quint16 port = host.startHost(hostSeed + 1);
    if (port == 0) QSKIP("the host program does not serve games in this build");
    Player you;
    QVERIFY(you.join(port, QStringLiteral("You")));
    KeyPlayer plays(you, *m_planner);
    you.window.sendToHost(shortGame(QStringLiteral("You"), 25));
    QTRY_VERIFY_WITH_TIMEOUT(you.gameOver(), wholeGame);
    QVERIFY(you.banner() == QStringLiteral("You have won the game!") ||
            you.banner() == QStringLiteral("Klot has won the game!"));
    // Every turn was a move made by keys: the host never had to end one for lack of time.
    QVERIFY(!you.window.chatView()->mainchat()->toPlainText().contains(QStringLiteral("Your time ran out.")));
    QVERIFY(plays.moves >= 3);
    QVERIFY(plays.kinds.contains(PlannedMove::Kind::Place));
    QVERIFY(you.board().listboxMywords()->count() > 0 || you.banner().startsWith(QStringLiteral("Klot")));
}

void BoardGamesTest::droppedSeatTwoComesBackAndTheGameEnds() {
    QTemporaryDir hostDir;
    ProgramProcess host(hostDir.path());
    const quint16 port = host.startHost(hostSeed);
    if (port == 0) QSKIP("the host program does not serve games in this build");
    ResetRelay relay;
    QVERIFY(relay.listen(port));
    Player ann;
    QVERIFY(ann.join(port, QStringLiteral("Ann")));
    Player bo;
    QVERIFY(bo.join(relay.port(), QStringLiteral("Bo")));
    QCOMPARE(bo.window.mynumber(), 2);

    TilePlayer annPlays(ann, *m_planner);
    TilePlayer boPlays(bo, *m_planner);
    // Once Bo has moved, Ann holds her turn while Bo's connection breaks, so that nothing changes
    // at the table until Bo is back.
    bool annWaits = false;
    connect(&ann.board(), &BoardPanel::turnBegan, this, [&](int seat) {
        if (seat == 1 && boPlays.moves >= 2 && relay.connections == 1) annPlays.paused = annWaits = true;
    });
    ann.window.sendToHost(shortGame(QStringLiteral("Ann"), 40));
    QTRY_VERIFY_WITH_TIMEOUT(annWaits, wholeGame);
    QTRY_COMPARE_WITH_TIMEOUT(bo.board().model().turnSeat(), 1, patience);
    const auto handOf = [](BoardPanel& b) {
        QList<int> codes;
        for (int k = 1; k <= handSlots; ++k)
            codes << b.extra(k)->shownCode();
        return codes;
    };
    const auto boardOf = [](BoardPanel& b) {
        QList<int> codes;
        for (int c = 1; c <= boardCells; ++c)
            codes << b.myletter(c)->shownCode();
        return codes;
    };
    const auto score = [](Player& p) {
        return p.board().findChild<QLabel*>(QStringLiteral("label_score2"))->text();
    };
    const QList<int> hand = handOf(bo.board());
    const QList<int> board = boardOf(bo.board());
    const QString boScore = score(bo);

    relay.resetAll();
    QVERIFY(QTest::qWaitFor([&] { return relay.connections == 2; }, patience));
    QTRY_COMPARE_WITH_TIMEOUT(bo.window.mynumber(), 2, patience);
    QTRY_COMPARE_WITH_TIMEOUT(handOf(bo.board()), hand, patience);
    QTRY_COMPARE_WITH_TIMEOUT(boardOf(bo.board()), board, patience);
    QTRY_COMPARE_WITH_TIMEOUT(score(bo), boScore, patience);
    QTRY_COMPARE_WITH_TIMEOUT(ann.board().findChild<QLabel*>(QStringLiteral("label_playername2"))->text(),
                              QStringLiteral("Bo"), patience);
    QVERIFY(bo.window.isVisible());

    annPlays.resume();
    QTRY_VERIFY_WITH_TIMEOUT(ann.gameOver() && bo.gameOver(), wholeGame);
    QVERIFY(oneWinnerTold(ann.banner(), bo.banner()));
}

QTEST_MAIN(BoardGamesTest)
#include "tst_boardgames.moc"
