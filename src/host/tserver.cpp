// SPDX-License-Identifier: MIT
// TServer's connections: listening, admission to a seat, framing into the receive queue, the queue
// tick with its dispatch table, and the end of a connection.
#include "tserver.h"

#include "commands.h"
#include "errorreport.h"
#include "expertplayer.h"
#include "peertext.h"
#include "tablelisting.h"

#include <QPointer>

namespace quibo {

Q_LOGGING_CATEGORY(lcHost, "quibo.host")

namespace {

// The seat number a connection is tagged with while it is being refused.
constexpr int refusedEntry = 10;

} // namespace

TServer::TServer(HostConfig config, QObject* parent)
    : QObject(parent)
    , m_config(std::move(config))
    , m_holds(m_config.seatHold)
    , m_door(m_config.password, m_config.wrongPasswordsAllowed, m_config.wrongPasswordWindow)
    , m_receivedlist(m_config.maxQueuedPerConnection)
    , m_random(m_config.seed ? *m_config.seed : Random::clockSeed())
    , m_spell(std::make_unique<TDictn>(
          m_config.workingDirectory, m_config.dictionaryResource, m_config.dictionaryRecords,
          m_config.openDictionaryInBackground ? TDictn::Opening::Later : TDictn::Opening::Now))
    , m_rules(m_players, *this, m_random, m_spell.get(), m_config.computerWords, this)
    , m_chatRates(std::size_t(SeatTable::recordCount + 1),
                  ChatRate(m_config.chatBurst, m_config.chatLinesPerSecond)) {
    m_rules.setDefaultLevel(m_config.computerLevel);
    m_rules.setExpertThinking(m_config.computerThinking, ExpertPlayer::Budget{}.samples);
    if (m_config.openDictionaryInBackground) {
        // The dictionary's lock keeps the rules' questions waiting until the file is open.
        m_dictionaryOpener = QThread::create([spell = m_spell.get()] { spell->OpenWordFile(); });
        connect(m_dictionaryOpener, &QThread::finished, this, [this] {
            delete m_dictionaryOpener;
            m_dictionaryOpener = nullptr;
            noteDictionary();
            Q_EMIT dictionaryOpened(m_spell->isOpen());
        });
        m_dictionaryOpener->start();
    } else {
        noteDictionary();
    }
    Sock1.setPortName(QString::number(m_config.port));
    connect(&Sock1, &TSock::OnAccept, this, &TServer::Sock1Accept);
    connect(&Sock1, &TSock::OnRead, this, &TServer::Sock1Read);
    connect(&tempsock, &TSock::OnDisconnect, this, &TServer::tempsockDisconnect);
    connect(&tempsock, &TSock::OnInfo, this, &TServer::tempsockInfo);
    connect(&m_holds, &SeatHolds::holdExpired, this,
            [](int seat) { qCInfo(lcHost) << "seat" << seat << "is no longer held; it is free"; });
    buildDispatchTable();
    // Armed anew after each message, so queued messages stay 10 ms apart even when a tick is late.
    m_socktimer.setInterval(10);
    m_socktimer.setSingleShot(true);
    m_socktimer.setTimerType(Qt::PreciseTimer);
    connect(&m_socktimer, &QTimer::timeout, this, &TServer::socktimerTimer);
    // The turn clock ends games by itself too (a computer's winning move, a hand-over's end).
    connect(&m_rules.turntimer(), &QTimer::timeout, this, &TServer::noteGameState);
}

void TServer::noteDictionary() {
    if (m_spell->isOpen()) return;
    qCWarning(lcHost) << "the dictionary could not be opened; no word will score";
    if (m_config.reportMissingDictionary) reportError(QString::fromLatin1(TDictn::notFoundMessage));
}

TServer::~TServer() {
    m_listing.reset();
    if (m_dictionaryOpener) {
        m_dictionaryOpener->wait();
        delete m_dictionaryOpener;
    }
    // Leave quietly: no departure messages and no handlers running into a half-destroyed host. The
    // windows still hear that the table closes, so nobody is left wondering.
    sendTableClosed();
    for (auto& [origin, connection] : m_connections) {
        connection.sock->disconnectEvents();
        delete connection.sock;
    }
    m_connections.clear();
}

void TServer::setListen(bool listen, Reach reach) {
    if (listen && !Sock1.Listen()) {
        const bool open = reach == Reach::Open;
        Sock1.setListenAddress(open ? QHostAddress(QHostAddress::Any)
                                    : QHostAddress(QHostAddress::LocalHost));
        Sock1.setPortName(open ? QString::number(m_config.port) : QStringLiteral("0"));
    }
    Sock1.setListen(listen);
    // Any is the dual-stack address: IPv6 and IPv4 (as mapped addresses) on one socket.
    if (listen)
        qCInfo(lcHost).noquote() << "listening on"
                                 << (Sock1.ListenAddress() == QHostAddress(QHostAddress::Any)
                                         ? QStringLiteral("every IPv4 and IPv6 address")
                                         : Sock1.ListenAddress().toString())
                                 << "port" << Sock1.listeningPort();
    if (!listen)
        m_listing.reset();
    else if (reach == Reach::Open && m_config.announce && !m_listing)
        m_listing = std::make_unique<TableListing>(*this, Sock1.listeningPort());
}

void TServer::sendTableClosed() {
    for (const auto& [origin, connection] : m_connections) {
        if (connection.loggedIn) sendToSeat(connection.seat, msg::TableClosed{}.encode());
    }
}

void TServer::closeAllConnections() {
    // The table leaves the local network's lists before its windows hear that it closes.
    m_listing.reset();
    sendTableClosed();
    for (int seat = 1; seat <= SeatTable::maxSeats; ++seat)
        disconnectsock(seat);
}

int TServer::freeSeatForNewcomer() {
    if (m_players.playercount == 0) {
        m_players.playercount = 1;
        return 1;
    }
    // A held seat waits for its own player.
    for (int seat = 1; seat <= m_players.playercount; ++seat) {
        if (!m_players[seat].occupied && !m_holds.isHeld(seat)) return seat;
    }
    if (m_players.playercount >= SeatTable::maxSeats) return 0;
    return ++m_players.playercount;
}

void TServer::Sock1Accept(TSock* sender) {
    if (TSock* sock = sender->Accept()) admit(sock);
}

void TServer::admit(TSock* sock) {
    if (waitsTooManyFrom(sock->HostName())) {
        turnAway(sock);
        return;
    }
    m_newseat = freeSeatForNewcomer();
    if (m_newseat == 0) {
        refuse(sock);
        return;
    }
    tplayer& seat = m_players[m_newseat];
    seat.occupied = 1;
    seat.sock = sock;
    sock->Tag = m_newseat;
    // Reads reach Sock1's receiver through the listener already.
    connect(sock, &TSock::OnDisconnect, &tempsock, &TSock::OnDisconnect);
    connect(sock, &TSock::OnInfo, &tempsock, &TSock::OnInfo);
    m_connections.emplace(m_nextOrigin++, Connection{sock, m_newseat, {}, false});
    qCInfo(lcHost).noquote() << "connection from" << sock->HostName() << "takes seat" << m_newseat;
    // A peer that vanishes without a close would otherwise hold its seat until the host next
    // writes to it.
    if (!sock->enableKeepAlive())
        qCWarning(lcHost) << "no keep-alive for the connection of seat" << m_newseat;
    // The deadline is the connection's own, so it goes with it: a peer that connects and leaves
    // quickly leaves no timers behind for the rest of the login time.
    auto* loginDeadline = new QTimer(sock);
    loginDeadline->setSingleShot(true);
    connect(loginDeadline, &QTimer::timeout, this, [this, sock] { closeIfNotLoggedIn(sock); });
    loginDeadline->start(m_config.loginTimeout);
    sendToSeat(m_newseat, msg::SendLoginInfo{m_newseat}.encode());
    Q_EMIT seatTaken(m_newseat);
}

bool TServer::waitsTooManyFrom(const QString& address) const {
    if (address.isEmpty()) return false;
    int waiting = 0;
    for (const auto& [origin, connection] : m_connections) {
        if (!connection.loggedIn && connection.sock->HostName() == address) ++waiting;
    }
    return waiting >= m_config.maxWaitingPerAddress;
}

void TServer::turnAway(TSock* sock) {
    // Closed before it has a seat: a flood of connections from one address never fills the table.
    qCInfo(lcHost).noquote() << "connection from" << escapedForLog(sock->HostName())
                             << "closed: that address has" << m_config.maxWaitingPerAddress
                             << "connections waiting for their login";
    sock->disconnectEvents();
    sock->Close();
    sock->deleteLater();
}

void TServer::refuse(TSock* sock) {
    qCInfo(lcHost).noquote() << "connection from" << sock->HostName() << "refused: every seat is taken";
    m_players[refusedEntry].sock = sock;
    sock->Tag = refusedEntry;
    sock->disconnectEvents();
    sendToSeat(refusedEntry, msg::Full{}.encode());
    sock->Close();
    sock->deleteLater();
    m_players[refusedEntry].sock = nullptr;
}

void TServer::closeIfNotLoggedIn(TSock* sock) {
    const Connection* connection = connectionOf(sock);
    if (!connection || connection->loggedIn) return;
    qCInfo(lcHost) << "seat" << connection->seat << "did not log in in time; closing its connection";
    sock->Close(); // a departure like any other
}

TServer::Connection* TServer::connectionOf(const TSock* sock) {
    for (auto& [origin, connection] : m_connections) {
        if (connection.sock == sock) return &connection;
    }
    return nullptr;
}

void TServer::Sock1Read(TSock* sender, int) {
    takeBytes(sender, sender->Receive());
}

void TServer::takeBytes(TSock* sender, const QByteArray& bytes) {
    quint64 origin = 0;
    for (const auto& [id, connection] : m_connections) {
        if (connection.sock == sender) origin = id;
    }
    if (origin == 0) return;
    bool overflow = false;
    const auto result = m_connections.at(origin).splitter.feed(bytes, [&](QByteArray text) {
        if (!overflow && !m_receivedlist.push(origin, std::move(text))) overflow = true;
    });
    // Both bounds close the connection: a peer that sends endless unterminated bytes, or more
    // messages than the host can work off, is not a game window.
    if (result == FrameSplitter::Result::Overflow)
        closeLater(sender, "unterminated data over the limit");
    else if (overflow)
        closeLater(sender, "too many messages waiting");
    // A resting queue hands its first message on at once; the timer paces whatever came with it.
    if (!m_queuePaused && !m_socktimer.isActive() && !m_receivedlist.isEmpty()) socktimerTimer();
}

void TServer::pauseQueue() {
    m_queuePaused = true;
    m_socktimer.stop();
}

void TServer::resumeQueue() {
    m_queuePaused = false;
    if (!m_receivedlist.isEmpty()) m_socktimer.start();
}

void TServer::closeLater(TSock* sock, const char* reason) {
    qCWarning(lcHost) << "closing the connection of seat" << sock->Tag << "-" << reason;
    QPointer<TSock> target(sock);
    QMetaObject::invokeMethod(
        this,
        [this, target] {
            if (target && connectionOf(target)) target->Close();
        },
        Qt::QueuedConnection);
}

void TServer::socktimerTimer() {
    noteGameState();
    const std::optional<QueuedMessage> message = m_receivedlist.takeNext();
    if (message) handle(*message);
    // Rest when nothing waits: the next arrival is handled at once instead of on a tick.
    if (!m_queuePaused && !m_receivedlist.isEmpty()) m_socktimer.start();
}

void TServer::handle(const QueuedMessage& message) {
    const auto it = m_connections.find(message.origin);
    if (it == m_connections.end()) return; // its connection has ended meanwhile
    if (!mayPassDoor(it->second, message.text)) return;
    m_senderSeat = it->second.seat;
    Q_EMIT messageHandled(message.arrived, std::chrono::steady_clock::now());
    try {
        m_dispatcher.dispatch(message.text);
    } catch (const std::exception& e) {
        qCWarning(lcHost) << "message from seat" << m_senderSeat << "failed:" << e.what();
    }
    m_senderSeat = 0;
    noteGameState();
}

void TServer::noteGameState() {
    if (m_rules.gamerunning() == m_gameWasRunning) return;
    m_gameWasRunning = m_rules.gamerunning();
    Q_EMIT tableChanged();
    // The rules log the start and the winner; this line also marks a game that ends without one.
    if (!m_gameWasRunning)
        qCInfo(lcHost).noquote() << QStringLiteral("game over: seat 1 scored %1, seat 2 scored %2")
                                        .arg(m_players[1].score)
                                        .arg(m_players[2].score);
}

// A move goes to the rules only when it names the seat of the connection it came on.
template <class M, class Handler>
void TServer::addMove(Handler handler) {
    m_dispatcher.on<M>([this, handler](const M& move) {
        if (isFromSender(M::command, move.seat)) (m_rules.*handler)(move);
    });
}

void TServer::buildDispatchTable() {
    m_dispatcher.on(this, &TServer::receivedlogininfo);
    m_dispatcher.on(this, &TServer::kickhim);
    m_dispatcher.on(this, &TServer::chat);
    m_dispatcher.on(this, &TServer::action);
    m_dispatcher.on(this, &TServer::justwatch);
    m_dispatcher.on<msg::StartGame>([this](const msg::StartGame& start) {
        // Only the hosting player starts games.
        if (m_senderSeat != 1) {
            qCWarning(lcHost) << "ignored a start command from seat" << m_senderSeat;
            return;
        }
        // The starter's name goes to every window: no longer than a login name may be.
        msg::StartGame bounded = start;
        bounded.starter = cutToBytes(start.starter, maxNameBytes);
        m_rules.startgame(bounded);
    });
    addMove<msg::PlaceMyLetterRequest>(&GameRules::placemyletter);
    addMove<msg::DiscardExtra>(&GameRules::discardextra);
    addMove<msg::TradingMyLetterRequest>(&GameRules::tradingmyletter);
    addMove<msg::StealingHisLetter>(&GameRules::stealinghisletter);
    addMove<msg::DiscardLetter>(&GameRules::discardletter);
    m_dispatcher.on(this, &TServer::give3);
    m_dispatcher.on(this, &TServer::tablepassword);
}

bool TServer::isFromSender(const char* command, int seat) const {
    if (seat == m_senderSeat) return true;
    qCWarning(lcHost) << "ignored" << command << "naming seat" << seat << "from the connection of seat"
                      << m_senderSeat;
    return false;
}

void TServer::sendToSeat(int seat, const QByteArray& message) {
    if (!SeatTable::isSeat(seat) || !m_players[seat].sock) return;
    TSock* sock = m_players[seat].sock;
    try {
        sock->Send(message);
    } catch (const ESockException& e) {
        qCWarning(lcHost) << "message to seat" << seat << "lost:" << e.what();
        return;
    }
    if (sock->pendingOutput() > m_config.maxPendingOutput)
        closeLater(sock, "it does not read what it is sent");
}

void TServer::disconnectsock(int seat) {
    if (seat >= 1 && seat <= SeatTable::maxSeats && m_players[seat].occupied && m_players[seat].sock)
        m_players[seat].sock->Close();
}

void TServer::tempsockDisconnect(TSock* sender) {
    const Connection* connection = connectionOf(sender);
    if (connection && m_players[connection->seat].occupied) sender->Close();
}

void TServer::tempsockInfo(TSock* sender, TSocketInfo code, const QString& text) {
    Connection* connection = connectionOf(sender);
    if (!connection) return; // a report after the departure was handled (the second "Socket Closed")
    if (code == TSocketInfo::Error) {
        // A connection that breaks (reset, time-out) is a departure like an orderly close.
        qCInfo(lcHost).noquote() << "connection of seat" << connection->seat << "broke:" << text;
        connection->broke = true;
        sender->Close();
        return;
    }
    if (code == TSocketInfo::Close && text == QLatin1String("Socket Closed"))
        departure(connection->seat, sender);
}

void TServer::departure(int seat, TSock* sock) {
    // The connection and whatever it still had waiting go first, so nothing it sent can be handled
    // after its seat was freed (a late login would take the seat again).
    bool broke = false;
    bool loggedIn = false;
    for (auto it = m_connections.begin(); it != m_connections.end(); ++it) {
        if (it->second.sock == sock) {
            broke = it->second.broke;
            loggedIn = it->second.loggedIn;
            m_receivedlist.removeOrigin(it->first);
            m_connections.erase(it);
            break;
        }
    }
    sock->deleteLater();
    tplayer& player = m_players[seat];
    qCInfo(lcHost).noquote() << "seat" << seat << QStringLiteral("(%1)").arg(escapedForLog(player.name))
                             << "left";
    if (player.occupied)
        broadcast(*this, m_players, msg::PlayerDisconnected{seat, player.name}.encode(), seat);
    player.occupied = 0;
    player.name.clear();
    player.watching = 0;
    player.sock = nullptr;
    // Only a connection that broke is held for its player: one closed in order left on purpose,
    // and a window whose program ended cannot know the key any more.
    if (broke && loggedIn && SeatHolds::isHoldable(seat) && m_config.seatHold.count() > 0) {
        m_holds.hold(seat);
        if (m_holds.isHeld(seat))
            qCInfo(lcHost) << "seat" << seat << "is held for its player for" << m_config.seatHold.count()
                           << "ms";
    } else {
        m_holds.forget(seat);
    }
    // The rules hear of it once the seat is free: a hand-over it ends is announced to those left.
    m_rules.seatLeft(seat);
    noteGameState();
    Q_EMIT seatFreed(seat);
}

} // namespace quibo
