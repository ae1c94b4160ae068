// SPDX-License-Identifier: MIT
// TServer's message handlers outside the game rules: login, removing a player, chat and action
// relays, just watching, and handing seat 1's turns to seat 3.
//
// Every handler first compares the seat a message names as its sender with the seat of the
// connection it came on; a mismatch is ignored, so nobody can speak, move or kick in another's name.
#include "peertext.h"
#include "tserver.h"

namespace quibo {

void TServer::receivedlogininfo(const msg::LoginInfo& login) {
    if (!isFromSender(msg::LoginInfo::command, login.seat)) return;
    // The name travels on as the bytes it came as, like chat text: every window decodes both alike.
    const QByteArray& name = login.name;
    if (name.size() > maxNameBytes) {
        qCWarning(lcHost) << "ignored a login from seat" << login.seat << "with a name of" << name.size()
                          << "bytes";
        return;
    }
    // A window logs in once per connection. A second login would announce a new name to every
    // window and issue a new key each time, so a seated peer could flood the table with it.
    if (const Connection* connection = connectionOf(m_players[login.seat].sock);
        connection && connection->loggedIn) {
        qCWarning(lcHost) << "ignored a second login from seat" << login.seat;
        return;
    }
    // At a private table only a connection that gave the password is seated.
    if (isPrivate()) {
        Connection* connection = connectionOf(m_players[login.seat].sock);
        if (!connection) return;
        if (!connection->passwordGiven) {
            qCInfo(lcHost) << "seat" << login.seat << "logged in without the table's password; refused";
            turnAwayAtDoor(*connection, msg::PasswordNeeded::Needed);
            return;
        }
    }
    const int seat = login.seatKey.isEmpty() ? login.seat : reclaimHeldSeat(login.seat, login.seatKey);
    tplayer& newcomer = m_players[seat];
    newcomer.name = name;
    newcomer.occupied = 1;
    if (Connection* connection = connectionOf(newcomer.sock)) connection->loggedIn = true;
    qCInfo(lcHost).noquote() << "seat" << seat << "logged in as" << escapedForLog(name) << "with version"
                             << escapedForLog(login.version);

    broadcast(*this, m_players, msg::NewPlayerInfo{seat, name}.encode());
    for (int other = 1; other <= m_players.playercount; ++other) {
        if (other != seat && m_players.isOccupied(other))
            sendToSeat(seat, msg::ExistingPlayers{other, m_players[other].name}.encode());
    }
    if (login.version != QByteArrayView(programVersion)) {
        sendIfOccupied(*this, m_players, 1, msg::HaveWrongVersion{name}.encode());
        sendToSeat(seat, msg::WrongVersion{}.encode());
    }
    // Each login to a playing seat gets a new key; the window keeps it to come back with.
    if (SeatHolds::isHoldable(seat)) sendToSeat(seat, msg::SeatKey{seat, m_holds.issue(seat)}.encode());
    if (m_rules.gamerunning()) m_rules.sendCatchUp(seat);
    Q_EMIT tableChanged();
}

// A login that presents a seat's key moves its connection from the seat its greeting offered into
// the held seat the key opens, before anybody hears of the login. A key that opens nothing (wrong,
// spent, its hold over) changes nothing: the login takes the offered seat like any other. The key
// itself is never logged.
int TServer::reclaimHeldSeat(int greetedSeat, QByteArrayView key) {
    Connection* connection = connectionOf(m_players[greetedSeat].sock);
    // Only a connection's first login may come back: one already seated has been announced there.
    if (!connection || connection->loggedIn) {
        qCWarning(lcHost) << "ignored a seat key from the logged-in seat" << greetedSeat;
        return greetedSeat;
    }
    const int held = m_holds.claim(key);
    if (held == 0) {
        qCInfo(lcHost) << "seat" << greetedSeat << "presented a seat key that opens no held seat";
        return greetedSeat;
    }
    tplayer& offered = m_players[greetedSeat];
    tplayer& seat = m_players[held];
    seat.sock = offered.sock;
    seat.occupied = 1;
    offered.sock = nullptr;
    offered.occupied = 0;
    offered.name.clear();
    seat.sock->Tag = held;
    connection->seat = held;
    m_senderSeat = held;
    qCInfo(lcHost) << "seat" << held << "is back with its player (greeted as seat" << greetedSeat << ")";
    Q_EMIT seatFreed(greetedSeat);
    Q_EMIT seatTaken(held);
    sendToSeat(held, msg::YourSeat{held}.encode());
    return held;
}

void TServer::kickhim(const msg::KickHim& kick) {
    if (!isFromSender(msg::KickHim::command, kick.seat) || kick.seat != 1) return;
    qCInfo(lcHost) << "seat 1 removes seat" << kick.kicked;
    disconnectsock(kick.kicked);
    // A removed player does not come back with the seat's key.
    m_holds.forget(kick.kicked);
}

template <class M>
void TServer::relay(const M& line) {
    const QByteArray message = line.encode();
    // With the name in front a line near the length limit grows past it, and every window would
    // close its connection on receipt. The terminator does not count.
    if (message.size() - 1 > maxMessageBytes) {
        qCWarning(lcHost) << "dropped a relayed" << M::command << "of" << message.size() - 1 << "bytes";
        return;
    }
    broadcast(*this, m_players, message);
}

bool TServer::mayChat(int seat) {
    switch (m_chatRates.at(std::size_t(seat)).take(ChatRate::Clock::now())) {
    case ChatRate::Verdict::Pass:
        return true;
    case ChatRate::Verdict::DropAndTell:
        qCInfo(lcHost) << "seat" << seat << "chats faster than a person types; dropping its lines";
        sendToSeat(seat, msg::ChatTooFast{}.encode());
        return false;
    case ChatRate::Verdict::Drop:
        return false;
    }
    return false;
}

QByteArray TServer::cutChatText(const char* command, int seat, const QByteArray& text) const {
    bool wasCut = false;
    QByteArray kept = cutColourText(text, m_config.maxChatCharacters, &wasCut);
    if (wasCut)
        qCInfo(lcHost) << "cut a" << command << "of seat" << seat << "from" << text.size() << "to"
                       << kept.size() << "bytes";
    return kept;
}

void TServer::chat(const msg::ChatRequest& line) {
    if (!isFromSender(msg::ChatRequest::command, line.seat) || !mayChat(line.seat)) return;
    // The text travels on as it came, but for its length: framing guarantees it holds no
    // terminator byte.
    relay(msg::Chat::relayed(m_players[line.seat].name,
                             cutChatText(msg::ChatRequest::command, line.seat, line.text)));
}

void TServer::action(const msg::ActionRequest& line) {
    // Phrase buttons send actions: they share the seat's chat rate.
    if (!isFromSender(msg::ActionRequest::command, line.seat) || !mayChat(line.seat)) return;
    relay(msg::Action::relayed(m_players[line.seat].name,
                               cutChatText(msg::ActionRequest::command, line.seat, line.text)));
}

void TServer::justwatch(const msg::JustWatch& watch) {
    const int seat = watch.seat;
    // Only the two players watch; a player sets their own seat, the hosting player either seat.
    if (seat < 1 || seat > 2 || (seat != m_senderSeat && m_senderSeat != 1)) {
        qCWarning(lcHost) << "ignored just-watch for seat" << seat << "from seat" << m_senderSeat;
        return;
    }
    const bool watching = watch.value == watchStarts;
    m_players[seat].watching = watching ? 1 : 0;
    broadcast(*this, m_players, msg::JustWatching{seat, watch.value}.encode());
    if (watching) m_rules.watchStarted(seat);
}

void TServer::give3(const msg::Give3& give) {
    if (!isFromSender(msg::Give3::command, give.seat) || give.seat != 1) return;
    if (!m_players[3].occupied) {
        sendIfOccupied(*this, m_players, 1, msg::CantGive{1}.encode());
        return;
    }
    qCInfo(lcHost).noquote() << "seat 1 hands its turns to seat 3" << escapedForLog(m_players[3].name);
    m_rules.startHandover();
}

} // namespace quibo
