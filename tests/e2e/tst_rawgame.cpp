// SPDX-License-Identifier: MIT
// A whole game on the real host executable between two raw TCP clients that play by what the host
// tells them, watched from some turn on by a spectator who joins during the game. Every turn's
// messages are predicted from the mover's own view and compared, in order, with what each client
// receives: the move (a steal after its word), the formed word with its score, then the winner or the
// next seat's new letter and the next turn.
#include "messagetext.h"
#include "programprocess.h"
#include "rawclient.h"
#include "tableview.h"
#include "wordplanner.h"

#include <QElapsedTimer>
#include <QFile>
#include <QSet>
#include <QTemporaryDir>
#include <QTest>
#include <array>
#include <memory>

using namespace quibo;
using namespace quibo::test;

namespace {

// The host's seed makes the game repeatable; QUIBO_E2E_SEED plays another one.
const quint32 hostSeed =
    qEnvironmentVariableIsSet("QUIBO_E2E_SEED") ? qEnvironmentVariable("QUIBO_E2E_SEED").toUInt() : 4u;
constexpr int targetScore = 150;
constexpr int maxTurns = 600;
constexpr qint64 maxGameMs = 240'000;
constexpr int spectatorJoinsBeforeTurn = 9;
constexpr int messageTimeoutMs = 30'000;

// One expected message. Where the host draws letters, only the seat (and the slot) must match: the
// text then stands for the hand or the letter with whatever codes the host drew.
struct Expected {
    enum class Match { Exactly, AnyHand, AnyLetter };
    QByteArray text;
    Match match = Match::Exactly;

    bool matches(const QByteArray& got) const {
        switch (match) {
        case Match::Exactly:
            return got == text;
        case Match::AnyHand: {
            const auto hand = decodeText<msg::Letters>(got);
            return hand && hand->seat == decodeText<msg::Letters>(text)->seat;
        }
        case Match::AnyLetter: {
            const auto dealt = decodeText<msg::NewLetter>(got);
            const auto wanted = decodeText<msg::NewLetter>(text);
            return dealt && dealt->seat == wanted->seat && dealt->slot == wanted->slot;
        }
        }
        return false;
    }
    QByteArray shown() const { return match == Match::Exactly ? text : text + "..."; }
};

template <TypedMessage M>
Expected exactly(const M& message) {
    return {textOf(message)};
}
Expected handDealtTo(int seat) {
    return {textOf(msg::Letters{seat, {}}), Expected::Match::AnyHand};
}
Expected letterDealt(int seat, int slot) {
    return {textOf(msg::NewLetter{seat, slot, 0}), Expected::Match::AnyLetter};
}

bool isCommand(const QByteArray& message, const char* command) {
    return splitMessage(message).command == command;
}

struct Player {
    Player(int seat, const WordPlanner& planner)
        : view(seat, planner) {}
    RawClient client;
    TableView view;
    qsizetype cursor = 0; // first message not yet checked
};

QString describe(const QList<QByteArray>& messages) {
    QStringList lines;
    for (const QByteArray& message : messages)
        lines << QString::fromUtf8(message);
    return lines.join(QStringLiteral(", "));
}

} // namespace

class RawGameTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void initTestCase();
    void playersAreSeatedAndIntroducedInConnectionOrder();
    void wholeGameIsPlayedToAWinnerByTheRules();
    void terminationClosesEveryConnectionAndRemovesTheWordFile();

private:
    Player& player(int seat) { return *m_players.at(seat - 1); }
    Position position(int mover) const;
    QString playTurn(int mover, bool& finished);
    QString tryRefusedSteal(int mover);
    QString tryStealBeyondAllowance(int mover);
    QString joinSpectator();
    QString checkSegment(Player& p, const QList<Expected>& expected);
    QList<Expected> expectedTurn(int viewer, int mover, const PlannedMove& move) const;

    QTemporaryDir m_dir;
    std::unique_ptr<WordPlanner> m_planner;
    std::unique_ptr<ProgramProcess> m_host;
    std::vector<std::unique_ptr<Player>> m_players; // seats 1 and 2, then the spectator in seat 3
    quint16 m_port = 0;
    int m_winner = 0;
    bool m_refusedStealTried = false;
    bool m_stealBeyondAllowanceTried = false;
    std::array<int, 4> m_moveCounts{}; // by PlannedMove::Kind
};

