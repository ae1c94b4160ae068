// SPDX-License-Identifier: MIT
// SingleInstance: keeps the program to one copy per user and desktop.
//
// Created by main() before any window. The first copy listens on a local socket named after
// "ovik22"; a second copy finds it, asks it to come forward and ends. While the program runs it
// also holds a second local socket named after "Quibo", the marker that tells others the game is
// running. Both live as long as this object.
#pragma once

#include <QObject>
#include <QString>

class QLocalServer;
class QWidget;

namespace quibo {

class SingleInstance : public QObject {
    Q_OBJECT
public:
    // The names used unless a test gives its own: "ovik22" and "Quibo", made per user.
    static QString defaultInstanceName();
    static QString markerNameFor(const QString& instanceName);

    explicit SingleInstance(const QString& instanceName, QObject* parent = nullptr);

    // Answers true when another copy runs; that copy has then been asked to come forward. Answers
    // false when this is the first copy, which from now on listens for later copies.
    bool anotherCopyRuns();

    // Restores a minimised window, otherwise raises and activates it.
    static void bringForward(QWidget* window);

Q_SIGNALS:
    // A later copy asked this one to come forward.
    void activationRequested();

private:
    bool askRunningCopy();
    void listenFor(QLocalServer* server, const QString& name);
    void acceptRequest();

    QString m_name;
    QLocalServer* m_server = nullptr;
    QLocalServer* m_marker = nullptr;
};

} // namespace quibo
