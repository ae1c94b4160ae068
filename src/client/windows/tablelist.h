// SPDX-License-Identifier: MIT
// TableList: the start window's list of the tables found on the local network, live while the
// window is shown: the hosting player's name, the seats taken ("players") and free, and whether a
// game is playing or waiting. Activating a row (a double-click, or Enter on it) asks to join that
// table, as typing its address and pressing Join does; nothing is joined otherwise. Owned by the
// start window, Tdownload.
//
// Every row is a stranger's word: anyone on the local network can announce a table, so the rows are
// bounded (TableDirectory), their texts bounded and cleaned (TableRecord), and shown as plain text.
#pragma once

#include "tablebrowser.h"

#include <QWidget>

class QLabel;
class QTreeWidget;
class QTreeWidgetItem;

namespace quibo {

class TableList : public QWidget {
    Q_OBJECT
public:
    enum Column { HostColumn, PlayersColumn, FreeColumn, GameColumn, ColumnCount };

    explicit TableList(QWidget* parent = nullptr);

    const TableBrowser& browser() const { return m_browser; }

Q_SIGNALS:
    // The player chose a table to join, at this address ("192.0.2.7", "192.0.2.7:7800").
    void tableChosen(const QString& joinAddress);

protected:
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;

private:
    void showTables();
    void showTable(QTreeWidgetItem* item, const FoundTable& table);
    void showState();
    void listbox_tablesActivated(QTreeWidgetItem* item);

    TableBrowser m_browser;
    QTreeWidget* m_view = nullptr;
    QLabel* m_state = nullptr;
};

} // namespace quibo
