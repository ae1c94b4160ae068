// SPDX-License-Identifier: MIT
// Game records without a host: the file read back, refused when damaged, truncated, foreign or of a
// later version; the folder of records with its names and its limit; the writer's bounds against a
// host that never stops; the local player's turns as a replay finds them.
#include "gamereplay.h"
#include "hostconnection.h"
#include "messages.h"
#include "recordfile.h"
#include "recordkeeping.h"
#include "recordshelf.h"
#include "recordwriter.h"
#include "settingsfile.h"
#include "tablemodel.h"
#include "tableroutes.h"

#include <QDir>
#include <QFile>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

using namespace quibo;

namespace {

template <class M>
QByteArray textOf(const M& m) {
    QByteArray bytes = m.encode();
    bytes.chop(1);
    return bytes;
}

// A short game of seat 1 against the computer, as the host would tell it: Ann places C, A and T and
// forms CAT; Klot places one letter in between.
GameRecord smallGame() {
    GameRecord r;
    r.started = QDateTime(QDate(2026, 12, 9), QTime(14, 30), Qt::UTC);
    r.ownSeat = 1;
    r.player1 = QStringLiteral("Ann");
    r.player2 = QStringLiteral("Klot");
    r.options = {30, 5, 5, ComputerLevel::Expert, false};
    r.wordList = QStringLiteral("standard");
    r.start.ownSeat = 1;
    r.start.seats[0].name = QStringLiteral("Ann");
    r.start.seats[0].occupied = true;
    const QList<QByteArray> texts{
        textOf(msg::StartGame{"Ann", 30, 5, 5, ComputerLevel::Expert}),
        textOf(msg::Letters{1, {{1, 3}, {2, 1}, {3, 20}, {4, 5}, {5, 19}}}),
        textOf(msg::NewLetter{1, 6, 18}),
        textOf(msg::NextPlayer{1, 5}),
        textOf(msg::PlaceMyLetter{1, 1, 1, 3}),
        textOf(msg::NextPlayer{2, 5}),
        textOf(msg::PlaceMyLetter{2, 0, 1, 15}),
        textOf(msg::NextPlayer{1, 5}),
        textOf(msg::TradingMyLetter{1, 1, 0, 2, 3}),
        textOf(msg::PlaceMyLetter{1, 2, 1, 1}),
        textOf(msg::NextPlayer{2, 5}),
        textOf(msg::PlaceMyLetter{2, 0, 2, 24}),
        textOf(msg::NextPlayer{1, 5}),
        textOf(msg::PlaceMyLetter{1, 3, 3, 20}),
        textOf(msg::FormedWord{1, "act", 5, 5}),
        textOf(msg::Winner{1}),
    };
    for (qsizetype i = 0; i < texts.size(); ++i)
        r.events.append({i * 100, texts[i]});
    r.result = {true, 1, 5, 0};
    return r;
}

QString refusalOf(const QByteArray& bytes) {
    return RecordFile::parse(bytes).refusal;
}

QByteArray replaced(QByteArray bytes, const QByteArray& from, const QByteArray& to) {
    return bytes.replace(from, to);
}

} // namespace

class RecordsTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void recordReadsBackAsWritten();
    void damagedTruncatedForeignAndFutureRecordsAreRefusedNamingTheLine();
    void eventsAreBoundedByTheReader();
    void fileNamesKeepNamesInTheFolderAndGamesApart();
    void shelfListsNewestFirstAndKeepsTheLimit();
    void writerCutsAFloodShortAndTheNextGameIsWrittenWhole();
    void ownTurnsGiveThePositionAndTheMovePlayed();
};

void RecordsTest::recordReadsBackAsWritten() {
    GameRecord r = smallGame();
    // Names that a stranger picks: a line break, a backslash, a control character.
    r.player2 = QStringLiteral("Bo\nb\\\x01");
    r.start.seats[1].name = r.player2;
    r.start.seats[0].words = {{QStringLiteral("at"), 2}};
    r.start.spectators.insert(4, QStringLiteral("Cy"));
    r.start.boards[1][9] = 26;
    const QByteArray text = RecordFile::text(r);
    QCOMPARE(text.count('\n'), qsizetype(19 + r.events.size() + 1));
    QVERIFY(text.contains("player 2 Bo\\x0ab\\x5c\\x01\n"));
    const RecordReading reading = RecordFile::parse(text);
    QVERIFY2(reading.record, qPrintable(reading.refusal));
    QCOMPARE(*reading.record, r);

    // Bytes that are not UTF-8 come back as they were.
    const QByteArray odd("\xc3(\xff+x", 5);
    QCOMPARE(RecordFile::unescape(RecordFile::escape(odd)).value(), odd);
    QVERIFY(RecordFile::escape(odd).isValidUtf8());
    QVERIFY(!RecordFile::unescape("a\\x4").has_value());
    QVERIFY(!RecordFile::unescape("a\\q41").has_value());

    // Unfinished: no result line, read as such.
    r.result = {};
    const RecordReading unfinished = RecordFile::parse(RecordFile::text(r));
    QVERIFY(unfinished.record);
    QVERIFY(!unfinished.record->result.known);
}

