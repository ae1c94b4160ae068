// SPDX-License-Identifier: MIT
// connection/: the player window's connection to the host: socket, receive queue, timer and dispatch.
//
// HostConnection: the player window's connection to the game host.
//
// Owns the socket to the host (`sock`), the splitter that cuts its bytes into messages, the bounded
// receive queue, the 1 ms queue timer (`Timer1`) and the dispatch. Each timer tick hands one queued
// message to the dispatch, which decodes it and hands the typed message to the handlers registered
// for its type (on); a message that does not decode is dropped there. The tick also drives the phrase
// flood guard of the window (ticked), which keeps the timer running while it counts. A connection
// that breaks with an error (reset, time-out) after the host greeted it is tried again a few times
// at growing intervals; an orderly close is passed on as it is. A host is only at the table once
// it greets ("CMD_sendlogininfo"): a connection it accepts and does not greet within the greeting
// timeout (counted from the start of the try) counts as failed, and only a greeting starts the schedule of
// tries afresh, so a peer that accepts and resets, or accepts and stays silent, is given up after the last
// try. Owned by the player window; the program connects its signals to the views' handlers in one place.
#pragma once

#include "hostmessages.h"
#include "messages.h"
#include "tsock.h"

#include <QList>
#include <QObject>
#include <QPointer>
#include <QString>
#include <functional>
#include <tuple>
#include <vector>

class QTimer;

namespace quibo {

class HostConnection : public QObject {
    Q_OBJECT
public:
    explicit HostConnection(QObject* parent = nullptr);
    ~HostConnection() override;

    TSock* sock() const { return m_sock; }

    // Where to connect; Open starts connecting and throws ESockException when it cannot.
    void setAddress(const QString& host, quint16 port);
    void open();

    // Waits (milliseconds) before each new try after a break; the default adds up to about a minute.
    void setReconnectDelays(const QList<int>& delays) { m_reconnectDelays = delays; }
    // How long a new connection may wait for the host's greeting (milliseconds; ten seconds).
    void setGreetingTimeout(int milliseconds) { m_greetingTimeoutMs = milliseconds; }

    // Sends one typed message; nothing once the connection is closed or while a break waits for its
    // next try. A failed send is reported through the error report, as every socket error the
    // player cannot act on.
    // Registers a handler of one host message type (a type of HostMessages): every message of the
    // type that decodes goes to every handler registered for it, in the order registered, while
    // its receiver lives. Adding a message to the window is one such line where it is handled.
    template <class M, class Object>
    void on(Object* receiver, void (Object::*handler)(const M&)) {
        on<M>(receiver, [receiver, handler](const M& message) { (receiver->*handler)(message); });
    }
    template <class M>
    void on(QObject* receiver, std::function<void(const M&)> handler) {
        static_assert(isListed<M, HostMessages>, "a host message is handled only when HostMessages lists it");
        std::get<std::vector<Route<M>>>(m_routes).push_back({receiver, std::move(handler)});
    }
    // How many handlers a message type has (for the check that none goes unhandled).
    template <class M>
    qsizetype handlerCount() const {
        return qsizetype(std::get<std::vector<Route<M>>>(m_routes).size());
    }

    template <class M>
    void send(const M& message) {
        sendBytes(message.encode());
    }
    void sendBytes(const QByteArray& wholeMessage);

    // Reading: sockRead takes what the socket holds; takeBytes is its socket-free half, also for
    // in-process input (fuzzing), and cuts the bytes into the receive queue.
    void sockRead();
    void takeBytes(const QByteArray& bytes);

    // One tick of the queue timer: handles one queued message, then reports the tick.
    void Timer1Timer();
    void processsocktimer();
    bool timer1Running() const;
    qsizetype queuedMessages() const { return m_receivedlist.size(); }
    // While wanted, the timer keeps ticking with an empty queue (the phrase flood guard counts).
    void setTicksWanted(bool wanted);

    // The window stops hearing the socket (reads, reports) and the timer rests; the socket stays
    // open until close() or closeSocket().
    void stopListening();
    void closeSocket();
    void stopTimer1();
    // Leaves the table for good: nothing is read, handled or sent any more, and the socket closes.
    void close();

Q_SIGNALS:
    // The socket's own events. Errors of a connection that is being tried again do not appear here,
    // nor errors of one that was greeted; a missing greeting is reported as an error.
    // connected: the host greeted the connection.
    void connected();
    void sockInfo(quibo::TSocketInfo info, const QString& text);
    // The connection broke with an error; a new try follows after the first delay.
    void connectionLost(const QString& reason);
    // A new try reached the host again and the host greeted it as a new arrival.
    void reconnected();
    // Every try failed; nothing more is attempted.
    void reconnectFailed(const QString& reason);
    // The host broke the rules of the protocol (a flood or an endless message); the connection
    // should be closed with this reason shown.
    void hostMisbehaved(const QString& reason);
    // A tick of the queue timer.
    void ticked();

private:
    // The handlers registered for one message type, in the order registered; a handler whose
    // receiver is gone is skipped.
    template <class M>
    struct Route {
        QPointer<QObject> receiver;
        std::function<void(const M&)> handler;
    };
    template <class... M>
    using RouteTable = std::tuple<std::vector<Route<M>>...>;
    template <class... M>
    static RouteTable<M...> routeTableFor(MessageList<M...>);

    void createDispatchTable();
    template <class M>
    void deliver(const M& message) const;
    void wakeTimer1();
    void socketInfo(TSocketInfo info, const QString& text);
    void startGreetingClock();
    void retryAfterBreak(const QString& reason);
    void closeQuietly();
    void tryAgain();
    void hostGreeted();
    void greetingMissed();

    TSock* m_sock = nullptr;
    FrameSplitter m_splitter;
    MessageQueue m_receivedlist;
    qsizetype m_queuedBytes = 0; // text bytes waiting in m_receivedlist
    Dispatcher m_dispatcher;
    decltype(routeTableFor(HostMessages{})) m_routes;
    QTimer* m_timer1 = nullptr;
    bool m_ticksWanted = false;
    bool m_closed = false;
    // Reconnecting: m_wasConnected once the host greeted a connection; m_reconnectAttempt counts
    // the tries of the current break (0 while none runs).
    QList<int> m_reconnectDelays{1000, 2000, 4000, 8000, 16000, 29000};
    QTimer* m_retryTimer = nullptr;
    bool m_wasConnected = false;
    int m_reconnectAttempt = 0;
    bool m_closingQuietly = false;
    QTimer* m_greetingTimer = nullptr; // runs from a connection's start to the host's greeting
    int m_greetingTimeoutMs = 10000;
};

} // namespace quibo
