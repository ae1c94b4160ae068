// SPDX-License-Identifier: MIT
// TSock: the game's non-blocking, event-driven TCP stream socket.
//
// Properties and events follow the socket component the game was designed around: readiness arrives
// as signals on the UI thread (OnConnect, OnRead, OnWrite, OnDisconnect, OnAccept), progress and
// platform errors as OnInfo reports with a TSocketInfo code and a text, and failed operations raise
// ESockException. A connection made by Accept passes its events on to the listener's signals, so
// whoever listens to the listener hears its connections too; a destroyed receiver is disconnected by
// Qt. Qt Network carries the bytes.
#pragma once

#include <QByteArray>
#include <QHostAddress>
#include <QLoggingCategory>
#include <QObject>
#include <QPointer>
#include <QString>
#include <stdexcept>

class QTcpServer;
class QTcpSocket;

namespace quibo {

Q_DECLARE_LOGGING_CATEGORY(lcNet)

enum class TSocketInfo { Lookup = 0, Connect, Close, Listen, Receive, Send, Accept, Error };
enum class TSocketType { stStream, stDatagram };
enum class TLineBreak { lbCRLF, lbLF, lbSmart };

class ESockException : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// "Error #10054 (WSAECONNRESET)" and the like; numbers without a name read "UNKNOWN ERROR".
QString socketErrorText(int number);
QString socketErrorName(int number);

class TSock : public QObject {
    Q_OBJECT
public:
    explicit TSock(QObject* parent = nullptr);
    ~TSock() override;

    // Properties.
    TSocketType SocketType = TSocketType::stStream;
    bool Blocking = false;
    bool AutoAccept = false;
    TLineBreak LineBreak = TLineBreak::lbSmart;
    int BlockingTimeout = 0;
    int Tag = 0;

    QString HostName() const { return m_hostName; }
    void setHostName(const QString& name);
    QString PortName() const { return m_portName; }
    void setPortName(const QString& name);

    // Connections the system completes and holds for a listener until they are accepted. A burst
    // of connections (a flood among them) must not make a real player wait for a retried SYN.
    static constexpr int listenBacklog = 64;

    // The local address a listener opens on: every local address unless set (loopback keeps a
    // listener out of reach of other machines). Takes effect at the next setListen(true).
    QHostAddress ListenAddress() const { return m_listenAddress; }
    void setListenAddress(const QHostAddress& address) { m_listenAddress = address; }
    // Setting Listen to true opens a listener on ListenAddress; throws ESockException.
    bool Listen() const;
    void setListen(bool listen);
    // The port actually listened on (useful when PortName is "0").
    quint16 listeningPort() const;

    bool Connected() const { return m_connected; }

    // Starts connecting (non-blocking); with a socket already present answers the connected flag.
    // A host name that is not an address is looked up without blocking: "Lookup Of Host <name>" is
    // reported, and a failed lookup arrives later as the code-7 report for 11001.
    bool Open();
    // On a listener, from OnAccept: the pending connection as a new TSock (parented to this object's
    // parent), or nullptr.
    TSock* Accept();
    // Queues the bytes and hands them to the platform; throws ESockException when not connected.
    void Send(const QByteArray& bytes);
    // Everything received and not yet taken.
    QByteArray Receive();
    // Closes the socket; reports "Socket Closed" unless it was a listener. Output the system has
    // not taken yet still goes out for up to a second; after that it is dropped.
    bool Close();
    // Bytes handed to Send that the system has not taken yet.
    qint64 pendingOutput() const;
    // Has the system probe a connected peer that has gone quiet, so a peer that vanished without a
    // close (power cut, dropped network) ends as a broken connection within about two minutes.
    // Answers false without a connection or when the system refuses.
    bool enableKeepAlive();
    // The system's descriptor of the connection, or -1.
    qintptr socketDescriptor() const;

    // Detaches every receiver of the events below, the listener's forwarding included.
    void disconnectEvents();

    // Drops the process-wide list of looked-up host names (tests).
    static void clearHostCache();

Q_SIGNALS:
    // Events. A receiver may connect or disconnect receivers or Close the sender, but must not delete
    // it directly (deleteLater is fine).
    void OnConnect(quibo::TSock* sender);
    void OnDisconnect(quibo::TSock* sender);
    void OnRead(quibo::TSock* sender, int count);
    void OnWrite(quibo::TSock* sender);
    void OnAccept(quibo::TSock* sender);
    void OnAutoAccept(quibo::TSock* sender, quibo::TSock* newSock);
    void OnInfo(quibo::TSock* sender, quibo::TSocketInfo info, const QString& msg);

private:
    class Private;
    friend class Private;
    // Hands a report to OnInfo; a handler that fails turns into ESockException("Error here").
    void info(TSocketInfo code, const QString& text);
    quint16 resolvePort() const;

    Private* d;
    QString m_hostName;
    QString m_portName;
    QHostAddress m_listenAddress{QHostAddress::Any};
    bool m_connected = false;
    bool m_hasSocket = false; // an outgoing or accepted socket exists (connecting, connected or broken)
};

} // namespace quibo
