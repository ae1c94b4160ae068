// SPDX-License-Identifier: MIT
// TServer at a private table: the password a window gives before its login, the answer to a login
// without it, and what a connection may send before it gave it.
#include "peertext.h"
#include "tserver.h"

#include <QPointer>
#include <QTimer>

namespace quibo {

namespace {

bool isCommand(QByteArrayView text, const char* command) {
    const QByteArrayView name(command);
    return text.startsWith(name) && text.size() > name.size() && text[name.size()] == '+';
}

} // namespace

// At a private table a connection that has not given the password may give it and log in (to be
// told it is needed); anything else it sends, a chat line among them, is dropped unseen. A
// connection whose refusal is on the way is heard no more at all.
bool TServer::mayPassDoor(const Connection& connection, QByteArrayView text) const {
    if (connection.turnedAway) return false;
    if (!isPrivate() || connection.passwordGiven) return true;
    if (isCommand(text, cmd::tablepassword) || isCommand(text, cmd::logininfo)) return true;
    qCInfo(lcHost) << "ignored a message from seat" << connection.seat << "before the table's password";
    return false;
}

void TServer::tablepassword(const msg::TablePassword& given) {
    if (!isFromSender(msg::TablePassword::command, given.seat)) return;
    Connection* connection = connectionOf(m_players[given.seat].sock);
    // A public table, or one already seated: nothing to open. The password goes no further.
    if (!isPrivate() || !connection || connection->loggedIn || connection->passwordGiven) return;
    const QString address = connection->sock->HostName();
    switch (m_door.knock(address, given.password, TableDoor::Clock::now())) {
    case TableDoor::Verdict::Enter:
        connection->passwordGiven = true;
        qCInfo(lcHost) << "seat" << given.seat << "gave the table's password";
        return;
    case TableDoor::Verdict::Wrong:
        qCInfo(lcHost).noquote() << "seat" << given.seat << "from" << escapedForLog(address)
                                 << "gave a wrong password";
        turnAwayAtDoor(*connection, msg::PasswordNeeded::Wrong);
        return;
    case TableDoor::Verdict::TooManyTries:
        qCInfo(lcHost).noquote() << "seat" << given.seat << "from" << escapedForLog(address)
                                 << "refused: too many wrong passwords from that address lately";
        turnAwayAtDoor(*connection, msg::PasswordNeeded::TooManyTries);
        return;
    }
}

// The refusal, then the connection closes (a departure like any other, of a seat nobody heard of).
// A missing password is answered at once; a wrong one, and a refused address, a second late, so
// guesses come no faster than that from one connection.
void TServer::turnAwayAtDoor(Connection& connection, msg::PasswordNeeded::Reason reason) {
    connection.turnedAway = true;
    QPointer<TSock> sock(connection.sock);
    const QByteArray answer = msg::PasswordNeeded{reason}.encode();
    auto answerAndClose = [sock, answer] {
        if (!sock) return;
        try {
            sock->Send(answer);
        } catch (const ESockException&) {
            // Gone already: the close below is all that is left to do.
        }
        sock->Close();
    };
    if (reason == msg::PasswordNeeded::Needed)
        answerAndClose();
    else
        QTimer::singleShot(m_config.wrongPasswordDelay, sock.data(), answerAndClose);
}

} // namespace quibo
