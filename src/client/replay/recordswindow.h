// SPDX-License-Identifier: MIT
// RecordsWindow: the kept games, newest first ("View > Game Records…"): when each was played,
// against whom, who won and the score. A game opens in a replay window (double-click or "Open");
// "Save As..." copies its record elsewhere and "Open File..." replays a record from anywhere.
//
// The list is the record shelf's, read again each time the window is shown; the window keeps the
// entries it shows and nothing else. Records come from files anyone may have put in the folder:
// the shelf bounds how many are listed (the record limit), every text is shown plain, and a record
// that its reader refuses opens no replay but a box with the reader's reason. Created by the player
// window, hidden when closed.
#pragma once

#include "recordshelf.h"

#include <QDialog>
#include <QList>

class QPushButton;
class QTreeWidget;

namespace quibo {

class ReplayOpener;

class RecordsWindow : public QDialog {
    Q_OBJECT
public:
    RecordsWindow(ReplayOpener& opener, QWidget* parent = nullptr);

    // Lists the folder's records again.
    void refresh();
    // Opens the chosen record's replay.
    void openChosen();
    // Shows the window with the list read anew.
    void showList();

    QTreeWidget* list() const { return m_list; }
    qsizetype entryCount() const { return m_entries.size(); }

    // "Won", "Lost", "Unfinished", "Abandoned", "Watched" or "Damaged"; the own score first.
    static QString resultText(const ShelvedRecord& entry);
    static QString scoreText(const ShelvedRecord& entry);

    // Copies a record to a file the player chooses; says so when it fails.
    static void saveCopy(QWidget* parent, const QString& path);

private:
    int chosenRow() const;

    ReplayOpener& m_opener;
    QList<ShelvedRecord> m_entries;
    QTreeWidget* m_list = nullptr;
    QPushButton* m_open = nullptr;
    QPushButton* m_save = nullptr;
};

} // namespace quibo
