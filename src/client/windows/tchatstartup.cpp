// SPDX-License-Identifier: MIT
// Start-up of the player window: the command line decides between hosting, joining and solo play.
#include "boardpanel.h"
#include "errorreport.h"
#include "hostaddress.h"
#include "hostconnection.h"
#include "joinaddresses.h"
#include "tchat.h"

#include <QAction>
#include <QMessageBox>
#include <QPushButton>

namespace quibo {

namespace {

// Positions on the command line (position 0, the program, is not passed in).
constexpr int nameParameter = 1;
constexpr int addressParameter = 2;
constexpr int hostFlagParameter = 3;
constexpr int giveFlagParameter = 4;

} // namespace

void Tchat::processparams() {
    if (QWidget* give = m_area->findChild<QWidget*>(QStringLiteral("button_give"))) give->hide();
    setStartControlsVisible(false);

    if (m_setup.parameters.isEmpty()) {
        addlinetochat(tr("Loading Solo Game. Please wait."), colorStatus);
        openStartWindow(QString(), QString());
        playSolo();
        return;
    }

    // Where the quick instructions are is said once the seat is taken, for solo and table alike.
    addlinetochat(tr("Loading Multi-player Game. Please wait."), colorStatus);
    // A table link opened from a chat or a mail program comes alone.
    if (m_setup.parameters.size() == 1 && looksLikeTableLink(m_setup.parameters.first())) {
        joinFromLink(m_setup.parameters.first());
        return;
    }
    if (m_setup.parameters.size() < addressParameter) {
        // A name alone cannot reach anybody: say what is missing and offer the start window.
        addlinetochat(tr("The host's address is missing. Start Quibo with your name and the host's "
                         "address (quibo %1 192.168.1.5), or choose \"Host or Join a Game...\" in the "
                         "File menu.")
                          .arg(m_setup.parameters.first()),
                      colorStatus);
        openStartWindow(m_setup.parameters.first(), QString());
        return;
    }
    m_myname = m_setup.parameters.at(nameParameter - 1);
    m_hostaddress = m_setup.parameters.at(addressParameter - 1);
    // A missing host flag is not "true": the copy joins.
    const bool hosting = m_setup.parameters.size() >= hostFlagParameter &&
                         m_setup.parameters.at(hostFlagParameter - 1) == QLatin1String("true");
    if (!(hosting ? hostpress(HostingMode::Table) : joinpress())) return;
    openSideChannel();
    if (m_setup.parameters.size() >= giveFlagParameter &&
        m_setup.parameters.at(giveFlagParameter - 1) == QLatin1String("t")) {
        if (QWidget* give = m_area->findChild<QWidget*>(QStringLiteral("button_give"))) give->show();
    }
}

void Tchat::openStartWindow(const QString& name, const QString& address) {
    Q_EMIT startWindowRequested(name, address);
    if (m_setup.download) {
        m_setup.download->show();
        m_setup.download->raise();
    }
}

void Tchat::playSolo() {
    m_hostaddress = QStringLiteral("127.0.0.1");
    // Nobody but the computer sits at a solo table, so the name the player chose in the start
    // window shows only here; without one the seat is "You".
    m_myname = m_setup.rememberedName.isEmpty() || m_setup.rememberedName.startsWith(u'-')
                   ? QStringLiteral("You")
                   : m_setup.rememberedName;
    m_playingSolo = true;
    hostpress(HostingMode::Solo);
}

void Tchat::soloNameChosen(const QString& name) {
    m_setup.rememberedName = name;
    // The host knows a seat by the name it logged in with; a solo game in progress keeps it.
    if (m_playingSolo && name != m_myname)
        addlinetochat(tr("Your next solo game uses the name %1.").arg(name), colorStatus);
}

bool Tchat::hostpress(HostingMode mode) {
    quint16 port = m_setup.gamePort;
    try {
        if (m_setup.hostStarter) port = m_setup.hostStarter(mode);
    } catch (const ESockException& error) {
        return hostFailed(mode, QString::fromUtf8(error.what()));
    }
    m_ishost = true;
    updateSeatViews();
    // A solo host listens where the system put it, not on the game port.
    m_connectHost = QStringLiteral("127.0.0.1");
    m_connectPort = port;
    m_connection->setAddress(m_connectHost, m_connectPort);
    if (!openConnection()) return false;
    enableHostControls();
    if (m_copyTableLink1) m_copyTableLink1->setEnabled(mode == HostingMode::Table);
    // A table others play at: tell the hosting player where they find it.
    if (mode == HostingMode::Table)
        addlinetochat(
            tr("Others join this table at %1.").arg(joinAddressesText(joinAddresses(), m_setup.gamePort)),
            colorStatus);
    return true;
}

bool Tchat::hostFailed(HostingMode mode, const QString& reason) {
    // The system's text for a taken port; another table, a quibo-host or another program holds it.
    if (mode == HostingMode::Table && reason == QLatin1String("Listen - Error Binding Socket")) {
        const QString why = tr("Another table or program already uses port %1 on this computer, so no "
                               "table for others can be opened here (%2).")
                                .arg(m_setup.gamePort)
                                .arg(reason);
        addlinetochat(why, colorStatus);
        if (offerSoloGame(why)) playSolo();
        return false;
    }
    addlinetochat(tr("Could not start the game host: %1").arg(reason), colorStatus);
    reportError(reason);
    return false;
}

bool Tchat::offerSoloGame(const QString& why) {
    QMessageBox box(QMessageBox::Question, QStringLiteral("Quibo"), why, QMessageBox::NoButton, this);
    box.setObjectName(QStringLiteral("box_playsolo"));
    box.setTextFormat(Qt::PlainText);
    box.setInformativeText(tr("Play a solo game against the computer instead?"));
    QPushButton* solo = box.addButton(tr("Play Solo Game"), QMessageBox::AcceptRole);
    box.addButton(QMessageBox::Close);
    box.setDefaultButton(solo);
    box.exec();
    return box.clickedButton() == solo;
}

bool Tchat::joinpress() {
    updateSeatViews();
    setStartControlsVisible(false);
    // "host", "host:port", "[v6]:port" or a bare IPv6 address; the game port unless one is given.
    QString problem;
    const std::optional<HostAndPort> address = parseHostAddress(m_hostaddress, &problem);
    if (!address) {
        addlinetochat(tr("Could not connect to the host: %1").arg(problem), colorStatus);
        openStartWindow(m_myname, m_hostaddress);
        return false;
    }
    m_connectHost = address->host;
    m_connectPort = address->port.value_or(m_setup.gamePort);
    m_connection->setAddress(m_connectHost, m_connectPort);
    if (!openConnection()) return false;
    if (m_copyTableLink1) m_copyTableLink1->setEnabled(true);
    return true;
}

bool Tchat::openConnection() {
    try {
        m_connection->open();
    } catch (const ESockException& error) {
        const QString reason = QString::fromUtf8(error.what());
        connectionFailed(reason);
        reportError(reason);
        return false;
    }
    return true;
}

} // namespace quibo

namespace quibo {

void Tchat::openSideChannel() {
    try {
        m_sock11->setHostName(m_setup.sideChannelHost);
        m_sock11->setPortName(QString::number(m_setup.sideChannelPort));
        m_sock11->Open();
    } catch (const ESockException& error) {
        qCInfo(lcClient) << "Side connection not opened:" << error.what();
    }
}

} // namespace quibo
