// SPDX-License-Identifier: MIT
// What the window tells the player beyond the board, in a real window fed by a scripted host: why the
// own move scored nothing, moves made out of sight, the own seat told as "you", the warning clock, and
// the summary with "Play Again" when a game is won.
#include "boardpanel.h"
#include "chatsession.h"
#include "gamesummarywindow.h"
#include "hostconnection.h"
#include "tgamestart.h"
#include "tile.h"

#include <QCheckBox>
#include <QListWidget>
#include <QPushButton>
#include <QTimer>

using namespace quibo;
using quibo::test::ChatSession;

namespace {

constexpr int patience = 20000;
const QString sentinel = QStringLiteral("end of script");

// Seats the window on `seat` as `name` with Ann, Bo (and the window itself) at the table, sends the
// script and answers the chat's lines once the window has handled all of it.
QStringList playScript(ChatSession& s, int seat, const QString& name, const QStringList& script) {
    if (!s.start({name, QStringLiteral("127.0.0.1"), QStringLiteral("false")}) || !s.seat(seat, name))
        return {};
    if (seat != 1) s.host.send(msg::NewPlayerInfo{1, "Ann"});
    if (seat != 2) s.host.send(msg::NewPlayerInfo{2, "Bo"});
    for (const QString& text : script)
        s.host.send(text.toUtf8());
    s.host.send(QByteArray("CMD_chat+") + sentinel.toUtf8() + "|clBlack");
    if (!s.waitForLine(sentinel)) return {};
    return s.lines();
}

bool isNote(const QString& line) {
    return line.endsWith(QLatin1String(" is not in the word list.")) ||
           line.startsWith(QLatin1String("Your letters")) || line.startsWith(QLatin1String("You already"));
}

// Ann (seat 1) has C and A on cells 1 and 2 when her turn begins.
const QStringList annsTurn{"CMD_startgame+Ann+30+100+5+", "CMD_placemyletter+1+0+1+3+",
                           "CMD_placemyletter+1+0+2+1+", "CMD_nextplayer+1+5+"};

} // namespace

class GameStoryTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void init() { QStandardPaths::setTestModeEnabled(true); }
    void ownMoveWithoutAWordIsExplained_data();
    void ownMoveWithoutAWordIsExplained();
    void movesOutOfSightAreAnnounced_data();
    void movesOutOfSightAreAnnounced();
    void lastSecondsOfTheOwnTurnWarn();
    void wonGameShowsItsSummaryAndPlaysAgain();
};

void GameStoryTest::ownMoveWithoutAWordIsExplained_data() {
    QTest::addColumn<QStringList>("moves");
    QTest::addColumn<QString>("note");
    const QString next = QStringLiteral("CMD_nextplayer+2+5+");
    QTest::newRow("scored word") << QStringList{"CMD_placemyletter+1+1+3+20+", "CMD_formedword+1+cat+5+5+",
                                                next}
                                 << QString();
    QTest::newRow("not a word") << QStringList{"CMD_placemyletter+1+1+3+24+", next}
                                << QStringLiteral("CAX is not in the word list.");
    QTest::newRow("gap") << QStringList{"CMD_placemyletter+1+1+4+20+", next}
                         << QStringLiteral("Your letters are not in one unbroken run.");
    QTest::newRow("already scored") << QStringList{"CMD_placemyletter+1+1+3+20+",
                                                   "CMD_formedword+1+cat+5+5+",
                                                   next,
                                                   "CMD_nextplayer+1+5+",
                                                   "CMD_placemyletter+1+2+4+19+",
                                                   "CMD_formedword+1+cats+6+11+",
                                                   next,
                                                   "CMD_nextplayer+1+5+",
                                                   "CMD_discardletter+1+4+",
                                                   next}
                                    << QStringLiteral("You already scored CAT.");
    QTest::newRow("opponent's moves") << QStringList{next,
                                                     "CMD_placemyletter+2+1+1+24+",
                                                     "CMD_nextplayer+1+5+",
                                                     "CMD_nextplayer+2+5+",
                                                     "CMD_placemyletter+2+1+3+24+",
                                                     "CMD_nextplayer+1+5+"}
                                      << QString();
}