void RawGameTest::initTestCase() {
    QVERIFY(m_dir.isValid());
    m_planner = std::make_unique<WordPlanner>(WordPlanner::fromWordFile(QStringLiteral(QUIBO_WORD_LIST)));
    QVERIFY2(m_planner->wordCount() > 100000, "the word list could not be read");

    m_host = std::make_unique<ProgramProcess>(m_dir.path());
    m_port = m_host->startHost(hostSeed);
    QVERIFY2(m_port != 0, qPrintable(m_host->failure));
    QTRY_VERIFY_WITH_TIMEOUT(QFile::exists(m_dir.filePath(QStringLiteral("English"))), 20000);
    for (int seat = 1; seat <= 2; ++seat)
        m_players.push_back(std::make_unique<Player>(seat, *m_planner));
}

void RawGameTest::playersAreSeatedAndIntroducedInConnectionOrder() {
    QCOMPARE(player(1).client.connectAndGetSeat(m_port), 1);
    player(1).client.send(msg::LoginInfo{1, programVersion, "Ann"});
    QVERIFY(player(1).client.waitFor("CMD_newplayerinfo+1+Ann") >= 0);
    QCOMPARE(player(2).client.connectAndGetSeat(m_port), 2);
    player(2).client.send(msg::LoginInfo{2, programVersion, "Bob"});
    QVERIFY(player(2).client.waitFor("CMD_existingplayers+") >= 0);
    QVERIFY(player(1).client.waitFor("CMD_newplayerinfo+2+Bob") >= 0);
    QVERIFY(player(2).client.waitFor("CMD_seatkey+2+") >= 0);

    // Each player also gets its seat's key, right after the announcements of its login.
    const QList<QByteArray> annSaw{"CMD_sendlogininfo+1", "CMD_newplayerinfo+1+Ann", "CMD_seatkey+1+",
                                   "CMD_newplayerinfo+2+Bob"};
    const QList<QByteArray> bobSaw{"CMD_sendlogininfo+2", "CMD_newplayerinfo+2+Bob",
                                   "CMD_existingplayers+1+Ann", "CMD_seatkey+2+"};
    const auto keysCut = [](QList<QByteArray> messages) {
        for (QByteArray& m : messages) {
            if (m.startsWith("CMD_seatkey+")) m.truncate(m.indexOf('+', 12) + 1);
        }
        return messages;
    };
    QCOMPARE(keysCut(player(1).client.messages), annSaw);
    QCOMPARE(keysCut(player(2).client.messages), bobSaw);
    for (auto& p : m_players)
        p->cursor = p->client.messages.size();
}

void RawGameTest::wholeGameIsPlayedToAWinnerByTheRules() {
    QVERIFY2(player(2).cursor == 4, "the players are not seated");
    const msg::StartGame start{"Ann", 30, targetScore, 5};
    player(1).client.send(start);
    // Seat 2 opens: it alone is dealt a sixth letter before the first turn is announced.
    for (int seat = 1; seat <= 2; ++seat) {
        QList<Expected> opening{exactly(start), handDealtTo(seat)};
        if (seat == 2) opening << letterDealt(2, 6);
        opening << exactly(msg::NextPlayer{2, 5});
        const QString error = checkSegment(player(seat), opening);
        QVERIFY2(error.isEmpty(), qPrintable(error));
    }

    QElapsedTimer clock;
    clock.start();
    bool finished = false;
    int turns = 0;
    for (int mover = 2; !finished; mover = 3 - mover, ++turns) {
        QVERIFY2(turns < maxTurns && clock.elapsed() < maxGameMs,
                 qPrintable(QStringLiteral("no winner after %1 turns in %2 s; scores %3:%4")
                                .arg(turns)
                                .arg(clock.elapsed() / 1000)
                                .arg(player(1).view.score(1))
                                .arg(player(1).view.score(2))));
        QString error = turns + 1 == spectatorJoinsBeforeTurn ? joinSpectator() : QString();
        if (error.isEmpty()) error = playTurn(mover, finished);
        QVERIFY2(error.isEmpty(), qPrintable(QStringLiteral("turn %1: %2").arg(turns + 1).arg(error)));
    }
    QVERIFY2(m_players.size() == 3, "the game ended before the spectator joined");
    QVERIFY2(m_refusedStealTried, "no steal could be tried");
    qInfo("a steal beyond the allowance was %s", m_stealBeyondAllowanceTried ? "tried" : "never possible");
    const TableView& view = player(1).view;
    QVERIFY(view.score(m_winner) >= targetScore);
    QVERIFY(view.score(m_winner) > view.score(3 - m_winner));
    qInfo("seat %d won %d:%d after %d turns (%d placements, %d hand and %d board discards, %d steals); "
          "words of seat 1: %s; of seat 2: %s",
          m_winner, view.score(1), view.score(2), turns, m_moveCounts[0], m_moveCounts[1], m_moveCounts[2],
          m_moveCounts[3], qPrintable(describe(view.formed(1).values())),
          qPrintable(describe(view.formed(2).values())));
}

