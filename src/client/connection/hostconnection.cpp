// SPDX-License-Identifier: MIT
#include "hostconnection.h"

#include "errorreport.h"

#include <QLoggingCategory>
#include <QTimer>

namespace quibo {

Q_DECLARE_LOGGING_CATEGORY(lcClient)

namespace {

// What may wait in the receive queue before the window gives up on the host. A real game stays far
// below both: the window handles about a thousand messages a second while a host handles one
// incoming message every 10 ms and answers each with a few; a window joining a running game gets
// some forty messages at once. Ten thousand messages are ten seconds of the window's work, and
// 4 MiB hold sixty-four messages of the largest size a host relays. Past either bound the host is
// flooding the window, which would otherwise grow without limit and stop answering.
constexpr qsizetype maxQueuedMessages = 10'000;
constexpr qsizetype maxQueuedBytes = 4 * 1024 * 1024;

} // namespace

HostConnection::HostConnection(QObject* parent)
    : QObject(parent) {
    m_sock = new TSock(this);
    m_sock->setObjectName(QStringLiteral("sock"));
    m_sock->setHostName(QStringLiteral("127.0.0.1"));
    connect(m_sock, &TSock::OnRead, this, &HostConnection::sockRead);
    connect(m_sock, &TSock::OnInfo, this,
            [this](TSock*, TSocketInfo info, const QString& text) { Q_EMIT sockInfo(info, text); });
    connect(m_sock, &TSock::OnConnect, this, &HostConnection::connected);

    m_timer1 = new QTimer(this);
    m_timer1->setObjectName(QStringLiteral("Timer1"));
    m_timer1->setInterval(1);
    connect(m_timer1, &QTimer::timeout, this, &HostConnection::Timer1Timer);
    createDispatchTable();
}

HostConnection::~HostConnection() {
    // The socket reports its own closing while it is destroyed; nobody listens by then.
    m_sock->disconnectEvents();
}

template <class M>
void HostConnection::relay(void (HostConnection::*signal)(const M&)) {
    m_dispatcher.on<M>([this, signal](const M& message) { Q_EMIT(this->*signal)(message); });
}

void HostConnection::createDispatchTable() {
    relay(&HostConnection::sendlogininfoReceived);
    relay(&HostConnection::chatReceived);
    relay(&HostConnection::actionReceived);
    relay(&HostConnection::newplayerinfoReceived);
    relay(&HostConnection::havewrongversionReceived);
    relay(&HostConnection::wrongversionReceived);
    relay(&HostConnection::existingplayersReceived);
    relay(&HostConnection::playerdisconnectedReceived);
    relay(&HostConnection::justwatchingReceived);
    relay(&HostConnection::startgameReceived);
    relay(&HostConnection::nextplayerReceived);
    relay(&HostConnection::winnerReceived);
    relay(&HostConnection::fullReceived);
    relay(&HostConnection::lettersReceived);
    relay(&HostConnection::newletterReceived);
    relay(&HostConnection::placemyletterReceived);
    relay(&HostConnection::discardextraReceived);
    relay(&HostConnection::discardletterReceived);
    relay(&HostConnection::tradingmyletterReceived);
    relay(&HostConnection::notvalidReceived);
    relay(&HostConnection::formedwordReceived);
    relay(&HostConnection::stoldletterReceived);
    relay(&HostConnection::timeupReceived);
    relay(&HostConnection::gamestatsReceived);
    relay(&HostConnection::toomanyReceived);
    relay(&HostConnection::giving3Received);
    relay(&HostConnection::givebackReceived);
    relay(&HostConnection::cantgiveReceived);
}

void HostConnection::setAddress(const QString& host, quint16 port) {
    m_sock->setHostName(host);
    m_sock->setPortName(QString::number(port));
}

void HostConnection::open() {
    m_sock->Open();
}

void HostConnection::sendBytes(const QByteArray& wholeMessage) {
    if (m_closed) return;
    try {
        m_sock->Send(wholeMessage);
    } catch (const ESockException& error) {
        reportError(QString::fromUtf8(error.what()));
    }
}

void HostConnection::sockRead() {
    takeBytes(m_sock->Receive());
}

void HostConnection::takeBytes(const QByteArray& bytes) {
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
        Q_EMIT hostMisbehaved(tr("The connection to the host was closed: it sent more messages than the "
                                 "window can handle."));
        return;
    }
    if (!m_receivedlist.isEmpty()) wakeTimer1();
    if (result == FrameSplitter::Result::Overflow) {
        qCWarning(lcClient) << "The host sent an endless message; closing the connection";
        Q_EMIT hostMisbehaved(
            tr("The connection to the host was closed: it sent data that is not a message."));
    }
}

void HostConnection::Timer1Timer() {
    processsocktimer();
    Q_EMIT ticked();
    // Ticks with nothing to handle and nobody counting them would change nothing: rest until
    // there is work again.
    if (!m_ticksWanted && m_receivedlist.isEmpty()) m_timer1->stop();
}

void HostConnection::processsocktimer() {
    const auto entry = m_receivedlist.takeFirst();
    if (!entry) return;
    m_queuedBytes -= entry->text.size();
    m_dispatcher.dispatch(entry->text);
}

bool HostConnection::timer1Running() const {
    return m_timer1->isActive();
}

void HostConnection::setTicksWanted(bool wanted) {
    m_ticksWanted = wanted;
    if (wanted) wakeTimer1();
}

void HostConnection::wakeTimer1() {
    if (!m_closed && !m_timer1->isActive()) m_timer1->start();
}

void HostConnection::stopListening() {
    disconnect(m_sock, &TSock::OnInfo, this, nullptr);
    disconnect(m_sock, &TSock::OnRead, this, nullptr);
}

void HostConnection::stopTimer1() {
    m_timer1->stop();
}

void HostConnection::closeSocket() {
    m_sock->Close();
}

void HostConnection::close() {
    if (m_closed) return;
    m_closed = true;
    m_timer1->stop();
    m_sock->disconnectEvents();
    m_sock->Close();
}

} // namespace quibo
