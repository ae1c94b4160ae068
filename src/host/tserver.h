// SPDX-License-Identifier: MIT
// TServer: the game host of one table. It listens for players, hands out seats, checks logins,
// brings late arrivals up to date, relays chat and actions, removes players, and notices when a
// connection ends; the game itself is its GameRules, which it feeds with the players' moves. It
// owns the listener, every accepted connection, the receive queue and its timer, the seat table,
// the dictionary and the random generator for the life of the process. It is never shown.
//
// A message that reaches an empty queue is handled at once; messages that arrive while others wait
// are handled one every 10 ms, and with nothing waiting no timer runs, so an idle host sleeps.
//
// The host knows which seat each connection holds. A message whose sender-seat field names another
// seat is ignored, and so is anything malformed or out of range: remote input is logged, never shown
// in a dialog. Its state is its own: callers see it through const accessors, and tests set up a game
// position through setUpPosition().
//
// Anybody who can reach the port is a peer, and the bounds below are against the peer who abuses
// that. A connection has a seat from its greeting on, so one address may have only a few
// connections waiting for their login at once (more are closed at once): a script that connects
// and resets without end cannot fill the table ahead of a real player. A seat's chat and action
// lines (phrases are actions) are cut to a length a person reads and limited to a rate a person
// types, since each one is copied to every window; a start command's starter name is cut like a
// login name. Every text from a peer that reaches the log is escaped, and log lines name a seat by
// the name it logged in with, so a peer cannot forge log lines or write to the log reader's
// terminal.
//
// A player of seat 1 or 2 gets a key at login; when that connection breaks the seat is held for the
// key's holder (SeatHolds), and newcomers meanwhile are seated elsewhere, so a stranger can take
// neither a player's letters nor seat 1's powers.
//
// A table with a password is private: a connection is seated only after it gave the password
// ("CMD_tablepassword") ahead of its login, players and spectators alike; until then everything
// else it sends is ignored. A login without the password is answered "CMD_passwordneeded" and its
// connection closed; a wrong password is answered so a second late, and an address that gave too
// many wrong ones is refused for a while (TableDoor). The password is never logged.
// An open table whose configuration asks for it is announced on the local network while it listens
// (TableListing); the announcement goes before the connections at shut-down.
#pragma once

#include "chatrate.h"
#include "commands.h"
#include "fairqueue.h"
#include "gamerules.h"
#include "messages.h"
#include "seatholds.h"
#include "seattable.h"
#include "tabledoor.h"
#include "tdictn.h"
#include "tsock.h"

#include <QLoggingCategory>
#include <QObject>
#include <QStringList>
#include <QThread>
#include <QTimer>
#include <chrono>
#include <memory>
#include <optional>
#include <unordered_map>
#include <vector>