void RawGameTest::terminationClosesEveryConnectionAndRemovesTheWordFile() {
    QVERIFY2(m_winner != 0, "the game did not finish");
    QVERIFY(m_host->terminate());
    QVERIFY2(m_host->exitedCleanly(),
             qPrintable(QStringLiteral("host exit code %1").arg(m_host->process.exitCode())));
    for (auto& p : m_players) {
        QVERIFY(p->client.waitForClosed());
        // Nothing follows the winner but the table closing and the news that another connection
        // was closed.
        const QList<QByteArray> after = p->client.messages.mid(p->cursor);
        QCOMPARE(after.value(0), QByteArray("CMD_tableclosed+"));
        for (const QByteArray& message : after.mid(1))
            QVERIFY2(message.startsWith("CMD_playerdisconnected+"), message.constData());
    }
    QVERIFY(!QFile::exists(m_dir.filePath(QStringLiteral("English"))));
}

Position RawGameTest::position(int mover) const {
    const TableView& view = m_players.at(mover - 1)->view;
    return {view.hand(), view.board(mover), view.board(3 - mover), view.formed(mover),
            view.stealsLeft(mover)};
}

// The mover picks a move from its own view; every client must then see exactly the predicted
// messages, and afterwards all agree about both boards and scores.
QString RawGameTest::playTurn(int mover, bool& finished) {
    if (QString error = tryRefusedSteal(mover); !error.isEmpty()) return error;
    if (QString error = tryStealBeyondAllowance(mover); !error.isEmpty()) return error;
    const Position now = position(mover);
    const PlannedMove move = m_planner->choose(now);
    const bool fromHand =
        move.kind == PlannedMove::Kind::Place || move.kind == PlannedMove::Kind::DiscardExtra;
    if ((fromHand && (move.slot < 1 || now.hand[move.slot - 1] == 0)) ||
        (move.kind == PlannedMove::Kind::DiscardLetter && now.board[move.cell - 1] == 0))
        return QStringLiteral("the planner chose an impossible move");
    QList<QList<Expected>> expected;
    for (const auto& p : m_players)
        expected << expectedTurn(p->view.seat(), mover, move);
    player(mover).client.sendRaw(move.encode(mover));
    ++m_moveCounts.at(std::size_t(move.kind));
    for (std::size_t i = 0; i < m_players.size(); ++i) {
        const QString error = checkSegment(*m_players[i], expected.at(qsizetype(i)));
        if (!error.isEmpty()) return QStringLiteral("seat %1: %2").arg(i + 1).arg(error);
    }
    for (const auto& p : m_players) {
        for (int seat = 1; seat <= 2; ++seat) {
            if (p->view.board(seat) != player(1).view.board(seat) ||
                p->view.score(seat) != player(1).view.score(seat))
                return QStringLiteral("seat %1 and seat 1 disagree about seat %2")
                    .arg(p->view.seat())
                    .arg(seat);
        }
    }
    finished = isCommand(expected.first().last().text, cmd::winner);
    if (finished) m_winner = mover;
    return {};
}

