// SPDX-License-Identifier: MIT
#include "singleinstance.h"

#include <QDir>
#include <QFile>
#include <QLocalServer>
#include <QLocalSocket>
#include <QLoggingCategory>
#include <QWidget>
#include <optional>

#ifdef Q_OS_UNIX
#include <cerrno>
#include <sys/socket.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace quibo {

Q_DECLARE_LOGGING_CATEGORY(lcClient)

namespace {

constexpr int answerTimeoutMs = 1000;
const QByteArray activateRequest = QByteArrayLiteral("activate\n");

#ifdef Q_OS_UNIX
uint ownUser() {
    return uint(::geteuid());
}

// A folder only this user can enter: a real directory (not a link to one), owned by the user,
// closed to group and others.
bool isPrivateFolder(const QString& path) {
    struct stat info {};
    if (::lstat(QFile::encodeName(path).constData(), &info) != 0) return false;
    return S_ISDIR(info.st_mode) && info.st_uid == ::geteuid() && (info.st_mode & 077) == 0;
}

// Makes the folder 0700 when it is missing; an existing one is taken only if it is private.
bool makePrivateFolder(const QString& path) {
    if (::mkdir(QFile::encodeName(path).constData(), 0700) != 0 && errno != EEXIST) return false;
    return isPrivateFolder(path);
}

// The user the peer of a local socket runs as, when the system tells.
std::optional<uint> peerUser(const QLocalSocket& peer) {
    const int fd = int(peer.socketDescriptor());
    if (fd < 0) return std::nullopt;
#ifdef SO_PEERCRED
    ucred credentials{};
    socklen_t length = sizeof credentials;
    if (::getsockopt(fd, SOL_SOCKET, SO_PEERCRED, &credentials, &length) != 0) return std::nullopt;
    return uint(credentials.uid);
#else
    uid_t user = 0;
    gid_t group = 0;
    if (::getpeereid(fd, &user, &group) != 0) return std::nullopt;
    return uint(user);
#endif
}

// The user's private folder for the sockets (made when missing), or empty when there is none that
// is the user's alone.
QString privateFolder() {
    const QString runtime = qEnvironmentVariable("XDG_RUNTIME_DIR");
    if (QDir::isAbsolutePath(runtime) && makePrivateFolder(runtime)) return runtime;
    if (!runtime.isEmpty())
        qCWarning(lcClient) << "The runtime folder" << runtime << "is not this user's alone; not using it";
    const QString fallback =
        QDir::tempPath() + QStringLiteral("/quibo-runtime-") + QString::number(ownUser());
    if (makePrivateFolder(fallback)) return fallback;
    qCWarning(lcClient) << "No private folder for the one-copy check;" << fallback
                        << "is not this user's alone";
    return QString();
}
#else
uint ownUser() {
    return 0;
}

QString userSuffix() {
    QString user = qEnvironmentVariable("USERNAME");
    return user.isEmpty() ? QString() : u'-' + user;
}
#endif

} // namespace

QString SingleInstance::defaultInstanceName() {
#ifdef Q_OS_UNIX
    const QString folder = privateFolder();
    return folder.isEmpty() ? QString() : folder + QStringLiteral("/ovik22");
#else
    return QStringLiteral("ovik22") + userSuffix();
#endif
}

QString SingleInstance::markerNameFor(const QString& instanceName) {
#ifdef Q_OS_UNIX
    if (instanceName.endsWith(QLatin1String("/ovik22")))
        return instanceName.chopped(int(qstrlen("ovik22"))) + QStringLiteral("Quibo");
#else
    if (instanceName == defaultInstanceName()) return QStringLiteral("Quibo") + userSuffix();
#endif
    return instanceName + QStringLiteral("-Quibo");
}

SingleInstance::SingleInstance(const QString& instanceName, QObject* parent)
    : QObject(parent)
    , m_name(instanceName)
    , m_trustedUser(ownUser()) {
    m_server = new QLocalServer(this);
    m_server->setSocketOptions(QLocalServer::UserAccessOption);
    m_marker = new QLocalServer(this);
    m_marker->setSocketOptions(QLocalServer::UserAccessOption);
    connect(m_server, &QLocalServer::newConnection, this, &SingleInstance::acceptRequest);
}

bool SingleInstance::anotherCopyRuns() {
    if (m_name.isEmpty()) return false; // nowhere safe to keep the sockets: every copy runs
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
    if (!trusts(probe)) {
        qCWarning(lcClient) << "The local name" << m_name << "is held by another user; not a copy of ours";
        return false;
    }
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
        if (!trusts(*peer)) {
            qCWarning(lcClient) << "Ignored a request from another user";
            peer->abort();
            peer->deleteLater();
            continue;
        }
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

bool SingleInstance::trusts(const QLocalSocket& peer) const {
#ifdef Q_OS_UNIX
    const std::optional<uint> user = peerUser(peer);
    return user && *user == m_trustedUser;
#else
    Q_UNUSED(peer);
    return true;
#endif
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
