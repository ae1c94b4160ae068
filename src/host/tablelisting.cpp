// SPDX-License-Identifier: MIT
#include "tablelisting.h"

#include "commands.h"
#include "tableannouncer.h"
#include "tserver.h"

#include <QSysInfo>

namespace quibo {

TableListing::TableListing(const TServer& server, quint16 port)
    : m_server(server)
    , m_announced(recordOf(server)) {
    m_announcer = std::make_unique<TableAnnouncer>(serviceName(), port, m_announced);
    m_announcements = 1;
    m_lastAnnounced = std::chrono::steady_clock::now();
    m_gather.setSingleShot(true);
    connect(&m_gather, &QTimer::timeout, this, &TableListing::announceNow);
    connect(&server, &TServer::seatTaken, this, &TableListing::noteChange);
    connect(&server, &TServer::seatFreed, this, &TableListing::noteChange);
    connect(&server, &TServer::tableChanged, this, &TableListing::noteChange);
}

TableListing::~TableListing() = default;

QString TableListing::serviceName() {
    return QStringLiteral("Quibo on %1").arg(QSysInfo::machineHostName());
}

TableRecord TableListing::recordOf(const TServer& server) {
    const SeatTable& seats = server.players();
    TableRecord record;
    record.version = QString::fromLatin1(programVersion);
    if (seats.isOccupied(1)) record.hostName = QString::fromUtf8(seats[1].name);
    // A seat held for its player is not free for anybody else.
    int taken = 0;
    for (int seat = 1; seat <= SeatTable::maxSeats; ++seat) {
        if (seats.isOccupied(seat) || server.holds().isHeld(seat)) ++taken;
    }
    record.seatsTaken = taken;
    record.seatsFree = SeatTable::maxSeats - taken;
    record.playing = server.rules().gamerunning();
    record.isPrivate = server.isPrivate();
    return record;
}

void TableListing::noteChange() {
    if (m_gather.isActive()) return;
    const auto since = std::chrono::steady_clock::now() - m_lastAnnounced;
    const auto wait = std::chrono::duration_cast<std::chrono::milliseconds>(minUpdateInterval - since);
    m_gather.start(std::max(wait, std::chrono::milliseconds(0)));
}

void TableListing::announceNow() {
    const TableRecord record = recordOf(m_server);
    if (record == m_announced) return;
    m_announced = record;
    ++m_announcements;
    m_lastAnnounced = std::chrono::steady_clock::now();
    m_announcer->setRecord(record);
}

} // namespace quibo