// Once in the game, the mover first tries a steal that forms no new word: only the mover hears of it,
// and the boards stay as they were (the next move's prediction relies on that).
QString RawGameTest::tryRefusedSteal(int mover) {
    if (m_refusedStealTried || position(mover).stealsLeft == 0) return {};
    const std::optional<PlannedMove> steal = m_planner->refusedSteal(position(mover));
    if (!steal) return {};
    m_refusedStealTried = true;
    Player& p = player(mover);
    p.client.sendRaw(steal->encode(mover));
    const QByteArray refusal = textOf(msg::NotValid{mover});
    if (p.client.waitFor(refusal, messageTimeoutMs, int(p.cursor)) != p.cursor)
        return QStringLiteral("a steal forming no word was not refused alone: ") +
               describe(p.client.messages.mid(p.cursor));
    ++p.cursor;
    return {};
}

// Once a seat has used all its steals, a further steal is refused with its own answer, to the mover
// alone, whatever it would have formed.
QString RawGameTest::tryStealBeyondAllowance(int mover) {
    const Position now = position(mover);
    const auto hisLetter =
        std::find_if(now.hisBoard.begin(), now.hisBoard.end(), [](int code) { return code != 0; });
    if (m_stealBeyondAllowanceTried || now.stealsLeft != 0 || hisLetter == now.hisBoard.end()) return {};
    m_stealBeyondAllowanceTried = true;
    Player& p = player(mover);
    const PlannedMove steal{PlannedMove::Kind::Steal, 0, 1, int(hisLetter - now.hisBoard.begin()) + 1};
    p.client.sendRaw(steal.encode(mover));
    const QByteArray refusal = textOf(msg::TooMany{mover});
    if (p.client.waitFor(refusal, messageTimeoutMs, int(p.cursor)) != p.cursor)
        return QStringLiteral("a steal beyond the allowance was not refused alone: ") +
               describe(p.client.messages.mid(p.cursor));
    ++p.cursor;
    return {};
}

// A spectator joining during the game is introduced, then sees both boards and the game's figures
// (but no letters); everybody else hears of the newcomer before the next move.
QString RawGameTest::joinSpectator() {
    auto spectator = std::make_unique<Player>(3, *m_planner);
    if (spectator->client.connectAndGetSeat(m_port) != 3)
        return QStringLiteral("the spectator got no seat 3");
    spectator->client.send(msg::LoginInfo{3, programVersion, "Cy"});
    QList<QByteArray> expected{textOf(msg::SendLoginInfo{3}), textOf(msg::NewPlayerInfo{3, "Cy"}),
                               textOf(msg::ExistingPlayers{1, "Ann"}),
                               textOf(msg::ExistingPlayers{2, "Bob"})};
    const TableView& view = player(1).view;
    for (int seat = 1; seat <= 2; ++seat) {
        for (int cell = 1; cell <= boardCells; ++cell) {
            if (const int code = view.board(seat)[cell - 1]; code != 0)
                expected << textOf(msg::PlaceMyLetter{seat, 0, cell, code});
        }
    }
    expected << textOf(msg::GameStats{30, targetScore, 5, view.score(1), view.score(2)});
    RawClient& client = spectator->client;
    // The words formed so far and the turn under way come last.
    (void)QTest::qWaitFor([&] { return client.indexOf(msg::TurnState::command) >= 0; }, messageTimeoutMs);
    if (client.messages.mid(0, expected.size()) != expected)
        return QStringLiteral("the spectator was brought up to date with [%1] instead of [%2]")
            .arg(describe(client.messages), describe(expected));
    std::array<QSet<QByteArray>, 3> words;
    for (const QByteArray& message : client.messages.mid(expected.size())) {
        if (const auto word = decodeText<msg::EarlierWord>(message); word && word->seat <= 2)
            words.at(std::size_t(word->seat)) << word->word;
        else if (const auto turn = decodeText<msg::TurnState>(message);
                 !turn || turn->stealsLeft1 != view.stealsLeft(1) || turn->stealsLeft2 != view.stealsLeft(2))
            return QStringLiteral("the spectator was told %1 after the game's figures")
                .arg(describe({message}));
    }
    if (words[1] != view.formed(1) || words[2] != view.formed(2))
        return QStringLiteral("the spectator was not told the words formed so far");
    for (const QByteArray& message : std::as_const(client.messages)) {
        if (const QString error = spectator->view.apply(message); !error.isEmpty()) return error;
    }
    spectator->cursor = client.messages.size();
    for (int seat = 1; seat <= 2; ++seat) {
        Player& p = player(seat);
        if (p.client.waitFor(textOf(msg::NewPlayerInfo{3, "Cy"}), messageTimeoutMs, int(p.cursor)) !=
            p.cursor)
            return QStringLiteral("seat %1 was not told of the spectator first").arg(seat);
        ++p.cursor;
    }
    m_players.push_back(std::move(spectator));
    return {};
}

