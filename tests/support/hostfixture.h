// SPDX-License-Identifier: MIT
// HostFixture: a real TServer listening on a free port, in a temporary working directory, with raw
// clients that join it like player windows do (connect, take the offered seat, log in).
#pragma once

#include "messages.h"
#include "rawclient.h"
#include "tserver.h"

#include <QTemporaryDir>
#include <memory>
#include <vector>

namespace quibo::test {

class HostFixture {
public:
    // Without a word list by default: seat handling needs no dictionary.
    explicit HostFixture(HostConfig config = {}, bool withDictionary = false) {
        config.workingDirectory = dir.path();
        config.port = 0;
        config.seed = config.seed.value_or(1);
        if (!withDictionary) {
            config.dictionaryResource.clear();
            config.reportMissingDictionary = false;
        }
        server = std::make_unique<TServer>(std::move(config));
        server->setListen(true);
    }

    quint16 port() const { return server->listeningPort(); }

    // A connected client that got its seat but has not logged in.
    RawClient* connect(int* seat = nullptr) {
        clients.push_back(std::make_unique<RawClient>());
        RawClient* client = clients.back().get();
        const int given = client->connectAndGetSeat(port());
        if (seat) *seat = given;
        return client;
    }

    // Connects and logs in; waits until the host has announced the newcomer to itself.
    RawClient* join(const QString& name, const QByteArray& version = "1.0.2") {
        int seat = 0;
        RawClient* client = connect(&seat);
        if (seat == 0) return client;
        client->sendRaw(msg::LoginInfo{seat, version, name.toUtf8()}.encode());
        client->waitFor("CMD_newplayerinfo+" + QByteArray::number(seat) + '+');
        return client;
    }

    QTemporaryDir dir;
    std::unique_ptr<TServer> server;
    std::vector<std::unique_ptr<RawClient>> clients;
};

} // namespace quibo::test
