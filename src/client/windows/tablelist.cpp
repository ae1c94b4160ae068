// SPDX-License-Identifier: MIT
#include "tablelist.h"

#include "plaintext.h"

#include <QHash>
#include <QHeaderView>
#include <QLabel>
#include <QShowEvent>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace quibo {

namespace {

constexpr int addressRole = Qt::UserRole;
constexpr int serviceRole = Qt::UserRole + 1;

QString countText(int count) {
    return count < 0 ? QStringLiteral("?") : QString::number(count);
}

} // namespace

TableList::TableList(QWidget* parent)
    : QWidget(parent) {
    m_view = new QTreeWidget(this);
    m_view->setObjectName(QStringLiteral("listbox_tables"));
    m_view->setColumnCount(ColumnCount);
    m_view->setHeaderLabels({tr("Host"), tr("Players"), tr("Free seats"), tr("Game")});
    m_view->setRootIsDecorated(false);
    m_view->setUniformRowHeights(true);
    m_view->setSelectionMode(QAbstractItemView::SingleSelection);
    m_view->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_view->header()->setSectionResizeMode(HostColumn, QHeaderView::Stretch);
    m_view->header()->setStretchLastSection(false);
    m_view->setMinimumHeight(110);
    m_view->setSortingEnabled(true);
    m_view->sortByColumn(HostColumn, Qt::AscendingOrder);
    m_view->setAccessibleName(tr("Tables on the local network"));
    connect(m_view, &QTreeWidget::itemActivated, this, &TableList::listbox_tablesActivated);

    m_state = makePlainLabel(QString(), this);
    m_state->setObjectName(QStringLiteral("label_tables"));
    m_state->setWordWrap(true);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_view);
    layout->addWidget(m_state);

    connect(&m_browser, &TableBrowser::tablesChanged, this, &TableList::showTables);
    connect(&m_browser, &TableBrowser::responderChanged, this, &TableList::showState);
    showState();
}

void TableList::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    // Only a shown list looks: a player at a table sends nothing to the network for it.
    if (!event->spontaneous()) m_browser.start();
    showState();
}

void TableList::hideEvent(QHideEvent* event) {
    QWidget::hideEvent(event);
    if (!event->spontaneous()) m_browser.stop();
}

void TableList::showTables() {
    // Rows are updated in place, not made anew, so that a record arriving between the two clicks of
    // a double-click does not lose it.
    QHash<QString, FoundTable> found;
    for (const FoundTable& table : m_browser.tables())
        found.insert(table.serviceName, table);
    // The rows are taken first: an item whose host name changes moves in the sorted view.
    QList<QTreeWidgetItem*> rows;
    for (int row = 0; row < m_view->topLevelItemCount(); ++row)
        rows.append(m_view->topLevelItem(row));
    for (QTreeWidgetItem* item : rows) {
        const QString service = item->data(HostColumn, serviceRole).toString();
        if (found.contains(service))
            showTable(item, found.take(service));
        else
            delete item;
    }
    for (const FoundTable& table : std::as_const(found))
        showTable(new QTreeWidgetItem(m_view), table);
    showState();
}

void TableList::showTable(QTreeWidgetItem* item, const FoundTable& table) {
    // A tree widget item shows its text as it is: never markup.
    item->setText(HostColumn, table.shownHostName());
    item->setText(PlayersColumn, countText(table.record.seatsTaken));
    item->setText(FreeColumn, countText(table.record.seatsFree));
    const QString game = table.record.playing ? tr("playing") : tr("waiting");
    item->setText(GameColumn, table.record.isPrivate ? tr("%1, private").arg(game) : game);
    item->setData(HostColumn, addressRole, table.joinAddress());
    item->setData(HostColumn, serviceRole, table.serviceName);
}

void TableList::showState() {
    QString state;
    if (!TableBrowser::isBuiltIn())
        state = tr("This copy of Quibo was built without Avahi: tables on the local network are not listed.");
    else if (!m_browser.isResponderRunning())
        state = tr("Tables on the local network are not listed: no mDNS responder (avahi-daemon) runs.");
    else if (m_view->topLevelItemCount() == 0)
        state = tr("No table on the local network yet; tables appear here by themselves.");
    m_state->setText(state);
    m_state->setVisible(!state.isEmpty());
}

void TableList::listbox_tablesActivated(QTreeWidgetItem* item) {
    if (item) Q_EMIT tableChosen(item->data(HostColumn, addressRole).toString());
}

} // namespace quibo
