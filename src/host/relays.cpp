// SPDX-License-Identifier: MIT
// TServer's message handlers outside the game rules: login, removing a player, chat and action
// relays, just watching, and handing seat 1's turns to seat 3.
//
// Every handler first compares the seat a message names as its sender with the seat of the
// connection it came on; a mismatch is ignored, so nobody can speak, move or kick in another's name.
#include "commands.h"
#include "tserver.h"

namespace quibo {

void TServer::receivedlogininfo(const QByteArray& args) {
    FieldReader reader(args);
    const int seat = reader.number();
    if (!isFromSender(cmd::logininfo, seat)) return;
    const QByteArray version = reader.text();
    // The name travels on as the bytes it came as, like chat text: every window decodes both alike.
    const QByteArray name = reader.restBytes();
    if (name.size() > maxNameBytes) {
        qCWarning(lcHost) << "ignored a login from seat" << seat << "with a name of" << name.size()
                          << "bytes";
        return;
    }
    tplayer& newcomer = players[seat];
    newcomer.name = name;
    newcomer.occupied = 1;
    if (Connection* connection = connectionOf(newcomer.sock)) connection->loggedIn = true;
    qCInfo(lcHost).noquote() << "seat" << seat << "logged in as" << QString::fromUtf8(name) << "with version"
                             << QString::fromUtf8(version);

    broadcast(*this, players, Message(cmd::newplayerinfo).field(seat).rest(name).bytes());
    for (int other = 1; other <= players.playercount; ++other) {
        if (other != seat && players.isOccupied(other))
            sendToSeat(seat, Message(cmd::existingplayers).field(other).rest(players[other].name).bytes());
    }
    if (version != QByteArrayView(programVersion)) {
        sendIfOccupied(*this, players, 1, Message(cmd::havewrongversion).rest(name).bytes());
        sendToSeat(seat, Message(cmd::wrongversion).bytes());
    }
    if (rules.gamerunning) rules.sendCatchUp(seat);
}

void TServer::kickhim(const QByteArray& args) {
    FieldReader reader(args);
    const int sender = reader.number();
    if (!isFromSender(cmd::kickhim, sender) || sender != 1) return;
    const int seat = reader.number();
    qCInfo(lcHost) << "seat 1 removes seat" << seat;
    disconnectsock(seat);
}

void TServer::chat(const QByteArray& args) {
    FieldReader reader(args);
    const int seat = reader.number();
    if (!isFromSender(cmd::chat, seat)) return;
    // The text travels on unchanged: framing guarantees it holds no terminator byte.
    relay(cmd::chat, players[seat].name + " chats: " + reader.restBytes());
}

void TServer::action(const QByteArray& args) {
    FieldReader reader(args);
    const int seat = reader.number();
    if (!isFromSender(cmd::action, seat)) return;
    relay(cmd::action, players[seat].name + ' ' + reader.restBytes());
}

void TServer::relay(const char* command, const QByteArray& line) {
    const Message message = Message(command).rest(line);
    // With the name in front a line near the length limit grows past it, and every window would
    // close its connection on receipt.
    if (message.text().size() > maxMessageBytes) {
        qCWarning(lcHost) << "dropped a relayed" << command << "of" << message.text().size() << "bytes";
        return;
    }
    broadcast(*this, players, message.bytes());
}

void TServer::justwatch(const QByteArray& args) {
    FieldReader reader(args);
    const int seat = reader.number();
    const QByteArray value = reader.restBytes();
    // Only the two players watch; a player sets their own seat, the hosting player either seat.
    if (seat < 1 || seat > 2 || (seat != m_senderSeat && m_senderSeat != 1)) {
        qCWarning(lcHost) << "ignored just-watch for seat" << seat << "from seat" << m_senderSeat;
        return;
    }
    if (value != "1" && value != "2") {
        qCWarning(lcHost) << "ignored just-watch value" << value.left(20);
        return;
    }
    const bool watching = value == "1";
    players[seat].watching = watching ? 1 : 0;
    broadcast(*this, players, Message(cmd::justwatching).field(seat).rest(value).bytes());
    if (watching) rules.watchStarted(seat);
}

void TServer::give3(const QByteArray& args) {
    FieldReader reader(args);
    const int sender = reader.number();
    if (!isFromSender(cmd::give3, sender) || sender != 1) return;
    if (!players[3].occupied) {
        sendIfOccupied(*this, players, 1, Message(cmd::cantgive).field(1).bytes());
        return;
    }
    rules.handover = true;
    qCInfo(lcHost).noquote() << "seat 1 hands its turns to seat 3" << QString::fromUtf8(players[3].name);
    broadcast(*this, players, Message(cmd::giving3).field(1).field(players[3].name).bytes());
}

} // namespace quibo
