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
            [this](TSock*, TSocketInfo info, const QString& text) { socketInfo(info, text); });

    m_retryTimer = new QTimer(this);
    m_retryTimer->setSingleShot(true);
    connect(m_retryTimer, &QTimer::timeout, this, &HostConnection::tryAgain);

    m_greetingTimer = new QTimer(this);
    m_greetingTimer->setSingleShot(true);
    connect(m_greetingTimer, &QTimer::timeout, this, &HostConnection::greetingMissed);

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
void HostConnection::deliver(const M& message) const {
    // A copy: a handler may register or end another (a reset window wires itself anew).
    const std::vector<Route<M>> routes = std::get<std::vector<Route<M>>>(m_routes);
    for (const Route<M>& route : routes) {
        if (route.receiver) route.handler(message);
    }
}

void HostConnection::createDispatchTable() {
    forEachMessage(HostMessages{}, [this]<class M>() {
        m_dispatcher.on<M>([this](const M& message) {
            // Only the greeting shows that a host is at the other end.
            if constexpr (std::is_same_v<M, msg::SendLoginInfo>) hostGreeted();
            deliver(message);
        });
    });
}

void HostConnection::setAddress(const QString& host, quint16 port) {
    m_sock->setHostName(host);
    m_sock->setPortName(QString::number(port));
}

void HostConnection::open() {
    m_sock->Open();
    startGreetingClock();
}

void HostConnection::startGreetingClock() {
    // Accepting is not yet answering: only the greeting shows a host at the other end. The clock
    // runs from the start of a try, so a connect that never completes is given up as well.
    if (!m_closed) m_greetingTimer->start(m_greetingTimeoutMs);
}

void HostConnection::hostGreeted() {
    m_greetingTimer->stop();
    m_wasConnected = true;
    // Only now is the schedule of tries used up no more: a peer that accepts and breaks at once
    // must not earn itself a fresh schedule with every accepted connection.
    if (m_reconnectAttempt > 0) {
        qCInfo(lcClient) << "reconnected to the host after" << m_reconnectAttempt << "tries";
        m_reconnectAttempt = 0;
        Q_EMIT reconnected();
    }
    Q_EMIT connected();
}

void HostConnection::greetingMissed() {
    if (m_closed) return;
    const QString reason = tr("The host did not greet this window within %1 seconds.")
                               .arg(QString::number(m_greetingTimeoutMs / 1000.0));
    qCInfo(lcClient).noquote() << "no greeting from the host:" << reason;
    if (m_wasConnected || m_reconnectAttempt > 0) {
        retryAfterBreak(reason);
        return;
    }
    // The first connection: a failed start, as if nobody had answered.
    closeQuietly();
    Q_EMIT sockInfo(TSocketInfo::Error, reason);
}

void HostConnection::socketInfo(TSocketInfo info, const QString& text) {
    if (m_closingQuietly) return;
    if (info == TSocketInfo::Error || info == TSocketInfo::Close) m_greetingTimer->stop();
    // An error before the host ever greeted is a failed start (wrong address, nobody listening, not
    // a game host): the window says so and the player corrects it. Once greeted, a break is worth
    // new tries.
    if (info == TSocketInfo::Error && (m_wasConnected || m_reconnectAttempt > 0)) {
        retryAfterBreak(text);
        return;
    }
    // What the host said before it closed comes first (its farewell among it), so the window does
    // not end on a close whose reason still waits in the queue.
    if (info == TSocketInfo::Close && text == QLatin1String("Socket Closed")) {
        while (!m_closed && !m_receivedlist.isEmpty())
            processsocktimer();
    }
    Q_EMIT sockInfo(info, text);
}

void HostConnection::retryAfterBreak(const QString& reason) {
    closeQuietly();
    if (m_reconnectAttempt == 0) {
        qCInfo(lcClient).noquote() << "connection to the host broke:" << reason;
        Q_EMIT connectionLost(reason);
    }
    if (m_closed) return;
    if (m_reconnectAttempt >= m_reconnectDelays.size()) {
        qCInfo(lcClient).noquote() << "giving up reconnecting:" << reason;
        m_reconnectAttempt = 0;
        m_wasConnected = false;
        Q_EMIT reconnectFailed(reason);
        return;
    }
    m_retryTimer->start(m_reconnectDelays.at(m_reconnectAttempt++));
}

void HostConnection::closeQuietly() {
    // The broken socket is closed without the "Socket Closed" report that ends the window; a part
    // of a message that the old connection left unfinished must not prefix the new one's bytes.
    m_greetingTimer->stop();
    m_closingQuietly = true;
    m_sock->Close();
    m_closingQuietly = false;
    m_splitter.clear();
}

void HostConnection::tryAgain() {
    if (m_closed) return;
    qCInfo(lcClient) << "reconnecting to the host, try" << m_reconnectAttempt;
    try {
        m_sock->Open();
        startGreetingClock();
    } catch (const ESockException& error) {
        retryAfterBreak(QString::fromUtf8(error.what()));
    }
}

void HostConnection::sendBytes(const QByteArray& wholeMessage) {
    // Between a break and the next connection there is nobody to send to.
    if (m_closed || m_reconnectAttempt > 0) return;
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
    m_retryTimer->stop();
    m_greetingTimer->stop();
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
    m_retryTimer->stop();
    m_greetingTimer->stop();
    m_sock->disconnectEvents();
    m_sock->Close();
}

} // namespace quibo
