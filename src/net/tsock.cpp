// SPDX-License-Identifier: MIT
#include "tsock.h"

#include "errorreport.h"
#include "socketerrors.h"

#include <QHash>
#include <QHostAddress>
#include <QHostInfo>
#include <QPointer>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTimer>
#include <cerrno>

#ifdef Q_OS_UNIX
#include <fcntl.h>
#include <netdb.h>
#include <sys/socket.h>
#include <unistd.h>
#endif
#ifdef Q_OS_LINUX
#include <netinet/in.h>
#include <netinet/tcp.h>
#endif

namespace quibo {

Q_LOGGING_CATEGORY(lcNet, "quibo.net")

namespace {

// How long a closed connection may still deliver what it had queued. Long enough for a parting
// message to a reading peer; short, so that peers which stop reading cannot pile up closed
// connections full of output in the host's memory.
constexpr int lingerMs = 1000;

// Keep-alive probing of a quiet connection: first probe after a minute, then every ten seconds; six
// unanswered probes end it.
constexpr int keepAliveIdleSeconds = 60;
constexpr int keepAliveIntervalSeconds = 10;
constexpr int keepAliveProbes = 6;

// Host names looked up so far, shared by every TSock for the life of the program.
QHash<QString, QHostAddress>& hostCache() {
    static QHash<QString, QHostAddress> cache;
    return cache;
}

// Runs an event handler; nothing a handler throws may reach Qt's event loop. Such failures go to
// the program's error report, and the loop goes on with the next event.
template <typename F>
void guarded(F&& handler) {
    try {
        handler();
    } catch (const std::exception& e) {
        reportError(QString::fromUtf8(e.what()));
    }
}

// Accepted IPv4 peers of a dual-stack listener show up as ::ffff:a.b.c.d; players know them dotted.
QString peerText(const QHostAddress& address) {
    bool isV4 = false;
    const quint32 v4 = address.toIPv4Address(&isV4);
    return isV4 ? QHostAddress(v4).toString() : address.toString();
}

} // namespace

// The Qt objects under one TSock, and the readiness slots that turn their signals into TSock events.
class TSock::Private : public QObject {
public:
    explicit Private(TSock* owner)
        : q(owner) {}
    ~Private() override {
        dropSocket();
        closeShadow();
    }

    void adopt(QTcpSocket* s);
    void dropSocket();
    void startConnect(const QHostAddress& address, quint16 port);
    void lookedUp(const QHostInfo& info, quint16 port);
    void flushSend();

    void onConnected();
    void onReadyRead();
    void onBytesWritten();
    void onErrorOccurred(QAbstractSocket::SocketError error);
    void onDisconnected();
    void onNewConnection();

    // A second descriptor of the connected socket. Qt closes its own descriptor before it tells of
    // a peer's close, and reports a reset the same way as an orderly close; the shadow keeps the
    // socket alive long enough to ask the system which of the two it was.
    void openShadow();
    void closeShadow();
    int breakError(QAbstractSocket::SocketError qtError, int lastErrno) const;

