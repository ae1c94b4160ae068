// SPDX-License-Identifier: MIT
// StubHost: a stand-in for the game host in player-window tests. It listens on a port the system
// picks, keeps every connection it accepts, sends message texts with the terminator added and
// collects what each connection sends, cut into messages.
#pragma once

#include "protocol.h"

#include <QHostAddress>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTest>
#include <memory>
#include <vector>

namespace quibo::test {

class StubHost : public QObject {
public:
    struct Peer {
        QTcpSocket* socket = nullptr;
        FrameSplitter splitter;
        QList<QByteArray> messages;
    };

    StubHost() {
        connect(&server, &QTcpServer::newConnection, this, [this] {
            while (QTcpSocket* s = server.nextPendingConnection()) {
                auto peer = std::make_unique<Peer>();
                peer->socket = s;
                Peer* raw = peer.get();
                connect(s, &QTcpSocket::readyRead, this, [raw] {
                    raw->splitter.feed(raw->socket->readAll(), [raw](QByteArray m) { raw->messages << m; });
                });
                peers.push_back(std::move(peer));
            }
        });
    }

    quint16 listen() {
        server.listen(QHostAddress::LocalHost, 0);
        return server.serverPort();
    }

    bool waitForPeers(int count, int timeoutMs = 20000) {
        return QTest::qWaitFor([&] { return int(peers.size()) >= count; }, timeoutMs);
    }

    void send(int peer, const QByteArray& text) {
        peers.at(peer)->socket->write(text + messageTerminator);
        peers.at(peer)->socket->flush();
    }

    const QList<QByteArray>& messages(int peer) const { return peers.at(peer)->messages; }

    bool waitForMessage(int peer, const QByteArray& exact, int timeoutMs = 20000) {
        return QTest::qWaitFor([&] { return peers.at(peer)->messages.contains(exact); }, timeoutMs);
    }

    QTcpServer server;
    std::vector<std::unique_ptr<Peer>> peers;
};

} // namespace quibo::test
