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
    const QString name = reader.restString();
    tplayer& newcomer = players[seat];
    newcomer.name = name;
    newcomer.occupied = 1;
    qCInfo(lcHost).noquote() << "seat" << seat << "logged in as" << name << "with version"
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
    const QByteArray line = players[seat].name.toUtf8() + " chats: " + reader.restBytes();
    broadcast(*this, players, Message(cmd::chat).rest(line).bytes());
}

void TServer::action(const QByteArray& args) {
    FieldReader reader(args);
    const int seat = reader.number();
    if (!isFromSender(cmd::action, seat)) return;
    const QByteArray line = players[seat].name.toUtf8() + ' ' + reader.restBytes();
    broadcast(*this, players, Message(cmd::action).rest(line).bytes());
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
    qCInfo(lcHost).noquote() << "seat 1 hands its turns to seat 3" << players[3].name;
    broadcast(*this, players, Message(cmd::giving3).field(1).field(players[3].name).bytes());
}

} // namespace quibo