void RecordsTest::damagedTruncatedForeignAndFutureRecordsAreRefusedNamingTheLine() {
    const QByteArray good = RecordFile::text(smallGame());
    QVERIFY(refusalOf(good).isEmpty());
    const qsizetype events = good.count('\n') - smallGame().events.size() - 1; // lines up to "events"
    const QString eventLine = QStringLiteral("Line %1:").arg(events + 2);
    const struct {
        const char* what;
        QByteArray bytes;
        QString expected;
    } cases[] = {
        {"empty", QByteArray(), QStringLiteral("empty")},
        {"foreign", QByteArrayLiteral("PK\x03\x04 some archive\n"), QStringLiteral("Line 1: this is not")},
        {"future version", replaced(good, "Quibo game record 1\n", "Quibo game record 2\n"),
         QStringLiteral("newer version of Quibo (format 2)")},
        {"version unreadable", replaced(good, "Quibo game record 1\n", "Quibo game record one\n"),
         QStringLiteral("Line 1:")},
        {"cut inside a line", good.left(good.size() - 3), QStringLiteral("breaks off")},
        {"cut before the events", good.left(good.indexOf("events\n")),
         QStringLiteral("ends before its events")},
        {"unknown header", replaced(good, "wordlist ", "colour "), QStringLiteral("Line 7:")},
        {"letter code out of range", replaced(good, "table-hand 0 ", "table-hand 27 "),
         QStringLiteral("damaged")},
        {"seat out of range", replaced(good, "seat 1\n", "seat 12\n"), QStringLiteral("Line 3:")},
        {"event that is not a message", replaced(good, "CMD_letters+", "CMD_lettres+"), eventLine},
        {"event out of range", replaced(good, "CMD_placemyletter+1+1+1+3", "CMD_placemyletter+1+1+11+3"),
         QStringLiteral("the event is damaged")},
        {"chat is no event", replaced(good, "CMD_letters+1+", "CMD_chat+Ann: hi|clBlack"), eventLine},
        {"time running back", replaced(good, "\n100 CMD_letters", "\n-1 CMD_letters"), eventLine},
        {"after the result", good + "0 CMD_timeup+\n", QStringLiteral("nothing may follow")},
        {"damaged result", replaced(good, "result 1 5 0", "result 3 5 0"),
         QStringLiteral("result is damaged")},
    };
    for (const auto& c : cases) {
        const RecordReading reading = RecordFile::parse(c.bytes);
        QVERIFY2(!reading.record, c.what);
        QVERIFY2(reading.refusal.contains(c.expected),
                 qPrintable(QStringLiteral("%1: %2").arg(c.what, reading.refusal)));
    }

    // From a file: the refusal names it; a record that reads is taken whole.
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("x.quibo"));
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(good.left(good.size() - 3));
    file.close();
    QVERIFY(RecordFile::read(path).refusal.contains(path));
    QVERIFY(RecordFile::read(dir.filePath(QStringLiteral("missing.quibo")))
                .refusal.contains(QStringLiteral("does not exist")));
}

void RecordsTest::eventsAreBoundedByTheReader() {
    GameRecord r = smallGame();
    r.result = {};
    const QByteArray event = textOf(msg::TimeUp{});
    r.events.resize(1);
    while (r.events.size() < RecordFile::maxEvents)
        r.events.append({0, event});
    QVERIFY(RecordFile::parse(RecordFile::text(r)).record);
    r.events.append({0, event});
    QVERIFY(RecordFile::parse(RecordFile::text(r)).refusal.contains(QStringLiteral("too many events")));
    QVERIFY(RecordFile::parse(QByteArray(RecordFile::maxFileBytes + 1, '\n'))
                .refusal.contains(QStringLiteral("too large")));
}