QList<Expected> RawGameTest::expectedTurn(int viewer, int mover, const PlannedMove& move) const {
    const Position before = position(mover);
    QList<Expected> expected;
    switch (move.kind) {
    case PlannedMove::Kind::Place:
        expected << exactly(msg::PlaceMyLetter{mover, move.slot, move.cell, before.hand[move.slot - 1]});
        break;
    case PlannedMove::Kind::DiscardLetter:
        expected << exactly(msg::DiscardLetter{mover, move.cell});
        break;
    case PlannedMove::Kind::DiscardExtra: // hands are private
        if (viewer == mover) expected << exactly(msg::DiscardExtra{mover, move.slot});
        break;
    case PlannedMove::Kind::Steal: // told after the word it forms, below
        break;
    }
    const TableView& view = m_players.at(mover - 1)->view;
    std::array<int, 3> scores{0, view.score(1), view.score(2)};
    const QByteArray word = m_planner->wordOn(move.applied(before));
    if (!word.isEmpty() && !before.formed.contains(word)) {
        const int points = WordPlanner::points(word);
        scores[mover] += points;
        expected << exactly(msg::FormedWord{mover, word, points, scores[mover]});
    }
    if (move.kind == PlannedMove::Kind::Steal) {
        expected << exactly(
            msg::StoldLetter{mover, 3 - mover, move.cell, move.hisCell, before.hisBoard[move.hisCell - 1]});
    }
    if (scores[mover] >= targetScore && scores[1] != scores[2]) {
        expected << exactly(msg::Winner{mover});
        return expected;
    }
    const int next = 3 - mover;
    const int slot = m_players.at(next - 1)->view.firstEmptySlot();
    if (viewer == next && slot != 0) expected << letterDealt(next, slot);
    expected << exactly(msg::NextPlayer{next, view.stealsLeft(next)});
    return expected;
}

// Waits for the player's next turn-closing message (the next turn or the winner), then compares
// everything since the last one with the expected messages and applies them to the player's view.
QString RawGameTest::checkSegment(Player& p, const QList<Expected>& expected) {
    auto closingIndex = [&p] {
        for (qsizetype i = p.cursor; i < p.client.messages.size(); ++i) {
            const QByteArray& message = p.client.messages.at(i);
            if (isCommand(message, cmd::nextplayer) || isCommand(message, cmd::winner)) return i;
        }
        return qsizetype(-1);
    };
    (void)QTest::qWaitFor([&] { return closingIndex() >= 0; }, messageTimeoutMs);
    const qsizetype end = closingIndex();
    const QList<QByteArray> got = p.client.messages.mid(p.cursor, end < 0 ? -1 : end + 1 - p.cursor);
    QList<QByteArray> wanted;
    for (const Expected& e : expected)
        wanted << e.shown();
    const QString mismatch = QStringLiteral("expected [%1], got [%2]").arg(describe(wanted), describe(got));
    if (end < 0) return QStringLiteral("the turn never closed; ") + mismatch;
    if (got.contains(textOf(msg::TimeUp{})))
        return QStringLiteral("the host's clock ended a turn; ") + mismatch;
    if (got.size() != expected.size()) return mismatch;
    for (qsizetype i = 0; i < got.size(); ++i) {
        const Expected& e = expected.at(i);
        if (!e.matches(got.at(i))) return mismatch;
        const QString error = p.view.apply(got.at(i));
        if (!error.isEmpty()) return error;
    }
    p.cursor = end + 1;
    return {};
}

QTEST_GUILESS_MAIN(RawGameTest)
#include "tst_rawgame.moc"
