// SPDX-License-Identifier: MIT
// Whole games between two computer players on the real word lists, driven tick by tick: every game
// must end with a winner, and no turn may ever be left open without its clock.
#include "commands.h"
#include "gamerules.h"
#include "messages.h"
#include "recordingoutbox.h"
#include "tdictn.h"
#include "wordlists.h"

#include <QLoggingCategory>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

using namespace quibo;
using namespace quibo::test;

namespace {

constexpr int gameCount = 200;
// A game of a few hundred turns would already be unusual at these targets.
constexpr int tickLimit = 20000;

int pointsAnnounced(const RecordingOutbox& outbox, int seat) {
    int points = 0;
    for (const QByteArray& text : outbox.to(1, cmd::formedword)) {
        const auto formed =
            msg::FormedWord::decode(QByteArrayView(text).sliced(qstrlen(cmd::formedword) + 1));
        if (formed && formed->seat == seat) points += formed->points;
    }
    return points;
}

bool lettersAreValid(const tplayer& player) {
    const auto valid = [](int code) { return code >= 0 && code <= 26; };
    return std::all_of(player.hand.begin(), player.hand.end(), valid) &&
           std::all_of(player.board.begin(), player.board.end(), valid);
}

} // namespace

class SoakTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void initTestCase();
    void computerGamesAlwaysEndWithAWinner();

private:
    QTemporaryDir m_dir;
    std::unique_ptr<TDictn> m_dict;
    QStringList m_candidates;
};

void SoakTest::initTestCase() {
    QStandardPaths::setTestModeEnabled(true);
    // Four hundred game starts and wins would drown the report.
    QLoggingCategory::setFilterRules(QStringLiteral("quibo.game.info=false"));
    QVERIFY(m_dir.isValid());
    m_dict = std::make_unique<TDictn>(m_dir.path());
    QVERIFY(m_dict->isOpen());
    m_candidates = loadCandidateWords();
    QVERIFY(m_candidates.size() > 1000);
}

void SoakTest::computerGamesAlwaysEndWithAWinner() {
    SeatTable seats;
    for (int seat = 1; seat <= 2; ++seat) {
        seats[seat].occupied = 1;
        seats[seat].name = "Computer " + QByteArray::number(seat);
    }
    seats.playercount = 2;
    RecordingOutbox outbox;
    Random random;
    GameRules rules(seats, outbox, random, m_dict.get(), m_candidates);
    const int steals[] = {0, 3, unlimitedSteals};
    int longestGame = 0;

    for (int game = 1; game <= gameCount; ++game) {
        random.setSeed(quint32(game) * 2654435761u);
        outbox.clear();
        const int target = 20 + (game % 9) * 10;
        rules.startgame(msg::StartGame{"Soak", 30, target, steals[game % 3]});
        // A start clears watching; both owners go back to watching at once.
        rules.setUpPosition({.seats = {{1, {.watching = true}}, {2, {.watching = true}}}});
        rules.watchStarted(rules.currentseat());

        int ticks = 0;
        while (rules.gamerunning() && ticks < tickLimit) {
            rules.turntimerTimer();
            ++ticks;
            if (rules.gamerunning() && !rules.turntimer().isActive())
                QFAIL(qPrintable(
                    QStringLiteral("game %1: turn of seat %2 left open").arg(game).arg(rules.currentseat())));
        }
        if (rules.gamerunning())
            QFAIL(qPrintable(QStringLiteral("game %1 did not end within %2 ticks").arg(game).arg(tickLimit)));
        longestGame = std::max(longestGame, ticks);

        const int winner = rules.currentseat();
        QCOMPARE(outbox.to(1).last(), "CMD_winner+" + QByteArray::number(winner) + '+');
        QCOMPARE(outbox.to(1, cmd::winner).size(), 1);
        QVERIFY(seats[winner].score >= target);
        QVERIFY(seats[1].score != seats[2].score);
        for (int seat = 1; seat <= 2; ++seat) {
            QCOMPARE(pointsAnnounced(outbox, seat), seats[seat].score);
            QVERIFY(lettersAreValid(seats[seat]));
            QVERIFY(steals[game % 3] == unlimitedSteals ? seats[seat].stealsused == 0
                                                        : seats[seat].stealsused <= steals[game % 3]);
        }
    }
    qInfo("longest game: %d ticks", longestGame);
}

QTEST_GUILESS_MAIN(SoakTest)
#include "tst_soak.moc"
