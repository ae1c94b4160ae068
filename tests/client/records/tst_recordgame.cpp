// SPDX-License-Identifier: MIT
// A whole game through the real host program, against its computer, written as a record while it is
// played and read back: the record replayed step by step gives the table the live window had after
// each message, and the local player's turns are the ones that were played.
#include "gamereplay.h"
#include "hostconnection.h"
#include "messages.h"
#include "programprocess.h"
#include "recordfile.h"
#include "recordwriter.h"
#include "tablemodel.h"
#include "tableroutes.h"

#include <QTemporaryDir>
#include <QTest>

using namespace quibo;
using quibo::test::ProgramProcess;

namespace {

constexpr int patience = 30000;
constexpr int wholeGame = 300000;

// The local player's move: the first hand letter onto the first empty cell, or, with a full board,
// the last board letter taken away.
void move(HostConnection& connection, const TableModel& model) {
    int slot = 0;
    for (int s = 1; s <= handSlotCount && slot == 0; ++s)
        if (model.code(Row::Hand, s) != 0) slot = s;
    int cell = 0;
    for (int c = 1; c <= boardCellCount && cell == 0; ++c)
        if (model.code(Row::OwnBoard, c) == 0) cell = c;
    if (slot != 0 && cell != 0)
        connection.send(msg::PlaceMyLetterRequest{model.ownSeat(), slot, cell});
    else
        connection.send(msg::DiscardLetter{model.ownSeat(), boardCellCount});
}

} // namespace

class RecordGameTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void replayedRecordIsTheLiveTableAtEveryStep();
};

void RecordGameTest::replayedRecordIsTheLiveTableAtEveryStep() {
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    ProgramProcess host(dir.path());
    const quint16 port = host.startHost(20261209);
    QVERIFY2(port != 0, qPrintable(host.failure));

    HostConnection connection;
    TableModel model;
    routeToModel(connection, model);
    RecordWriter writer(connection, model, dir.filePath(QStringLiteral("games")));
    // What the live table was after each message the record keeps (the pick is the window's own).
    QList<TableState> live;
    forEachMessage(RecordedMessages{}, [&]<class M>() {
        connection.on<M>(&model, [&](const M&) {
            // The winner closes the record before this hears of it.
            if (!writer.writing() && !std::is_same_v<M, msg::Winner>) return;
            TableState state = model.state();
            state.pick = {};
            live.append(state);
        });
    });
    connection.on<msg::SendLoginInfo>(&model, [&](const msg::SendLoginInfo& m) {
        connection.send(msg::LoginInfo{m.seat, programVersion, "Ann"});
    });
    QObject::connect(&model, &TableModel::turnBegan, &model, [&](int seat) {
        if (model.isOwn(seat)) move(connection, model);
    });

    connection.setAddress(QStringLiteral("127.0.0.1"), port);
    connection.open();
    QTRY_VERIFY_WITH_TIMEOUT(model.seat(1).name == QStringLiteral("Ann"), patience);
    connection.send(msg::StartGame{"Ann", 30, 30, 5, ComputerLevel::Expert});
    QTRY_VERIFY_WITH_TIMEOUT(model.phase() == GamePhase::Over, wholeGame);
    QVERIFY(!writer.writing());

    const RecordReading reading = RecordFile::read(writer.lastPath());
    QVERIFY2(reading.record, qPrintable(reading.refusal));
    const GameRecord& record = *reading.record;
    QCOMPARE(record.player1, QStringLiteral("Ann"));
    QCOMPARE(record.player2, model.seatName(2));
    QCOMPARE(record.options.level, ComputerLevel::Expert);
    QCOMPARE(record.result, (GameResult{true, model.winner(), model.seat(1).score, model.seat(2).score}));
    QCOMPARE(record.events.size(), live.size());

    const GameReplay replay(record);
    TableModel replayed;
    for (int step = 1; step <= replay.stepCount(); ++step) {
        replay.seek(step, replayed);
        QVERIFY2(replayed.state() == live[step - 1],
                 qPrintable(QStringLiteral("step %1: %2")
                                .arg(step)
                                .arg(QString::fromUtf8(record.events[step - 1].text))));
    }

    // Every turn of Ann's is found, with the hand she had and the letter she placed.
    const QList<TurnPosition> turns = replay.ownTurns();
    int ownTurns = 0;
    for (const RecordEvent& e : record.events)
        if (e.text.startsWith("CMD_nextplayer+1+")) ++ownTurns;
    QVERIFY(ownTurns > 0);
    QCOMPARE(turns.size(), ownTurns);
    for (const TurnPosition& turn : turns) {
        QVERIFY(turn.moveStep > turn.step);
        const QByteArray played = record.events[turn.moveStep - 1].text;
        QVERIFY2(played.startsWith("CMD_placemyletter+1+") || played.startsWith("CMD_discardletter+1+") ||
                     played.startsWith("CMD_formedword+1+"),
                 played.constData());
    }
}

QTEST_GUILESS_MAIN(RecordGameTest)
#include "tst_recordgame.moc"
