// SPDX-License-Identifier: MIT
// What writing a game record costs the window per event: the writer hears each host message, keeps
// the table as it stood, and appends and flushes one line to the record file. Prints the median and
// the maximum over many events of a long game (the goal: well under 0.1 ms each).
#include "hostconnection.h"
#include "messages.h"
#include "recordwriter.h"
#include "tablemodel.h"
#include "tableroutes.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QTemporaryDir>
#include <algorithm>
#include <cstdio>
#include <vector>

using namespace quibo;

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    QTemporaryDir dir;
    HostConnection connection;
    TableModel model;
    routeToModel(connection, model);
    RecordWriter writer(connection, model, dir.filePath(QStringLiteral("games")));

    const auto feed = [&connection](const QByteArray& bytes) {
        connection.takeBytes(bytes);
        while (connection.queuedMessages() > 0)
            connection.Timer1Timer();
    };
    feed(msg::SendLoginInfo{1}.encode() + msg::NewPlayerInfo{1, "Ann"}.encode() +
         msg::NewPlayerInfo{2, "Bob"}.encode());
    feed(msg::StartGame{"Ann", 30, 100000, 5}.encode());

    // A turn as the host tells it: the turn, a letter dealt, placed, a word formed.
    const int turns = 4000;
    std::vector<qint64> withRecord;
    std::vector<qint64> withoutRecord;
    QElapsedTimer clock;
    for (int turn = 0; turn < turns; ++turn) {
        const int seat = 1 + turn % 2;
        const int cell = 1 + (turn / 2) % boardCellCount;
        const QList<QByteArray> messages{msg::NextPlayer{seat, 5}.encode(),
                                         msg::NewLetter{seat, 6, 1 + turn % 26}.encode(),
                                         msg::PlaceMyLetter{seat, 6, cell, 1 + turn % 26}.encode(),
                                         msg::FormedWord{seat, "word", 8, 8 * (turn / 2 + 1)}.encode()};
        for (const QByteArray& m : messages) {
            connection.takeBytes(m);
            clock.start();
            connection.Timer1Timer();
            withRecord.push_back(clock.nsecsElapsed());
        }
    }
    // The same messages through a model alone: what the window pays without records.
    HostConnection bare;
    TableModel bareModel;
    routeToModel(bare, bareModel);
    bare.takeBytes(msg::SendLoginInfo{1}.encode() + msg::StartGame{"Ann", 30, 100000, 5}.encode());
    while (bare.queuedMessages() > 0)
        bare.Timer1Timer();
    for (int turn = 0; turn < turns; ++turn) {
        const int seat = 1 + turn % 2;
        bare.takeBytes(msg::NextPlayer{seat, 5}.encode());
        clock.start();
        bare.Timer1Timer();
        withoutRecord.push_back(clock.nsecsElapsed());
    }
    const auto report = [](const char* what, std::vector<qint64> ns) {
        std::sort(ns.begin(), ns.end());
        std::printf("%s: %zu events, median %.4f ms, 99th percentile %.4f ms, maximum %.4f ms\n", what,
                    ns.size(), double(ns[ns.size() / 2]) / 1e6, double(ns[ns.size() * 99 / 100]) / 1e6,
                    double(ns.back()) / 1e6);
    };
    report("message handled and written", withRecord);
    report("message handled, no record", withoutRecord);
    std::printf("record: %lld events written\n", qlonglong(writer.lastRecord().events.size()));
    return writer.lastRecord().events.size() == qsizetype(turns) * 4 + 1 ? 0 : 1;
}