void GameStoryTest::ownMoveWithoutAWordIsExplained() {
    QFETCH(QStringList, moves);
    QFETCH(QString, note);
    ChatSession s;
    const QStringList lines = playScript(s, 1, QStringLiteral("Ann"), annsTurn + moves);
    QVERIFY(!lines.isEmpty());
    QStringList notes;
    for (const QString& line : lines) {
        if (isNote(line)) notes << line;
    }
    QCOMPARE(notes, note.isEmpty() ? QStringList() : QStringList{note});
}

void GameStoryTest::movesOutOfSightAreAnnounced_data() {
    QTest::addColumn<int>("seat");
    QTest::addColumn<QString>("name");
    QTest::addColumn<QStringList>("script");
    QTest::addColumn<QString>("line");
    QTest::addColumn<QString>("absent");
    const QString start = QStringLiteral("CMD_startgame+Ann+30+100+5+");
    const QStringList bosTurn{start, "CMD_placemyletter+1+0+2+13+", "CMD_placemyletter+2+0+5+5+",
                              "CMD_nextplayer+2+5+"};
    const QString bosSteal = QStringLiteral("CMD_stoldletter+2+1+3+2+13+");
    QTest::newRow("steal from me") << 1 << "Ann" << bosTurn + QStringList{bosSteal}
                                   << "Bo stole the M from your board." << QString();
    QTest::newRow("my steal") << 2 << "Bo" << bosTurn + QStringList{bosSteal}
                              << "You stole the M from Ann's board." << QString();
    QTest::newRow("steal seen by a spectator")
        << 4 << "Cy" << bosTurn + QStringList{bosSteal} << "Bo stole the M from Ann's board." << QString();
    QTest::newRow("steal after joining")
        << 1 << "Ann" << QStringList{"CMD_gamestats+30+100+5+0+0+", "CMD_placemyletter+1+0+2+13+", bosSteal}
        << "Bo stole the M from your board." << QString();
    QTest::newRow("removal") << 1 << "Ann" << bosTurn + QStringList{"CMD_discardletter+2+5+"}
                             << "Bo removed the E from their board." << QString();
    QTest::newRow("throw-away") << 1 << "Ann" << bosTurn + QStringList{"CMD_nextplayer+1+5+"}
                                << "Bo threw away a letter." << QString();
    QTest::newRow("time out") << 1 << "Ann" << bosTurn + QStringList{"CMD_timeup+", "CMD_nextplayer+1+5+"}
                              << "Bo's time ran out."
                              << "Bo threw away a letter.";
    QTest::newRow("computer takes over")
        << 1 << "Ann" << bosTurn + QStringList{"CMD_playerdisconnected+2+Bo", "CMD_nextplayer+1+5+"}
        << "Klot plays for Bo until someone takes the seat."
        << "Klot threw away a letter.";
    QTest::newRow("own start") << 1 << "You" << QStringList{"CMD_startgame+You+30+100+5+"}
                               << "You have started a game."
                               << "You has started a game.";
    QTest::newRow("own watching") << 1 << "You" << QStringList{"CMD_justwatching+1+1"}
                                  << "You are just watching"
                                  << "You is just watching";
    QTest::newRow("own win") << 1 << "You" << QStringList{"CMD_startgame+You+30+100+5+", "CMD_winner+1+"}
                             << "You have won the game!"
                             << "You has won the game!";
    // The own seat is told in the second person whatever its name.
    QTest::newRow("own win by seat") << 1 << "Ann" << QStringList{start, "CMD_winner+1+"}
                                     << "You have won the game!"
                                     << "Ann has won the game!";
    QTest::newRow("own word by seat")
        << 2 << "Bo" << QStringList{start, "CMD_formedword+2+cat+5+5+"} << "For 5 points you formed CAT"
        << "For 5 points Bo formed CAT";
    QTest::newRow("own start by seat") << 1 << "Ann" << QStringList{start} << "You have started a game."
                                       << "Ann has started a game.";
    QTest::newRow("own throw-away") << 1 << "Ann"
                                    << QStringList{start, "CMD_letters+1+1+5", "CMD_nextplayer+1+5+",
                                                   "CMD_discardextra+1+1+"}
                                    << "You threw away the E." << QString();
    QTest::newRow("time out once") << 1 << "Ann"
                                   << QStringList{start, "CMD_letters+1+1+5", "CMD_nextplayer+1+5+",
                                                  "CMD_timeup+", "CMD_discardextra+1+1+"}
                                   << "Your time ran out."
                                   << "Time Up!";
    QTest::newRow("letter on a taken cell")
        << 1 << "Ann" << bosTurn + QStringList{"CMD_placemyletter+2+3+5+1+"}
        << "Bo's A replaced the E on their board; the E is gone." << QString();
}

