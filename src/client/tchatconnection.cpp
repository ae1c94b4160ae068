// SPDX-License-Identifier: MIT
// The player window's connection to the host: reading, the receive queue, the queue timer with the
// phrase flood guard, the dispatch table, and what happens when the connection fails or ends.
#include "boardpanel.h"
#include "chatentry.h"
#include "commands.h"
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
    const auto handler = [this](void (Tchat::*method)(const QByteArray&)) {
        return [this, method](const QByteArray& args) { (this->*method)(args); };
    };
    auto& d = m_dispatcher;
    d.add(cmd::sendlogininfo, handler(&Tchat::sendloginfo));
    d.add(cmd::chat, handler(&Tchat::chatrecieved));
    d.add(cmd::action, handler(&Tchat::chatrecieved));
    d.add(cmd::newplayerinfo, handler(&Tchat::newplayerinfo));
    d.add(cmd::havewrongversion, [this](const QByteArray& args) {
        addlinetochat(FieldReader(args).restString() + tr(" has a different version of the game then you."),
                      colorStatus);
    });
    d.add(cmd::wrongversion, [this](const QByteArray&) {
        addlinetochat(tr("You have a differnt version of the game then the host."), colorStatus);
    });
    d.add(cmd::existingplayers, handler(&Tchat::newplayerinfo));
    d.add(cmd::playerdisconnected, handler(&Tchat::playerdisconnected));
    d.add(cmd::justwatching, handler(&Tchat::justwatching));
    // The board's messages, in their place in the table. Reached through board(): g++ 12's vptr
    // sanitizer misreads a data member of this class read inside a lambda that captured the window.
    const auto board = [this](void (BoardPanel::*method)(const QByteArray&)) {
        Tchat* window = this;
        return [window, method](const QByteArray& args) { (window->board()->*method)(args); };
    };
    d.add(cmd::startgame, board(&BoardPanel::startthegame));
    d.add(cmd::nextplayer, board(&BoardPanel::getnextplayer));
    d.add(cmd::winner, board(&BoardPanel::winner));
    d.add(cmd::full, [this](const QByteArray&) { gameFull(); });
    d.add(cmd::letters, board(&BoardPanel::letters));
    d.add(cmd::newletter, board(&BoardPanel::newletter));
    d.add(cmd::placemyletter, board(&BoardPanel::placemyletter));
    d.add(cmd::discardextra, board(&BoardPanel::discardextra));
    d.add(cmd::discardletter, board(&BoardPanel::discardletter));
    d.add(cmd::tradingmyletter, board(&BoardPanel::tradingmyletter));
    d.add(cmd::notvalid, board(&BoardPanel::notvalid));
    d.add(cmd::formedword, board(&BoardPanel::formedword));
    d.add(cmd::stoldletter, board(&BoardPanel::stoldletter));
    d.add(cmd::timeup, board(&BoardPanel::timeup));
    d.add(cmd::gamestats, board(&BoardPanel::gamestats));
    d.add(cmd::toomany, board(&BoardPanel::toomany));
    d.add(cmd::giving3, handler(&Tchat::giving3));
    d.add(cmd::giveback, handler(&Tchat::giveback));
    d.add(cmd::cantgive, handler(&Tchat::cantgive));
}

void Tchat::gameFull() {
    // The host closes the connection right after; the window closes when the player has read the
    // notice, not underneath it.
    m_sock->OnInfo = nullptr;
    m_sock->OnRead = nullptr;
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
        sendToHost(Message(cmd::chat)
                       .field(m_mynumber)
                       .rest(text + u'|' + QString::fromLatin1(colorToText(m_textcolor)))
                       .bytes());
    } else if (text.startsWith(QLatin1String("/me"))) {
        // "/me waves" sends "waves"; the character after "/me" is dropped whatever it is.
        sendToHost(Message(cmd::action)
                       .field(m_mynumber)
                       .rest(text.mid(4) + u'|' + QString::fromLatin1(colorToText(m_actioncolor)))
                       .bytes());
    }
    m_mychat->clear();
}

void Tchat::chatrecieved(const QByteArray& args) {
    const QString text = FieldReader(args).restString();
    const qsizetype bar = text.indexOf(u'|');
    if (bar < 0) {
        addlinetochat(text, colorRed);
        return;
    }
    const auto colour = colorFromText(text.mid(bar + 1).toUtf8());
    addlinetochat(text.left(bar), colour.value_or(colorRed));
}

} // namespace quibo
