// SPDX-License-Identifier: MIT
// Who sits where: the login, arrivals and departures, the two seats' name labels, just-watching,
// and the hosting player's controls (removing a player, giving the turn to seat 3).
#include "boardpanel.h"
#include "commands.h"
#include "namedwidgets.h"
#include "tchat.h"
#include "tspylist.h"

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

void Tchat::sendloginfo(const QByteArray& args) {
    m_mynumber = FieldReader(args).number();
    m_isconnected = true;
    QString version = QString::fromLatin1(programVersion);
    if (m_about) {
        if (const auto* label = m_about->findChild<QLabel*>(QStringLiteral("version")))
            version = label->text();
    }
    sendToHost(Message(cmd::logininfo).field(m_mynumber).field(version).rest(m_myname).bytes());
    if (m_mynumber == 1 && !m_ishost) enableHostControls();
}

void Tchat::newplayerinfo(const QByteArray& args) {
    FieldReader fields(args);
    const int seat = fields.number();
    const QString name = fields.restString();
    if (seat < 1) return;
    if (seat == m_mynumber) {
        addlinetochat(tr("You are Connected."), colorStatus);
        addlinetochat(tr("View Quick Instructions by clicking Ctrl-i"), colorStatus);
        if (m_mynumber == 2) switchlabels();
        loadinifile();
    } else {
        addlinetochat(name + tr(" is Connected."), colorStatus);
    }
    playsounds(QStringLiteral("entered"));
    if (seat > 2) {
        if (m_spylist) m_spylist->addSpy(seat, name);
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
}

void Tchat::playerdisconnected(const QByteArray& args) {
    FieldReader fields(args);
    const int seat = fields.number();
    const QString name = fields.restString();
    if (seat > 2) {
        if (m_spylist && m_spylist->removeSpy(seat, name)) addlinetochat(name + tr(" has left."), colorNavy);
        return;
    }
    if (seat < 1) return;
    addlinetochat(seatLabelText(seat) + tr(" disconnected."), colorStatus);
    // The computer opponent plays the seat from now on.
    setSeatLabelText(seat, computerPlayerName());
    setSeatWidgetVisible(QStringLiteral("image_eyes"), seat, false);
}

void Tchat::justwatching(const QByteArray& args) {
    FieldReader fields(args);
    const int seat = fields.number();
    const bool watching = fields.restBytes() == "1";
    if (seat < 1 || seat > 2) return;
    if (seat == m_mynumber) m_justWatch1->setChecked(watching);
    addlinetochat(seatLabelText(seat) + (watching ? tr(" is just watching") : tr(" is now playing again")),
                  colorGreen);
    setSeatWidgetVisible(QStringLiteral("image_eyes"), seat, watching);
}

void Tchat::giving3(const QByteArray& args) {
    FieldReader fields(args);
    fields.text();
    const QString name = fields.string();
    setSeatLabelText(1, name);
    addlinetochat(tr("The host has given ") + name + tr(" the ability to play."), colorStatus);
}

void Tchat::giveback(const QByteArray& args) {
    const QString name = FieldReader(args).string();
    setSeatLabelText(1, name);
    addlinetochat(tr("The Game is over since player 3 left"), colorStatus);
    if (ishost()) setStartControlsVisible(true);
    playsounds(QStringLiteral("gameover"));
}

void Tchat::cantgive(const QByteArray&) {
    addlinetochat(tr("You cannot give player 3 your turn."), colorStatus);
}

void Tchat::kicking(int seat) {
    if (ishost() && m_isconnected) sendToHost(Message(cmd::kickhim).field(m_mynumber).field(seat).bytes());
}

void Tchat::button_giveClick() {
    if (m_isconnected) sendToHost(Message(cmd::give3).field(m_mynumber).bytes());
}

void Tchat::enableHostControls() {
    setStartControlsVisible(true);
    if (m_spylist) m_spylist->enableRemoval();
}

void Tchat::setStartControlsVisible(bool visible) {
    m_board->buttonStart()->setVisible(visible);
    m_startGame1->setEnabled(visible);
}

} // namespace quibo
