// SPDX-License-Identifier: MIT
// ScriptedHost: a stand-in for the game host in player-window tests. It listens on a port the system
// picks, takes one connection, records every message the window sends and sends what the test says.
#pragma once

#include "protocol.h"

#include <QHostAddress>
#include <QList>
#include <QPointer>
#include <QTcpServer>
#include <QTcpSocket>

namespace quibo::test {

class ScriptedHost : public QObject {
public:
    ScriptedHost() {
        QObject::connect(&server, &QTcpServer::newConnection, this, [this] {
            QTcpSocket* next = server.nextPendingConnection();
            if (peer) { // one window at a time
                next->deleteLater();
                return;
            }
            peer = next;
            QObject::connect(next, &QTcpSocket::readyRead, this, [this] {
                splitter.feed(peer->readAll(), [this](QByteArray text) { received << text; });
            });
        });
    }

    bool listen() { return server.listen(QHostAddress::LocalHost, 0); }
    quint16 port() const { return server.serverPort(); }
    bool connected() const { return !peer.isNull(); }

    // Sends one message text; the terminator is added here.
    void send(const QByteArray& text) {
        if (!peer) return;
        peer->write(text + messageTerminator);
        peer->flush();
    }

    // Removes and answers the first received message starting with prefix, or an empty text.
    QByteArray take(const QByteArray& prefix) {
        for (qsizetype i = 0; i < received.size(); ++i) {
            if (received.at(i).startsWith(prefix)) return received.takeAt(i);
        }
        return {};
    }
    bool has(const QByteArray& prefix) const {
        for (const QByteArray& m : received) {
            if (m.startsWith(prefix)) return true;
        }
        return false;
    }

    QTcpServer server;
    QPointer<QTcpSocket> peer;
    FrameSplitter splitter;
    QList<QByteArray> received;
};

} // namespace quibo::test
