// SPDX-License-Identifier: MIT
// SingleInstance: keeps the program to one copy per user and desktop.
//
// Created by main() before any window. The first copy listens on a local socket named after
// "ovik22"; a second copy finds it, asks it to come forward and ends. While the program runs it
// also holds a second local socket named after "Quibo", the marker that tells others the game is
// running. Both live as long as this object.
//
// Anybody on the machine could misuse the sockets: another user who made a socket of that name
// would make every copy end at once, and one who reached ours could call the window forward. So
// the sockets live in the user's private runtime folder (XDG_RUNTIME_DIR, made 0700 when missing;
// a private folder of the user in the temporary folder when that one is not the user's alone), and
// a peer on them, either way, is trusted only when it runs as the same user. A stranger's request
// is dropped, and a stranger's socket counts as no copy at all.
#pragma once

#include <QObject>
#include <QString>

class QLocalServer;
class QLocalSocket;
class QWidget;

namespace quibo {

class SingleInstance : public QObject {
    Q_OBJECT
public:
    // The names used unless a test gives its own: "ovik22" and "Quibo" in the private folder.
    static QString defaultInstanceName();
    // The default name is empty when no folder is the user's alone; no copy is then kept to one.
    static QString markerNameFor(const QString& instanceName);

    explicit SingleInstance(const QString& instanceName, QObject* parent = nullptr);

    // Answers true when another copy runs; that copy has then been asked to come forward. Answers
    // false when this is the first copy, which from now on listens for later copies.
    bool anotherCopyRuns();

    // Peers are trusted when they run as this user, by default the one running this program; a
    // test names another to see how a stranger is treated.
    void trustOnlyUser(uint user) { m_trustedUser = user; }

    // Restores a minimised window, otherwise raises and activates it.
    static void bringForward(QWidget* window);

Q_SIGNALS:
    // A later copy asked this one to come forward.
    void activationRequested();

private:
    bool askRunningCopy();
    void listenFor(QLocalServer* server, const QString& name);
    void acceptRequest();
    bool trusts(const QLocalSocket& peer) const;

    QString m_name;
    QLocalServer* m_server = nullptr;
    QLocalServer* m_marker = nullptr;
    uint m_trustedUser = 0;
};

} // namespace quibo
