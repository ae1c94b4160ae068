// SPDX-License-Identifier: MIT
// Tspylist: the small window listing the spectators ("spies") of the current game.
//
// Created at start-up and kept for the whole run; it keeps the spectators it lists (a seat holds one
// entry, so a host that announces a seat again replaces it) and its entries follow the player window's
// signals as the host announces arrivals and departures (connected where the program is put together). In the
// hosting copy its pop-up item "Remove From Game" asks the player window to remove the spectator under the
// pointer.
#pragma once

#include <QList>
#include <QString>
#include <QWidget>

class QAction;
class QListWidget;
class QMenu;

namespace quibo {

class Tspylist : public QWidget {
    Q_OBJECT
public:
    explicit Tspylist(QWidget* parent = nullptr);

    // "3: Ann" for spectator 3 named Ann.
    static QString entryText(int seat, const QString& name);

    void addSpy(int seat, const QString& name);
    // Removes the entry of a departed spectator; answers whether it was listed (exact match).
    bool removeSpy(int seat, const QString& name);
    QStringList entries() const;

    // Allows "Remove From Game"; called when this copy hosts.
    void enableRemoval();

    // The index of the entry under the pointer, -1 when over none.
    int tag() const { return m_tag; }
    // No entry under the pointer and none listed, as built (WindowReset empties the list widget).
    void resetForNextTable() {
        m_tag = -1;
        m_spies.clear();
    }

    void Button1Click();
    void popup_kickhimClick();

Q_SIGNALS:
    // The host's player asked to remove the spectator in this seat.
    void kickRequested(int seat);
    // A listed spectator's entry went (removeSpy).
    void spyRemoved(int seat, const QString& name);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void listbox_spysMouseMove(const QPoint& viewportPos);

    QListWidget* m_list = nullptr;
    QMenu* m_popup = nullptr;
    QAction* m_kickhim = nullptr;
    int m_tag = -1;
    // The listed spectators, row by row as the list shows them; the rows are never read back.
    struct Spy {
        int seat = 0;
        QString name;
    };
    QList<Spy> m_spies;
};

} // namespace quibo
