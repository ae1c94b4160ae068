// SPDX-License-Identifier: MIT
// Whole games through the board: the real host program, real player windows in this process, and
// moves made only by clicking the windows' tiles. A simple player in the test looks at the tiles the
// way a person would and picks a placement that spells a new word, or clears the way for one.
#include "boardpanel.h"
#include "commands.h"
#include "letters.h"
#include "protocol.h"
#include "tchat.h"
#include "tdictn.h"
#include "tile.h"

#include <QLabel>
#include <QListWidget>
#include <QProcess>
#include <QPushButton>
#include <QRegularExpression>
#include <QTcpServer>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <memory>

using namespace quibo;

namespace {

constexpr int patience = 30000;
constexpr int wholeGame = 240000;

// The host program on a port the system picks, in its own temporary working directory.
class HostProgram {
public:
    ~HostProgram() {
        if (m_process.state() != QProcess::NotRunning) {
            m_process.terminate();
            if (!m_process.waitForFinished(10000)) m_process.kill();
            m_process.waitForFinished(10000);
        }
    }

    // Answers the port, or 0 when the host did not come up.
    quint16 start(const QString& workingDirectory) {
        m_process.setWorkingDirectory(workingDirectory);
        m_process.setProgram(QStringLiteral(QUIBO_HOST_PROGRAM));
        m_process.setArguments({QStringLiteral("--port"), QStringLiteral("0"), QStringLiteral("--seed"),
                                QStringLiteral("20261208")});
        m_process.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        m_process.start();
        static const QRegularExpression listening(QStringLiteral("Quibo host listening on port (\\d+)"));
        QByteArray output;
        const bool up = QTest::qWaitFor(
            [&] {
                output += m_process.readAllStandardOutput();
                return listening.match(QString::fromUtf8(output)).hasMatch() ||
                       m_process.state() == QProcess::NotRunning;
            },
            patience);
        const QRegularExpressionMatch match = listening.match(QString::fromUtf8(output));
        return up && match.hasMatch() ? quint16(match.captured(1).toUInt()) : 0;
    }

private:
    QProcess m_process;
};

// A player window joining the host under a name.
struct Player {
    QTcpServer sideChannel;
    Tchat window;

    bool join(quint16 port, const QString& name) {
        if (!sideChannel.listen(QHostAddress::LocalHost, 0)) return false;
        window.setGamePort(port);
        window.setSideChannel(QStringLiteral("127.0.0.1"), sideChannel.serverPort());
        window.setParameters({name, QStringLiteral("127.0.0.1"), QStringLiteral("false")});
        window.show();
        return QTest::qWaitFor([this] { return window.mynumber() != 0; }, patience);
    }
    BoardPanel& board() { return *window.board(); }
    bool gameOver() { return board().findChild<QWidget*>(QStringLiteral("panel_winner"))->isVisible(); }
    QString banner() { return board().findChild<QLabel*>(QStringLiteral("label_winner1"))->text(); }
};

// Plays a seat by clicking its window's tiles whenever its turn begins.
class TilePlayer : public QObject {
public:
    TilePlayer(Player& player, const TDictn& dictionary)
        : m_player(player)
        , m_dictionary(dictionary) {
        connect(&player.board(), &BoardPanel::turnBegan, this, [this](int seat) {
            if (seat == m_player.window.mynumber()) QTimer::singleShot(0, this, [this] { play(); });
        });
    }
    int moves = 0;

private:
    void play() {
        BoardPanel& b = m_player.board();
        if (b.turnseat() != m_player.window.mynumber()) return;
        ++moves;
        Board own{};
        Hand hand{};
        for (int c = 1; c <= boardCells; ++c)
            own[size_t(c - 1)] = b.myletter(c)->shownCode();
        for (int k = 1; k <= handSlots; ++k)
            hand[size_t(k - 1)] = b.extra(k)->shownCode();
        if (placeForNewWord(own, hand) || startTwoLetterWord(own, hand)) return;
        const auto lastOnBoard = std::find_if(own.rbegin(), own.rend(), [](int code) { return code != 0; });
        if (lastOnBoard != own.rend()) { // the letters lead nowhere: take one off
            const int cell = int(std::distance(lastOnBoard, own.rend()));
            QTest::mouseClick(b.myletter(cell), Qt::RightButton);
            return;
        }
        const auto lastInHand = std::find_if(hand.rbegin(), hand.rend(), [](int code) { return code != 0; });
        const int slot = int(std::distance(lastInHand, hand.rend()));
        QTest::mouseClick(b.extra(std::max(slot, 1)), Qt::RightButton);
    }

    bool formedBefore(const QByteArray& text) const {
        const QString word = QString::fromLatin1(text.trimmed());
        const QListWidget* list = m_player.board().listboxMywords();
        for (int i = 0; i < list->count(); ++i) {
            if (list->item(i)->text().section(QLatin1Char(' '), 0, 0) == word) return true;
        }
        return false;
    }