void GameStoryTest::movesOutOfSightAreAnnounced() {
    QFETCH(int, seat);
    QFETCH(QString, name);
    QFETCH(QStringList, script);
    QFETCH(QString, line);
    QFETCH(QString, absent);
    ChatSession s;
    const QStringList lines = playScript(s, seat, name, script);
    QVERIFY2(lines.contains(line), qPrintable(lines.join(u'|')));
    QVERIFY(absent.isEmpty() || !lines.contains(absent));
    // A hand letter lost with the turn is no letter thrown away.
    if (!line.startsWith(QLatin1String("You threw")))
        QVERIFY(!lines.contains(QStringLiteral("You threw away the E.")));
    // The steal counts against the stealer at once, where the stealer's count is known: a window
    // that joined the game learns it only at the stealer's next turn.
    if (script.last().startsWith(QLatin1String("CMD_stoldletter"))) {
        const bool known = script.first().startsWith(QLatin1String("CMD_startgame"));
        QCOMPARE(s.chat->board()->findChild<QLabel*>(QStringLiteral("label_status2"))->text(),
                 known ? QStringLiteral("Steals Left: 4") : QString());
    }
}

void GameStoryTest::lastSecondsOfTheOwnTurnWarn() {
    ChatSession s;
    QStringList sounds;
    connect(s.chat.get(), &Tchat::soundRequested, this, [&sounds](const QString& name) { sounds << name; });
    playScript(s, 1, QStringLiteral("Ann"), {"CMD_startgame+Ann+20+100+5+", "CMD_nextplayer+2+5+"});
    BoardPanel& b = *s.chat->board();
    QLabel* clock = b.findChild<QLabel*>(QStringLiteral("label_turntime"));
    const auto ticksAfter = [&](int seconds) {
        sounds.clear();
        for (int i = 0; i < seconds; ++i)
            b.turntimerTimer();
        return sounds.count(QStringLiteral("tick"));
    };
    // The test ticks the clock itself.
    b.turntimer()->stop();
    QCOMPARE(ticksAfter(25), 0); // the opponent's turn is not the player's worry
    QVERIFY(!clock->styleSheet().contains(QLatin1String("color")));

    s.host.send("CMD_nextplayer+1+5+");
    QTRY_COMPARE_WITH_TIMEOUT(b.model().turnSeat(), 1, patience);
    b.turntimer()->stop();
    QCOMPARE(ticksAfter(b.model().secondsLeft() - BoardPanel::warningSeconds - 1), 0);
    QVERIFY(!clock->styleSheet().contains(QLatin1String("color")));
    QCOMPARE(ticksAfter(1), 1);
    QCOMPARE(clock->text(), QStringLiteral("Time: 0:10"));
    QVERIFY(clock->styleSheet().contains(QLatin1String("#D00000")));
    QCOMPARE(ticksAfter(20), 9); // one a second down to 0:01, then silence
}

