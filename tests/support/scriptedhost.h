// SPDX-License-Identifier: MIT
// ScriptedHost: the one stand-in for the game host (or for the side channel) in player-window tests.
// It listens on a port the system picks, keeps every connection it accepts as a numbered peer in
// arrival order, collects what each peer sends cut into message texts, and sends what the test
// says: a typed message, or a text to which the terminator is added. Owned by the test or its
// fixture; peer 0 is the first window to connect and the default everywhere.
#pragma once

#include "heldport.h"
#include "messagetext.h"
#include "protocol.h"

#include <QHostAddress>
#include <QList>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTest>
#include <memory>
#include <vector>

namespace quibo::test {

class ScriptedHost : public QObject {
public:
    struct Peer {
        QTcpSocket* socket = nullptr; // owned by the server
        FrameSplitter splitter;
        QList<QByteArray> messages;
    };

    ScriptedHost() {
        connect(&server, &QTcpServer::newConnection, this, [this] {
            while (QTcpSocket* socket = server.nextPendingConnection()) {
                auto peer = std::make_unique<Peer>();
                peer->socket = socket;
                Peer* raw = peer.get();
                connect(socket, &QTcpSocket::readyRead, this, [raw] {
                    raw->splitter.feed(raw->socket->readAll(),
                                       [raw](QByteArray text) { raw->messages << text; });
                });
                peers.push_back(std::move(peer));
            }
        });
    }

    ~ScriptedHost() override { releasePort(m_heldPort); }

    bool listen() { return server.listen(QHostAddress::LocalHost, 0); }
    // Stops listening and keeps the port from anybody else (holdPort).
    bool closeAndHoldPort() {
        const quint16 held = port();
        server.close();
        m_heldPort = holdPort(held);
        return m_heldPort >= 0;
    }
    quint16 port() const { return server.serverPort(); }
    // Whether that peer has connected (it may have left since).
    bool connected(int peer = 0) const { return int(peers.size()) > peer; }
    bool waitForPeers(int count = 1, int timeoutMs = 20000) {
        return QTest::qWaitFor([&] { return int(peers.size()) >= count; }, timeoutMs);
    }

    // Sends one message text to a peer; the terminator is added here.
    void send(int peer, const QByteArray& text) { write(peer, text + messageTerminator); }
    void send(const QByteArray& text) { send(0, text); }
    template <TypedMessage M>
    void send(int peer, const M& message) {
        write(peer, message.encode());
    }
    template <TypedMessage M>
    void send(const M& message) {
        send(0, message);
    }

    const QList<QByteArray>& messages(int peer = 0) const { return peers.at(peer)->messages; }
    bool has(const QByteArray& prefix, int peer = 0) const { return indexOf(prefix, peer) >= 0; }
    int count(const QByteArray& prefix, int peer = 0) const {
        if (!connected(peer)) return 0;
        return int(std::count_if(messages(peer).begin(), messages(peer).end(),
                                 [&](const QByteArray& m) { return m.startsWith(prefix); }));
    }
    // Removes and answers the first message of the peer starting with prefix, or an empty text.
    QByteArray take(const QByteArray& prefix, int peer = 0) {
        const int index = indexOf(prefix, peer);
        return index < 0 ? QByteArray() : peers.at(peer)->messages.takeAt(index);
    }
    bool waitForMessage(int peer, const QByteArray& exact, int timeoutMs = 20000) {
        return QTest::qWaitFor([&] { return connected(peer) && messages(peer).contains(exact); }, timeoutMs);
    }

    QTcpServer server;
    std::vector<std::unique_ptr<Peer>> peers;

private:
    int m_heldPort = -1;
    int indexOf(const QByteArray& prefix, int peer) const {
        if (!connected(peer)) return -1;
        const QList<QByteArray>& list = messages(peer);
        for (qsizetype i = 0; i < list.size(); ++i) {
            if (list.at(i).startsWith(prefix)) return int(i);
        }
        return -1;
    }
    void write(int peer, const QByteArray& bytes) {
        if (!connected(peer)) return;
        peers.at(peer)->socket->write(bytes);
        peers.at(peer)->socket->flush();
    }
};

} // namespace quibo::test
