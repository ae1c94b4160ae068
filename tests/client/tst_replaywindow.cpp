// SPDX-License-Identifier: MIT
// Looking back at kept games: the replay window follows its step (buttons, slider, keys) and shows
// the replayed table, its game lines and the analysis beside the own move; the list of records opens
// them; a record that is refused opens no replay, in the window and on the command line alike; the
// summary lists the costliest misses.
#include "gamesummarywindow.h"
#include "modalcloser.h"
#include "recordfile.h"
#include "recordswindow.h"
#include "replayboard.h"
#include "replayopener.h"
#include "replaywindow.h"

#include <QApplication>
#include <QClipboard>
#include <QFile>
#include <QLabel>
#include <QListWidget>
#include <QProcess>
#include <QSlider>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>
#include <QTimeZone>
#include <QTreeWidget>

using namespace quibo;

namespace {

template <class M>
RecordEvent event(const M& message) {
    QByteArray text = message.encode();
    text.chop(1); // the terminator
    return {0, text};
}

// Ann (the own seat 1) forms CAT against Bob in three turns and wins.
GameRecord catGame() {
    GameRecord r;
    r.started = QDateTime(QDate(2026, 12, 9), QTime(14, 30), QTimeZone::utc());
    r.ownSeat = 1;
    r.player1 = QStringLiteral("Ann");
    r.player2 = QStringLiteral("Bob");
    r.wordList = QStringLiteral("standard");
    r.start.ownSeat = 1;
    r.start.seats[0].name = r.player1;
    r.start.seats[0].occupied = true;
    r.start.seats[1].name = r.player2;
    r.start.seats[1].occupied = true;
    r.events = {event(msg::StartGame{"Ann", 30, 5, 5}),
                event(msg::Letters{1, {{1, 3}, {2, 1}, {3, 20}, {4, 18}, {5, 5}}}),
                event(msg::NextPlayer{1, 5}),
                event(msg::PlaceMyLetter{1, 1, 1, 3}),
                event(msg::NextPlayer{2, 5}),
                event(msg::PlaceMyLetter{2, 1, 4, 24}),
                event(msg::NextPlayer{1, 5}),
                event(msg::PlaceMyLetter{1, 2, 2, 1}),
                event(msg::NextPlayer{2, 5}),
                event(msg::DiscardLetter{2, 4}),
                event(msg::NextPlayer{1, 5}),
                event(msg::PlaceMyLetter{1, 3, 3, 20}),
                event(msg::FormedWord{1, "cat", 5, 5}),
                event(msg::Winner{1})};
    r.result = {true, 1, 5, 0};
    return r;
}

QString writeRecord(const QTemporaryDir& dir, const QString& name, const QByteArray& text) {
    const QString path = dir.filePath(name);
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(text) != text.size()) return {};
    return path;
}

QStringList itemTexts(const QListWidget* list) {
    QStringList texts;
    for (int i = 0; i < list->count(); ++i)
        texts << list->item(i)->text();
    return texts;
}

TurnVerdict verdict(int step, int moveStep, const char* best, int bestPoints, int loss) {
    TurnVerdict v;
    v.turn.step = step;
    v.turn.moveStep = moveStep;
    v.best.word = best;
    v.best.points = bestPoints;
    v.loss = loss;
    v.text = QStringLiteral("verdict %1").arg(step);
    return v;
}

} // namespace

class ReplayWindowTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void initTestCase() { QStandardPaths::setTestModeEnabled(true); }
    void keysAndSliderMoveTheStepWithinTheGame();
    void boardAndLinesShowTheReplayedTable();
    void analysisStandsBesideTheOwnMoveOnly();
    void exportHasOneLineAMoveOrWord();
    void recordsAreListedAndOpened();
    void refusedRecordShowsTheReadersMessage();
    void replayOfADamagedFileExitsWithItsMessage();
    void summaryListsTheThreeCostliestMisses();
};

void ReplayWindowTest::keysAndSliderMoveTheStepWithinTheGame() {
    const GameRecord record = catGame();
    ReplayWindow window(record, QString());
    window.setAttribute(Qt::WA_DeleteOnClose, false);
    window.show();
    QVERIFY(QTest::qWaitForWindowActive(&window));
    const int last = int(record.events.size());
    QCOMPARE(window.step(), 0);
    // Left at the start and Right at the end go nowhere; the slider follows every step.
    QTest::keyClick(&window, Qt::Key_Left);
    QCOMPARE(window.step(), 0);
    QTest::keyClick(&window, Qt::Key_Right);
    QCOMPARE(window.step(), 1);
    QTest::keyClick(&window, Qt::Key_End);
    QCOMPARE(window.step(), last);
    QCOMPARE(window.slider()->value(), last);
    QTest::keyClick(&window, Qt::Key_Right);
    QCOMPARE(window.step(), last);
    QTest::keyClick(&window, Qt::Key_Left);
    QCOMPARE(window.step(), last - 1);
    QTest::keyClick(&window, Qt::Key_Home);
    QCOMPARE(window.step(), 0);
    window.slider()->setValue(4);
    QCOMPARE(window.step(), 4);
    // Each step shows the table as the record left it there, going back as well as on.
    for (int step : {4, 13, 2, last, 0}) {
        window.seek(step);
        QCOMPARE(window.model().state(), window.replay().stateAt(step));
    }
}