void GameStoryTest::wonGameShowsItsSummaryAndPlaysAgain() {
    ChatSession s;
    QVERIFY(s.start({QStringLiteral("Ann"), QStringLiteral("127.0.0.1"), QStringLiteral("false")}));
    QVERIFY(s.seat(1, QStringLiteral("Ann")));
    s.host.send(msg::NewPlayerInfo{2, "Bo"});
    BoardPanel& b = *s.chat->board();
    QTest::mouseClick(b.buttonStart(), Qt::LeftButton);
    b.gamestart()->checkbox_unlimited()->setChecked(false);
    QTest::mouseClick(b.gamestart()->button_start(), Qt::LeftButton);
    QTRY_VERIFY_WITH_TIMEOUT(s.host.has("CMD_startgame+"), patience);
    const QByteArray start = s.host.take("CMD_startgame+");
    QCOMPARE(start, QByteArray("CMD_startgame+Ann+30+200+5+"));

    for (const char* text :
         {"CMD_startgame+Ann+30+200+5+", "CMD_nextplayer+1+5+", "CMD_formedword+1+cat+5+5+",
          "CMD_nextplayer+2+5+", "CMD_formedword+2+quiz+22+22+", "CMD_nextplayer+1+5+",
          "CMD_formedword+1+crates+16+21+", "CMD_nextplayer+2+5+", "CMD_formedword+2+ox+9+31+",
          "CMD_nextplayer+1+5+", "CMD_formedword+1+zebras+200+221+", "CMD_winner+1+"})
        s.host.send(QByteArray(text));
    GameSummaryWindow* summary = b.summaryWindow();
    QTRY_VERIFY_WITH_TIMEOUT(summary->isVisible(), patience);
    const auto text = [summary](const char* name) {
        return summary->findChild<QLabel*>(QLatin1String(name))->text();
    };
    const auto words = [summary](int seat) {
        QStringList out;
        const auto* list =
            summary->findChild<QListWidget*>(QStringLiteral("listbox_summarywords%1").arg(seat));
        for (int i = 0; i < list->count(); ++i)
            out << list->item(i)->text();
        return out;
    };
    QCOMPARE(text("label_summaryscore1"), QStringLiteral("Ann: 221"));
    QCOMPARE(text("label_summaryscore2"), QStringLiteral("Bo: 31"));
    QCOMPARE(words(1), (QStringList{"cat : 5", "crates : 16", "zebras : 200"}));
    QCOMPARE(words(2), (QStringList{"quiz : 22", "ox : 9"}));
    QCOMPARE(text("label_summarylongest"), QStringLiteral("CRATES (16 points, Ann)")); // the earlier of two
    QCOMPARE(text("label_summarybest"), QStringLiteral("ZEBRAS (200 points, Ann)"));

    // The game is over on the board as well: no turn marker, no hand, and "Game Over" whole.
    const QLabel* clock = b.findChild<QLabel*>(QStringLiteral("label_turntime"));
    QCOMPARE(clock->text(), QStringLiteral("Game Over"));
    QVERIFY(clock->fontMetrics().horizontalAdvance(clock->text()) <= clock->width());
    QCOMPARE(b.findChild<QLabel*>(QStringLiteral("label_status"))->text(),
             QStringLiteral("You have won the game!"));
    for (int slot = 1; slot <= 6; ++slot)
        QVERIFY(b.extra(slot)->isHidden());
    for (const char* marker : {"image_Turn1", "image_Turn2"})
        QVERIFY(b.findChild<QWidget*>(QLatin1String(marker))->isHidden());
    // The winner's banner leaves the computer's level beside it whole.
    const QWidget* banner = b.findChild<QWidget*>(QStringLiteral("panel_winner"));
    const QLabel* level = b.findChild<QLabel*>(QStringLiteral("label_computer"));
    QVERIFY(banner->isVisible());
    const int textWidth = level->fontMetrics().horizontalAdvance(level->text());
    const int textLeft = level->alignment() & Qt::AlignRight ? level->geometry().right() - textWidth
                                                             : level->geometry().left();
    QVERIFY2(textLeft > banner->geometry().right(), qPrintable(level->text()));

    QVERIFY(summary->buttonPlayAgain()->isVisible());
    QTest::mouseClick(summary->buttonPlayAgain(), Qt::LeftButton);
    QTRY_VERIFY_WITH_TIMEOUT(s.host.has("CMD_startgame+"), patience);
    QCOMPARE(s.host.take("CMD_startgame+"), start);
    QVERIFY(summary->isHidden());
    // The next game deals a hand again.
    s.host.send(start);
    QTRY_VERIFY_WITH_TIMEOUT(b.extra(1)->isVisible(), patience);
}

QTEST_MAIN(GameStoryTest)
#include "tst_gamestory.moc"
