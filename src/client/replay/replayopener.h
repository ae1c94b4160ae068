// SPDX-License-Identifier: MIT
// ReplayOpener: opens kept games in replay windows and has their turns analysed.
//
// A record is read whole before anything is shown: one that its reader refuses (damaged, cut,
// foreign, of a later version) opens no window, and the reader's reason goes to the player in a box
// (or to the caller, for the command line). A record that reads opens in a replay window of its own
// and the analysis of its own turns starts at once, off the interface thread, with the word list the
// game was played with; the verdicts reach the window when they are in. The summary of a game just
// finished gets its "Missed:" the same way. Created where the program is put together; the windows
// it opens delete themselves when closed.
#pragma once

#include "gamerecord.h"
#include "recordshelf.h"

#include <QObject>
#include <QString>

class QWidget;

namespace quibo {

class GameSummaryWindow;
class ReplayWindow;

class ReplayOpener : public QObject {
    Q_OBJECT
public:
    explicit ReplayOpener(QString folder = RecordShelf::defaultFolder(), QObject* parent = nullptr);

    const RecordShelf& shelf() const { return m_shelf; }

    // The record at path in a replay window, shown; nothing when the record was refused, and then
    // the reader's reason in *refusal.
    ReplayWindow* openWindow(const QString& path, QWidget* parent, QString* refusal);
    // The same, with a refusal shown in a box over parent.
    ReplayWindow* open(const QString& path, QWidget* parent);
    // A record already read, in a replay window, shown.
    ReplayWindow* show(const GameRecord& record, const QString& path, QWidget* parent);

    // The summary of the game just recorded lists the turns its player missed most.
    void analyseForSummary(const GameRecord& record, GameSummaryWindow& summary);

private:
    RecordShelf m_shelf;
};

} // namespace quibo