void ReplayWindowTest::boardAndLinesShowTheReplayedTable() {
    ReplayWindow window(catGame(), QString());
    window.setAttribute(Qt::WA_DeleteOnClose, false);
    auto* board = window.findChild<ReplayBoard*>();
    QVERIFY(board);
    const QRect cell1 = ReplayBoard::tileRect(Row::OwnBoard, 1);
    const QRect slot1 = ReplayBoard::tileRect(Row::Hand, 1);
    const auto shown = [board](const QRect& tile) {
        return board->grab().toImage().pixelColor(tile.center() + QPoint(-12, 0));
    };
    window.seek(2); // the hand is dealt
    const QColor emptyCell = shown(cell1);
    const QColor heldSlot = shown(slot1);
    window.seek(4); // C from slot 1 to cell 1
    QCOMPARE(window.model().code(Row::OwnBoard, 1), 3);
    QVERIFY(shown(cell1) != emptyCell);
    QVERIFY(shown(slot1) != heldSlot);
    QCOMPARE(board->statusText(), QStringLiteral("Your turn."));
    window.seek(5);
    QCOMPARE(board->statusText(), QStringLiteral("Bob's turn."));

    const auto lines = window.findChild<QListWidget*>(QStringLiteral("listbox_replaylines"));
    window.last();
    QCOMPARE(board->statusText(), QStringLiteral("You have won the game!"));
    QCOMPARE(window.lines().lines(), itemTexts(lines));
    QVERIFY(window.lines().lines().contains(QStringLiteral("For 5 points you formed CAT")));
    QVERIFY(window.lines().lines().contains(QStringLiteral("Bob removed the X from their board.")));
    QCOMPARE(window.lines().lines().last(), QStringLiteral("You have won the game!"));
    window.first();
    QCOMPARE(itemTexts(lines), QStringList());
    window.seek(1);
    QCOMPARE(itemTexts(lines), QStringList{QStringLiteral("You have started a game.")});
}

void ReplayWindowTest::analysisStandsBesideTheOwnMoveOnly() {
    ReplayWindow window(catGame(), QString());
    window.setAttribute(Qt::WA_DeleteOnClose, false);
    const QList<TurnPosition> turns = window.replay().ownTurns();
    QCOMPARE(turns.size(), 3);
    QList<TurnVerdict> verdicts;
    for (const TurnPosition& t : turns) {
        TurnVerdict v = verdict(t.step, t.moveStep, "CAT", 5, 0);
        v.turn = t;
        verdicts.prepend(v); // in any order
    }
    window.seek(turns[1].moveStep);
    QCOMPARE(window.analysisText(), QString());
    window.setVerdicts(verdicts);
    QCOMPARE(window.labelAnalysis()->text(), QStringLiteral("verdict %1").arg(turns[1].step));
    // Before the own move, and from the next own turn until its move, nothing is judged.
    window.seek(turns[1].moveStep - 1);
    QCOMPARE(window.analysisText(), QString());
    window.seek(turns[2].step);
    QCOMPARE(window.analysisText(), QString());
    window.last();
    QCOMPARE(window.analysisText(), QStringLiteral("verdict %1").arg(turns[2].step));
}

void ReplayWindowTest::exportHasOneLineAMoveOrWord() {
    ReplayWindow window(catGame(), QString());
    window.setAttribute(Qt::WA_DeleteOnClose, false);
    window.seek(3); // the export is the whole game, wherever the replay stands
    window.copyText();
    const QStringList lines = QApplication::clipboard()->text().split(u'\n', Qt::SkipEmptyParts);
    QCOMPARE(lines.mid(1),
             QStringList({"Ann started a game: play to 5, 30 seconds per turn.", "Ann placed C in cell 1.",
                          "Bob placed X in cell 4.", "Ann placed A in cell 2.", "Bob removed X from cell 4.",
                          "Ann placed T in cell 3.", "Ann formed CAT for 5.", "Ann won the game, 5 to 0."}));
}

