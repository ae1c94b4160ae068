// SPDX-License-Identifier: MIT
#include "tspylist.h"

#include "protocol.h"

#include <QAction>
#include <QContextMenuEvent>
#include <QLabel>
#include <QListWidget>
#include <QMenu>
#include <QMouseEvent>
#include <QPushButton>
#include <QVBoxLayout>

namespace quibo {

Tspylist::Tspylist(QWidget* parent)
    : QWidget(parent, Qt::Window | Qt::WindowStaysOnTopHint) {
    setObjectName(QStringLiteral("Tspylist"));
    setWindowTitle(tr("Quibo - Spies"));
    auto* layout = new QVBoxLayout(this);
    auto* heading = new QLabel(tr("Spy List"), this);
    heading->setObjectName(QStringLiteral("Label1"));
    m_list = new QListWidget(this);
    m_list->setObjectName(QStringLiteral("listbox_spys"));
    m_list->setMouseTracking(true);
    m_list->viewport()->setMouseTracking(true);
    m_list->viewport()->installEventFilter(this);
    m_list->setContextMenuPolicy(Qt::DefaultContextMenu);
    auto* ok = new QPushButton(tr("OK"), this);
    ok->setObjectName(QStringLiteral("Button1"));
    layout->addWidget(heading);
    layout->addWidget(m_list);
    layout->addWidget(ok, 0, Qt::AlignHCenter);
    resize(200, 260);

    m_popup = new QMenu(this);
    m_kickhim = m_popup->addAction(tr("Remove From Game"));
    m_kickhim->setObjectName(QStringLiteral("popup_kickhim"));
    m_kickhim->setEnabled(false);
    connect(m_kickhim, &QAction::triggered, this, &Tspylist::popup_kickhimClick);
    connect(ok, &QPushButton::clicked, this, &Tspylist::Button1Click);
}

QString Tspylist::entryText(int seat, const QString& name) {
    return QString::number(seat) + QStringLiteral(": ") + name;
}

void Tspylist::addSpy(int seat, const QString& name) {
    // A seat holds one person: an entry of this seat is stale (a window seated again after a
    // reconnect hears every spectator announced anew).
    for (qsizetype i = m_spies.size() - 1; i >= 0; --i) {
        if (m_spies[i].seat != seat) continue;
        m_spies.removeAt(i);
        delete m_list->takeItem(int(i));
    }
    m_spies.append({seat, name});
    m_list->addItem(entryText(seat, name));
}

bool Tspylist::removeSpy(int seat, const QString& name) {
    for (qsizetype i = 0; i < m_spies.size(); ++i) {
        if (m_spies[i].seat == seat && m_spies[i].name == name) {
            m_spies.removeAt(i);
            delete m_list->takeItem(int(i));
            Q_EMIT spyRemoved(seat, name);
            return true;
        }
    }
    return false;
}

QStringList Tspylist::entries() const {
    QStringList out;
    for (const Spy& spy : m_spies)
        out << entryText(spy.seat, spy.name);
    return out;
}

void Tspylist::enableRemoval() {
    m_kickhim->setEnabled(true);
}

void Tspylist::Button1Click() {
    hide();
}

void Tspylist::listbox_spysMouseMove(const QPoint& viewportPos) {
    const QModelIndex index = m_list->indexAt(viewportPos);
    m_tag = index.isValid() ? index.row() : -1;
}

bool Tspylist::eventFilter(QObject* watched, QEvent* event) {
    if (watched == m_list->viewport()) {
        if (event->type() == QEvent::MouseMove)
            listbox_spysMouseMove(static_cast<QMouseEvent*>(event)->position().toPoint());
        else if (event->type() == QEvent::Leave)
            m_tag = -1;
        else if (event->type() == QEvent::ContextMenu) {
            auto* menuEvent = static_cast<QContextMenuEvent*>(event);
            listbox_spysMouseMove(menuEvent->pos());
            m_popup->popup(menuEvent->globalPos());
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}

void Tspylist::popup_kickhimClick() {
    if (m_tag < 0 || m_tag >= m_spies.size()) return;
    Q_EMIT kickRequested(m_spies[m_tag].seat);
}

} // namespace quibo