void RecordsTest::fileNamesKeepNamesInTheFolderAndGamesApart() {
    QCOMPARE(RecordShelf::fileNamePart(QStringLiteral("../../etc/passwd")), QStringLiteral("etcpasswd"));
    QCOMPARE(RecordShelf::fileNamePart(QStringLiteral("a\\b\x01:c*")), QStringLiteral("abc"));
    QCOMPARE(RecordShelf::fileNamePart(QStringLiteral("/..")), QStringLiteral("player"));
    QCOMPARE(RecordShelf::fileNamePart(QString(100, QLatin1Char('x'))).size(),
             RecordShelf::maxNameInFileName);
    QCOMPARE(RecordShelf::fileNamePart(QStringLiteral("Jürgen_2-b")), QStringLiteral("Jürgen_2-b"));

    QTemporaryDir dir;
    const RecordShelf shelf(dir.path());
    const QDateTime when(QDate(2026, 12, 9), QTime(14, 30, 12));
    const QString first = shelf.newRecordPath(when, QStringLiteral("Ann"), QStringLiteral("../Bob"));
    QCOMPARE(first, dir.filePath(QStringLiteral("2026-12-09-1430-Ann-Bob.quibo")));
    QFile(first).open(QIODevice::WriteOnly);
    const QString second =
        shelf.newRecordPath(when.addSecs(20), QStringLiteral("Ann"), QStringLiteral("Bob"));
    QCOMPARE(second, dir.filePath(QStringLiteral("2026-12-09-1430-Ann-Bob-2.quibo")));
}

void RecordsTest::shelfListsNewestFirstAndKeepsTheLimit() {
    QTemporaryDir dir;
    const RecordShelf shelf(dir.path());
    GameRecord r = smallGame();
    QStringList paths;
    for (int i = 0; i < 5; ++i) {
        r.started = r.started.addDays(1);
        const QString path = shelf.newRecordPath(r.started, r.player1, r.player2);
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(RecordFile::text(r));
        paths << path;
    }
    QFile(dir.filePath(QStringLiteral("notes.txt"))).open(QIODevice::WriteOnly);
    // The newest is unfinished, one in between is damaged: both still listed, as what they are.
    {
        QFile newest(paths[4]);
        QVERIFY(newest.open(QIODevice::WriteOnly));
        r.result = {};
        newest.write(RecordFile::text(r));
        QFile damaged(paths[2]);
        QVERIFY(damaged.open(QIODevice::WriteOnly));
        damaged.write("Quibo game record 1\nstarted yesterday\n");
    }
    const QList<ShelvedRecord> listed = shelf.list();
    QCOMPARE(listed.size(), 5);
    QCOMPARE(listed[0].path, paths[4]);
    QVERIFY(!listed[0].result.known);
    QCOMPARE(listed[1].result, (GameResult{true, 1, 5, 0}));
    QCOMPARE(listed[1].opponent, QStringLiteral("Klot"));
    QCOMPARE(listed[1].ownDisplaySeat, 1);
    QVERIFY(!listed[2].refusal.isEmpty());
    QCOMPARE(listed[3].started.date(), QDate(2026, 12, 11));

    // Past the limit and back: the oldest go, the one spared stays, other files are not touched.
    QCOMPARE(shelf.removeBeyondLimit(5), 0);
    QCOMPARE(shelf.removeBeyondLimit(3, paths[0]), 1);
    QVERIFY(QFile::exists(paths[0]));
    QVERIFY(!QFile::exists(paths[1]));
    QCOMPARE(shelf.removeBeyondLimit(1), 3);
    QCOMPARE(shelf.list().size(), 1);
    QVERIFY(QFile::exists(dir.filePath(QStringLiteral("notes.txt"))));

    // The setting: missing or not a number gives the default, out of range is brought in.
    const SettingsFile settings(dir.filePath(QStringLiteral("kivolobby.ini")));
    QCOMPARE(RecordKeeping::limitSetting(settings), RecordShelf::defaultLimit);
    settings.write(QStringLiteral("RecordLimit"), QStringLiteral("lots"));
    QCOMPARE(RecordKeeping::limitSetting(settings), RecordShelf::defaultLimit);
    settings.write(QStringLiteral("RecordLimit"), QStringLiteral("0"));
    QCOMPARE(RecordKeeping::limitSetting(settings), RecordShelf::minLimit);
    settings.write(QStringLiteral("RecordLimit"), QStringLiteral("99999999"));
    QCOMPARE(RecordKeeping::limitSetting(settings), RecordShelf::maxLimit);
    settings.write(QStringLiteral("RecordLimit"), QStringLiteral("20"));
    QCOMPARE(RecordKeeping::limitSetting(settings), 20);
}

