// SPDX-License-Identifier: MIT
// The player window's connection to the host: reading, the receive queue, the queue timer with the
// phrase flood guard, the dispatch table, and what happens when the connection fails or ends.
#include "boardpanel.h"
#include "chatentry.h"
#include "errorreport.h"
#include "socketerrors.h"
#include "tchat.h"

#include <QTimer>

namespace quibo {

namespace {

// Ticks of the queue timer after which a phrase button may send again.
constexpr int phraseCooldownTicks = 100;

// What may wait in the receive queue before the window gives up on the host. A real game stays far
// below both: the window handles about a thousand messages a second while a host handles one
// incoming message every 10 ms and answers each with a few; a window joining a running game gets
// some forty messages at once. Ten thousand messages are ten seconds of the window's work, and
// 4 MiB hold sixty-four messages of the largest size a host relays. Past either bound the host is
// flooding the window, which would otherwise grow without limit and stop answering.
constexpr qsizetype maxQueuedMessages = 10'000;
constexpr qsizetype maxQueuedBytes = 4 * 1024 * 1024;

} // namespace

void Tchat::createDispatchTable() {
    auto& d = m_dispatcher;
    d.on(this, &Tchat::sendloginfo);
    d.on<msg::Chat>(this, &Tchat::chatrecieved);
    d.on<msg::Action>(this, &Tchat::chatrecieved);
    d.on<msg::NewPlayerInfo>(this, &Tchat::newplayerinfo);
    d.on<msg::HaveWrongVersion>([this](const msg::HaveWrongVersion& m) {
        addlinetochat(QString::fromUtf8(m.name) + tr(" has a different version of the game then you."),
                      colorStatus);
    });
    d.on<msg::WrongVersion>([this](const msg::WrongVersion&) {
        addlinetochat(tr("You have a differnt version of the game then the host."), colorStatus);
    });
    d.on<msg::ExistingPlayers>(this, &Tchat::newplayerinfo);
    d.on(this, &Tchat::playerdisconnected);
    d.on(this, &Tchat::justwatching);
    // The board's messages, in their place in the table.
    BoardPanel* board = m_board;
    d.on(board, &BoardPanel::startthegame);
    d.on(board, &BoardPanel::getnextplayer);
    d.on(board, &BoardPanel::winner);
    d.on<msg::Full>([this](const msg::Full&) { gameFull(); });
    d.on(board, &BoardPanel::letters);
    d.on(board, &BoardPanel::newletter);
    d.on(board, &BoardPanel::placemyletter);
    d.on(board, &BoardPanel::discardextra);
    d.on(board, &BoardPanel::discardletter);
    d.on(board, &BoardPanel::tradingmyletter);
    d.on(board, &BoardPanel::notvalid);
    d.on(board, &BoardPanel::formedword);
    d.on(board, &BoardPanel::stoldletter);
    d.on(board, &BoardPanel::timeup);
    d.on(board, &BoardPanel::gamestats);
    d.on(board, &BoardPanel::toomany);
    d.on(this, &Tchat::giving3);
    d.on(this, &Tchat::giveback);
    d.on(this, &Tchat::cantgive);
}

void Tchat::gameFull() {
    // The host closes the connection right after; the window closes when the player has read the
    // notice, not underneath it.
    stopListening();
    m_timer1->stop();
    if (m_noticeBox) m_noticeBox(tr("Game is full"));
    close();
}

void Tchat::sendToHost(const QByteArray& message) {
    if (m_closing) return;
    try {
        m_sock->Send(message);
    } catch (const ESockException& error) {
        reportError(QString::fromUtf8(error.what()));
    }
}

void Tchat::sockRead() {
    takeBytes(m_sock->Receive());
}

void Tchat::takeBytes(const QByteArray& bytes) {
    bool flooded = false;
    const auto result = m_splitter.feed(bytes, [this, &flooded](QByteArray text) {
        if (flooded) return;
        m_queuedBytes += text.size();
        m_receivedlist.push(std::move(text));
        flooded = m_receivedlist.size() > maxQueuedMessages || m_queuedBytes > maxQueuedBytes;
    });
    if (flooded) {
        qCWarning(lcClient) << "The host sent more than the window can queue; closing the connection";
        // What waits is the flood itself; the reason stays the last line of the chat.
        m_receivedlist.clear();
        m_queuedBytes = 0;
        dropConnection(tr("The connection to the host was closed: it sent more messages than the window "
                          "can handle."));
        return;
    }
    if (!m_receivedlist.isEmpty()) wakeTimer1();
    if (result == FrameSplitter::Result::Overflow) {
        qCWarning(lcClient) << "The host sent an endless message; closing the connection";
        dropConnection(tr("The connection to the host was closed: it sent data that is not a message."));
    }
}

void Tchat::dropConnection(const QString& reason) {
    closeAfterNotice(reason);
    m_sock->Close();
}

void Tchat::Timer1Timer() {
    processsocktimer();
    if (!m_canchat && ++m_chatticks > phraseCooldownTicks) {
        m_canchat = true;
        m_chatticks = 0;
    }
    // Ticks with nothing to handle and no cooldown running would change nothing: rest until
    // there is work again.
    if (m_canchat && m_receivedlist.isEmpty()) m_timer1->stop();
}

bool Tchat::timer1Running() const {
    return m_timer1->isActive();
}

void Tchat::wakeTimer1() {
    if (!m_closing && !m_timer1->isActive()) m_timer1->start();
}

void Tchat::processsocktimer() {
    const auto entry = m_receivedlist.takeFirst();
    if (!entry) return;
    m_queuedBytes -= entry->text.size();
    m_dispatcher.dispatch(entry->text);
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