    bool placeForNewWord(const Board& own, const Hand& hand) {
        for (int k = 1; k <= handSlots; ++k) {
            if (hand[size_t(k - 1)] == 0) continue;
            for (int c = 1; c <= boardCells; ++c) {
                if (own[size_t(c - 1)] != 0) continue;
                Board next = own;
                next[size_t(c - 1)] = hand[size_t(k - 1)];
                const QByteArray text = boardText(next);
                if (m_dictionary.IsWord(text) && !formedBefore(text)) {
                    place(k, c);
                    return true;
                }
            }
        }
        return false;
    }

    // On an empty board, lays the first letter of a two-letter word the hand can finish next turn.
    bool startTwoLetterWord(const Board& own, const Hand& hand) {
        if (std::any_of(own.begin(), own.end(), [](int code) { return code != 0; })) return false;
        for (int first = 1; first <= handSlots; ++first) {
            for (int second = 1; second <= handSlots; ++second) {
                const int a = hand[size_t(first - 1)];
                const int z = hand[size_t(second - 1)];
                if (first == second || a == 0 || z == 0) continue;
                const QByteArray pair{convertoletter(a), convertoletter(z)};
                if (m_dictionary.IsWord(pair) && !formedBefore(pair)) {
                    place(first, 1);
                    return true;
                }
            }
        }
        return false;
    }

    void place(int slot, int cell) {
        QTest::mouseClick(m_player.board().extra(slot), Qt::LeftButton);
        QTest::mouseClick(m_player.board().myletter(cell), Qt::LeftButton);
    }

    Player& m_player;
    const TDictn& m_dictionary;
};

// The options window cannot go below 100 points; a short game is started with the same command.
QByteArray shortGame(const QString& starter, int target) {
    return Message(cmd::startgame).field(starter).field(120).field(target).field(5).bytes();
}

} // namespace

class BoardGamesTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void initTestCase();
    void twoWindowsPlayToAWinner();
    void soloGameAgainstTheComputerEnds();

private:
    QTemporaryDir m_dir;
    std::unique_ptr<TDictn> m_dictionary;
};

void BoardGamesTest::initTestCase() {
    QVERIFY(m_dir.isValid());
    m_dictionary = std::make_unique<TDictn>(m_dir.path());
    QVERIFY(m_dictionary->isOpen());
}

void BoardGamesTest::twoWindowsPlayToAWinner() {
    QTemporaryDir hostDir;
    HostProgram host;
    const quint16 port = host.start(hostDir.path());
    if (port == 0) QSKIP("the host program does not serve games in this build");
    Player ann;
    QVERIFY(ann.join(port, QStringLiteral("Ann")));
    QCOMPARE(ann.window.mynumber(), 1);
    Player bo;
    QVERIFY(bo.join(port, QStringLiteral("Bo")));
    QCOMPARE(bo.window.mynumber(), 2);
    QTRY_COMPARE_WITH_TIMEOUT(ann.board().findChild<QLabel*>(QStringLiteral("label_playername2"))->text(),
                              QStringLiteral("Bo"), patience);

    TilePlayer annPlays(ann, *m_dictionary);
    TilePlayer boPlays(bo, *m_dictionary);
    ann.window.sendToHost(shortGame(QStringLiteral("Ann"), 6));
    QTRY_VERIFY_WITH_TIMEOUT(ann.gameOver() && bo.gameOver(), wholeGame);

    QCOMPARE(ann.banner(), bo.banner());
    QVERIFY(ann.banner().endsWith(QStringLiteral(" has won the game!")));
    QVERIFY(annPlays.moves + boPlays.moves >= 3); // at least two words took more than one move
    const bool annWon = ann.banner().startsWith(QStringLiteral("Ann"));
    QVERIFY((annWon ? ann : bo).board().listboxMywords()->count() > 0);
    QVERIFY(ann.board().buttonStart()->isVisible()); // seat 1 may start the next game
    QCOMPARE(ann.board().turnseat(), 0);
}

void BoardGamesTest::soloGameAgainstTheComputerEnds() {
    QTemporaryDir hostDir;
    HostProgram host;
    const quint16 port = host.start(hostDir.path());
    if (port == 0) QSKIP("the host program does not serve games in this build");
    Player you;
    QVERIFY(you.join(port, QStringLiteral("You")));
    TilePlayer plays(you, *m_dictionary);
    you.window.sendToHost(shortGame(QStringLiteral("You"), 6));
    QTRY_COMPARE_WITH_TIMEOUT(you.board().findChild<QLabel*>(QStringLiteral("label_playername2"))->text(),
                              QStringLiteral("Klot"), patience);
    QTRY_VERIFY_WITH_TIMEOUT(you.gameOver(), wholeGame);
    QVERIFY(you.banner() == QStringLiteral("You has won the game!") ||
            you.banner() == QStringLiteral("Klot has won the game!"));
}

QTEST_MAIN(BoardGamesTest)
#include "tst_boardgames.moc"