namespace quibo {

Q_DECLARE_LOGGING_CATEGORY(lcHost)

struct HostConfig {
    // Where the word file "English" is looked for and written.
    QString workingDirectory;
    // The embedded word list the word file is written from ("" for none).
    QString dictionaryResource = QString::fromLatin1(TDictn::defaultResource);
    // A word list of the table's own, as word file records; written instead of the embedded list.
    QByteArray dictionaryRecords;
    // The computer's level for games started without one.
    ComputerLevel computerLevel = ComputerLevel::Normal;
    // The longest the expert computer thinks about one move; it moves with the best it found by
    // then. The table's own setting: no peer can change it.
    std::chrono::milliseconds computerThinking{1000};
    // Whether a missing dictionary is reported through the program's error report.
    bool reportMissingDictionary = true;
    // Whether the word file is written and read on a worker thread while the program goes on (the
    // desktop program, whose window need not wait for it); a word asked meanwhile waits for it.
    bool openDictionaryInBackground = false;
    // Seed of the random generator; the clock when absent.
    std::optional<quint32> seed;
    // The computer opponent's candidate words.
    QStringList computerWords;
    quint16 port = defaultGamePort;
    // Messages one connection may have waiting; a connection that sends more is closed.
    qsizetype maxQueuedPerConnection = 256;
    // Bytes waiting to go out to one connection; a connection that does not read them is closed.
    qint64 maxPendingOutput = 8 * 1024 * 1024;
    // Time a connection has from being given a seat to logging in; one that does not is closed, so
    // idle connections cannot hold the table's seats.
    std::chrono::milliseconds loginTimeout{30000};
    // Connections from one address that may wait for their login at once; one more is closed
    // unseated. Connections without an address (in-process) are not counted.
    int maxWaitingPerAddress = 2;
    // Characters of a chat or action text that are relayed; the rest is cut off.
    qsizetype maxChatCharacters = 1000;
    // Chat and action lines of one seat: a burst of chatBurst, then chatLinesPerSecond a second;
    // past it lines are dropped and the seat is told once.
    int chatBurst = 10;
    double chatLinesPerSecond = 2;
    // Time a seat 1 or 2 whose connection broke stays kept for its player, who gets it back by
    // presenting the seat's key; the computer plays it meanwhile. Zero frees it at once.
    std::chrono::milliseconds seatHold{60000};
    // The table's password; empty for a public table.
    QString password;
    // How late a wrong password is answered, and how many wrong ones an address may give in a
    // window of time before it is refused until the window has passed.
    std::chrono::milliseconds wrongPasswordDelay{1000};
    int wrongPasswordsAllowed = 5;
    std::chrono::milliseconds wrongPasswordWindow{60000};
    // Whether an open table is announced on the local network (TableListing). A solo game, which
    // listens on the loopback address only, never is.
    bool announce = false;
};

// The longest player name a login may carry, in bytes. Every message that carries a name then
// stays far below the length either side accepts.
inline constexpr qsizetype maxNameBytes = 1024;

class TableListing;

class TServer : public QObject, public RulesOutbox {
    Q_OBJECT
public:
    explicit TServer(HostConfig config, QObject* parent = nullptr);
    ~TServer() override;

    // Who may reach the table: everybody on the configured port, or only this machine over the
    // loopback address on a port the system picks (a solo game, which must neither be joined from
    // elsewhere nor collide with a table already open on this machine).
    enum class Reach { Open, Private };

    // Starts or stops listening; starting throws ESockException ("Listen - Error Binding Socket"
    // when the port is taken). listeningPort() then tells the port actually bound.
    void setListen(bool listen, Reach reach = Reach::Open);
    quint16 listeningPort() const { return Sock1.listeningPort(); }
    // Whether the table has a password (only those who know it are seated).
    bool isPrivate() const { return m_door.isLocked(); }
    // The table's announcement on the local network; null while it is not announced.
    const TableListing* listing() const { return m_listing.get(); }
    // Closes the table for shut-down: every window hears "CMD_tableclosed+", then every seat's
    // connection closes (each one a departure).
    void closeAllConnections();

    // Handlers of the listener, of every accepted connection, and of the queue timer.
    void Sock1Accept(TSock* sender);
    void Sock1Read(TSock* sender, int count);
    void socktimerTimer();
    void tempsockDisconnect(TSock* sender);
    void tempsockInfo(TSock* sender, TSocketInfo code, const QString& text);
    // The socket-free halves of Sock1Accept and Sock1Read, also for in-process connections (fuzzing):
    // seating a connection that was just accepted, and cutting its bytes into the receive queue.
    void admit(TSock* sock);
    void takeBytes(TSock* sender, const QByteArray& bytes);
    // The turn clock's tick, for callers that drive the clock themselves (fuzzing).
    void turntimerTimer() { m_rules.turntimerTimer(); }

    // Message handlers, each with its decoded message; the seat of the connection that sent the
    // message being handled is senderSeat().
    void receivedlogininfo(const msg::LoginInfo& login);
    void kickhim(const msg::KickHim& kick);
    void chat(const msg::ChatRequest& line);
    void action(const msg::ActionRequest& line);
    void justwatch(const msg::JustWatch& watch);
    void give3(const msg::Give3& give);
    void tablepassword(const msg::TablePassword& given);
    // Closes a seat's connection if the seat is occupied.
    void disconnectsock(int seat);

    // RulesOutbox: sends one whole message through a seat's connection.
    void sendToSeat(int seat, const QByteArray& message) override;

