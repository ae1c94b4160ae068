// SPDX-License-Identifier: MIT
#include "singleinstance.h"

#include <QLocalServer>
#include <QLocalSocket>
#include <QLoggingCategory>
#include <QWidget>

namespace quibo {

Q_DECLARE_LOGGING_CATEGORY(lcClient)

namespace {

constexpr int answerTimeoutMs = 1000;
const QByteArray activateRequest = QByteArrayLiteral("activate\n");

QString userSuffix() {
    QString user = qEnvironmentVariable("USER");
    if (user.isEmpty()) user = qEnvironmentVariable("USERNAME");
    return user.isEmpty() ? QString() : u'-' + user;
}

} // namespace

QString SingleInstance::defaultInstanceName() {
    return QStringLiteral("ovik22") + userSuffix();
}

QString SingleInstance::markerNameFor(const QString& instanceName) {
    if (instanceName == defaultInstanceName()) return QStringLiteral("Quibo") + userSuffix();
    return instanceName + QStringLiteral("-Quibo");
}

SingleInstance::SingleInstance(const QString& instanceName, QObject* parent)
    : QObject(parent)
    , m_name(instanceName) {
    m_server = new QLocalServer(this);
    m_server->setSocketOptions(QLocalServer::UserAccessOption);
    m_marker = new QLocalServer(this);
    m_marker->setSocketOptions(QLocalServer::UserAccessOption);
    connect(m_server, &QLocalServer::newConnection, this, &SingleInstance::acceptRequest);
}

bool SingleInstance::anotherCopyRuns() {
    if (askRunningCopy()) return true;
    if (!m_server->listen(m_name)) {
        // Either a copy started at the same moment, or a crashed copy left its socket behind.
        if (askRunningCopy()) return true;
        listenFor(m_server, m_name);
    }
    listenFor(m_marker, markerNameFor(m_name));
    return false;
}

bool SingleInstance::askRunningCopy() {
    QLocalSocket probe;
    probe.connectToServer(m_name);
    if (!probe.waitForConnected(answerTimeoutMs)) return false;
    probe.write(activateRequest);
    probe.waitForBytesWritten(answerTimeoutMs);
    probe.disconnectFromServer();
    return true;
}

void SingleInstance::listenFor(QLocalServer* server, const QString& name) {
    if (server->isListening() || server->listen(name)) return;
    QLocalServer::removeServer(name);
    if (!server->listen(name))
        qCWarning(lcClient) << "Cannot hold the local name" << name << ":" << server->errorString();
}

void SingleInstance::acceptRequest() {
    while (QLocalSocket* peer = m_server->nextPendingConnection()) {
        connect(peer, &QLocalSocket::disconnected, peer, &QObject::deleteLater);
        connect(peer, &QLocalSocket::readyRead, this, [this, peer] {
            // Only the one fixed request is understood; anything else is ignored.
            if (peer->bytesAvailable() > activateRequest.size()) {
                peer->abort();
                return;
            }
            if (!peer->canReadLine()) return;
            if (peer->readLine() == activateRequest) {
                qCInfo(lcClient) << "Another copy asked this window to come forward";
                Q_EMIT activationRequested();
            }
            peer->disconnectFromServer();
        });
    }
}

void SingleInstance::bringForward(QWidget* window) {
    if (window->isMinimized()) {
        window->setWindowState(window->windowState() & ~Qt::WindowMinimized);
        window->showNormal();
        return;
    }
    window->raise();
    window->activateWindow();
}

} // namespace quibo