void ReplayWindowTest::recordsAreListedAndOpened() {
    QTemporaryDir dir;
    GameRecord older = catGame();
    older.started = older.started.addDays(-1);
    GameRecord unfinished = catGame();
    unfinished.events.resize(5);
    unfinished.result = {};
    ReplayOpener opener(dir.path());
    QVERIFY(!writeRecord(dir, QFileInfo(opener.shelf().newRecordPath(older.started, "Ann", "Bob")).fileName(),
                         RecordFile::text(older))
                 .isEmpty());
    QVERIFY(!writeRecord(dir,
                         QFileInfo(opener.shelf().newRecordPath(unfinished.started, "Ann", "Bob")).fileName(),
                         RecordFile::text(unfinished))
                 .isEmpty());
    QWidget main;
    RecordsWindow records(opener, &main);
    records.showList();
    QCOMPARE(records.entryCount(), 2);
    QTreeWidgetItem* newest = records.list()->topLevelItem(0);
    QCOMPARE(newest->text(1), QStringLiteral("Bob"));
    QCOMPARE(newest->text(2), QStringLiteral("Unfinished"));
    QCOMPARE(records.list()->topLevelItem(1)->text(2), QStringLiteral("Won"));
    QCOMPARE(records.list()->topLevelItem(1)->text(3), QStringLiteral("5 to 0"));
    records.list()->setCurrentItem(records.list()->topLevelItem(1));
    records.openChosen();
    const QList<ReplayWindow*> opened = main.findChildren<ReplayWindow*>();
    QCOMPARE(opened.size(), 1);
    QCOMPARE(opened.first()->stepCount(), int(older.events.size()));
}

// Damaged, cut short, foreign and of a later version: each is refused with the reader's reason.
void ReplayWindowTest::refusedRecordShowsTheReadersMessage() {
    QTemporaryDir dir;
    const QByteArray good = RecordFile::text(catGame());
    QByteArray later = good;
    later.replace(RecordFile::versionLine(), RecordFile::versionLine(GameRecord::formatVersion + 1));
    QByteArray damaged = good;
    damaged.replace("CMD_placemyletter+1+1+1+3+", "CMD_placemyletter+1+1+99+3+");
    const QByteArray refused[] = {damaged, good.left(good.size() / 2), "Kivo tally\n1 2 3\n", later};
    ReplayOpener opener(dir.path());
    QWidget main;
    for (const QByteArray& text : refused) {
        const QString path = writeRecord(dir, QStringLiteral("refused.quibo"), text);
        const QString reason = RecordFile::read(path).refusal;
        QVERIFY2(!reason.isEmpty(), text.left(60).constData());
        const auto box = test::closeNextModal();
        QCOMPARE(opener.open(path, &main), nullptr);
        QTRY_COMPARE(box->opened, 1);
        QVERIFY2(box->text.contains(reason), qPrintable(box->text));
        QCOMPARE(main.findChildren<ReplayWindow*>().size(), 0);
    }
    QVERIFY(opener.open(writeRecord(dir, QStringLiteral("good.quibo"), good), &main));
}

void ReplayWindowTest::replayOfADamagedFileExitsWithItsMessage() {
    QTemporaryDir dir;
    const QString path = writeRecord(dir, QStringLiteral("cut.quibo"), RecordFile::text(catGame()).left(90));
    const QString reason = RecordFile::read(path).refusal;
    QVERIFY(!reason.isEmpty());
    const auto run = [&dir](const QStringList& arguments) {
        QProcess quibo;
        quibo.setWorkingDirectory(dir.path());
        quibo.start(QStringLiteral(QUIBO_EXECUTABLE), arguments);
        const bool ended = quibo.waitForFinished(30000);
        return std::pair{ended ? quibo.exitCode() : -1, QString::fromLocal8Bit(quibo.readAllStandardError())};
    };
    const auto [status, said] = run({QStringLiteral("--replay"), path});
    QCOMPARE(status, 1);
    QVERIFY2(said.contains(reason), qPrintable(said));
    const auto [missing, usage] = run({QStringLiteral("--replay")});
    QCOMPARE(missing, 2);
    QVERIFY2(usage.startsWith(QStringLiteral("quibo: --replay needs a file")), qPrintable(usage));
}

void ReplayWindowTest::summaryListsTheThreeCostliestMisses() {
    GameSummaryWindow summary(nullptr);
    const QListWidget* missed = summary.listMissed();
    QList<TurnVerdict> verdicts = {verdict(1, 2, "CAT", 5, 0), verdict(3, 4, "CRATE", 14, 4),
                                   verdict(5, 6, "TRACE", 14, 9), verdict(7, 8, "REACT", 14, 4)};
    verdicts[1].turn.playedWord = "CAR";
    verdicts[1].turn.playedPoints = 10;
    summary.showMissed(verdicts);
    // A fourth loss pushes the smallest out; ties keep the earlier turn.
    QCOMPARE(itemTexts(missed), QStringList({"Turn 3: TRACE for 14 instead of no word",
                                             "Turn 2: CRATE for 14 instead of CAR for 10",
                                             "Turn 4: REACT for 14 instead of no word"}));
    verdicts.append(verdict(9, 10, "CARET", 14, 5));
    summary.showMissed(verdicts);
    QCOMPARE(missed->count(), GameSummaryWindow::missedShown);
    QCOMPARE(missed->item(1)->text(), QStringLiteral("Turn 5: CARET for 14 instead of no word"));
    summary.showMissed({verdicts[0]});
    QCOMPARE(itemTexts(missed), QStringList{QStringLiteral("Nothing: every turn was the best one.")});
}

QTEST_MAIN(ReplayWindowTest)
#include "tst_replaywindow.moc"
