// SPDX-License-Identifier: MIT
// The player window's side of the connection to the host: the phrase flood guard counted on the
// queue timer's ticks, the messages about the connection itself, and what happens when the
// connection fails or ends.
#include "chatentry.h"
#include "errorreport.h"
#include "hostconnection.h"
#include "phrasebuttons.h"
#include "socketerrors.h"
#include "tchat.h"

namespace quibo {

namespace {

// Ticks of the queue timer after which a phrase button may send again.
constexpr int phraseCooldownTicks = 100;

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
    m_connection->sendBytes(message);
}

void Tchat::dropConnection(const QString& reason) {
    closeAfterNotice(reason);
    m_connection->closeSocket();
}

void Tchat::chatTick() {
    if (!m_canchat && ++m_chatticks > phraseCooldownTicks) setCanchat(true);
}

void Tchat::sockInfo(TSocketInfo info, const QString& text) {
    if (info == TSocketInfo::Close && text == QLatin1String("Socket Closed")) {
        close();
        return;
    }
    if (info == TSocketInfo::Error) connectionFailed(text);
}

void Tchat::connectionFailed(const QString& reason) {
    if (m_closing) return;
    if (m_sockOpen) {
        // The connection broke under a running window: say why, then end like a normal close.
        closeAfterNotice(tr("The connection to the host was lost: %1").arg(reason));
        return;
    }
    addlinetochat(tr("Could not connect to the host: %1").arg(reason), colorStatus);
    // An unknown host name also gets the socket's lookup error box, as a failed lookup always has.
    if (reason == socketErrorText(wsaHostNotFound))
        reportError(QStringLiteral("Host Lookup - Could Not Find Host Entry"));
}

} // namespace quibo

namespace quibo {

void Tchat::sendit() {
    if (!m_isconnected) return; // typed before the seat arrived: the text stays in the entry
    const QString text = m_mychat->text();
    if (text.isEmpty()) return;
    if (!text.startsWith(u'/')) {
        sendToHost(msg::ChatRequest{m_mynumber, text.toUtf8() + '|' + colorToText(m_textcolor)}.encode());
    } else if (text.startsWith(QLatin1String("/me"))) {
        // "/me waves" sends "waves"; the character after "/me" is dropped whatever it is.
        sendToHost(
            msg::ActionRequest{m_mynumber, text.mid(4).toUtf8() + '|' + colorToText(m_actioncolor)}.encode());
    }
    m_mychat->clear();
}

void Tchat::sendPhrase(const QString& phrase) {
    if (!m_isconnected || !m_canchat) return;
    sendToHost(PhraseButtons::actionMessage(m_mynumber, phrase, m_actioncolor));
    setCanchat(false);
}

void Tchat::chatrecieved(const msg::Chat& m) {
    showChatLine(m.line);
}

void Tchat::chatrecieved(const msg::Action& m) {
    showChatLine(m.line);
}

void Tchat::showChatLine(const QByteArray& line) {
    const QString text = QString::fromUtf8(line);
    const qsizetype bar = text.indexOf(u'|');
    if (bar < 0) {
        addlinetochat(text, colorRed);
        return;
    }
    const auto colour = colorFromText(text.mid(bar + 1).toUtf8());
    addlinetochat(text.left(bar), colour.value_or(colorRed));
}

} // namespace quibo
