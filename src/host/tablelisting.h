// SPDX-License-Identifier: MIT
// TableListing: an open table's announcement on the local network, kept in step with the table:
// the hosting player's name, the seats taken and free, whether a game runs and whether a password
// is needed (never the password itself). Owned by TServer while it listens for everybody and is
// configured to announce.
//
// Seats and games change on the peers' doing: a stranger who connects and leaves without end would
// otherwise make the responder send a packet to the whole network each time. Changes are therefore
// gathered and announced at most once every minUpdateInterval, the last state always winning.
#pragma once

#include "tablerecord.h"

#include <QObject>
#include <QTimer>
#include <chrono>
#include <memory>

namespace quibo {

class TServer;
class TableAnnouncer;

class TableListing : public QObject {
    Q_OBJECT
public:
    static constexpr std::chrono::milliseconds minUpdateInterval{1000};

    TableListing(const TServer& server, quint16 port);
    ~TableListing() override;

    // What the table says of itself now.
    static TableRecord recordOf(const TServer& server);
    // The service name a table is announced under: "Quibo on" and this machine's name.
    static QString serviceName();

    // The record last handed to the responder, and how often one was (the first announcement
    // included).
    const TableRecord& announcedRecord() const { return m_announced; }
    int announcementCount() const { return m_announcements; }
    const TableAnnouncer& announcer() const { return *m_announcer; }

private:
    void noteChange();
    void announceNow();

    const TServer& m_server;
    std::unique_ptr<TableAnnouncer> m_announcer;
    TableRecord m_announced;
    int m_announcements = 0;
    QTimer m_gather; // runs while a change waits for its turn
    std::chrono::steady_clock::time_point m_lastAnnounced;
};

} // namespace quibo