    TSock* q;
    QPointer<QTcpServer> server;
    QPointer<QTcpSocket> socket;
    QByteArray receiveBuffer;
    QByteArray sendBuffer; // bytes handed to Send and not yet given to the socket
    int shadowFd = -1;
    bool broken = false; // the connection ended with an error; the object waits for Close
    int lookupId = -1;
};

void TSock::Private::adopt(QTcpSocket* s) {
    socket = s;
    s->setParent(this);
    connect(s, &QTcpSocket::connected, this, &Private::onConnected);
    connect(s, &QTcpSocket::readyRead, this, &Private::onReadyRead);
    connect(s, &QTcpSocket::bytesWritten, this, &Private::onBytesWritten);
    connect(s, &QTcpSocket::errorOccurred, this, &Private::onErrorOccurred);
    connect(s, &QTcpSocket::disconnected, this, &Private::onDisconnected);
}

void TSock::Private::dropSocket() {
    if (lookupId >= 0) QHostInfo::abortHostLookup(std::exchange(lookupId, -1));
    QTcpSocket* s = socket.data();
    socket = nullptr;
    if (!s) return;
    disconnect(s, nullptr, this, nullptr);
    if (s->state() == QAbstractSocket::ConnectedState) s->flush();
    if (s->state() == QAbstractSocket::ConnectedState && s->bytesToWrite() > 0) {
        // Let what is still queued go out; the socket deletes itself once it is done, or drops the
        // rest when the peer has not taken it in time.
        s->setParent(nullptr);
        connect(s, &QAbstractSocket::disconnected, s, &QObject::deleteLater);
        QTimer::singleShot(lingerMs, s, [s] {
#ifdef Q_OS_UNIX
            // A reset, not a close: the system drops the rest too instead of still sending it.
            const linger hard{1, 0};
            ::setsockopt(int(s->socketDescriptor()), SOL_SOCKET, SO_LINGER, &hard, sizeof hard);
#endif
            s->abort();
            s->deleteLater();
        });
        s->disconnectFromHost();
    } else {
        // Bytes the peer sent that nobody read would make the system end the connection with a
        // reset, which the peer takes for a broken connection: they are read away first, so that a
        // close is seen as a close. A peer that keeps sending gets its reset after a few rounds.
        for (int round = 0; round < 64 && s->state() == QAbstractSocket::ConnectedState; ++round) {
            (void)s->readAll();
            if (!s->waitForReadyRead(0)) break;
        }
        s->abort();
        s->deleteLater();
    }
    closeShadow();
}

void TSock::Private::startConnect(const QHostAddress& address, quint16 port) {
    if (socket) socket->connectToHost(address, port);
}

void TSock::Private::lookedUp(const QHostInfo& info, quint16 port) {
    lookupId = -1;
    guarded([&] {
        if (info.error() != QHostInfo::NoError || info.addresses().isEmpty()) {
            q->info(TSocketInfo::Error, socketErrorText(wsaHostNotFound));
            return;
        }
        const QHostAddress address = info.addresses().constFirst();
        hostCache().insert(info.hostName().toLower(), address);
        startConnect(address, port);
    });
}

void TSock::Private::flushSend() {
    if (!socket || socket->state() != QAbstractSocket::ConnectedState || sendBuffer.isEmpty()) return;
    socket->write(sendBuffer);
    sendBuffer.clear();
}

void TSock::Private::onConnected() {
    QPointer<TSock> self(q);
    openShadow();
    q->m_connected = true;
    guarded([&] {
        q->info(TSocketInfo::Connect, QStringLiteral("Non-Blocking Socket Connected"));
        if (self) Q_EMIT q->OnConnect(q);
    });
    // The system is ready for data at once: whatever was sent while connecting goes out now.
    if (self) onBytesWritten();
}

void TSock::Private::onReadyRead() {
    if (!socket) return;
    receiveBuffer += socket->readAll();
    guarded([&] {
        QPointer<TSock> self(q);
        q->info(TSocketInfo::Receive, QStringLiteral("Non-Blocking Incoming Data"));
        if (self) Q_EMIT q->OnRead(q, int(qMin<qsizetype>(receiveBuffer.size(), INT_MAX)));
    });
}

void TSock::Private::onBytesWritten() {
    flushSend();
    if (socket && socket->bytesToWrite() > 0) return;
    guarded([&] {
        QPointer<TSock> self(q);
        q->info(TSocketInfo::Send, QStringLiteral("Non-Blocking Outgoing Data"));
        if (self) Q_EMIT q->OnWrite(q);
    });
}

void TSock::Private::onErrorOccurred(QAbstractSocket::SocketError error) {
    const int lastErrno = errno;
    // A connection that was up ends through onDisconnected, which tells a close from a break.
    if (q->m_connected || broken) return;
    broken = true;
    const int number = socketErrorFromQt(error, lastErrno);
    qCDebug(lcNet) << "connection to" << q->m_hostName << "failed:" << socketErrorText(number);
    guarded([&] { q->info(TSocketInfo::Error, socketErrorText(number)); });
}

void TSock::Private::onDisconnected() {
    const int lastErrno = errno;
    if (!socket || broken) return;
    const int number = breakError(socket->error(), lastErrno);
    closeShadow();
    QPointer<TSock> self(q);
    if (number != 0) {
        // A connection that breaks is only reported; the owner decides to close the object.
        broken = true;
        guarded([&] { q->info(TSocketInfo::Error, socketErrorText(number)); });
        return;
    }
    guarded([&] {
        Q_EMIT q->OnDisconnect(q);
        if (self) q->Close();
    });
}

void TSock::Private::onNewConnection() {
    QPointer<TSock> self(q);
    while (self && server && server->hasPendingConnections()) {
        guarded([&] {
            if (q->AutoAccept) {
                TSock* accepted = q->Accept();
                if (accepted && self) Q_EMIT q->OnAutoAccept(q, accepted);
            } else {
                Q_EMIT q->OnAccept(q);
            }
        });
        // A handler that leaves the connection pending is asked again at the next connection.
        if (!self || !q->AutoAccept) break;
    }
}

void TSock::Private::openShadow() {
#ifdef Q_OS_UNIX
    closeShadow();
    if (socket && socket->socketDescriptor() >= 0)
        shadowFd = ::fcntl(int(socket->socketDescriptor()), F_DUPFD_CLOEXEC, 0);
#endif
}

void TSock::Private::closeShadow() {
#ifdef Q_OS_UNIX
    if (shadowFd >= 0) ::close(std::exchange(shadowFd, -1));
#endif
}

int TSock::Private::breakError(QAbstractSocket::SocketError qtError, int lastErrno) const {
    if (qtError != QAbstractSocket::RemoteHostClosedError && qtError != QAbstractSocket::UnknownSocketError)
        return socketErrorFromQt(qtError, lastErrno);
#ifdef Q_OS_LINUX
    tcp_info state{};
    socklen_t length = sizeof state;
    if (shadowFd >= 0 && ::getsockopt(shadowFd, IPPROTO_TCP, TCP_INFO, &state, &length) == 0) {
        // After an orderly close by the peer our side waits for its own close; a reset or a
        // timeout leaves the socket fully closed.
        if (state.tcpi_state == TCP_CLOSE_WAIT) return 0;
        int pending = 0;
        socklen_t size = sizeof pending;
        ::getsockopt(shadowFd, SOL_SOCKET, SO_ERROR, &pending, &size);
        const int mapped = socketErrorFromErrno(pending);
        return mapped ? mapped : wsaConnReset;
    }
#endif
    return lastErrno == ECONNRESET ? wsaConnReset : 0;
}

TSock::TSock(QObject* parent)
    : QObject(parent)
    , d(new Private(this)) {}

TSock::~TSock() {
    // Closing here reports nothing: the handlers' owners may already be half gone.
    delete d;
}

void TSock::disconnectEvents() {
    disconnect(this, &TSock::OnConnect, nullptr, nullptr);
    disconnect(this, &TSock::OnDisconnect, nullptr, nullptr);
    disconnect(this, &TSock::OnRead, nullptr, nullptr);
    disconnect(this, &TSock::OnWrite, nullptr, nullptr);
    disconnect(this, &TSock::OnAccept, nullptr, nullptr);
    disconnect(this, &TSock::OnAutoAccept, nullptr, nullptr);
    disconnect(this, &TSock::OnInfo, nullptr, nullptr);
}

void TSock::clearHostCache() {
    hostCache().clear();
}

void TSock::info(TSocketInfo code, const QString& text) {
    qCDebug(lcNet).noquote() << "info" << int(code) << text;
    try {
        Q_EMIT OnInfo(this, code, text);
    } catch (const std::exception& e) {
        qCWarning(lcNet) << "info handler failed:" << e.what();
        throw ESockException("Error here");
    }
}

void TSock::setHostName(const QString& name) {
    if (m_connected) {
        info(TSocketInfo::Lookup, QStringLiteral("Setting HostName While Connected Has No Effect"));
        return;
    }
    m_hostName = name;
}

void TSock::setPortName(const QString& name) {
    if (m_connected) {
        info(TSocketInfo::Lookup, QStringLiteral("Setting PortName While Connected Has No Effect"));
        return;
    }
    m_portName = name;
}

quint16 TSock::resolvePort() const {
    const QString name = m_portName.trimmed();
    if (!name.isEmpty() && name.at(0).isDigit()) {
        bool ok = false;
        const uint port = name.toUInt(&ok);
        if (ok && port <= 0xFFFF) return quint16(port);
        throw ESockException("Port Lookup - Could Not Find Service Entry");
    }
#ifdef Q_OS_UNIX
    const_cast<TSock*>(this)->info(TSocketInfo::Lookup, QStringLiteral("Lookup Of Port ") + name);
    if (const servent* entry = name.isEmpty() ? nullptr : ::getservbyname(name.toLatin1().constData(), "tcp"))
        return quint16(ntohs(quint16(entry->s_port)));
#endif
    throw ESockException("Port Lookup - Could Not Find Service Entry");
}

bool TSock::Listen() const {
    return d->server != nullptr;
}

void TSock::setListen(bool listen) {
    if (!listen) {
        if (d->server) {
            d->server->close();
            d->server->deleteLater();
            d->server = nullptr;
            info(TSocketInfo::Listen, QStringLiteral("Listening Stopped"));
        }
        return;
    }
    if (m_hasSocket) throw ESockException("Listen - Socket Already In Use");
    if (d->server) {
        info(TSocketInfo::Listen, QStringLiteral("Listening Already Running"));
        return;
    }
    const quint16 port = resolvePort();
    auto* server = new QTcpServer(d);
    server->setListenBacklogSize(listenBacklog);
    // Any covers IPv6 and IPv4 alike where the system has both.
    if (!server->listen(m_listenAddress, port)) {
        const auto error = server->serverError();
        qCWarning(lcNet) << "listen on port" << port << "failed:" << server->errorString();
        delete server;
        if (error == QAbstractSocket::AddressInUseError || error == QAbstractSocket::SocketAccessError ||
            error == QAbstractSocket::SocketAddressNotAvailableError)
            throw ESockException("Listen - Error Binding Socket");
        throw ESockException("Listen - Error Starting Listen");
    }
    d->server = server;
    QObject::connect(server, &QTcpServer::newConnection, d, &Private::onNewConnection);
    info(TSocketInfo::Listen, QStringLiteral("Listening Started"));
}

quint16 TSock::listeningPort() const {
    return d->server ? d->server->serverPort() : 0;
}

bool TSock::Open() {
    if (m_hasSocket || d->server) return m_connected;
    const quint16 port = resolvePort();
    const QString name = m_hostName.trimmed();
    QHostAddress address;
    if (name.isEmpty() || (name.at(0).isDigit() && !address.setAddress(name)))
        throw ESockException("Host Lookup - Could Not Find Host Entry");
    if (address.isNull() && !address.setAddress(name)) {
        const auto cached = hostCache().constFind(name.toLower());
        if (cached != hostCache().constEnd()) address = cached.value();
    }
    m_hasSocket = true;
    d->broken = false;
    d->receiveBuffer.clear();
    d->adopt(new QTcpSocket(d));
    if (!address.isNull()) {
        d->startConnect(address, port);
        return false;
    }
    info(TSocketInfo::Lookup, QStringLiteral("Lookup Of Host ") + name);
    d->lookupId =
        QHostInfo::lookupHost(name, d, [this, port](const QHostInfo& result) { d->lookedUp(result, port); });
    return false;
}

TSock* TSock::Accept() {
    if (!d->server) throw ESockException("Accept - Socket Not In Listening Mode");
    QTcpSocket* socket = d->server->nextPendingConnection();
    if (!socket) {
        info(TSocketInfo::Accept, QStringLiteral("Could Not Accept Connection"));
        return nullptr;
    }
    auto* accepted = new TSock(parent());
    accepted->Blocking = Blocking;
    accepted->BlockingTimeout = BlockingTimeout;
    // The connection's events reach whoever listens to the listener.
    connect(accepted, &TSock::OnRead, this, &TSock::OnRead);
    connect(accepted, &TSock::OnWrite, this, &TSock::OnWrite);
    connect(accepted, &TSock::OnDisconnect, this, &TSock::OnDisconnect);
    connect(accepted, &TSock::OnInfo, this, &TSock::OnInfo);
    accepted->m_portName = m_portName;
    accepted->m_hostName = peerText(socket->peerAddress());
    accepted->m_connected = true;
    accepted->m_hasSocket = true;
    accepted->d->adopt(socket);
    accepted->d->openShadow();
    // Bytes or a close that arrived before the socket was adopted are handled as if they came now.
    QPointer<Private> target(accepted->d);
    QTimer::singleShot(0, accepted->d, [target] {
        if (!target || !target->socket) return;
        if (target->socket->bytesAvailable() > 0) target->onReadyRead();
        if (target && target->socket && target->socket->state() == QAbstractSocket::UnconnectedState)
            target->onDisconnected();
    });
    info(TSocketInfo::Accept, QStringLiteral("Created New TSock Structure"));
    return accepted;
}

void TSock::Send(const QByteArray& bytes) {
    if (d->server) throw ESockException("Send - Cannot Send On A Listener Socket");
    if (!m_hasSocket) throw ESockException("Send - Socket Not Connected");
    // Before the connection completes the bytes wait in the send buffer; a broken connection loses
    // them, as the peer is gone.
    if (d->broken) return;
    d->sendBuffer += bytes;
    d->flushSend();
    info(TSocketInfo::Send, QStringLiteral("Non-Blocking Outgoing Data"));
}

QByteArray TSock::Receive() {
    if (d->server) throw ESockException("Receive - Cannot Receive On A Listener Socket");
    if (!m_hasSocket) throw ESockException("Receive - Socket Not Connected");
    return std::exchange(d->receiveBuffer, QByteArray());
}

qint64 TSock::pendingOutput() const {
    return d->sendBuffer.size() + (d->socket ? d->socket->bytesToWrite() : 0);
}

bool TSock::enableKeepAlive() {
    if (!d->socket || d->socket->socketDescriptor() < 0) return false;
    d->socket->setSocketOption(QAbstractSocket::KeepAliveOption, 1);
#ifdef Q_OS_LINUX
    const int fd = int(d->socket->socketDescriptor());
    const auto set = [fd](int option, int value) {
        return ::setsockopt(fd, IPPROTO_TCP, option, &value, sizeof value) == 0;
    };
    if (!set(TCP_KEEPIDLE, keepAliveIdleSeconds) || !set(TCP_KEEPINTVL, keepAliveIntervalSeconds) ||
        !set(TCP_KEEPCNT, keepAliveProbes)) {
        qCWarning(lcNet) << "keep-alive timing refused:" << qt_error_string(errno);
        return false;
    }
#endif
    return d->socket->socketOption(QAbstractSocket::KeepAliveOption).toInt() != 0;
}

qintptr TSock::socketDescriptor() const {
    return d->socket ? d->socket->socketDescriptor() : -1;
}

bool TSock::Close() {
    if (d->server) {
        d->server->close();
        d->server->deleteLater();
        d->server = nullptr;
        return true;
    }
    d->dropSocket();
    d->sendBuffer.clear();
    d->broken = false;
    m_connected = false;
    m_hasSocket = false;
    info(TSocketInfo::Close, QStringLiteral("Socket Closed"));
    return true;
}

} // namespace quibo
