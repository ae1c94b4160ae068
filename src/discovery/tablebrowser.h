// SPDX-License-Identifier: MIT
// TableBrowser: finds the Quibo tables announced on the local network ("_quibo._tcp" services),
// live, through the system's mDNS responder, and keeps them in a bounded TableDirectory. Owned by
// the start window's table list, which browses while it is shown.
//
// What it finds is what strangers say: the directory bounds how much is kept, the record bounds
// each field, and nothing is ever joined from here (the list joins on the player's double-click).
// Without a responder (none built in, none running, or one that goes away) the list is empty and
// isResponderRunning() says so; one that comes back is browsed again.
#pragma once

#include "tabledirectory.h"

#include <QObject>
#include <memory>

namespace quibo {

class TableBrowser : public QObject {
    Q_OBJECT
public:
    explicit TableBrowser(QObject* parent = nullptr);
    ~TableBrowser() override;

    // Starts and stops looking; stopping forgets the tables found.
    void start();
    void stop();
    bool isBrowsing() const;

    QList<FoundTable> tables() const;
    bool isResponderRunning() const;
    // Whether this build can browse at all (it was built with the responder's library).
    static bool isBuiltIn();

Q_SIGNALS:
    // A table appeared, went, or changed its record.
    void tablesChanged();
    void responderChanged(bool running);

private:
    struct Private;
    std::unique_ptr<Private> d;
};

} // namespace quibo
