// SPDX-License-Identifier: MIT
// Who sits where, as the chat tells it: the login, arrivals and departures, just-watching, and the
// hosting player's controls (removing a player, giving the turn to seat 3).
#include "boardpanel.h"
#include "chatview.h"
#include "commands.h"
#include "hostconnection.h"
#include "namedwidgets.h"
#include "tablemodel.h"
#include "tchat.h"

#include <QAction>
#include <QLabel>
#include <QPushButton>

namespace quibo {

void Tchat::routeSeatMessages() {
    HostConnection& c = *m_connection;
    c.on(this, &Tchat::sendloginfo);
    c.on<msg::NewPlayerInfo>(this, [this](const msg::NewPlayerInfo& m) { newplayerinfo(m); });
    c.on(this, &Tchat::havewrongversion);
    c.on(this, &Tchat::wrongversion);
    c.on<msg::ExistingPlayers>(this, [this](const msg::ExistingPlayers& m) { newplayerinfo(m); });
    c.on(this, &Tchat::playerdisconnected);
    c.on(this, &Tchat::justwatching);
    c.on(this, &Tchat::gameFull);
    c.on(this, &Tchat::giving3);
    c.on(this, &Tchat::giveback);
    c.on(this, &Tchat::cantgive);
    c.on(this, &Tchat::seatkey);
    c.on(this, &Tchat::yourseat);
    c.on(this, &Tchat::tableclosed);
}

void Tchat::sendloginfo(const msg::SendLoginInfo&) {
    // The model took the seat in before.
    m_isconnected = true;
    updateSeatViews();
    // A private table's password goes ahead of the login; a public or older host ignores it.
    if (!m_setup.tablePassword.isEmpty())
        sendToHost(msg::TablePassword{mynumber(), m_setup.tablePassword.toUtf8()}.encode());
    msg::LoginInfo login{mynumber(), programVersion, m_myname.toUtf8()};
    // Only a window coming back presents its seat's key, and it has one only from this host: a host
    // that gives no keys never sees the field.
    if (m_rejoin == Rejoin::AwaitingSeat) login.seatKey = m_seatKey;
    sendToHost(login.encode());
    if (mynumber() == 1 && !m_ishost) enableHostControls();
}

void Tchat::seatkey(const msg::SeatKey& m) {
    if (m.seat == mynumber()) m_seatKey = m.key;
}

void Tchat::yourseat(const msg::YourSeat&) {
    updateSeatViews();
    if (mynumber() == 1 && !m_ishost) enableHostControls();
}

void Tchat::newplayerinfo(const msg::NewPlayerInfo& m) {
    seatAnnounced(m, false);
}

// Seated again after a break, the window hears the table announced anew: that is no news, so the
// chat says once that it is back, and the seats already there only update what the window shows.
void Tchat::seatAnnounced(const msg::NewPlayerInfo& m, bool existing) {
    const int seat = m.seat;
    const QString name = QString::fromUtf8(m.name);
    bool quiet = existing && m_rejoin == Rejoin::Seated;
    if (seat == mynumber()) {
        // The host puts this name in front of every line we chat.
        m_chatView->setOwnName(name);
        if (m_rejoin == Rejoin::AwaitingSeat) {
            addlinetochat(tr("Reconnected."), colorStatus);
            m_rejoin = Rejoin::Seated;
            quiet = true;
        } else {
            m_rejoin = Rejoin::No;
            quiet = false;
            addlinetochat(tr("You are Connected."), colorStatus);
            addlinetochat(tr("View Quick Instructions by pressing Ctrl+I."), colorStatus);
        }
        loadinifile();
    } else if (!quiet) {
        addlinetochat(tr("%1 is Connected.").arg(name), colorStatus);
    }
    if (!quiet) playsounds(QStringLiteral("entered"));
    if (seat > 2) {
        Q_EMIT spectatorArrived(seat, name);
        if (!quiet)
            addlinetochat(seat == mynumber() ? tr("You are spying.") : tr("%1 is spying.").arg(name),
                          colorStatus);
    }
}

void Tchat::newplayerinfo(const msg::ExistingPlayers& m) {
    seatAnnounced(msg::NewPlayerInfo{m.seat, m.name}, true);
}
void Tchat::playerdisconnected(const msg::PlayerDisconnected& m) {
    // A player's seat: the model told seatVacated with the name the seat showed.
    if (m.seat > 2)
        Q_EMIT spectatorLeft(m.seat, QString::fromUtf8(m.name)); // the list answers with spectatorGone
}

void Tchat::seatVacated(int seat, const QString& leaving) {
    if (seat <= 2) addlinetochat(tr("%1 disconnected.").arg(leaving), colorStatus);
}

void Tchat::justwatching(const msg::JustWatching& m) {
    const int seat = m.seat;
    const bool watching = m.value == watchStarts;
    if (seat > 2) return;
    if (seat == mynumber()) m_justWatch1->setChecked(watching);
    const QString name = m_model->seatName(seat);
    if (seat == mynumber())
        addlinetochat(watching ? tr("You are just watching") : tr("You are now playing again"), colorGreen);
    else
        addlinetochat((watching ? tr("%1 is just watching") : tr("%1 is now playing again"))
                          .arg(shownSeatName(name, false)),
                      colorGreen);
}

void Tchat::giving3(const msg::Giving3& m) {
    const QString name = QString::fromUtf8(m.name);
    addlinetochat(tr("The host has given %1 the ability to play.").arg(name), colorStatus);
}

void Tchat::giveback(const msg::GiveBack&) {
    addlinetochat(tr("The Game is over since player 3 left"), colorStatus);
    if (ishost()) setStartControlsVisible(true);
    playsounds(QStringLiteral("gameover"));
}

void Tchat::cantgive(const msg::CantGive&) {
    addlinetochat(tr("You cannot give player 3 your turn."), colorStatus);
}

void Tchat::kicking(int seat) {
    if (ishost() && m_isconnected) sendToHost(msg::KickHim{mynumber(), seat}.encode());
}

void Tchat::spectatorGone(const QString& name) {
    addlinetochat(tr("%1 has left.").arg(name), colorNavy);
}

void Tchat::button_giveClick() {
    if (m_isconnected) sendToHost(msg::Give3{mynumber()}.encode());
}

void Tchat::enableHostControls() {
    setStartControlsVisible(true);
    Q_EMIT spectatorRemovalAllowed();
}

void Tchat::setStartControlsVisible(bool visible) {
    m_board->buttonStart()->setVisible(visible);
    m_startGame1->setEnabled(visible);
}

} // namespace quibo
