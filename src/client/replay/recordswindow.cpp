// SPDX-License-Identifier: MIT
#include "recordswindow.h"

#include "plaintext.h"
#include "replayopener.h"

#include <QFileDialog>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QPushButton>
#include <QSaveFile>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace quibo {

RecordsWindow::RecordsWindow(ReplayOpener& opener, QWidget* parent)
    : QDialog(parent)
    , m_opener(opener) {
    setObjectName(QStringLiteral("recordswindow"));
    setWindowTitle(tr("Quibo - Game Records"));
    setModal(false);

    m_list = new QTreeWidget(this);
    m_list->setObjectName(QStringLiteral("list_records"));
    m_list->setRootIsDecorated(false);
    m_list->setUniformRowHeights(true);
    m_list->setHeaderLabels({tr("Date"), tr("Opponent"), tr("Result"), tr("Score")});
    m_list->header()->setSectionResizeMode(QHeaderView::ResizeToContents);
    connect(m_list, &QTreeWidget::itemActivated, this, &RecordsWindow::openChosen);

    m_open = new QPushButton(tr("Open"), this);
    m_open->setObjectName(QStringLiteral("button_open"));
    m_save = new QPushButton(tr("Save As..."), this);
    m_save->setObjectName(QStringLiteral("button_saveas"));
    auto* openFile = new QPushButton(tr("Open File..."), this);
    openFile->setObjectName(QStringLiteral("button_openfile"));
    auto* close = new QPushButton(tr("Close"), this);
    close->setObjectName(QStringLiteral("button_close"));
    for (QPushButton* b : {m_open, m_save, openFile, close})
        b->setAutoDefault(false);
    connect(m_open, &QPushButton::clicked, this, &RecordsWindow::openChosen);
    connect(m_save, &QPushButton::clicked, this, [this] {
        const int row = chosenRow();
        if (row >= 0) saveCopy(this, m_entries.at(row).path);
    });
    connect(openFile, &QPushButton::clicked, this, [this] {
        const QString path = QFileDialog::getOpenFileName(this, tr("Open Game Record"), QString(),
                                                          tr("Game records (*.quibo);;All files (*)"));
        if (!path.isEmpty()) m_opener.open(path, parentWidget());
    });
    connect(close, &QPushButton::clicked, this, &QWidget::hide);
    connect(m_list, &QTreeWidget::currentItemChanged, this, [this] {
        m_open->setEnabled(chosenRow() >= 0);
        m_save->setEnabled(chosenRow() >= 0);
    });

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(m_open);
    buttons->addWidget(m_save);
    buttons->addWidget(openFile);
    buttons->addStretch();
    buttons->addWidget(close);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_list, 1);
    layout->addLayout(buttons);
    resize(560, 380);
    refresh();
}

QString RecordsWindow::resultText(const ShelvedRecord& entry) {
    if (!entry.refusal.isEmpty()) return tr("Damaged");
    if (!entry.result.known) return tr("Unfinished");
    if (entry.result.winner == 0) return tr("Abandoned");
    if (entry.ownDisplaySeat == 0) return tr("Watched");
    return entry.result.winner == entry.ownDisplaySeat ? tr("Won") : tr("Lost");
}

QString RecordsWindow::scoreText(const ShelvedRecord& entry) {
    if (!entry.refusal.isEmpty() || !entry.result.known) return {};
    const bool second = entry.ownDisplaySeat == 2;
    const int own = second ? entry.result.score2 : entry.result.score1;
    const int other = second ? entry.result.score1 : entry.result.score2;
    return tr("%1 to %2").arg(own).arg(other);
}

void RecordsWindow::refresh() {
    m_entries = m_opener.shelf().list();
    m_list->clear();
    for (const ShelvedRecord& entry : m_entries) {
        // Item texts are never markup; names come from the record files.
        auto* item = new QTreeWidgetItem(m_list);
        item->setText(0, QLocale().toString(entry.started.toLocalTime(), QLocale::ShortFormat));
        item->setText(1, entry.opponent);
        item->setText(2, resultText(entry));
        item->setText(3, scoreText(entry));
        // Why a record does not read, for the player who wonders.
        if (!entry.refusal.isEmpty()) item->setToolTip(2, entry.refusal);
    }
    if (!m_entries.isEmpty()) m_list->setCurrentItem(m_list->topLevelItem(0));
    m_open->setEnabled(chosenRow() >= 0);
    m_save->setEnabled(chosenRow() >= 0);
}

void RecordsWindow::showList() {
    refresh();
    show();
    raise();
    activateWindow();
}

int RecordsWindow::chosenRow() const {
    const int row = m_list->indexOfTopLevelItem(m_list->currentItem());
    return row >= 0 && row < m_entries.size() ? row : -1;
}

void RecordsWindow::openChosen() {
    const int row = chosenRow();
    if (row >= 0) m_opener.open(m_entries.at(row).path, parentWidget());
}

void RecordsWindow::saveCopy(QWidget* parent, const QString& path) {
    const QString target = QFileDialog::getSaveFileName(
        parent, tr("Save Game Record"), QFileInfo(path).fileName(), tr("Game records (*.quibo)"));
    if (target.isEmpty()) return;
    QFile source(path);
    QSaveFile copy(target);
    const bool saved = source.open(QIODevice::ReadOnly) && copy.open(QIODevice::WriteOnly) &&
                       copy.write(source.readAll()) == source.size() && copy.commit();
    if (!saved)
        showPlainMessageBox(parent, QMessageBox::Warning, tr("Quibo"),
                            tr("The record could not be saved as %1.").arg(target));
}

} // namespace quibo