    // The receive queue stands still between pauseQueue() and resumeQueue(), so a test can look at
    // what waits and hand it on with socktimerTimer() itself.
    void pauseQueue();
    void resumeQueue();

    // Back to the state the host was built in (no connections, seats, queue or game; the generator
    // seeded as configured), keeping the dictionary and the computer's words: one host serves many
    // short sessions (fuzzing). In tablereset.cpp.
    void resetTable();

    // The tests' seam into the game: see GameRules::Position.
    void setUpPosition(const GameRules::Position& position) { m_rules.setUpPosition(position); }

    int senderSeat() const { return m_senderSeat; }
    const HostConfig& config() const { return m_config; }
    const SeatTable& players() const { return m_players; }
    const SeatHolds& holds() const { return m_holds; }
    const GameRules& rules() const { return m_rules; }
    const FairQueue& receivedlist() const { return m_receivedlist; }
    // Runs only while messages wait; an idle host has no timer running.
    const QTimer& socktimer() const { return m_socktimer; }
    // The dictionary; one that did not open rejects every word.
    const TDictn* spell() const { return m_spell.get(); }

    // The dictionary is still being opened in the background; dictionaryOpened follows.
    bool dictionaryOpening() const { return m_dictionaryOpener != nullptr; }

Q_SIGNALS:
    // A dictionary opened in the background is ready (open false: it could not be opened).
    void dictionaryOpened(bool open);
    // For the program around the host (logging, tests).
    void seatTaken(int seat);
    void seatFreed(int seat);
    // A login named a seat, or a game started or ended.
    void tableChanged();
    // A queued message is about to be handled; it was cut into the queue at arrived.
    void messageHandled(std::chrono::steady_clock::time_point arrived,
                        std::chrono::steady_clock::time_point handled);

private:
    struct Connection {
        TSock* sock = nullptr;
        int seat = 0;
        FrameSplitter splitter;
        bool loggedIn = false;
        bool broke = false;         // ended with an error, not closed in order
        bool passwordGiven = false; // gave a private table's password
        bool turnedAway = false;    // its refusal is on the way; nothing more it sends counts
    };

    // Logs (and reports, when configured) a dictionary that could not be opened.
    void noteDictionary();
    int freeSeatForNewcomer();
    bool waitsTooManyFrom(const QString& address) const;
    void turnAway(TSock* sock);
    void refuse(TSock* sock);
    bool mayChat(int seat);
    QByteArray cutChatText(const char* command, int seat, const QByteArray& text) const;
    void closeIfNotLoggedIn(TSock* sock);
    bool mayPassDoor(const Connection& connection, QByteArrayView text) const;
    void turnAwayAtDoor(Connection& connection, msg::PasswordNeeded::Reason reason);
    int reclaimHeldSeat(int greetedSeat, QByteArrayView key);
    void sendTableClosed();
    template <class M>
    void relay(const M& line);
    void departure(int seat, TSock* sock);
    void buildDispatchTable();
    template <class M, class Handler>
    void addMove(Handler handler);
    bool isFromSender(const char* command, int seat) const;
    void closeLater(TSock* sock, const char* reason);
    void handle(const QueuedMessage& message);
    void noteGameState();
    Connection* connectionOf(const TSock* sock);

    HostConfig m_config;
    TSock Sock1;    // the listener
    TSock tempsock; // never opened: holds the handlers every accepted connection gets
    SeatTable m_players;
    SeatHolds m_holds;
    TableDoor m_door;
    FairQueue m_receivedlist;
    QTimer m_socktimer; // the next queued message 10 ms after the last one, while any wait
    bool m_queuePaused = false;
    Random m_random;
    std::unique_ptr<TDictn> m_spell;
    QThread* m_dictionaryOpener = nullptr; // opens m_spell in the background, until it finishes
    GameRules m_rules;
    int m_newseat = 0;
    Dispatcher m_dispatcher;
    std::unordered_map<quint64, Connection> m_connections;
    std::vector<ChatRate> m_chatRates; // by seat number
    quint64 m_nextOrigin = 1;
    int m_senderSeat = 0;
    bool m_gameWasRunning = false;
    std::unique_ptr<TableListing> m_listing;
};

} // namespace quibo
