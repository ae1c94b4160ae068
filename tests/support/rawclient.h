// SPDX-License-Identifier: MIT
// RawClient: a test peer that speaks the game's framing over a plain QTcpSocket. It collects every
// message it receives, sends typed messages (or message texts with the terminator added), and can
// end its connection normally or with a reset. Shared by the network, host and end-to-end tests.
#pragma once

#include "messagetext.h"
#include "protocol.h"

#include <QByteArray>
#include <QList>
#include <QTcpSocket>
#include <QTest>

#ifdef Q_OS_UNIX
#include <sys/socket.h>
#endif

namespace quibo::test {

class RawClient : public QObject {
public:
    explicit RawClient(QObject* parent = nullptr)
        : QObject(parent) {
        connect(&socket, &QTcpSocket::readyRead, this,
                [this] { splitter.feed(socket.readAll(), [this](QByteArray text) { messages << text; }); });
    }

    bool connectTo(quint16 port, const QString& host = QStringLiteral("127.0.0.1"), int timeoutMs = 20000) {
        socket.connectToHost(host, port);
        return socket.waitForConnected(timeoutMs);
    }

    // Connects and waits for the host's seat greeting; answers the seat, or 0.
    int connectAndGetSeat(quint16 port, int timeoutMs = 20000) {
        if (!connectTo(port, QStringLiteral("127.0.0.1"), timeoutMs)) return 0;
        const int index = waitFor(msg::SendLoginInfo::command, timeoutMs);
        if (index < 0) return 0;
        const std::optional<msg::SendLoginInfo> greeting = decodeText<msg::SendLoginInfo>(messages.at(index));
        return greeting ? greeting->seat : 0;
    }

    // Sends one message text; the terminator is added here.
    void send(const QByteArray& text) {
        socket.write(text + messageTerminator);
        socket.flush();
    }
    template <TypedMessage M>
    void send(const M& message) {
        sendRaw(message.encode());
    }
    void sendRaw(const QByteArray& bytes) {
        socket.write(bytes);
        socket.flush();
    }

    // Index of the first message from `from` on that starts with prefix, or -1.
    int indexOf(const QByteArray& prefix, int from = 0) const {
        for (int i = from; i < messages.size(); ++i) {
            if (messages.at(i).startsWith(prefix)) return i;
        }
        return -1;
    }
    int count(const QByteArray& prefix) const {
        int n = 0;
        for (const QByteArray& m : messages)
            n += m.startsWith(prefix) ? 1 : 0;
        return n;
    }
    bool has(const QByteArray& exact) const { return messages.contains(exact); }

    // Waits until a message starting with prefix has arrived; answers its index or -1.
    int waitFor(const QByteArray& prefix, int timeoutMs = 20000, int from = 0) {
        (void)QTest::qWaitFor([&] { return indexOf(prefix, from) >= 0; }, timeoutMs);
        return indexOf(prefix, from);
    }

    bool waitForClosed(int timeoutMs = 20000) {
        return QTest::qWaitFor([&] { return socket.state() == QAbstractSocket::UnconnectedState; },
                               timeoutMs);
    }

    // Ends the connection with a reset instead of an orderly close.
    void reset() {
#ifdef Q_OS_UNIX
        const linger hard{1, 0};
        ::setsockopt(int(socket.socketDescriptor()), SOL_SOCKET, SO_LINGER, &hard, sizeof hard);
#endif
        socket.abort();
    }

    void close() {
        socket.disconnectFromHost();
    }

    QTcpSocket socket;
    FrameSplitter splitter;
    QList<QByteArray> messages;
};

} // namespace quibo::test
