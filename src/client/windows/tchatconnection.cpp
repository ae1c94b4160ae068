// SPDX-License-Identifier: MIT
// The player window's side of the connection to the host: the messages about the connection
// itself, and what happens when the connection fails or ends.
#include "boardpanel.h"
#include "connectionreasons.h"
#include "errorreport.h"
#include "hostconnection.h"
#include "socketerrors.h"
#include "tablemodel.h"
#include "tchat.h"

namespace quibo {

namespace {

// The socket's report in plain words for the address this window tried.
QString plainReason(const HostConnection* connection, const QString& reason) {
    const TSock* sock = connection->sock();
    return plainConnectionReason(reason, sock->HostName(), sock->PortName().toUShort());
}

} // namespace

void Tchat::havewrongversion(const msg::HaveWrongVersion& m) {
    addlinetochat(QString::fromUtf8(m.name) + tr(" has a different version of the game then you."),
                  colorStatus);
}

void Tchat::wrongversion(const msg::WrongVersion&) {
    addlinetochat(tr("You have a differnt version of the game then the host."), colorStatus);
}

void Tchat::gameFull(const msg::Full&) {
    // The host closes the connection right after; the window closes when the player has read the
    // notice, not underneath it.
    m_connection->stopListening();
    m_connection->stopTimer1();
    Q_EMIT noticeRequested(tr("Game is full"));
    close();
}

void Tchat::sendToHost(const QByteArray& message) {
    if (m_closing) return;
    Q_EMIT sentToHost(message);
    m_connection->sendBytes(message);
}

void Tchat::dropConnection(const QString& reason) {
    closeAfterNotice(reason);
    m_connection->closeSocket();
}

void Tchat::tableclosed(const msg::TableClosed&) {
    m_tableClosed = true;
    addlinetochat(tr("The host closed the table."), colorStatus);
}

void Tchat::sockInfo(TSocketInfo info, const QString& text) {
    if (info == TSocketInfo::Close && text == QLatin1String("Socket Closed")) {
        if (m_passwordRefusal >= 0) {
            askForPassword(m_passwordRefusal);
            return;
        }
        if (m_tableClosed) {
            tableLeft();
            return;
        }
        close();
        return;
    }
    if (info == TSocketInfo::Error) connectionFailed(text);
}

void Tchat::connectionFailed(const QString& reason) {
    if (m_closing) return;
    if (m_sockOpen) {
        // The connection broke under a running window: say why, then end like a normal close.
        closeAfterNotice(
            tr("The connection to the host was lost: %1").arg(plainReason(m_connection, reason)));
        return;
    }
    addlinetochat(tr("Could not connect to the host: %1").arg(plainReason(m_connection, reason)),
                  colorStatus);
    // An unknown host name also gets the socket's lookup error box, as a failed lookup always has.
    if (reason == socketErrorText(wsaHostNotFound))
        reportError(QStringLiteral("Host Lookup - Could Not Find Host Entry"));
    // A join that failed is most often a mistyped address: offer it again for correction.
    if (!m_ishost) openStartWindow(m_myname, m_hostaddress);
}

void Tchat::connectionLost(const QString& reason) {
    addlinetochat(tr("The connection to the host was lost: %1").arg(plainReason(m_connection, reason)),
                  colorStatus);
    addlinetochat(tr("Connection lost. Reconnecting..."), colorStatus);
    // Nothing typed reaches the host until it has seated this window again.
    m_isconnected = false;
    updateSeatViews();
}

void Tchat::reconnected() {
    // The host greets the new connection as a newcomer: it hands out a seat (this window's own
    // again when it presents the seat's key in time), announces everybody again and, during a
    // game, sends the hand, both boards, the scores, the words formed and the turn under way. What
    // the window showed of the table goes, so that only the host's account of it remains.
    m_rejoin = Rejoin::AwaitingSeat;
    m_model->forgetForCatchUp();
}

void Tchat::tableLeft() {
    // The table is gone but the player stays: the window keeps its chat and offers to host or join
    // anew.
    m_connection->stopListening();
    m_connection->stopTimer1();
    m_connection->closeSocket();
    m_isconnected = false;
    m_seatKey.clear();
    m_model->tableLeft();
    updateSeatViews();
    openStartWindow(m_myname, m_ishost ? QString() : m_hostaddress);
}

void Tchat::reconnectFailed(const QString& reason) {
    closeAfterNotice(tr("Could not reconnect to the host: %1").arg(plainReason(m_connection, reason)));
}

} // namespace quibo