void RecordsTest::writerCutsAFloodShortAndTheNextGameIsWrittenWhole() {
    QTemporaryDir dir;
    HostConnection connection;
    TableModel model;
    routeToModel(connection, model);
    RecordWriter writer(connection, model, dir.filePath(QStringLiteral("games")));
    QSignalSpy recorded(&writer, &RecordWriter::gameRecorded);
    const auto feed = [&connection](const QByteArray& bytes) {
        connection.takeBytes(bytes);
        while (connection.queuedMessages() > 0)
            connection.Timer1Timer();
    };
    feed(msg::SendLoginInfo{1}.encode() + msg::NewPlayerInfo{1, "Ann"}.encode());
    QVERIFY(!writer.writing());
    feed(msg::StartGame{"Ann", 30, 100, 5}.encode());
    QVERIFY(writer.writing());
    const QString path = writer.lastPath();
    // A crash now leaves what was written: a readable, unfinished record up to the last event.
    feed(msg::Letters{1, {{1, 3}}}.encode());
    RecordReading sofar = RecordFile::read(path);
    QVERIFY2(sofar.record, qPrintable(sofar.refusal));
    QCOMPARE(sofar.record->events.size(), 2);
    QVERIFY(!sofar.record->result.known);

    // A host that never stops: one short of the bound, then past it.
    const QByteArray swap = msg::TradingMyLetter{1, 1, 0, 2, 0}.encode();
    while (writer.lastRecord().events.size() < RecordFile::maxEvents)
        feed(swap);
    QVERIFY(!writer.lastRecord().cutShort);
    feed(swap + swap + msg::Winner{1}.encode());
    QVERIFY(writer.lastRecord().cutShort);
    QCOMPARE(recorded.size(), 0);
    sofar = RecordFile::read(path);
    QVERIFY2(sofar.record, qPrintable(sofar.refusal));
    QVERIFY(sofar.record->cutShort);
    QCOMPARE(sofar.record->events.size(), RecordFile::maxEvents);
    QVERIFY(QFileInfo(path).size() <= RecordFile::maxFileBytes);

    // The next game is a record of its own, whole, with its result.
    feed(msg::StartGame{"Ann", 30, 100, 5}.encode() + msg::Winner{2}.encode());
    QCOMPARE(recorded.size(), 1);
    QVERIFY(writer.lastPath() != path);
    const RecordReading next = RecordFile::read(writer.lastPath());
    QVERIFY2(next.record, qPrintable(next.refusal));
    QCOMPARE(next.record->events.size(), 2);
    QCOMPARE(next.record->result.winner, 2);
    QCOMPARE(next.record->start.seats[0].name, QStringLiteral("Ann"));
}

void RecordsTest::ownTurnsGiveThePositionAndTheMovePlayed() {
    const GameReplay replay(smallGame());
    QCOMPARE(replay.stepCount(), 16);
    QCOMPARE(replay.stateAt(0), smallGame().start);
    QCOMPARE(replay.stateAt(99), replay.stateAt(16));
    QCOMPARE(replay.stateAt(16).winner, 1);

    const QList<TurnPosition> turns = replay.ownTurns();
    QCOMPARE(turns.size(), 3);
    // The first turn: the whole hand, the sixth letter dealt with it; nothing formed.
    QCOMPARE(turns[0].step, 4);
    QCOMPARE(turns[0].moveStep, 5);
    QCOMPARE(turns[0].view.hand, (Hand{3, 1, 20, 5, 19, 18}));
    QCOMPARE(turns[0].view.targetscore, 5);
    QCOMPARE(turns[0].view.stealsLeft, 5);
    QVERIFY(turns[0].playedWord.isEmpty());
    // The second: a free swap first, then the move; the opponent's letter is on its board.
    QCOMPARE(turns[1].step, 8);
    QCOMPARE(turns[1].moveStep, 10);
    QCOMPARE(turns[1].view.board, (Board{3, 0, 0, 0, 0, 0, 0, 0, 0, 0}));
    QCOMPARE(turns[1].view.opponentBoard, (Board{15, 0, 0, 0, 0, 0, 0, 0, 0, 0}));
    // The last: the word the placement formed, shown with it.
    QCOMPARE(turns[2].step, 13);
    QCOMPARE(turns[2].moveStep, 15);
    QCOMPARE(turns[2].playedWord, QByteArray("ACT"));
    QCOMPARE(turns[2].playedPoints, 5);
    QCOMPARE(turns[2].view.opponentBoard, (Board{15, 24, 0, 0, 0, 0, 0, 0, 0, 0}));

    // A spectator has no turns of its own.
    GameRecord watched = smallGame();
    watched.start.ownSeat = 4;
    QVERIFY(GameReplay(watched).ownTurns().isEmpty());
}

QTEST_GUILESS_MAIN(RecordsTest)
#include "tst_records.moc"
