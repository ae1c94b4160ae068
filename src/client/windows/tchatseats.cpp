// SPDX-License-Identifier: MIT
// Who sits where: the login, arrivals and departures, the two seats' name labels, just-watching,
// and the hosting player's controls (removing a player, giving the turn to seat 3).
#include "boardpanel.h"
#include "commands.h"
#include "namedwidgets.h"
#include "tchat.h"

#include <QAction>
#include <QLabel>
#include <QPushButton>

namespace quibo {

namespace {

const QString nameLabel = QStringLiteral("label_playername");

// The five widgets each seat has, in the order they are renamed when the seats change places.
const char* const seatWidgetBases[] = {"label_playername", "label_score", "label_status", "image_Turn",
                                       "image_eyes"};
const char* const temporaryNames[] = {"tempname", "tempscore", "tempstatus", "tempturn", "tempeyes"};
const char* const seatOneNames[] = {"label_playername1", "label_score1", "label_status1", "image_turn1",
                                    "image_eyes1"};

} // namespace

void Tchat::setSeatLabelText(int seat, const QString& text) {
    if (auto* label = qobject_cast<QLabel*>(seatWidget(nameLabel, seat))) label->setText(text);
}

QString Tchat::seatLabelText(int seat) const {
    const auto* label = qobject_cast<QLabel*>(seatWidget(nameLabel, seat));
    return label ? label->text() : QString();
}

void Tchat::setSeatWidgetVisible(const QString& base, int seat, bool visible) {
    if (QWidget* w = seatWidget(base, seat)) w->setVisible(visible);
}

void Tchat::sendloginfo(const msg::SendLoginInfo& m) {
    m_mynumber = m.seat;
    m_isconnected = true;
    updateSeatViews();
    QString version = QString::fromLatin1(programVersion);
    if (m_about) {
        if (const auto* label = m_about->findChild<QLabel*>(QStringLiteral("version")))
            version = label->text();
    }
    // A private table's password goes ahead of the login; a public or older host ignores it.
    if (!m_tablePassword.isEmpty())
        sendToHost(msg::TablePassword{m_mynumber, m_tablePassword.toUtf8()}.encode());
    msg::LoginInfo login{m_mynumber, version.toUtf8(), m_myname.toUtf8()};
    // Only a window coming back presents its seat's key, and it has one only from this host: a host
    // that gives no keys never sees the field.
    if (m_rejoin == Rejoin::AwaitingSeat) login.seatKey = m_seatKey;
    sendToHost(login.encode());
    if (m_mynumber == 1 && !m_ishost) enableHostControls();
}

void Tchat::seatkey(const msg::SeatKey& m) {
    if (m.seat == m_mynumber) m_seatKey = m.key;
}

void Tchat::yourseat(const msg::YourSeat& m) {
    m_mynumber = m.seat;
    updateSeatViews();
    if (m_mynumber == 1 && !m_ishost) enableHostControls();
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
    if (seat == m_mynumber) {
        if (m_rejoin == Rejoin::AwaitingSeat) {
            addlinetochat(tr("Reconnected."), colorStatus);
            m_rejoin = Rejoin::Seated;
            quiet = true;
        } else {
            m_rejoin = Rejoin::No;
            quiet = false;
            addlinetochat(tr("You are Connected."), colorStatus);
            addlinetochat(tr("View Quick Instructions by clicking Ctrl-i"), colorStatus);
        }
        // A window seated again after a reconnect may already show seat 2 at the bottom.
        if ((m_mynumber == 2) != m_labelsSwitched) switchlabels();
        loadinifile();
    } else if (!quiet) {
        addlinetochat(name + tr(" is Connected."), colorStatus);
    }
    if (!quiet) playsounds(QStringLiteral("entered"));
    if (seat > 2) {
        Q_EMIT spectatorArrived(seat, name);
        if (!quiet)
            addlinetochat(seat == m_mynumber ? tr("You are spying.") : name + tr(" is spying."), colorStatus);
        return;
    }
    setSeatLabelText(seat, name);
    setSeatWidgetVisible(nameLabel, seat, true);
    setSeatWidgetVisible(QStringLiteral("label_score"), seat, true);
}

void Tchat::switchlabels() {
    // Seat 2 sees itself at the bottom: the two sets exchange names, so that lookups by seat number
    // still find the widgets of that seat.
    QWidget* seatTwo[5];
    QWidget* seatOne[5];
    for (int i = 0; i < 5; ++i) {
        seatTwo[i] = seatWidget(QLatin1String(seatWidgetBases[i]), 2);
        seatOne[i] = seatWidget(QLatin1String(seatWidgetBases[i]), 1);
    }
    for (int i = 0; i < 5; ++i) {
        if (seatTwo[i]) seatTwo[i]->setObjectName(QLatin1String(temporaryNames[i]));
    }
    for (int i = 0; i < 5; ++i) {
        if (seatOne[i]) seatOne[i]->setObjectName(QLatin1String(seatWidgetBases[i]) + u'2');
    }
    for (int i = 0; i < 5; ++i) {
        if (seatTwo[i]) seatTwo[i]->setObjectName(QLatin1String(seatOneNames[i]));
    }
    setWidgetTag(seatWidget(nameLabel, 1), 1);
    setWidgetTag(seatWidget(nameLabel, 2), 2);
    m_labelsSwitched = !m_labelsSwitched;
}

void Tchat::newplayerinfo(const msg::ExistingPlayers& m) {
    seatAnnounced(msg::NewPlayerInfo{m.seat, m.name}, true);
}
void Tchat::playerdisconnected(const msg::PlayerDisconnected& m) {
    const int seat = m.seat;
    const QString name = QString::fromUtf8(m.name);
    if (seat > 2) {
        Q_EMIT spectatorLeft(seat, name); // the list answers with spectatorGone for a listed one
        return;
    }
    const QString leaving = seatLabelText(seat);
    addlinetochat(leaving + tr(" disconnected."), colorStatus);
    m_board->seatLeft(seat, leaving);
    // The computer opponent plays the seat from now on.
    setSeatLabelText(seat, computerPlayerName());
    setSeatWidgetVisible(QStringLiteral("image_eyes"), seat, false);
}

void Tchat::justwatching(const msg::JustWatching& m) {
    const int seat = m.seat;
    const bool watching = m.value == watchStarts;
    if (seat > 2) return;
    if (seat == m_mynumber) m_justWatch1->setChecked(watching);
    const QString name = seatLabelText(seat);
    if (seat == m_mynumber && GameLog::isYou(name))
        addlinetochat(watching ? tr("You are just watching") : tr("You are now playing again"), colorGreen);
    else
        addlinetochat(name + (watching ? tr(" is just watching") : tr(" is now playing again")), colorGreen);
    setSeatWidgetVisible(QStringLiteral("image_eyes"), seat, watching);
}

void Tchat::giving3(const msg::Giving3& m) {
    const QString name = QString::fromUtf8(m.name);
    setSeatLabelText(1, name);
    addlinetochat(tr("The host has given ") + name + tr(" the ability to play."), colorStatus);
}

void Tchat::giveback(const msg::GiveBack& m) {
    const QString name = QString::fromUtf8(m.name);
    setSeatLabelText(1, name);
    addlinetochat(tr("The Game is over since player 3 left"), colorStatus);
    m_board->gameAbandoned();
    if (ishost()) setStartControlsVisible(true);
    playsounds(QStringLiteral("gameover"));
}

void Tchat::cantgive(const msg::CantGive&) {
    addlinetochat(tr("You cannot give player 3 your turn."), colorStatus);
}

void Tchat::kicking(int seat) {
    if (ishost() && m_isconnected) sendToHost(msg::KickHim{m_mynumber, seat}.encode());
}

void Tchat::spectatorGone(const QString& name) {
    addlinetochat(name + tr(" has left."), colorNavy);
}

void Tchat::button_giveClick() {
    if (m_isconnected) sendToHost(msg::Give3{m_mynumber}.encode());
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
